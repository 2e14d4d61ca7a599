// The letter bar by keyboard: off by default, and with TabStop on, Tab reaches it, the arrow
// keys along the bar move the current button, Enter and Space press it as a click does.

#include "ButtonsBarFixture.h"
#include "OleAcc.h"

namespace cardview_test {
namespace {

class ButtonsBarKeyboardTest : public ButtonsBarTest {
protected:
  void SetUp() override {
    ButtonsBarTest::SetUp();
    for (const char* Name : {"Anna", "Fred", "Kate", "Zoe"}) AddCard(Name, 0);
  }

  // A fresh bar with the keyboard on, after the card view in the tab order, six buttons
  // (123 a-e f-j k-p q-u v-z) either way.
  void MakeBar(TOstrelBarAlignment Alignment, bool RightToLeft) {
    delete Bar;
    Form->SetBiDiMode(RightToLeft ? bdRightToLeft : bdLeftToRight);
    Bar = new TOstrelButtonsBar(Form);
    Bar->SetParent(Form);
    Bar->SetOstrel(View);
    Bar->SetBarAlignment(Alignment);
    Bar->SetTabStop(true);
    if (Alignment == baVertical) SetBarSize(60, 160);
    else SetBarSize(220, 30);
    ASSERT_EQ(Bar->GetButtonCount(), 6);
    RecordEvents();
    View->SetSelected(nullptr);
    Log.clear();
  }

  void Press(const std::vector<Word>& Keys) {
    for (Word Key : Keys) vcltest::PressKey(Key);
  }

