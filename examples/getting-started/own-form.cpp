// A card view and a letter bar on a form of one's own, a TForm subclass made in code.
//   getting-started-own-form [--check] [FILE.cards]
// With --check it lays the form out, clicks the letter "m", checks the card it selected
// and exits instead of running the event loop.

#include <cstdio>
#include <cstring>

#include "Forms.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"

using namespace vcl;
using namespace ostrel;

class TAddressForm : public TForm {
public:
  explicit TAddressForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Address book");
    SetClientWidth(560);
    SetClientHeight(360);
    // The form owns both controls and frees them with itself.
    Cards = new TOstrel(this);
    Cards->SetParent(this);
    Cards->SetAlign(alClient);
    Cards->SetSorted(true);
    Cards->SetColumnWidth(170);
    Cards->SetOnChange([this](TObject*, TOstrelItem* Item) {
      SetCaption(Item ? "Address book - " + Item->GetText() : AnsiString("Address book"));
    });
    Letters = new TOstrelButtonsBar(this);
    Letters->SetParent(this);
    Letters->SetAlign(alLeft);
    Letters->SetWidth(44);
    Letters->SetOstrel(Cards);  // a click selects the first card at or after its letter
  }

  TOstrel* Cards = nullptr;
  TOstrelButtonsBar* Letters = nullptr;
};

int main(int argc, char** argv) {
  Application->Initialize(argc, argv);
  bool Check = false;
  const char* File = nullptr;
  for (int I = 1; I < argc; ++I) {
    if (std::strcmp(argv[I], "--check") == 0) Check = true;
    else File = argv[I];
  }
  TAddressForm* Form = nullptr;
  Application->CreateForm(Form);  // the first form made is the main form
  if (File) Form->Cards->LoadFromFile(File);
  if (!Check) {
    Application->Run();  // until the main form closes
    Application->Finalize();
    return 0;
  }
  Form->Show();
  Application->ProcessMessages();
  // The button whose letters begin with "m", clicked as the mouse would.
  int Button = -1;
  for (int I = 0; I < Form->Letters->GetButtonCount() && Button < 0; ++I)
    if (Form->Letters->GetButton(I).Caption.find('m') != AnsiString::npos) Button = I;
  const TRect R = Button >= 0 ? Form->Letters->GetButton(Button).Rect : TRect{};
  Form->Letters->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(R.Left + 2, R.Top + 2));
  Form->Letters->Perform(WM_LBUTTONUP, 0, MakeLParam(R.Left + 2, R.Top + 2));
  TOstrelItem* Selected = Form->Cards->GetSelected();
  const bool Moved = Selected && !Selected->GetText().empty() && (Selected->GetText()[0] | 0x20) >= 'm' &&
                     Form->GetCaption() == "Address book - " + Selected->GetText();
  std::printf("%s\n", Moved ? ("the letter bar selected " + Selected->GetText()).c_str() : "nothing was selected");
  Application->Finalize();
  return Moved ? 0 : 1;
}
