// The address book: a resizable window whose card view shows the contacts of a card file.
//   ostrel-demo [--screenshot PNG] [--editor-screenshot PNG] [FILE]
// Without FILE it opens the bundled sample. With --screenshot it renders the window once,
// writes the picture and exits instead of staying open; --editor-screenshot does the same
// for the items editor opened on the cards (the menu's Card: Edit all cards...).

#include <QMessageBox>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <string>

#include "Forms.h"
#include "Menus.h"
#include "Ostrel.h"
#include "OstrelItemsEditing.h"
#include "OstrelButtonsBar.h"
#include "QtEmbedding.h"

using namespace vcl;
using namespace ostrel;

namespace {

struct TOptions {
  AnsiString File = OSTREL_SAMPLE_CONTACTS;
  AnsiString Screenshot;        // empty: stay open
  AnsiString EditorScreenshot;  // empty: no picture of the items editor
};

// False on a wrong command line.
bool ParseOptions(int Argc, char** Argv, TOptions& Options) {
  bool HaveFile = false;
  for (int I = 1; I < Argc; ++I) {
    const std::string Arg = Argv[I];
    if (Arg == "--screenshot" && I + 1 < Argc) {
      Options.Screenshot = Argv[++I];
    } else if (Arg == "--editor-screenshot" && I + 1 < Argc) {
      Options.EditorScreenshot = Argv[++I];
    } else if (!Arg.empty() && Arg[0] != '-' && !HaveFile) {
      Options.File = Arg;
      HaveFile = true;
    } else {
      return false;
    }
  }
  return true;
}

AnsiString BaseName(const AnsiString& Path) {
  const auto Slash = Path.find_last_of('/');
  return Slash == AnsiString::npos ? Path : Path.substr(Slash + 1);
}

// A card of the first column but not the first one, so that the picture shows the
// selection colours beside ordinary caption bands.
void SelectSampleCard(TOstrel* Cards) {
  TOstrelItems* Items = Cards->GetItems();
  if (Items->GetCount() == 0) return;
  TOstrelItem* Item = Items->GetItemFromIndex(Items->GetCount() > 1 ? 1 : 0);
  Cards->SetSelected(Item);
  Cards->SetFocused(Item);
}

void ShowCardCount(TForm* Form, TOstrel* Cards, const AnsiString& File) {
  Form->SetCaption(BaseName(File) + " - " + IntToStr(Cards->GetItems()->GetCount()) + " cards");
}

// Card: Edit all cards... runs the items editor on the cards; Apply and OK change them.
void AddCardMenu(TForm* Form, TOstrel* Cards, const AnsiString& File) {
  auto* Menu = new TMainMenu(Form);
  auto* CardMenu = new TMenuItem(Menu);
  CardMenu->SetCaption("&Card");
  Menu->GetItems()->Add(CardMenu);
  auto* EditAll = new TMenuItem(Menu);
  EditAll->SetCaption("&Edit all cards...");
  EditAll->SetOnClick([Form, Cards, File](TObject*) {
    const auto Dialog = std::make_unique<TOstrelItemsEditorForm>(nullptr);
    ExecuteItemsEditor(*Dialog, Cards->GetItems(), nullptr);
    ShowCardCount(Form, Cards, File);
  });
  CardMenu->Add(EditAll);
  Form->SetMenu(Menu);
}

bool SaveWidget(QWidget* Widget, const AnsiString& Path) {
  if (Widget->grab().save(QString::fromStdString(Path), "PNG")) return true;
  std::fprintf(stderr, "ostrel-demo: cannot write %s\n", Path.c_str());
  return false;
}

// The items editor on a copy of the cards, a card with lines and its first line selected.
bool SaveEditorScreenshot(TOstrel* Cards, const AnsiString& Path) {
  const auto Dialog = std::make_unique<TOstrelItemsEditorForm>(nullptr);
  Dialog->Table->GetItems()->Assign(Cards->GetItems());
  Dialog->Show();
  ControlWidget(Dialog.get())->activateWindow();
  Application->ProcessMessages();
  TOstrelItems* Copy = Dialog->Table->GetItems();
  for (int I = 0; I < Copy->GetCount(); ++I) {
    if (Copy->GetItemFromIndex(I)->GetSubItems()->GetCount() < 2) continue;
    Dialog->Table->SetSelected(Copy->GetItemFromIndex(I));
    Dialog->SubItemsListView->SetSelected(Dialog->SubItemsListView->GetItems()->GetItem(0));
    break;
  }
  Application->ProcessMessages();
  return SaveWidget(ControlWidget(Dialog.get()), Path);
}

}  // namespace

