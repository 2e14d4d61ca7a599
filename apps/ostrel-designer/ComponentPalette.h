#pragma once
// The component palette as data: its pages, in the order they were first named, each with
// the classes registered on it. The standard controls fill the page "Standard"; installed
// packages add theirs through RegisterComponents.

#include <vector>

#include "TypInfo.h"

namespace designer {

struct TPalettePage {
  vcl::AnsiString Name;
  std::vector<const vcl::TClassInfo*> Classes;
};

class TComponentPalette {
public:
  // Registers the standard controls, then installs the card view package, whose units put
  // their controls on "Velmora". The designer is the environment RegisterComponents talks
  // to while this runs.
  void Install();
  // Puts Classes on Page (made when new); a class already there is not added twice.
  void Add(const vcl::AnsiString& Page, const std::vector<const vcl::TClassInfo*>& Classes);

  const std::vector<TPalettePage>& Pages() const { return FPages; }
  // The page of that name (case ignored), or null.
  const TPalettePage* FindPage(const vcl::AnsiString& Name) const;
  // The class of that name on any page (case ignored), or null.
  const vcl::TClassInfo* FindClass(const vcl::AnsiString& ClassName) const;

private:
  std::vector<TPalettePage> FPages;
};

}  // namespace designer
