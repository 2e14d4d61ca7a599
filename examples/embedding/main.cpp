// A Qt program that keeps its own main window, menus and layout and places the card view
// and the letter bar in it, without a form of the component framework.
//   embedding-example [--screenshot PNG] [FILE.cards]
// With --screenshot it shows the window once, writes its picture and exits.

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <memory>

#include "Forms.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"
#include "QtEmbedding.h"

using namespace vcl;
using namespace ostrel;

namespace {

QString FromAnsi(const AnsiString& S) { return QString::fromUtf8(S.data(), static_cast<int>(S.size())); }

class TAddressBookWindow : public QMainWindow {
public:
  TAddressBookWindow() {
    setWindowTitle("Address book");
    // The controls belong to a component of their own rather than to a form; it frees them
    // while the Qt widgets that hold their windows still exist.
    FComponents = std::make_unique<TComponent>(nullptr);
    FCards = new TOstrel(FComponents.get());
    FCards->SetName("Cards");
    FCards->SetSorted(true);
    FCards->SetColumnWidth(190);
    FCards->SetItemTextWidth(56);
    FCards->GetCaptionFont()->SetStyle(TFontStyles{fsBold});
    FCards->SetOnChange([this](TObject*, TOstrelItem*) { ShowDetails(); });
    FLetters = new TOstrelButtonsBar(FComponents.get());
    FLetters->SetName("Letters");
    FLetters->SetOstrel(FCards);

    // Letter bar and cards side by side in a Qt layout; the details beside them in a splitter.
    auto* Splitter = new QSplitter(this);
    auto* CardsPane = new QWidget(Splitter);
    auto* Row = new QHBoxLayout(CardsPane);
    Row->setContentsMargins(0, 0, 0, 0);
    Row->setSpacing(2);
    FLettersWidget = EmbedInWidget(FLetters, CardsPane);
    FLettersWidget->setFixedWidth(44);
    Row->addWidget(FLettersWidget);
    Row->addWidget(EmbedInWidget(FCards, CardsPane), 1);
    FDetails = new QLabel(Splitter);
    FDetails->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    FDetails->setMargin(10);
    FDetails->setTextFormat(Qt::PlainText);
    FDetails->setMinimumWidth(180);
    Splitter->setStretchFactor(0, 1);
    setCentralWidget(Splitter);
    BuildMenus();
    resize(1000, 600);
  }

  // False, with a message box unless Quiet, when the file cannot be read.
  bool Open(const QString& FileName, bool Quiet) {
    try {
      FCards->LoadFromFile(FileName.toStdString());
    } catch (const Exception& E) {
      if (!Quiet) QMessageBox::warning(this, "Open", FromAnsi(E.Message()));
      return false;
    }
    statusBar()->showMessage(QString("%1: %2 cards").arg(FileName.section('/', -1)).arg(FCards->GetItems()->GetCount()));
    if (FCards->GetItems()->GetCount() > 0) FCards->SetSelected(FCards->GetItems()->GetItemFromIndex(0));
    ShowDetails();
    return true;
  }

  TOstrel* Cards() const { return FCards; }

private:
  void BuildMenus() {
    QMenu* File = menuBar()->addMenu("&File");
    File->addAction("&Open...", QKeySequence::Open, [this] {
      const QString Name = QFileDialog::getOpenFileName(this, "Open", {}, "Card files (*.cards);;All files (*)");
      if (!Name.isEmpty()) Open(Name, false);
    });
    File->addSeparator();
    File->addAction("&Quit", QKeySequence::Quit, this, &QWidget::close);

    QMenu* View = menuBar()->addMenu("&View");
    QAction* Letters = View->addAction("&Letter bar");
    Letters->setCheckable(true);
    Letters->setChecked(true);
    connect(Letters, &QAction::toggled, FLettersWidget, &QWidget::setVisible);
    QAction* Sorted = View->addAction("&Sorted by name");
    Sorted->setCheckable(true);
    Sorted->setChecked(true);
    connect(Sorted, &QAction::toggled, this, [this](bool On) { FCards->SetSorted(On); });

    menuBar()->addMenu("&Help")->addAction("&About", [this] {
      QMessageBox::about(this, "About", "A Qt main window that holds an Ostrel card view and letter bar.");
    });
  }

  void ShowDetails() {
    TOstrelItem* Card = FCards->GetSelected();
    if (!Card) {
      FDetails->setText("No card selected");
      return;
    }
    QString Text = FromAnsi(Card->GetText()) + "\n\n";
    for (int I = 0; I < Card->GetSubItems()->GetCount(); ++I) {
      const AnsiString Line = Card->GetSubItems()->Get(I);
      const auto Equals = Line.find('=');
      Text += Equals == AnsiString::npos ? FromAnsi(Line) + "\n"
                                         : FromAnsi(Line.substr(0, Equals)) + ": " + FromAnsi(Line.substr(Equals + 1)) + "\n";
    }
    FDetails->setText(Text);
  }

  std::unique_ptr<TComponent> FComponents;
  TOstrel* FCards = nullptr;
  TOstrelButtonsBar* FLetters = nullptr;
  QWidget* FLettersWidget = nullptr;
  QLabel* FDetails = nullptr;
};

}  // namespace

int main(int Argc, char** Argv) {
  QApplication App(Argc, Argv);
  // The framework takes the program's Qt application instead of making one.
  Application->Initialize(Argc, Argv);
  QString Screenshot;
  QString File;
#ifdef OSTREL_SAMPLE_CONTACTS
  File = OSTREL_SAMPLE_CONTACTS;
#endif
  const QStringList Args = App.arguments();
  for (int I = 1; I < Args.size(); ++I) {
    if (Args[I] == "--screenshot" && I + 1 < Args.size()) Screenshot = Args[++I];
    else File = Args[I];
  }
  int Result = 0;
  {
    TAddressBookWindow Window;
    if (!File.isEmpty() && !Window.Open(File, !Screenshot.isEmpty())) Result = 1;
    Window.show();
    Window.activateWindow();
    if (Screenshot.isEmpty()) {
      Result = App.exec();
    } else {
      Application->ProcessMessages();
      Window.Cards()->SetFocus();
      Application->ProcessMessages();
      if (Window.Cards()->GetItems()->GetCount() == 0 || !Window.grab().save(Screenshot, "PNG")) Result = 1;
    }
  }
  Application->Finalize();
  return Result;
}
