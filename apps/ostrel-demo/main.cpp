// The address book: a resizable window whose card view shows the contacts of a card file,
// a vCard file (.vcf) or a CSV file (.csv), with menus to open, edit and save them.
//   ostrel-demo [--rtl] [--first-paint-time] [--screenshot PNG] [--editor-screenshot PNG] [--progress-screenshot PNG] [FILE]
// Without FILE it opens the bundled sample. --rtl lays the window out right to left.
// --first-paint-time prints, once the card view has first been painted, how many
// milliseconds passed since the program started and since it began to open FILE. With
// --screenshot it renders the window once, writes the picture, prints the window's title
// and exits instead of staying open; --editor-screenshot does the same for the items editor
// opened on the cards (the menu's Card: Edit all cards...). --progress-screenshot writes a
// picture of the window while FILE is being read, once its progress shows.

#include <QEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "AddressBook.h"
#include "Forms.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"
#include "OstrelItemsEditing.h"
#include "QtEmbedding.h"

using namespace vcl;
using namespace ostrel;

namespace {

struct TOptions {
  AnsiString File = OSTREL_SAMPLE_CONTACTS;
  AnsiString Screenshot;        // empty: stay open
  AnsiString EditorScreenshot;  // empty: no picture of the items editor
  AnsiString ProgressScreenshot;  // empty: no picture of the progress of opening FILE
  bool RightToLeft = false;
  bool FirstPaintTime = false;
  bool StaysOpen() const { return Screenshot.empty() && EditorScreenshot.empty(); }
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
    } else if (Arg == "--progress-screenshot" && I + 1 < Argc) {
      Options.ProgressScreenshot = Argv[++I];
    } else if (Arg == "--rtl") {
      Options.RightToLeft = true;
    } else if (Arg == "--first-paint-time") {
      Options.FirstPaintTime = true;
    } else if (!Arg.empty() && Arg[0] != '-' && !HaveFile) {
      Options.File = Arg;
      HaveFile = true;
    } else {
      return false;
    }
  }
  return true;
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

using TClock = std::chrono::steady_clock;

// Prints the times to the first paint of a widget once that paint is over: the report is
// queued behind it, so that it counts the drawing as well.
class TFirstPaintTimer : public QObject {
public:
  TFirstPaintTimer(TClock::time_point Started, TClock::time_point Opening, AnsiString File)
      : FStarted(Started), FOpening(Opening), FFile(std::move(File)) {}

  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Paint && !FDone) {
      FDone = true;
      Watched->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] { Report(); });
    }
    return false;
  }

private:
  void Report() const {
    const TClock::time_point Now = TClock::now();
    auto Ms = [&](TClock::time_point From) { return std::chrono::duration<double, std::milli>(Now - From).count(); };
    std::printf("first paint: %.1f ms after start, %.1f ms after opening %s\n", Ms(FStarted), Ms(FOpening),
                FFile.c_str());
    std::fflush(stdout);
  }

  TClock::time_point FStarted;
  TClock::time_point FOpening;
  AnsiString FFile;
  bool FDone = false;
};

}  // namespace