  // The pixels along the left edge of the focus frame's place on button Index.
  std::vector<TColor> FocusEdge(int Index) {
    vcltest::ProcessMessages();
    const TRect R = Bar->GetButton(Index).Rect;
    std::vector<TColor> Pixels;
    for (int Y = R.Top + 2; Y < R.Bottom - 2; ++Y) Pixels.push_back(vcltest::PixelAt(Bar, R.Left + 2, Y));
    return Pixels;
  }
};

TEST_F(ButtonsBarKeyboardTest, KeysMoveTheCurrentButtonAlongTheBarAndPressIt) {
  struct TRow {
    TOstrelBarAlignment Alignment;
    std::vector<Word> Keys;
    int Current;
    std::vector<std::string> Log;
  };
  const TRow Rows[] = {
      {baVertical, {VK_DOWN, VK_DOWN, VK_RETURN}, 2, {"click 2 f-j", "select Fred"}},
      {baVertical, {VK_DOWN, VK_RIGHT, VK_LEFT, VK_SPACE}, 1, {"click 1 a-e", "select Anna"}},
      {baVertical, {VK_END, VK_UP, VK_RETURN}, 4, {"click 4 q-u", "select Zoe"}},
      {baVertical, {VK_UP, VK_END, VK_DOWN, VK_HOME}, 0, {}},  // no wrapping at either end
      {baVertical, {VK_RETURN}, 0, {"click 0 123", "select Anna"}},
      {baHorizontal, {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_SPACE}, 3, {"click 3 k-p", "select Kate"}},
      {baHorizontal, {VK_RIGHT, VK_DOWN, VK_UP, VK_RETURN}, 1, {"click 1 a-e", "select Anna"}},
      {baHorizontal, {VK_END, VK_LEFT, VK_LEFT, VK_RETURN, VK_RETURN}, 3, {"click 3 k-p", "select Kate", "click 3 k-p"}},
      {baHorizontal, {VK_LEFT}, 0, {}},
  };
  // Right to left changes nothing: the buttons stand in index order from the left there too.
  for (const bool RightToLeft : {false, true}) {
    for (const TRow& Row : Rows) {
      SCOPED_TRACE(testing::Message() << (Row.Alignment == baVertical ? "vertical" : "horizontal")
                                      << (RightToLeft ? " rtl" : "") << ", row " << (&Row - Rows));
      MakeBar(Row.Alignment, RightToLeft);
      ASSERT_EQ(Bar->GetButton(0).Caption, "123");
      EXPECT_LT(Bar->GetButton(0).Rect.Left + Bar->GetButton(0).Rect.Top,
                Bar->GetButton(1).Rect.Left + Bar->GetButton(1).Rect.Top);
      Bar->SetFocus();
      vcltest::ProcessMessages();
      ASSERT_TRUE(Bar->Focused());
      Press(Row.Keys);
      EXPECT_EQ(Bar->GetCurrentButton(), Row.Current);
      EXPECT_EQ(TakeLog(), Row.Log);
      EXPECT_TRUE(Bar->Focused()) << "the keys stay with the bar";
    }
  }
}

TEST_F(ButtonsBarKeyboardTest, ByDefaultTheBarIsNoTabStopAndIgnoresKeys) {
  EXPECT_FALSE(Bar->GetTabStop());
  SetBarSize(60, 160);
  RecordEvents();
  View->SetFocus();
  vcltest::PressKey(VK_TAB);
  EXPECT_TRUE(View->Focused()) << "Tab finds no other stop";
  // Even focused by the program, the bar does nothing with keys and shows no focus.
  const std::vector<TColor> Unfocused = FocusEdge(0);
  Bar->SetFocus();
  vcltest::ProcessMessages();
  Press({VK_RETURN, VK_SPACE, VK_END});
  EXPECT_EQ(TakeLog(), std::vector<std::string>{});
  EXPECT_EQ(FocusEdge(0), Unfocused);
  // The arrows stay the form's: they move the focus on to the card view.
  vcltest::PressKey(VK_DOWN);
  EXPECT_TRUE(View->Focused());
  EXPECT_EQ(Bar->GetCurrentButton(), 0);
  TAccObject Tools;
  ASSERT_TRUE(GetAccessibleObject(Bar->GetHandle(), Tools));
  for (const TAccObject& Button : Tools.Children) EXPECT_EQ(Button.State & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED), 0u);
}

TEST_F(ButtonsBarKeyboardTest, TabGoesFromTheCardsToTheBarAndBack) {
  MakeBar(baVertical, false);
  View->SetFocus();
  vcltest::ProcessMessages();
  vcltest::PressKey(VK_TAB);
  EXPECT_TRUE(Bar->Focused());
  vcltest::PressKey(VK_TAB);
  EXPECT_TRUE(View->Focused());
  vcltest::PressKey(VK_TAB, TShiftState{ssShift});
  EXPECT_TRUE(Bar->Focused());
}

TEST_F(ButtonsBarKeyboardTest, TheCurrentButtonShowsAFocusFrameWhileTheBarHasTheKeyboard) {
  MakeBar(baVertical, false);
  View->SetFocus();
  const std::vector<TColor> Plain0 = FocusEdge(0), Plain1 = FocusEdge(1);
  Bar->SetFocus();
  EXPECT_NE(FocusEdge(0), Plain0);
  EXPECT_EQ(FocusEdge(1), Plain1);
  vcltest::PressKey(VK_DOWN);
  EXPECT_EQ(FocusEdge(0), Plain0);
  EXPECT_NE(FocusEdge(1), Plain1);
  // A full repaint keeps it; leaving takes it away.
  Bar->Invalidate();
  EXPECT_NE(FocusEdge(1), Plain1);
  View->SetFocus();
  EXPECT_EQ(FocusEdge(1), Plain1);
}

TEST_F(ButtonsBarKeyboardTest, AClickMakesItsButtonTheCurrentOne) {
  MakeBar(baVertical, false);
  vcltest::Click(Bar, Centre(3).X, Centre(3).Y);
  EXPECT_EQ(Bar->GetCurrentButton(), 3);
  Bar->SetFocus();
  vcltest::PressKey(VK_UP);
  vcltest::PressKey(VK_RETURN);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"down", "up", "click 3 k-p", "select Kate", "click 2 f-j", "select Fred"}));
}

}  // namespace
}  // namespace cardview_test
