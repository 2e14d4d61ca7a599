// A form laid out in ostrel-designer and saved as address-form.dfm: the program declares
// a TForm subclass whose fields and handler the form file fills in by name.
//   getting-started-designed-form FORM.dfm [--check] [FILE.cards]
// With --check it reads the form, selects the first card, checks that the handler named in
// the form file ran and exits instead of running the event loop. A form file that does not
// fit the class is reported with its line, and the program ends with 1.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "Forms.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"
#include "TypInfo.h"

using namespace vcl;
using namespace ostrel;

AnsiString DesignedFormText;  // the saved form, read before the form is made

class TDesignedForm : public TForm {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TDesignedForm(TComponent* AOwner) : TForm(AOwner) { ReadFormText(DesignedFormText); }
  // OnDestroy runs while the whole form, its handlers included, still exists.
  ~TDesignedForm() override { Destroying(); }

  // Filled in by the form file: the components of these names.
  TOstrel* Cards = nullptr;
  TOstrelButtonsBar* Letters = nullptr;

  // The handler the form file names for Cards' OnChange.
  void CardsChange(TObject* Sender, TOstrelItem* Item) {
    SetCaption(Item ? "Address book - " + Item->GetText() : AnsiString("Address book"));
  }
};

const TClassInfo& TDesignedForm::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TDesignedForm>("TDesignedForm", &TForm::StaticClassInfo())
                                     .Field("Cards", &TDesignedForm::Cards)
                                     .Field("Letters", &TDesignedForm::Letters)
                                     .Method("CardsChange", &TDesignedForm::CardsChange)
                                     .Build();
  return Info;
}

int main(int argc, char** argv) {
  Application->Initialize(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FORM.dfm [--check] [FILE.cards]\n", argv[0]);
    return 2;
  }
  std::ifstream FormFile(argv[1], std::ios::binary);
  if (!FormFile) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  std::stringstream Text;
  Text << FormFile.rdbuf();
  DesignedFormText = Text.str();
  bool Check = false;
  const char* File = nullptr;
  for (int I = 2; I < argc; ++I) {
    if (std::strcmp(argv[I], "--check") == 0) Check = true;
    else File = argv[I];
  }
  TDesignedForm* Form = nullptr;
  try {
    Application->CreateForm(Form);  // reads the form file
    if (File) Form->Cards->LoadFromFile(File);
  } catch (const Exception& E) {  // the message names the file's line that is wrong
    std::fprintf(stderr, "%s: %s\n", argv[1], E.Message().c_str());
    Application->Finalize();
    return 1;
  }
  if (!Check) {
    Application->Run();
    Application->Finalize();
    return 0;
  }
  Form->Show();
  Application->ProcessMessages();
  TOstrelItem* First = Form->Cards->GetItems()->GetFirstItem();
  if (First) Form->Cards->SetSelected(First);
  const bool Bound = First && Form->Letters->GetOstrel() == Form->Cards && Form->Cards->GetSorted() &&
                     Form->GetCaption() == "Address book - " + First->GetText();
  std::printf("%s\n", Bound ? "the designed form is read and its handler runs" : "the designed form is not bound");
  Application->Finalize();
  return Bound ? 0 : 1;
}
