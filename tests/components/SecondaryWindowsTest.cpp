// The windows a form opens on top of itself (the card hint, a popup menu, a modal form) and
// the in-place editor: each must be placed against the window it belongs to. A window
// system without global positions (Wayland) places a top-level window only relative to its
// transient parent, so that parent and the position relative to it are what is checked.
// tests/wayland runs these cases under a Wayland compositor as well, and finds each line
// "wayland-expect: REQUEST" that they print among the requests the compositor received.

#include <QApplication>
#include <cstdio>
#include <QCursor>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtTest/QTest>

#include "Dialogs.h"
#include "InteractionFixture.h"
#include "PopupWatch.h"
#include "Menus.h"
#include "ModalWatch.h"
#include "QtEmbedding.h"

namespace cardview_test {
namespace {

class SecondaryWindowsTest : public InteractionTest {
protected:
  QWindow* FormWindow() const { return ControlWidget(Form)->windowHandle(); }

  // Where Child lies relative to its transient parent, in the coordinates the window system
  // is told about.
  static QPoint RelativeToParent(const QWindow* Child) {
    return Child->geometry().topLeft() - Child->transientParent()->geometry().topLeft();
  }

  // Moves the pointer over Control's client point through the platform's input path, the
  // one that tells a Wayland client where the pointer is; where the platform's pointer can
  // be set (X11, offscreen) it is set there too, afterwards: Qt drops a move to where the
  // pointer already is. Answers the point in the form's window.
  QPoint MovePointer(TControl* Control, const TPoint& Client) {
    const TPoint Screen = Control->ClientToScreen(Client);
    const QPoint Global(Screen.X, Screen.Y);
    const QPoint Local = FormWindow()->mapFromGlobal(Global);
    QTest::mouseMove(FormWindow(), Local);
    if (QGuiApplication::platformName() != "wayland") QCursor::setPos(Global);
    vcltest::ProcessMessages();
    return Local;
  }

