// What the card view and the letter bar tell assistive technology: their descriptions
// (WM_GETOBJECT) as the framework sees them, and the Qt accessibility objects the backend
// makes of them.

#include <QAccessible>
#include <QWidget>

#include "ButtonsBarFixture.h"
#include "OleAcc.h"
#include "QtEmbedding.h"

namespace cardview_test {
namespace {

TAccObject Describe(TWinControl* Control) {
  TAccObject Object;
  EXPECT_TRUE(GetAccessibleObject(Control->GetHandle(), Object));
  return Object;
}

std::vector<std::string> Names(const TAccObject& Object) {
  std::vector<std::string> Result;
  for (const TAccObject& Child : Object.Children) Result.push_back(Child.Name);
  return Result;
}

class AccessibilityTest : public CardViewTest {
protected:
  // Two cards: one with a named line, a plain line and a named line without a value.
  void AddContacts() {
    SetClientSize(400, 200);
    TOstrelItem* Adams = View->GetItems()->Add("Adams");
    for (const char* Line : {"Phone=555-0101", "call after six", "Mail="}) Adams->GetSubItems()->Add(Line);
    Adams->Update();
    View->GetItems()->Add("Baker");
    vcltest::ProcessMessages();
  }
};

TEST_F(AccessibilityTest, CardsAreListItemsWithTheirLinesAsLabels) {
  View->SetName("Cards");
  AddContacts();
  const TAccObject List = Describe(View);
  EXPECT_EQ(List.Role, ROLE_SYSTEM_LIST);
  EXPECT_EQ(List.Name, "Cards");
  ASSERT_EQ(Names(List), (std::vector<std::string>{"Adams", "Baker"}));
  for (const TAccObject& Card : List.Children) EXPECT_EQ(Card.Role, ROLE_SYSTEM_LISTITEM);
  const TAccObject& Adams = List.Children[0];
  EXPECT_EQ(Names(Adams), (std::vector<std::string>{"Phone: 555-0101", "call after six", "Mail: "}));
  for (const TAccObject& Line : Adams.Children) EXPECT_EQ(Line.Role, ROLE_SYSTEM_STATICTEXT);
  EXPECT_TRUE(List.Children[1].Children.empty());
  // Places are the card's and the lines' own, in client pixels.
  EXPECT_EQ(Adams.Bounds, View->GetItemClientRect(Card(0)));
  EXPECT_EQ(Adams.Children[1].Bounds, Card(0)->GetSubItemRect(1));
}

TEST_F(AccessibilityTest, StatesFollowSelectionAndTheKeyboard) {
  AddContacts();
  auto StateOf = [&](int Index) { return Describe(View).Children[static_cast<std::size_t>(Index)].State; };
  EXPECT_EQ(StateOf(0) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED), 0u);
  EXPECT_EQ(StateOf(0) & (STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE), STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE);
  View->SetSelected(Card(0));
  View->SetFocused(Card(0));
  // The focused card is focused for a screen reader only while the view has the keyboard.
  EXPECT_EQ(StateOf(0) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED), STATE_SYSTEM_SELECTED);
  View->SetFocus();
  vcltest::ProcessMessages();
  EXPECT_EQ(StateOf(0) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED), STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
  vcltest::PressKey(VK_DOWN);
  EXPECT_EQ(StateOf(0) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED), 0u);
  EXPECT_EQ(StateOf(1) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED), STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
}

TEST_F(AccessibilityTest, CardsOutsideTheClientAreaAreOffscreen) {
  SetClientSize(300, 200);
  View->SetColumnWidth(140);
  for (int I = 0; I < 9; ++I) AddCard("Card " + std::to_string(I), 3);
  // Offscreen exactly where the card's rectangle misses the client area.
  auto Check = [&] {
    const TAccObject List = Describe(View);
    int Offscreen = 0;
    for (int I = 0; I < 9; ++I) {
      TRect Common;
      const bool Shown = IntersectRect(Common, View->GetItemClientRect(Card(I)), View->GetClientRect());
      const unsigned State = List.Children[static_cast<std::size_t>(I)].State;
      EXPECT_EQ((State & STATE_SYSTEM_OFFSCREEN) == 0, Shown) << "card " << I;
      for (const TAccObject& Line : List.Children[static_cast<std::size_t>(I)].Children) {
        if (!Shown) {
          EXPECT_NE(Line.State & STATE_SYSTEM_OFFSCREEN, 0u) << "a line of card " << I;
        }
      }
      Offscreen += Shown ? 0 : 1;
    }
    return Offscreen;
  };
  const int Before = Check();
  EXPECT_GT(Before, 0);
  EXPECT_LT(Before, 9);
  EXPECT_EQ(Describe(View).Children.front().State & STATE_SYSTEM_OFFSCREEN, 0u);
  Scroll(SB_RIGHT);
  const int After = Check();
  EXPECT_GT(After, 0);
  EXPECT_NE(Describe(View).Children.front().State & STATE_SYSTEM_OFFSCREEN, 0u);
}

