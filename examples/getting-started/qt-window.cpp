// A card view inside a Qt window of one's own: the program keeps QApplication and
// QMainWindow, and the framework only supplies the control.
//   getting-started-qt-window [--check]
// With --check it shows the window once, checks that the card is laid out and exits.

#include <QApplication>
#include <QMainWindow>
#include <cstdio>
#include <cstring>
#include <memory>

#include "Forms.h"
#include "Ostrel.h"
#include "QtEmbedding.h"

using namespace vcl;
using namespace ostrel;

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  Application->Initialize(argc, argv);  // takes the program's QApplication
  int Result = 0;
  {
    QMainWindow Window;
    // The controls belong to a component of their own, declared after the window so that
    // it frees them while the widget that holds their window still exists.
    auto Owner = std::make_unique<TComponent>(nullptr);
    auto* Cards = new TOstrel(Owner.get());
    Cards->SetColumnWidth(180);
    TOstrelItem* Card = Cards->GetItems()->Add("Ada Lovelace");
    Card->GetSubItems()->Add("Phone=555-0100");
    Card->GetSubItems()->Add("Mail=ada@example.org");
    Card->Update();  // the card has new lines: lay it out again
    Window.setCentralWidget(EmbedInWidget(Cards, &Window));
    Window.resize(480, 320);
    Window.show();

    if (argc > 1 && std::strcmp(argv[1], "--check") == 0) {
      Application->ProcessMessages();
      const TRect Shown = Card->GetClientRect();
      const bool LaidOut = Cards->GetColumnCount() == 1 && Shown.Bottom - Shown.Top == 16 + 2 * 16 &&
                           Cards->GetItemAt(Shown.Left + 1, Shown.Top + 1) == Card;
      std::printf("%s\n", LaidOut ? "the card is laid out in the Qt window" : "the card is not laid out");
      Result = LaidOut ? 0 : 1;
    } else {
      Result = App.exec();
    }
  }
  Application->Finalize();
  return Result;
}