  static QWidget* ShownHint() {
    for (QWidget* W : QApplication::topLevelWidgets())
      if (W->isVisible() && W->windowType() == Qt::ToolTip) return W;
    return nullptr;
  }
};

TEST_F(SecondaryWindowsTest, AHintWindowIsPlacedAgainstTheFormOfItsControl) {
  THintWindow Hint(View);
  const TPoint At = View->ClientToScreen(LinePoint(2, 0));
  TRect R = Hint.CalcHintRect(200, "hint", nullptr);
  OffsetRect(R, At.X, At.Y + 32);
  Hint.ActivateHint(R, "hint");
  const QWindow* Window = ControlWidget(&Hint)->windowHandle();
  ASSERT_NE(Window, nullptr);
  ASSERT_EQ(Window->transientParent(), FormWindow());
  const QPoint Relative = RelativeToParent(Window);
  EXPECT_EQ(Relative, FormWindow()->mapFromGlobal(QPoint(At.X, At.Y + 32)));
  // Under Wayland the hint becomes a popup anchored there, past the form's decoration.
  const QMargins Frame = FormWindow()->frameMargins();
  std::printf("wayland-expect: set_anchor_rect(%d, %d, 1, 1)\n", Relative.x() + Frame.left(), Relative.y() + Frame.top());
  Hint.ReleaseHandle();
}

// A hint needs an active form; a compositor without a seat activates none.
TEST_F(SecondaryWindowsTest, TheCardHintGoesBelowWhereTheInputPutThePointer) {
  const int SavedPause = Application->GetHintPause();
  Application->SetHintPause(10);
  View->SetItemsHints(true);
  Card(2)->SetHint("hint 2");
  const QPoint Pointer = MovePointer(View, LinePoint(2, 0));
  TPoint Cursor;
  GetCursorPos(Cursor);
  EXPECT_EQ(QPoint(Cursor.X, Cursor.Y), FormWindow()->mapToGlobal(Pointer));
  if (!Form->GetActive()) {
    Application->SetHintPause(SavedPause);
    GTEST_SKIP() << "no form is active here";
  }
  const bool Shown = vcltest::RunUntil([] { return ShownHint() != nullptr; }, 2000);
  Application->SetHintPause(SavedPause);
  ASSERT_TRUE(Shown);
  const QWindow* Hint = ShownHint()->windowHandle();
  ASSERT_NE(Hint, nullptr);
  ASSERT_EQ(Hint->transientParent(), FormWindow());
  EXPECT_EQ(RelativeToParent(Hint), Pointer + QPoint(0, 32));
  View->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(ShownHint(), nullptr);
}

TEST_F(SecondaryWindowsTest, APopupMenuIsPlacedAgainstItsFormAtThePoint) {
  TPopupMenu Menu(nullptr);
  auto* Item = new TMenuItem(&Menu);
  Item->SetCaption("Item");
  Menu.GetItems()->Add(Item);
  const TPoint At = View->ClientToScreen(LinePoint(2, 0));
  // The menu holds Popup until it closes: it is looked at from inside its loop.
  bool Seen = false;
  vcltest::TPopupWatch Watch;
  Watch.WhenShown([&](QMenu& Popup) {
    Seen = true;
    ASSERT_NE(Popup.windowHandle(), nullptr);
    const bool Owned = Popup.windowHandle()->transientParent() == FormWindow();
    EXPECT_TRUE(Owned);
    if (Owned) {
      EXPECT_EQ(RelativeToParent(Popup.windowHandle()), FormWindow()->mapFromGlobal(QPoint(At.X, At.Y)));
    }
    Popup.close();
  });
  Menu.Popup(At.X, At.Y);
  EXPECT_TRUE(Seen);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

class TOwnedDialog : public TForm {
public:
  using TForm::TForm;
};

// The dialog belongs to the form the user was working in (none is active under a compositor
// without a seat), and only while it interrupts it: shown later on its own, it is
// a window of its own again.
TEST_F(SecondaryWindowsTest, AModalFormIsPlacedOverTheFormItInterrupts) {
  if (!Form->GetActive()) GTEST_SKIP() << "no form is active here";
  TOwnedDialog Dialog(nullptr);
  Dialog.SetBounds(Form->GetLeft() + 40, Form->GetTop() + 30, 200, 100);
  const QWindow* Parent = nullptr;
  QPoint Relative;
  vcltest::TModalWatch<TOwnedDialog> Watch;
  Watch.WhenShown([&](TOwnedDialog& Shown) {
    const QWindow* Window = ControlWidget(&Shown)->windowHandle();
    Parent = Window->transientParent();
    if (Parent) Relative = Window->geometry().topLeft() - Parent->geometry().topLeft();
    Shown.SetModalResult(mrOk);
  });
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
  EXPECT_EQ(Watch.Steps, 1);
  EXPECT_EQ(Parent, FormWindow());
  EXPECT_EQ(Relative, QPoint(40, 30));
  Dialog.Show();
  EXPECT_EQ(ControlWidget(&Dialog)->windowHandle()->transientParent(), nullptr);
  Dialog.Hide();
}

// The standard dialogs belong to the form the user works in: the window system keeps them
// over it, and a compositor places them against it.
TEST_F(SecondaryWindowsTest, MessageBoxesAndFileDialogsBelongToTheActiveForm) {
  if (!Form->GetActive()) GTEST_SKIP() << "no form is active here";
  std::vector<const QWidget*> Parents;
  auto AnswerTheDialog = [&Parents] {
    QTimer::singleShot(0, [&Parents] {
      QWidget* Dialog = QApplication::activeModalWidget();
      Parents.push_back(Dialog ? Dialog->parentWidget() : nullptr);
      if (Dialog) Dialog->close();
    });
  };
  AnswerTheDialog();
  MessageDlg("Saved.", mtInformation, {mbOK}, 0);
  TOpenDialog Open(nullptr);
  AnswerTheDialog();
  EXPECT_FALSE(Open.Execute());
  const QWidget* FormTopLevel = ControlWidget(Form)->window();
  EXPECT_EQ(Parents, (std::vector<const QWidget*>{FormTopLevel, FormTopLevel}));
}

// A child widget of the card view, the editor goes wherever the form goes.
TEST_F(SecondaryWindowsTest, TheInPlaceEditorIsAChildOfTheCardViewAtItsLine) {
  ASSERT_TRUE(Card(2)->EditSubItem(1));
  ASSERT_NE(View->GetEditor(), nullptr);
  QWidget* Editor = ControlWidget(View->GetEditor());
  EXPECT_FALSE(Editor->isWindow());
  EXPECT_EQ(Editor->window(), ControlWidget(Form));
  const TRect Line = Card(2)->GetSubItemEditRect(1);
  const QRect InView(Editor->mapTo(ControlWidget(View), QPoint(0, 0)), Editor->size());
  EXPECT_TRUE(InView.contains(QPoint((Line.Left + Line.Right) / 2, (Line.Top + Line.Bottom) / 2)));
  View->HideItemEditor(true);
}

}  // namespace
}  // namespace cardview_test