TEST_F(AccessibilityTest, TheOpenEditorIsAWindowChildOfTheList) {
  AddContacts();
  ASSERT_TRUE(View->EditSubItem(Card(0), 0));
  TAccObject List = Describe(View);
  ASSERT_EQ(List.Children.size(), 3u);
  EXPECT_EQ(List.Children.back().Window, View->GetEditor()->GetHandle());
  View->HideItemEditor(false);
  List = Describe(View);
  EXPECT_EQ(List.Children.size(), 2u);
  EXPECT_EQ(List.Children.back().Window, nullptr);
}

TEST_F(AccessibilityTest, OnlyTheClientAreaIsDescribedAndPlainControlsDescribeNothing) {
  AddContacts();
  TAccObject Object;
  EXPECT_EQ(View->Perform(WM_GETOBJECT, reinterpret_cast<WPARAM>(&Object), -1 /* the window's frame */), 0);
  EXPECT_TRUE(Object.Children.empty());
  EXPECT_EQ(View->Perform(WM_GETOBJECT, 0, OBJID_CLIENT), 0);  // nowhere to describe it to
  TAccObject FormObject;
  EXPECT_FALSE(GetAccessibleObject(Form->GetHandle(), FormObject));
}

class ButtonsBarAccessibilityTest : public ButtonsBarTest {};

TEST_F(ButtonsBarAccessibilityTest, ButtonsAreNamedAfterTheirLettersAndShowTheirPress) {
  Bar->SetName("Letters");
  SetBarSize(40, 700);
  const TAccObject Tools = Describe(Bar);
  EXPECT_EQ(Tools.Role, ROLE_SYSTEM_TOOLBAR);
  EXPECT_EQ(Tools.Name, "Letters");
  EXPECT_EQ(Names(Tools), Captions());
  EXPECT_EQ(Names(Tools).front(), "123");
  ASSERT_EQ(static_cast<int>(Tools.Children.size()), Bar->GetButtonCount());
  for (int I = 0; I < Bar->GetButtonCount(); ++I) {
    EXPECT_EQ(Tools.Children[static_cast<std::size_t>(I)].Role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Tools.Children[static_cast<std::size_t>(I)].Bounds, Rects()[static_cast<std::size_t>(I)]);
  }
  const TRect B = Bar->GetButton(2).Rect;
  vcltest::MouseDown(Bar, B.Left + 2, B.Top + 2);
  EXPECT_EQ(Describe(Bar).Children[2].State & STATE_SYSTEM_PRESSED, STATE_SYSTEM_PRESSED);
  EXPECT_EQ(Describe(Bar).Children[1].State & STATE_SYSTEM_PRESSED, 0u);
  vcltest::MouseUp(Bar, B.Left + 2, B.Top + 2);
  EXPECT_EQ(Describe(Bar).Children[2].State & STATE_SYSTEM_PRESSED, 0u);
}

