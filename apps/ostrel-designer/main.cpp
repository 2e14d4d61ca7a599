// The form designer:
//   ostrel-designer [--screenshot PNG] [FILE]
// opens FILE (a form file) or a new form. With --screenshot it builds a small sample form
// instead (a letter bar and a card view with a few cards), selects the card view, opens its
// context menu, writes a picture of the screen around the window, prints the window's title
// and exits.

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <string>

#include "DesignerForm.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"
#include "QtEmbedding.h"

using namespace vcl;
using namespace designer;

namespace {

struct TOptions {
  AnsiString File;
  AnsiString Screenshot;  // empty: stay open
};

bool ParseOptions(int Argc, char** Argv, TOptions& Options) {
  for (int I = 1; I < Argc; ++I) {
    const std::string Arg = Argv[I];
    if (Arg == "--screenshot" && I + 1 < Argc) {
      Options.Screenshot = Argv[++I];
    } else if (!Arg.empty() && Arg[0] != '-' && Options.File.empty()) {
      Options.File = Arg;
    } else {
      return false;
    }
  }
  return true;
}

void BuildSampleForm(TDesignerForm& Window) {
  TFormDesigner& Designer = Window.Designer();
  TForm* Form = Designer.GetForm();
  auto* Bar = static_cast<TControl*>(Designer.DropComponent(ostrel::TOstrelButtonsBar::StaticClassInfo(), Form, 8, 8));
  Bar->SetHeight(300);
  auto* Cards = static_cast<ostrel::TOstrel*>(Designer.DropComponent(ostrel::TOstrel::StaticClassInfo(), Form, 48, 8));
  Cards->SetBounds(48, 8, 400, 300);
  const char* const Names[] = {"Ada Lovelace", "Alan Turing", "Grace Hopper", "Edsger Dijkstra", "Barbara Liskov"};
  for (const char* Name : Names) {
    ostrel::TOstrelItem* Item = Cards->GetItems()->Add(Name);
    Item->GetSubItems()->Add("Phone=+44 20 7946 0000");
    Item->GetSubItems()->Add("City=London");
  }
  Designer.Modified();
  Designer.Select(Cards);
  Window.Inspector().ChooseRow("Items");
}

// The screen around the window, with the context menu that pops up over it.
bool SaveScreen(TDesignerForm& Window, const AnsiString& Path) {
  QWidget* Widget = ControlWidget(&Window);
  const QPixmap Screen = QGuiApplication::primaryScreen()->grabWindow(0);
  // Wayland lets no program read the screen: there the picture is the window alone.
  const QPixmap Shot = Screen.isNull() ? Widget->grab() : Screen.copy(Widget->frameGeometry());
  if (Shot.save(QString::fromStdString(Path), "PNG")) return true;
  std::fprintf(stderr, "ostrel-designer: cannot write %s\n", Path.c_str());
  return false;
}

}  // namespace

int main(int Argc, char** Argv) {
  TOptions Options;
  if (!ParseOptions(Argc, Argv, Options)) {
    std::fprintf(stderr, "usage: ostrel-designer [--screenshot PNG] [FILE]\n");
    return 2;
  }
  Application->Initialize(Argc, Argv);
  TDesignerForm* Window = nullptr;
  Application->CreateForm(Window);
  // The window system's place: title bar on the screen, no larger than the screen leaves.
  Window->SetPosition(poDefault);
  if (!Options.File.empty()) Window->Files().OpenFile(Options.File);
  if (Options.Screenshot.empty()) {
    Application->Run();
    return 0;
  }
  BuildSampleForm(*Window);
  Window->Show();
  ControlWidget(Window)->activateWindow();
  Application->ProcessMessages();
  auto* Cards = static_cast<TControl*>(Window->Designer().GetSelection());
  const TPoint MenuAt = Cards->ClientToScreen(TPoint{Cards->GetWidth() / 2, 60});
  // The menu holds this call until it closes: the picture is taken from inside its loop,
  // once it has shown, and then the menu is closed as Escape would.
  int Result = 1;
  QTimer::singleShot(300, [&] {
    Result = SaveScreen(*Window, Options.Screenshot) ? 0 : 1;
    if (QWidget* Menu = QApplication::activePopupWidget()) Menu->close();
  });
  Window->Designer().ShowContextMenu(MenuAt.X, MenuAt.Y);
  std::printf("%s\n", Window->GetCaption().c_str());
  Application->Finalize();
  return Result;
}
