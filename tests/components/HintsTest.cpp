// Item hints: the pause, the hide pause, and everything that stops or refuses a hint.

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <string>

#include "InteractionFixture.h"

namespace cardview_test {
namespace {

// Cards 0 to 3 lie wholly inside the view; the pointer rests on them only.
class HintsTest : public InteractionTest {
protected:
  void SetUp() override {
    InteractionTest::SetUp();
    SavedPause = Application->GetHintPause();
    SavedHidePause = Application->GetHintHidePause();
    Application->SetHintPause(30);
    Application->SetHintHidePause(150);
    View->SetItemsHints(true);
    for (int I = 0; I < 7; ++I) Card(I)->SetHint("hint " + std::to_string(I));
  }
  void TearDown() override {
    Application->SetHintPause(SavedPause);
    Application->SetHintHidePause(SavedHidePause);
    InteractionTest::TearDown();
  }
  // The card view's hint window on screen, if shown.
  static QWidget* ShownHint() {
    for (QWidget* W : QApplication::topLevelWidgets())
      if (W->isVisible() && (W->windowFlags() & Qt::ToolTip) == Qt::ToolTip) return W;
    return nullptr;
  }
  // The harness moves the platform's pointer too; the move that this queues is taken here,
  // so that it cannot arrive after what a test does next.
  void RestOn(int Index) {
    const TPoint P = LinePoint(Index, 0);
    vcltest::MouseMove(View, P.X, P.Y);
    vcltest::ProcessMessages();
  }
  bool ShowsWithin(int Ms) { return vcltest::RunUntil([] { return ShownHint() != nullptr; }, Ms); }
  int SavedPause = 0, SavedHidePause = 0;
};

TEST_F(HintsTest, ShowsAfterThePauseBelowThePointerAndHidesAfterTheHidePause) {
  RestOn(2);
  EXPECT_EQ(ShownHint(), nullptr) << "not before the pause";
  ASSERT_TRUE(ShowsWithin(1000));
  TPoint Pointer;
  GetCursorPos(Pointer);
  EXPECT_EQ(ShownHint()->geometry().top(), Pointer.Y + 32);
  EXPECT_EQ(ShownHint()->geometry().left(), Pointer.X);
  EXPECT_TRUE(vcltest::RunUntil([] { return ShownHint() == nullptr; }, 2000)) << "the hide pause ends it";
  RestOn(2);
  EXPECT_FALSE(ShowsWithin(150)) << "the same card offers its hint once per entry";
  RestOn(3);
  EXPECT_TRUE(ShowsWithin(1000)) << "another card does";
}

// A hint of 16 MiB on one line, or of 200,000 lines, once took gigabytes and a window past
// the X server's request size: the window shows a glance of it.
TEST_F(HintsTest, AHugeHintShowsABoundedWindow) {
  const std::string Line(16 << 20, 'x');
  const std::string Lines = [] {
    std::string Text;
    for (int I = 0; I < 200000; ++I) Text += "line " + std::to_string(I) + "\n";
    return Text;
  }();
  for (const std::string* Huge : {&Line, &Lines}) {
    SCOPED_TRACE(Huge->size());
    Card(2)->SetHint(*Huge);
    RestOn(2);
    ASSERT_TRUE(ShowsWithin(2000));
    EXPECT_LE(ShownHint()->width(), THintWindow::MaxHintExtent);
    EXPECT_LE(ShownHint()->height(), THintWindow::MaxHintExtent);
    RestOn(3);
    vcltest::RunUntil([] { return ShownHint() == nullptr; }, 2000);
  }
}

TEST(HintTextTest, ShownHintCutsLinesAndCharactersWhole) {
  const std::string Ellipsis = "\xE2\x80\xA6";
  EXPECT_EQ(THintWindow::ShownHint("a\nb\n"), "a\nb\n") << "within the bounds: whole";
  // A line past the bound ends at a character, never inside one.
  std::string Cyrillic;
  while (Cyrillic.size() < 2 * THintWindow::MaxHintLineBytes) Cyrillic += "\xD0\x96";
  const std::string Cut = THintWindow::ShownHint("x" + Cyrillic);
  static_assert(THintWindow::MaxHintLineBytes == 500);
  // Byte 500 falls inside the 250th two-byte letter: 249 letters stay.
  EXPECT_EQ(Cut, "x" + Cyrillic.substr(0, 2 * 249) + Ellipsis);
  // Lines past the bound become one line of "…".
  std::string Many;
  for (int I = 0; I < THintWindow::MaxHintLines + 5; ++I) Many += std::to_string(I) + "\n";
  const std::string Shown = THintWindow::ShownHint(Many);
  EXPECT_EQ(std::count(Shown.begin(), Shown.end(), '\n'), THintWindow::MaxHintLines);
  EXPECT_EQ(Shown.substr(Shown.size() - Ellipsis.size() - 1), "\n" + Ellipsis);
}

// Each row does something while a hint is pending; the hint then must not show.
TEST_F(HintsTest, WhatStopsAPendingHint) {
  struct TRow {
    const char* Name;
    std::function<void()> Act;
  };
  const TRow Rows[] = {
      {"leaving the control", [this] { vcltest::MouseMove(Form, 500, 400); }},
      {"a press", [this] { vcltest::MouseDown(View, 20, 190); vcltest::MouseUp(View, 20, 190); }},
      {"a key", [] { vcltest::PressKey(VK_HOME); }},
      {"moving off the cards", [this] { vcltest::MouseMove(View, 20, 190); }},
      {"an edit", [this] { Card(5)->EditSubItem(0); }},
      {"the card deleted", [this] { Card(2)->Delete(); }},
      {"the list cleared", [this] { View->GetItems()->Clear(); }},
      {"an empty hint", [this] { Card(2)->SetHint(""); }},
      {"ShowHint off", [this] { Card(2)->SetShowHint(false); }},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    RestOn(0);  // another card, so that card 2 is a new entry
    vcltest::RunUntil([] { return ShownHint() == nullptr; }, 2000);
    vcltest::MouseMove(View, 20, 190);
    RestOn(2);
    Row.Act();
    EXPECT_FALSE(ShowsWithin(150));
    View->HideItemEditor(false);
    if (View->GetItems()->GetCount() < 7) {
      View->GetItems()->Clear();
      for (int I = 0; I < 7; ++I) AddCard("Card " + std::to_string(I), 3)->SetHint("hint");
    }
    Card(2)->SetHint("hint 2");
    Card(2)->SetShowHint(true);
  }
}

TEST_F(HintsTest, OnItemHintRewritesAndTheSwitchesRefuse) {
  std::vector<std::string> Asked;
  View->SetOnItemHint([&](TObject*, TOstrelItem* Item, AnsiString& Hint, int& MaxWidth, bool& Show) {
    Asked.push_back(Hint);
    Hint = Item->GetIndex() == 3 ? "" : "rewritten";
    MaxWidth = 300;
    Show = Item->GetIndex() != 0;
  });
  Card(1)->SetHint("");
  Card(1)->SetShowHint(false);
  RestOn(1);
  ASSERT_TRUE(ShowsWithin(1000)) << "the handler may supply a text and switch the hint on";
  RestOn(3);
  EXPECT_FALSE(ShowsWithin(150)) << "an emptied text shows nothing";
  RestOn(0);
  EXPECT_FALSE(ShowsWithin(150)) << "Show false shows nothing";
  EXPECT_EQ(Asked, (std::vector<std::string>{"", "hint 3", "hint 0"}));
  View->SetMaxItemHintWidth(5);
  EXPECT_EQ(View->GetMaxItemHintWidth(), 20);
  View->SetItemsHints(false);
  RestOn(2);
  EXPECT_FALSE(ShowsWithin(150)) << "ItemsHints off";
}

TEST_F(HintsTest, NoHintForAFormThatIsNotActive) {
  auto Other = vcltest::MakeForm(100, 100);  // takes the activation
  ASSERT_FALSE(Form->GetActive());
  RestOn(2);
  EXPECT_FALSE(ShowsWithin(150));
}

TEST_F(HintsTest, AHandlerThatDeletesTheHintCard) {
  View->SetOnItemHint([this](TObject*, TOstrelItem* Item, AnsiString&, int&, bool&) { Item->Delete(); });
  RestOn(2);
  EXPECT_FALSE(ShowsWithin(150));
  EXPECT_EQ(View->GetItems()->GetCount(), 6);
}

}  // namespace
}  // namespace cardview_test
