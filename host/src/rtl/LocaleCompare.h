#pragma once
// The comparison by the user's locale behind AnsiCompareStr and AnsiCompareText. The
// backend of the window system, which has the collation tables, puts it in as the program
// starts; in programs without a window system the comparison is by bytes.

#include "System.h"

namespace vcl::rtl {

// <0, 0 or >0. IgnoreCase: letters that differ only in case are equal.
using TLocaleCompare = int (*)(const AnsiString& S1, const AnsiString& S2, bool IgnoreCase);
void SetLocaleCompare(TLocaleCompare Compare);

}  // namespace vcl::rtl
