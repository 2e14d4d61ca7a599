// A program that shows a form with a card view and returns from main without Run or
// Finalize: it must end cleanly, not crash while the statics go.

#include "Forms.h"
#include "Ostrel.h"

int main() {
  using namespace vcl;
  Application->Initialize();
  auto* Form = new TForm(Application);
  auto* View = new ostrel::TOstrel(Form);
  View->SetParent(Form);
  View->GetItems()->Add("Ann")->GetSubItems()->Add("Phone=1");
  Form->Show();
  Application->ProcessMessages();
  return 0;
}
