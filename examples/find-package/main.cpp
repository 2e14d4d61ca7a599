// A small address book built against the installed library; Cards: Edit all cards...
// (Ctrl+E) opens the items editor on its cards.
//   address-book [--check]
// With --check it builds the window, lets it lay out and paint, reads the items editor
// from its stored description, prints what it shows and exits: a quick proof that the
// package links and runs.

#include <cstdio>
#include <cstring>
#include <memory>

#include "Forms.h"
#include "Menus.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"
#include "OstrelItemsEditing.h"

using namespace vcl;
using namespace ostrel;

int main(int argc, char** argv) {
  const bool Check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  Application->Initialize(argc, argv);
  TForm* Form = nullptr;
  Application->CreateForm(Form);
  Form->SetBounds(100, 100, 640, 400);

  auto* Cards = new TOstrel(Form);
  Cards->SetParent(Form);
  Cards->SetAlign(alClient);
  Cards->SetSorted(true);
  for (const char* Name : {"Weber, Anna", "Brown, Oliver", "Novak, Petra"}) {
    TOstrelItem* Card = Cards->GetItems()->Add(Name);
    Card->GetSubItems()->Add("Phone=555-0100");
  }
  auto* Letters = new TOstrelButtonsBar(Form);
  Letters->SetParent(Form);
  Letters->SetAlign(alLeft);
  Letters->SetOstrel(Cards);

  auto* Menu = new TMainMenu(Form);
  TMenuItem* CardsMenu = AddMenuItem(Menu->GetItems(), "&Cards", nullptr);
  AddMenuItem(
      CardsMenu, "&Edit all cards...",
      [Cards](TObject*) {
        const auto Dialog = std::make_unique<TOstrelItemsEditorForm>(nullptr);
        ExecuteItemsEditor(*Dialog, Cards->GetItems(), nullptr);
      },
      ShortCut('E', {ssCtrl}));
  Form->SetMenu(Menu);

  if (!Check) {
    Application->Run();  // until the window closes; frees the forms and the toolkit
    return 0;
  }
  Form->Show();
  Application->ProcessMessages();
  auto Editor = std::make_unique<TOstrelItemsEditorForm>(nullptr);
  std::printf("%d cards, first \"%s\", %d letter buttons, editor \"%s\"\n", Cards->GetItems()->GetCount(),
              Cards->GetItems()->GetItemFromIndex(0)->GetText().c_str(), Letters->GetButtonCount(),
              Editor->GetCaption().c_str());
  const bool Shown = Cards->GetItems()->GetCount() == 3 && Letters->GetButtonCount() > 1 && Editor->Table;
  Editor.reset();
  Application->Finalize();  // the forms go while the toolkit still runs
  return Shown ? 0 : 1;
}
