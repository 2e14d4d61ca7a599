// Selection and focus by keys and mouse through Qt's event path, the cursor, and the wheel.
// The divider zone and drag are in DividerDragTest.cpp.

#include "InteractionFixture.h"

namespace cardview_test {
namespace {

using KeyboardTest = InteractionTest;
using MouseTest = InteractionTest;

// A key pressed with a start selection and focus (-1 for none) leaves these indexes and
// fires these events.
struct TKeyRow {
  const char* Name;
  int Selected, Focused;
  Word Key;
  int ExpectSelected, ExpectFocused;
  std::vector<std::string> Events;
  bool Refuse = false;
};

TEST_F(KeyboardTest, TheKeyTable) {
  const TKeyRow Rows[] = {
      {"down", 0, 0, VK_DOWN, 1, 1, {"changing 1", "change 1"}},
      {"up on the first, selected", 0, 0, VK_UP, 0, 0, {}},
      {"up on the first, unselected", -1, 0, VK_UP, 0, 0, {"changing 0", "change 0"}},
      {"down on the last", 6, 6, VK_DOWN, 6, 6, {}},
      {"down past a column's end", 1, 1, VK_DOWN, 2, 2, {"changing 2", "change 2"}},
      {"page down", 0, 0, VK_NEXT, 3, 3, {"changing 3", "change 3"}},
      {"page down near the end", 5, 5, VK_NEXT, 6, 6, {"changing 6", "change 6"}},
      {"page up near the start", 2, 2, VK_PRIOR, 0, 0, {"changing 0", "change 0"}},
      {"end", 0, 0, VK_END, 6, 6, {"changing 6", "change 6"}},
      {"home", 5, 5, VK_HOME, 0, 0, {"changing 0", "change 0"}},
      {"right: nearest top in the next column", 1, 1, VK_RIGHT, 3, 3, {"changing 3", "change 3"}},
      {"left", 4, 4, VK_LEFT, 2, 2, {"changing 2", "change 2"}},
      {"left in the first column", 1, 1, VK_LEFT, 1, 1, {}},
      {"right in the last column", 6, 6, VK_RIGHT, 6, 6, {}},
      {"focus moves apart from selection", 2, 5, VK_DOWN, 6, 6, {"changing 6", "change 6"}},
      {"enter does nothing", 2, 2, VK_RETURN, 2, 2, {}},
      {"refused: focus stays on the selected", 2, 2, VK_DOWN, 2, 2, {"changing 3"}, true},
      {"refused without selection: focus stays", -1, 4, VK_DOWN, -1, 4, {"changing 5"}, true},
  };
  for (const TKeyRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    RefuseChanges = false;
    View->SetSelected(Row.Selected < 0 ? nullptr : Card(Row.Selected));
    View->SetFocused(Card(Row.Focused));
    Events.clear();
    RefuseChanges = Row.Refuse;
    vcltest::PressKey(Row.Key);
    EXPECT_EQ(SelectedIndex(), Row.ExpectSelected);
    EXPECT_EQ(FocusedIndex(), Row.ExpectFocused);
    EXPECT_EQ(Events, Row.Events);
    EXPECT_EQ(Form->GetActiveControl(), View) << "arrows stay in the card view";
  }
}

TEST_F(KeyboardTest, ShiftStatesActLikeThePlainKeyAndAMissingFocusStartsAtTheFirstCard) {
  View->SetSelected(Card(0));
  vcltest::PressKey(VK_DOWN, TShiftState{ssShift});
  vcltest::PressKey(VK_DOWN, TShiftState{ssCtrl});
  EXPECT_EQ(SelectedIndex(), 2);
  View->SetFocused(nullptr);
  vcltest::PressKey(VK_NEXT);
  EXPECT_EQ(SelectedIndex(), 3) << "Page Down from an assumed first card";
}

TEST_F(KeyboardTest, AnEmptyListOnlyFiresOnKeyDown) {
  View->GetItems()->Clear();
  std::vector<Word> Keys;
  View->SetOnKeyDown([&](TObject*, Word& Key, TShiftState) { Keys.push_back(Key); });
  for (Word Key : {VK_DOWN, VK_END, VK_TAB, VK_ESCAPE}) vcltest::PressKey(Key);
  // Tab is the form's (it moves the focus); Escape without a cancel button reaches the view.
  EXPECT_EQ(Keys, (std::vector<Word>{VK_DOWN, VK_END, VK_ESCAPE}));
  EXPECT_TRUE(Events.empty());
}

TEST_F(KeyboardTest, AKeyDownHandlerMayRewriteTheKeyOrDestroyTheControl) {
  View->SetSelected(Card(0));
  View->SetOnKeyDown([](TObject*, Word& Key, TShiftState) {
    if (Key == VK_DOWN) Key = VK_END;
  });
  vcltest::PressKey(VK_DOWN);
  EXPECT_EQ(SelectedIndex(), 6);
  View->SetOnKeyDown([this](TObject*, Word&, TShiftState) {
    // The handler is part of the view: nothing of it may be read once the view is gone.
    auto* Test = this;
    delete View;
    Test->View = nullptr;
  });
  vcltest::PressKey(VK_UP);
  EXPECT_EQ(View, nullptr);
}

// Run under AddressSanitizer, these show that the key's move reads nothing of the view
// that a selection handler destroyed.
class KeyMoveTest : public InteractionTest {
protected:
  void DestroyView() {
    auto* Test = this;  // the handler that runs this goes with the view
    delete View;
    Test->View = nullptr;
  }
};

TEST_F(KeyMoveTest, OnChangingMayDestroyTheControl) {
  View->SetSelected(Card(0));
  View->SetOnChanging([this](TObject*, TOstrelItem*, bool&) { DestroyView(); });
  vcltest::PressKey(VK_DOWN);
  EXPECT_EQ(View, nullptr);
}

TEST_F(KeyMoveTest, OnChangeMayDestroyTheControl) {
  View->SetSelected(Card(0));
  View->SetOnChange([this](TObject*, TOstrelItem*) { DestroyView(); });
  vcltest::PressKey(VK_DOWN);
  EXPECT_EQ(View, nullptr);
}

TEST_F(MouseTest, APressSelectsAndFocusesTheCardUnderThePointer) {
  struct TRow {
    const char* Name;
    TMouseButton Button;
    bool RightClickSelect;
    int StartSelected;
    TPoint At;
    int ExpectSelected, ExpectFocused;
  };
  const TRow Rows[] = {
      {"left on card 3", mbLeft, true, -1, LinePoint(3, 0), 3, 3},
      {"left on empty space clears the selection, keeps the focus", mbLeft, true, 3, TPoint{20, 190}, -1, 0},
      {"right selects", mbRight, true, -1, LinePoint(2, 1), 2, 2},
      {"right without RightClickSelect refocuses the selected", mbRight, false, 2, LinePoint(1, 0), 2, 2},
      {"middle refocuses the selected", mbMiddle, true, 2, LinePoint(1, 0), 2, 2},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    View->SetRightClickSelect(Row.RightClickSelect);
    View->SetSelected(Row.StartSelected < 0 ? nullptr : Card(Row.StartSelected));
    View->SetFocused(Card(0));
    vcltest::MouseDown(View, Row.At.X, Row.At.Y, Row.Button);
    vcltest::MouseUp(View, Row.At.X, Row.At.Y, Row.Button);
    View->HideItemEditor(false);
    EXPECT_EQ(SelectedIndex(), Row.ExpectSelected);
    EXPECT_EQ(FocusedIndex(), Row.ExpectFocused);
    EXPECT_TRUE(View->Focused());
  }
}

TEST_F(MouseTest, ADoubleClickSecondPressChangesNothing) {
  vcltest::Click(View, LinePoint(2, 0).X, 10);  // on the caption: no editor
  Events.clear();
  vcltest::DoubleClick(View, LinePoint(3, 0).X, LinePoint(3, 0).Y - 20);
  // The first press of the pair selects card 3; the second, carrying ssDouble, does not.
  EXPECT_EQ(Events, (std::vector<std::string>{"changing 3", "change 3"}));
}

TEST_F(MouseTest, TheWheelScrollsHalfAPitchPerNotchAndStoresAnOpenEdit) {
  ASSERT_TRUE(Card(0)->EditSubItem(0));
  View->GetEditor()->SetText("7");
  vcltest::Wheel(View, 50, 50, -120);
  EXPECT_EQ(View->GetHScrollPos(), 56);
  EXPECT_EQ(View->GetEditor(), nullptr);
  EXPECT_EQ(Card(0)->GetSubItems()->Get(0), "Line0=7") << "scrolling stores the edit";
  vcltest::Wheel(View, 50, 50, 60);  // half a notch back: a quarter pitch
  EXPECT_EQ(View->GetHScrollPos(), 28);
  vcltest::Wheel(View, 50, 50, 0, -120);  // a sideways turn to the right: its 48 pixels
  EXPECT_EQ(View->GetHScrollPos(), 76);
  int Seen = 0;
  View->SetOnMouseWheel([&](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = ++Seen > 0; });
  vcltest::Wheel(View, 50, 50, -120);
  EXPECT_EQ(View->GetHScrollPos(), 76) << "OnMouseWheel took it";
  EXPECT_EQ(Seen, 1);
}

}  // namespace
}  // namespace cardview_test
