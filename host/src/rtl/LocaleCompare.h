#pragma once
// The comparison by the user's locale behind AnsiCompareStr and AnsiCompareText, and the
// sort keys that agree with AnsiCompareText. The backend of the window system, which has
// the collation tables, puts them in as the program starts; in programs without a window
// system the comparison is by bytes.

#include <memory>
#include <string_view>

#include "System.h"

namespace vcl::rtl {

// <0, 0 or >0. IgnoreCase: letters that differ only in case are equal.
using TLocaleCompare = int (*)(const AnsiString& S1, const AnsiString& S2, bool IgnoreCase);
void SetLocaleCompare(TLocaleCompare Compare);

// Keys for the comparison without case, by the locale read when the maker was made: see
// TAnsiTextKeys.
class TLocaleKeyMaker {
public:
  virtual ~TLocaleKeyMaker() = default;
  virtual void AppendKey(std::string_view Text, AnsiString& Key) = 0;
};
using TLocaleKeys = std::unique_ptr<TLocaleKeyMaker> (*)();
void SetLocaleKeys(TLocaleKeys Make);

}  // namespace vcl::rtl
