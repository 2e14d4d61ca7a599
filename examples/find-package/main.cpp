// A small address book built against the installed library.
//   address-book [--check]
// With --check it builds the window, lets it lay out and paint, prints what it shows and
// exits: a quick proof that the package links and runs.

#include <cstdio>
#include <cstring>

#include "Forms.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"

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

  if (!Check) {
    Application->Run();  // until the window closes; frees the forms and the toolkit
    return 0;
  }
  Form->Show();
  Application->ProcessMessages();
  std::printf("%d cards, first \"%s\", %d letter buttons\n", Cards->GetItems()->GetCount(),
              Cards->GetItems()->GetItemFromIndex(0)->GetText().c_str(), Letters->GetButtonCount());
  const bool Shown = Cards->GetItems()->GetCount() == 3 && Letters->GetButtonCount() > 1;
  Application->Finalize();  // the forms go while the toolkit still runs
  return Shown ? 0 : 1;
}