// The backend's side: Qt's accessibility objects for the same windows.
TEST_F(AccessibilityTest, QtSeesTheDescriptionAndFollowsItsChanges) {
  AddContacts();
  QWidget* Widget = ControlWidget(View);
  QAccessibleInterface* List = QAccessible::queryAccessibleInterface(Widget);
  ASSERT_NE(List, nullptr);
  EXPECT_EQ(List->role(), QAccessible::List);
  ASSERT_EQ(List->childCount(), 2);
  QAccessibleInterface* Adams = List->child(0);
  ASSERT_NE(Adams, nullptr);
  EXPECT_EQ(List->child(0), Adams);  // the same object every time
  EXPECT_EQ(Adams->role(), QAccessible::ListItem);
  EXPECT_EQ(Adams->text(QAccessible::Name), "Adams");
  EXPECT_EQ(Adams->parent(), List);
  EXPECT_EQ(List->indexOfChild(List->child(1)), 1);
  ASSERT_EQ(Adams->childCount(), 3);
  EXPECT_EQ(Adams->child(0)->role(), QAccessible::StaticText);
  EXPECT_EQ(Adams->child(0)->text(QAccessible::Name), "Phone: 555-0101");
  EXPECT_EQ(Adams->child(0)->parent(), Adams);
  EXPECT_EQ(Adams->indexOfChild(Adams->child(2)), 2);
  const TRect Card = View->GetItemClientRect(this->Card(0));
  TPoint Origin{Card.Left, Card.Top};
  ClientToScreen(View->GetHandle(), Origin);
  EXPECT_EQ(Adams->rect(), QRect(Origin.X, Origin.Y, Card.Width(), Card.Height()));
  EXPECT_EQ(List->childAt(Origin.X + 1, Origin.Y + 1), Adams);

  View->SetFocus();
  View->SetSelected(this->Card(1));
  View->SetFocused(this->Card(1));
  vcltest::ProcessMessages();
  EXPECT_TRUE(List->child(1)->state().selected);
  EXPECT_FALSE(Adams->state().selected);
  EXPECT_EQ(List->focusChild(), List->child(1));

  // The open editor is the edit window's own object; an object whose card went is invalid.
  ASSERT_TRUE(View->EditSubItem(this->Card(0), 0));
  ASSERT_EQ(List->childCount(), 3);
  QAccessibleInterface* Editor = List->child(2);
  ASSERT_NE(Editor, nullptr);
  EXPECT_EQ(Editor->object(), ControlWidget(View->GetEditor()));
  EXPECT_EQ(Editor->role(), QAccessible::EditableText);
  EXPECT_EQ(List->indexOfChild(Editor), 2);
  View->HideItemEditor(false);
  QAccessibleInterface* Baker = List->child(1);
  View->GetItems()->Delete(this->Card(1));
  vcltest::ProcessMessages();
  EXPECT_EQ(List->childCount(), 1);
  EXPECT_FALSE(Baker->isValid());
  View->GetItems()->Add("Clarke");
  EXPECT_EQ(List->childCount(), 2);
  EXPECT_EQ(List->child(1)->text(QAccessible::Name), "Clarke");
}

TEST_F(ButtonsBarAccessibilityTest, QtSeesTheLetterButtonsAndPlainWindowsStayPlain) {
  SetBarSize(40, 700);
  QAccessibleInterface* Tools = QAccessible::queryAccessibleInterface(ControlWidget(Bar));
  ASSERT_NE(Tools, nullptr);
  EXPECT_EQ(Tools->role(), QAccessible::ToolBar);
  ASSERT_EQ(Tools->childCount(), Bar->GetButtonCount());
  EXPECT_EQ(Tools->child(0)->role(), QAccessible::Button);
  EXPECT_EQ(Tools->child(1)->text(QAccessible::Name), QString::fromStdString(Bar->GetButton(1).Caption));
  // A form describes nothing: Qt's own view of a window and its child widgets.
  QAccessibleInterface* Window = QAccessible::queryAccessibleInterface(ControlWidget(Form));
  ASSERT_NE(Window, nullptr);
  EXPECT_EQ(Window->role(), QAccessible::Window);
  EXPECT_GE(Window->indexOfChild(Tools), 0);
}

// What a screen reader can do: press a letter button, take a card, and land on the card
// that has the focus when the view takes the keyboard.
QAccessibleActionInterface* Actions(QAccessibleInterface* Object) {
  return Object ? Object->actionInterface() : nullptr;
}