int main(int Argc, char** Argv) {
  TOptions Options;
  if (!ParseOptions(Argc, Argv, Options)) {
    std::fprintf(stderr, "usage: ostrel-demo [--screenshot PNG] [--editor-screenshot PNG] [FILE]\n");
    return 2;
  }
  Application->Initialize(Argc, Argv);
  TForm* Form = nullptr;
  Application->CreateForm(Form);
  Form->SetClientWidth(1000);
  Form->SetClientHeight(650);
  auto* Cards = new TOstrel(Form);
  Cards->SetParent(Form);
  Cards->SetAlign(alClient);
  // Wider cards than the control's default, so that phone numbers and addresses fit.
  Cards->SetColumnWidth(190);
  Cards->SetItemTextWidth(56);
  Cards->GetCaptionFont()->SetStyle(TFontStyles{fsBold});
  // A letter index bar at the left jumps to the cards of an initial, which needs them sorted.
  Cards->SetSorted(true);
  auto* Letters = new TOstrelButtonsBar(Form);
  Letters->SetParent(Form);
  Letters->SetAlign(alLeft);
  Letters->SetOstrel(Cards);
  // Resting on a card shows its hint, or else its lines in full: long addresses are cut
  // short on the card.
  Cards->SetItemsHints(true);
  Cards->SetOnItemHint([](TObject*, TOstrelItem* Item, AnsiString& Hint, int& MaxWidth, bool&) {
    if (!Hint.empty() || Item->GetSubItems()->GetCount() == 0) return;
    Hint = Item->GetText();
    for (int I = 0; I < Item->GetSubItems()->GetCount(); ++I) Hint += "\n" + Item->GetSubItems()->Get(I);
    MaxWidth = 360;
  });
  try {
    Cards->LoadFromFile(Options.File);
  } catch (const Exception& E) {
    // The message names the file, the reason and, for a damaged file, the byte offset.
    std::fprintf(stderr, "ostrel-demo: %s\n", E.Message().c_str());
    if (Options.Screenshot.empty() && Options.EditorScreenshot.empty())
      QMessageBox::critical(nullptr, "ostrel-demo", QString::fromStdString(E.Message()));
    Application->Finalize();
    return 1;
  }
  ShowCardCount(Form, Cards, Options.File);
  AddCardMenu(Form, Cards, Options.File);

  Form->Show();
  // A window manager would activate the new window; without one (Xvfb) ask for it, so that
  // the card view has the focus and shows the focus frame.
  ControlWidget(Form)->activateWindow();
  Application->ProcessMessages();
  Cards->SetFocus();
  SelectSampleCard(Cards);
  int Result = 0;
  if (Options.Screenshot.empty() && Options.EditorScreenshot.empty()) {
    Application->Run();
  } else {
    Application->ProcessMessages();
    if (!Options.Screenshot.empty() && !SaveWidget(ControlWidget(Form), Options.Screenshot)) Result = 1;
    if (!Options.EditorScreenshot.empty() && !SaveEditorScreenshot(Cards, Options.EditorScreenshot)) Result = 1;
  }
  Application->Finalize();
  return Result;
}
