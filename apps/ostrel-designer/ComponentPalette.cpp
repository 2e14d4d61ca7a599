#include "ComponentPalette.h"

#include <algorithm>

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "OstrelPackage.h"
#include "StdCtrls.h"

using namespace vcl;

namespace designer {

void TComponentPalette::Install() {
  Add("Standard", {&TButton::StaticClassInfo(), &TCheckBox::StaticClassInfo(), &TLabel::StaticClassInfo(),
                   &TEdit::StaticClassInfo(), &TPanel::StaticClassInfo(), &TGroupBox::StaticClassInfo(),
                   &TImage::StaticClassInfo(), &TListView::StaticClassInfo()});
  const TRegisterComponentsProc Previous = RegisterComponentsProc;
  RegisterComponentsProc = [this](const AnsiString& Page, const std::vector<const TClassInfo*>& Classes) {
    Add(Page, Classes);
  };
  struct TRestore {
    const TRegisterComponentsProc& Previous;
    ~TRestore() { RegisterComponentsProc = Previous; }
  } Restore{Previous};
  // The package registers once per process; a second designer (or one that installs its
  // palette again) must hear its palette registrations too.
  ostrel::UnregisterPackage();
  ostrel::RegisterPackage();
}

void TComponentPalette::Add(const AnsiString& Page, const std::vector<const TClassInfo*>& Classes) {
  auto It = std::find_if(FPages.begin(), FPages.end(), [&](const TPalettePage& P) { return SameText(P.Name, Page); });
  if (It == FPages.end()) It = FPages.insert(FPages.end(), TPalettePage{Page, {}});
  for (const TClassInfo* Info : Classes)
    if (std::find(It->Classes.begin(), It->Classes.end(), Info) == It->Classes.end()) It->Classes.push_back(Info);
}

const TPalettePage* TComponentPalette::FindPage(const AnsiString& Name) const {
  for (const TPalettePage& Page : FPages)
    if (SameText(Page.Name, Name)) return &Page;
  return nullptr;
}

const TClassInfo* TComponentPalette::FindClass(const AnsiString& ClassName) const {
  for (const TPalettePage& Page : FPages)
    for (const TClassInfo* Info : Page.Classes)
      if (SameText(Info->ClassName(), ClassName)) return Info;
  return nullptr;
}

}  // namespace designer