TEST_F(ButtonsBarAccessibilityTest, AScreenReaderPressesAButtonAsAClickDoes) {
  SetBarSize(60, 160);
  AddCard("Anna", 0);
  AddCard("Fred", 0);
  RecordEvents();
  QAccessibleInterface* Tools = QAccessible::queryAccessibleInterface(ControlWidget(Bar));
  QAccessibleActionInterface* FJ = Actions(Tools->child(2));
  ASSERT_NE(FJ, nullptr);
  EXPECT_EQ(FJ->actionNames(), QStringList{QAccessibleActionInterface::pressAction()}) << "no focus without TabStop";
  FJ->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"click 2 f-j", "select Fred"}));
  EXPECT_FALSE(SelectAccessibleObject(Bar->GetHandle(), 3, SELFLAG_TAKEFOCUS));
  EXPECT_FALSE(Bar->Focused());
  // Out of range, and a disabled bar, do nothing.
  for (const long ChildId : {0L, 7L}) EXPECT_FALSE(DoDefaultAccessibleAction(Bar->GetHandle(), ChildId));
  Bar->SetEnabled(false);
  EXPECT_FALSE(DoDefaultAccessibleAction(Bar->GetHandle(), 2));
  EXPECT_EQ(TakeLog(), std::vector<std::string>{});
}

TEST_F(ButtonsBarAccessibilityTest, WithTheKeyboardOnTheButtonsTakeTheFocus) {
  SetBarSize(60, 160);
  Bar->SetTabStop(true);
  QAccessibleInterface* Tools = QAccessible::queryAccessibleInterface(ControlWidget(Bar));
  QAccessibleInterface* Third = Tools->child(3);
  EXPECT_TRUE(Third->state().focusable);
  EXPECT_FALSE(Third->state().focused);
  ASSERT_TRUE(Actions(Third)->actionNames().contains(QAccessibleActionInterface::setFocusAction()));
  Actions(Third)->doAction(QAccessibleActionInterface::setFocusAction());
  vcltest::ProcessMessages();
  EXPECT_TRUE(Bar->Focused());
  EXPECT_EQ(Bar->GetCurrentButton(), 3);
  EXPECT_TRUE(Third->state().focused);
  EXPECT_EQ(Tools->focusChild(), Third);
  vcltest::PressKey(VK_DOWN);
  EXPECT_FALSE(Third->state().focused);
  EXPECT_EQ(Tools->focusChild(), Tools->child(4));
  View->SetFocus();
  vcltest::ProcessMessages();
  EXPECT_EQ(Tools->focusChild(), nullptr);
}

TEST_F(AccessibilityTest, ACardsDefaultActionSelectsItAndTakesTheKeyboard) {
  AddContacts();
  QAccessibleInterface* List = QAccessible::queryAccessibleInterface(ControlWidget(View));
  QAccessibleActionInterface* Baker = Actions(List->child(1));
  ASSERT_NE(Baker, nullptr);
  EXPECT_EQ(Baker->actionNames(), (QStringList{"Select", QAccessibleActionInterface::setFocusAction()}));
  Baker->doAction("Select");
  vcltest::ProcessMessages();
  EXPECT_EQ(View->GetSelected(), Card(1));
  EXPECT_EQ(View->GetItemFocused(), Card(1));
  EXPECT_TRUE(View->Focused());
  Actions(List->child(0))->doAction(QAccessibleActionInterface::setFocusAction());
  EXPECT_EQ(View->GetSelected(), Card(0));
  // Lines and the editor have no actions; a child id past the cards does nothing.
  EXPECT_TRUE(Actions(List->child(0)->child(0))->actionNames().isEmpty());
  ASSERT_TRUE(View->EditSubItem(Card(0), 0));
  EXPECT_FALSE(DoDefaultAccessibleAction(View->GetHandle(), 3));
  EXPECT_FALSE(SelectAccessibleObject(View->GetHandle(), 2, 0));
}

TEST_F(AccessibilityTest, TheInPlaceEditorIsNamedAfterItsLine) {
  AddContacts();
  struct TRow {
    int Line;
    const char* Name;
  };
  // A named line by its name, a plain one by its card.
  for (const TRow& Row : {TRow{0, "Phone"}, TRow{1, "Adams"}, TRow{2, "Mail"}}) {
    ASSERT_TRUE(View->EditSubItem(Card(0), Row.Line));
    EXPECT_EQ(View->GetEditor()->GetAccessibleName(), Row.Name);
    QAccessibleInterface* Editor = QAccessible::queryAccessibleInterface(ControlWidget(View->GetEditor()));
    EXPECT_EQ(Editor->text(QAccessible::Name), QString(Row.Name));
    View->HideItemEditor(false);
  }
}

}  // namespace
}  // namespace cardview_test
