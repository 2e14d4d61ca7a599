#pragma once
// The palette on the designer's window: a row of page tabs and, below it, an entry per class
// of the page shown (its palette picture when it has one, and its name), led by the arrow
// entry that goes back to selecting. Clicking an entry picks the class the next click on
// the designed form drops.

#include <functional>
#include <vector>

#include "ComponentPalette.h"
#include "ExtCtrls.h"
#include "StdCtrls.h"

namespace designer {

class TPaletteView {
public:
  using TPickEvent = std::function<void(const vcl::TClassInfo* Info)>;  // null: back to selecting

  // Builds the palette as a panel aligned to the top of Parent, components of Owner,
  // showing the first page.
  TPaletteView(vcl::TComponent* Owner, vcl::TWinControl* Parent, const TComponentPalette& Palette, TPickEvent OnPick);

  // Shows the page of that name (case ignored); nothing for an unknown page.
  void ShowPage(const vcl::AnsiString& Name);
  const vcl::AnsiString& GetPage() const { return FPage; }
  // Shows Info's entry pressed (the arrow's for null).
  void SetPicked(const vcl::TClassInfo* Info);

  vcl::TPanel* GetPanel() const { return FPanel; }
  // The tab of a page, or null.
  vcl::TPanel* PageTab(const vcl::AnsiString& Name) const;
  // The entry of a class on the page shown, or null; the arrow entry for an empty name.
  vcl::TPanel* Entry(const vcl::AnsiString& ClassName) const;

private:
  struct TEntry {
    const vcl::TClassInfo* Info;  // null: the arrow
    vcl::TPanel* Panel;
  };
  vcl::TPanel* AddEntry(const vcl::TClassInfo* Info, int Left);
  static void ShowDown(vcl::TPanel* Panel, bool Down);

  vcl::TComponent* FOwner;
  const TComponentPalette& FPalette;
  TPickEvent FOnPick;
  vcl::TPanel* FPanel;
  vcl::TPanel* FEntries;  // the row of entries, rebuilt per page
  std::vector<vcl::TPanel*> FTabs;
  std::vector<TEntry> FShown;
  vcl::AnsiString FPage;
};

}  // namespace designer
