// The address book: a resizable window whose card view shows the contacts of a card file,
// a vCard file (.vcf) or a CSV file (.csv).
//   ostrel-demo [--rtl] [--screenshot PNG] [FILE]
// Without FILE it opens the bundled sample. --rtl lays the window out right to left. With
// --screenshot it renders the window once, writes the picture, prints the window's title
// and exits instead of staying open.

#include <QMessageBox>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <string>

#include "ContactCards.h"
#include "Csv.h"
#include "Forms.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"
#include "QtEmbedding.h"
#include "VCard.h"

using namespace vcl;
using namespace ostrel;

namespace {

struct TOptions {
  AnsiString File = OSTREL_SAMPLE_CONTACTS;
  AnsiString Screenshot;  // empty: stay open
  bool RightToLeft = false;
};

// False on a wrong command line.
bool ParseOptions(int Argc, char** Argv, TOptions& Options) {
  bool HaveFile = false;
  for (int I = 1; I < Argc; ++I) {
    const std::string Arg = Argv[I];
    if (Arg == "--screenshot" && I + 1 < Argc) {
      Options.Screenshot = Argv[++I];
    } else if (Arg == "--rtl") {
      Options.RightToLeft = true;
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

// A card file as it is; vCard and CSV files through their readers.
void LoadContacts(TOstrel* Cards, const AnsiString& FileName) {
  const cards::TContactFormat Format = cards::FormatOfFileName(FileName);
  if (Format == cards::TContactFormat::Cards) {
    Cards->LoadFromFile(FileName);
    return;
  }
  TFileStream File(FileName, fmOpenRead);
  std::string Text;
  char Block[65536];
  while (const long Got = File.Read(Block, sizeof Block)) Text.append(Block, static_cast<std::size_t>(Got));
  try {
    cards::AddContacts(*Cards->GetItems(), Format == cards::TContactFormat::VCard ? cards::ReadVCards(Text) : cards::ReadCsv(Text));
  } catch (const cards::EFormatError& E) {
    throw Exception(FileName + ": " + E.what());
  }
}

AnsiString CardCount(int Count) { return IntToStr(Count) + (Count == 1 ? " card" : " cards"); }

// A card of the first column but not the first one, so that the picture shows the
// selection colours beside ordinary caption bands.
void SelectSampleCard(TOstrel* Cards) {
  TOstrelItems* Items = Cards->GetItems();
  if (Items->GetCount() == 0) return;
  TOstrelItem* Item = Items->GetItemFromIndex(Items->GetCount() > 1 ? 1 : 0);
  Cards->SetSelected(Item);
  Cards->SetFocused(Item);
}

}  // namespace

int main(int Argc, char** Argv) {
  TOptions Options;
  if (!ParseOptions(Argc, Argv, Options)) {
    std::fprintf(stderr, "usage: ostrel-demo [--rtl] [--screenshot PNG] [FILE]\n");
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
  // A letter index bar at the left jumps to the cards of an initial, which needs them sorted,
  // and people expect names in the order of their language: "Åberg" after "Zetterlund" in
  // Swedish, beside "Aaron" in German.
  Cards->SetCustomSort(true);
  Cards->SetOnSortItems([](TObject*, TOstrelItem* Item1, TOstrelItem* Item2, int& Result) {
    Result = AnsiCompareText(Item1->GetText(), Item2->GetText());
    if (Result == 0) Result = AnsiCompareStr(Item1->GetText(), Item2->GetText());
  });
  Cards->SetSorted(true);
  // Typing the start of a name selects its card.
  Cards->SetTypeAhead(true);
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
    LoadContacts(Cards, Options.File);
  } catch (const Exception& E) {
    // The message names the file, the reason and, for a damaged file, the byte offset.
    std::fprintf(stderr, "ostrel-demo: %s\n", E.Message().c_str());
    if (Options.Screenshot.empty()) QMessageBox::critical(nullptr, "ostrel-demo", QString::fromStdString(E.Message()));
    Application->Finalize();
    return 1;
  }
  Form->SetCaption(BaseName(Options.File) + " - " + CardCount(Cards->GetItems()->GetCount()));
  if (Options.RightToLeft) Form->SetBiDiMode(bdRightToLeft);

  Form->Show();
  // A window manager would activate the new window; without one (Xvfb) ask for it, so that
  // the card view has the focus and shows the focus frame.
  ControlWidget(Form)->activateWindow();
  Application->ProcessMessages();
  Cards->SetFocus();
  SelectSampleCard(Cards);
  int Result = 0;
  if (Options.Screenshot.empty()) {
    Application->Run();
  } else {
    Application->ProcessMessages();
    if (!ControlWidget(Form)->grab().save(QString::fromStdString(Options.Screenshot), "PNG")) {
      std::fprintf(stderr, "ostrel-demo: cannot write %s\n", Options.Screenshot.c_str());
      Result = 1;
    }
    std::printf("%s\n", Form->GetCaption().c_str());
  }
  Application->Finalize();
  return Result;
}
