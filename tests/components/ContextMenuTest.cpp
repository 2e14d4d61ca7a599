// The card view's context menu asked for from the keyboard (the menu key, Shift+F10) opens
// at the selected card, kept inside the view, and at the view's corner without one; a
// right click opens it at the pointer.

#include <QApplication>
#include <QKeyEvent>

#include "InteractionFixture.h"
#include "Menus.h"
#include "PopupWatch.h"

namespace cardview_test {
namespace {

class ContextMenuTest : public InteractionTest {
protected:
  void SetUp() override {
    InteractionTest::SetUp();
    Menu = new TPopupMenu(Form);
    auto* Item = new TMenuItem(Menu);
    Item->SetCaption("&Open");
    Menu->GetItems()->Add(Item);
    View->SetPopupMenu(Menu);
  }
  void TearDown() override {
    Watch.StopWatching();
    InteractionTest::TearDown();
  }
  // Where the menu opened, in the view's client coordinates; (-1000, -1000) when it did not.
  TPoint OpenedBy(const std::function<void()>& Input) {
    QPoint At(-1000, -1000);
    Watch.WhenShown([&At](QMenu& Shown) { At = Shown.pos(); });
    Input();
    vcltest::ProcessMessages();
    if (Watch.Steps == 0) return TPoint{-1000, -1000};
    return View->ScreenToClient(TPoint{At.x(), At.y()});
  }
  static void MenuKey() {
    QWidget* Target = QApplication::focusWidget();
    ASSERT_NE(Target, nullptr);
    for (QEvent::Type Type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent Key(Type, Qt::Key_Menu, Qt::NoModifier);
      QApplication::sendEvent(Target, &Key);
    }
  }

  TPopupMenu* Menu = nullptr;
  vcltest::TPopupWatch Watch;
};

TEST_F(ContextMenuTest, TheKeyboardOpensTheMenuAtTheSelectedCardOrAtTheCornerWithoutOne) {
  struct TRow {
    const char* Name;
    int Selected;  // -1: none
    bool ShiftF10;
  };
  const TRow Rows[] = {
      {"menu key, no card", -1, false},
      {"menu key, first card", 0, false},
      {"menu key, a card in the second column", 3, false},
      {"Shift+F10, a card in the third column", 4, false},
      {"Shift+F10, no card", -1, true},
      {"Shift+F10, second card", 1, true},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    View->SetSelected(Row.Selected < 0 ? nullptr : Card(Row.Selected));
    View->SetFocus();
    const TPoint At = OpenedBy([&Row] {
      if (Row.ShiftF10) vcltest::PressKey(VK_F10, {ssShift});
      else MenuKey();
    });
    if (Row.Selected < 0) {
      EXPECT_EQ(At, (TPoint{0, 0})) << "the view's corner";
      continue;
    }
    const TRect CardRect = View->GetItemClientRect(Card(Row.Selected));
    EXPECT_EQ(At, (TPoint{CardRect.Left + 4, CardRect.Top + 4})) << "over the card's top left corner";
  }
}

TEST_F(ContextMenuTest, ACardPartlyOutOfTheViewGetsTheMenuAtTheViewsEdge) {
  // Card 6 starts in the fourth column, beyond the 300 pixels the view shows at the start.
  View->SetSelected(Card(6));
  View->SetHScrollPosition(0);
  const TRect CardRect = View->GetItemClientRect(Card(6));
  ASSERT_GE(CardRect.Left, View->GetClientWidth()) << "the card lies beyond the right edge";
  const TPoint At = OpenedBy([] { MenuKey(); });
  EXPECT_EQ(At, (TPoint{View->GetClientWidth() - 1, CardRect.Top + 4}));
}

TEST_F(ContextMenuTest, ARightClickOpensTheMenuAtThePointer) {
  View->SetSelected(Card(0));
  const TPoint Point = LinePoint(3, 1);
  const TPoint At = OpenedBy([Point, this] { vcltest::Click(View, Point.X, Point.Y, mbRight); });
  EXPECT_EQ(At, Point);
}

}  // namespace
}  // namespace cardview_test