int main(int Argc, char** Argv) {
  const TClock::time_point Started = TClock::now();
  TOptions Options;
  if (!ParseOptions(Argc, Argv, Options)) {
    std::fprintf(stderr,
                 "usage: ostrel-demo [--rtl] [--first-paint-time] [--screenshot PNG] [--editor-screenshot PNG] [--progress-screenshot PNG] [FILE]\n");
    return 2;
  }
  Application->Initialize(Argc, Argv);
  TForm* Form = nullptr;
  Application->CreateForm(Form);
  Form->SetClientWidth(1000);
  Form->SetClientHeight(650);
  // The window system's place: title bar on the screen, no larger than the screen leaves.
  Form->SetPosition(poDefault);
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
  // Each card's key is made once per sort, and keys compare as bytes: a million cards sort
  // in a fraction of the time that comparing their names in the language takes.
  Cards->SetOnItemSortKey([Keys = std::make_shared<TAnsiTextKeys>()](TObject*, TOstrelItem* Item, AnsiString& Key) {
    demo::AppendContactKey(*Keys, Item, Key);
  });
  Cards->SetSorted(true);
  // Typing the start of a name selects its card.
  Cards->SetTypeAhead(true);
  auto* Letters = new TOstrelButtonsBar(Form);
  Letters->SetParent(Form);
  Letters->SetAlign(alLeft);
  Letters->SetOstrel(Cards);
  // The letters by keyboard too: Tab goes from the cards to the letters and back.
  Letters->SetTabStop(true);
  Cards->SetAccessibleName("Cards");
  Letters->SetAccessibleName("Letters");
  // Resting on a card shows its hint, or else its lines in full: long addresses are cut
  // short on the card.
  Cards->SetItemsHints(true);
  Cards->SetOnItemHint([](TObject*, TOstrelItem* Item, AnsiString& Hint, int& MaxWidth, bool&) {
    if (!Hint.empty() || Item->GetSubItems()->GetCount() == 0) return;
    // The hint window shows a glance's worth of lines: a card of millions of lines gives
    // no more than that, plus one to tell the window that more follow.
    Hint = Item->GetText();
    const int Lines = std::min(Item->GetSubItems()->GetCount(), THintWindow::MaxHintLines);
    for (int I = 0; I < Lines; ++I) Hint += "\n" + Item->GetSubItems()->Get(I);
    MaxWidth = 360;
  });
  const auto Book = std::make_unique<demo::TAddressBook>(Form, Cards);
  if (Options.RightToLeft) Book->SetRightToLeft(true);
  // The window comes up at once and fills as the file is read.
  Form->Show();
  // A window manager would activate the new window; without one (Xvfb) ask for it, so that
  // the card view has the focus and shows the focus frame.
  ControlWidget(Form)->activateWindow();
  Application->ProcessMessages();
  Cards->SetFocus();
  if (!Options.ProgressScreenshot.empty()) {
    // Once, at the first step that shows the progress bar; a file read in a moment shows none.
    Book->GetWork().OnStep = [&Book, &Options, Form] {
      if (!Book->GetWork().ProgressBar->GetVisible()) return;
      Book->GetWork().OnStep = nullptr;
      Application->ProcessMessages();
      SaveWidget(ControlWidget(Form), Options.ProgressScreenshot);
    };
  }
  const TClock::time_point Opening = TClock::now();
  AnsiString Warnings;
  try {
    Warnings = Book->Load(Options.File);
  } catch (const demo::EWorkCancelled&) {
    // Closed (or cancelled) while the file was read: nothing to report.
    Application->Finalize();
    return 0;
  } catch (const Exception& E) {
    // The message names the file, the reason and, for a damaged file, the byte offset.
    std::fprintf(stderr, "ostrel-demo: %s\n", E.Message().c_str());
    if (Options.StaysOpen()) QMessageBox::critical(nullptr, "ostrel-demo", QString::fromStdString(E.Message()));
    Application->Finalize();
    return 1;
  }
  // The first paint that counts is the one of the file's cards, sorted: it follows the
  // load's last relayout.
  std::unique_ptr<TFirstPaintTimer> PaintTimer;
  if (Options.FirstPaintTime) {
    PaintTimer = std::make_unique<TFirstPaintTimer>(Started, Opening, Options.File);
    ControlWidget(Cards)->installEventFilter(PaintTimer.get());
    Cards->Invalidate();
  }
  SelectSampleCard(Cards);
  // What the reader changed or dropped: on the standard error, and once over the window.
  if (!Warnings.empty()) std::fprintf(stderr, "ostrel-demo: warning: %s\n", Warnings.c_str());
  int Result = 0;
  if (Options.StaysOpen()) {
    if (!Warnings.empty()) MessageDlg(Warnings, mtWarning, TMsgDlgButtons{mbOK}, 0);
    Application->Run();
  } else {
    Application->ProcessMessages();
    if (!Options.Screenshot.empty() && !SaveWidget(ControlWidget(Form), Options.Screenshot)) Result = 1;
    if (!Options.EditorScreenshot.empty() && !SaveEditorScreenshot(Cards, Options.EditorScreenshot)) Result = 1;
    std::printf("%s\n", Form->GetCaption().c_str());
  }
  Application->Finalize();
  return Result;
}
