// Focus moves by click, Tab and arrows; special keys; default and cancel buttons.

#include "Harness.h"
#include "Probe.h"

using namespace vcl;
using namespace vcltest;

namespace {

class FocusTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(300, 200);
    First = std::make_unique<TProbe>(nullptr, Form.get(), TRect{0, 0, 100, 50});
    Second = std::make_unique<TProbe>(nullptr, Form.get(), TRect{0, 60, 100, 110});
    Third = std::make_unique<TProbe>(nullptr, Form.get(), TRect{0, 120, 100, 170});
    First->SetFocus();
    ProcessMessages();
    for (TProbe* P : {First.get(), Second.get(), Third.get()}) P->Log.clear();
  }
  void TearDown() override {
    Third.reset();
    Second.reset();
    First.reset();
    Form.reset();
    THostTest::TearDown();
  }
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TProbe> First, Second, Third;
};

TEST_F(FocusTest, ClickMovesTheActiveControlWithExitBeforeEnter) {
  std::vector<std::string> Order;
  First->SetOnExit([&](TObject*) { Order.push_back("first exit"); });
  Second->SetOnEnter([&](TObject*) { Order.push_back("second enter"); });
  Click(Second.get(), 5, 5);
  EXPECT_EQ(Order, (std::vector<std::string>{"first exit", "second enter"}));
  EXPECT_EQ(Form->GetActiveControl(), Second.get());
  EXPECT_TRUE(Second->Focused());
  EXPECT_FALSE(First->Focused());
}

TEST_F(FocusTest, TabAndShiftTabFollowTheTabOrderAndSkipControlsWithoutTabStop) {
  Second->SetTabStop(false);
  PressKey(VK_TAB);
  EXPECT_EQ(Form->GetActiveControl(), Third.get());
  EXPECT_EQ(First->Log, std::vector<std::string>{"exit-focus"});
  EXPECT_EQ(Third->Log, std::vector<std::string>{"enter-focus"});
  PressKey(VK_TAB);  // wraps round
  EXPECT_EQ(Form->GetActiveControl(), First.get());
  PressKey(VK_TAB, {ssShift});
  EXPECT_EQ(Form->GetActiveControl(), Third.get());
  EXPECT_TRUE(First->KeysDown.empty()) << "Tab went to the form, not to the control";
}

TEST_F(FocusTest, TabOrderCanBeChanged) {
  Third->SetTabOrder(0);
  EXPECT_EQ(Third->GetTabOrder(), 0);
  EXPECT_EQ(First->GetTabOrder(), 1);
  PressKey(VK_TAB);
  EXPECT_EQ(Form->GetActiveControl(), Second.get());
}

TEST_F(FocusTest, ArrowKeysMoveBetweenSiblingsUnlessTheControlWantsThem) {
  PressKey(VK_DOWN);
  EXPECT_EQ(Form->GetActiveControl(), Second.get());
  EXPECT_TRUE(Second->KeysDown.empty());
  Second->WantArrows = true;
  PressKey(VK_RIGHT);
  PressKey(VK_UP);
  EXPECT_EQ(Form->GetActiveControl(), Second.get());
  EXPECT_EQ(Second->KeysDown, (std::vector<Word>{VK_RIGHT, VK_UP}));
}

TEST_F(FocusTest, KeysAndCharactersReachTheFocusedControl) {
  PressKey('A');
  PressKey('B', {ssShift});
  PressKey(VK_F2);
  EXPECT_EQ(First->KeysDown, (std::vector<Word>{'A', 'B', VK_F2}));
  EXPECT_EQ(First->Typed, "aB");
}

TEST_F(FocusTest, EnterAndEscapeGoToTheDefaultAndCancelButtons) {
  TDialogButton Ok(nullptr, Form.get(), VK_RETURN, TRect{150, 0, 220, 30});
  TDialogButton Cancel(nullptr, Form.get(), VK_ESCAPE, TRect{150, 40, 220, 70});
  PressKey(VK_RETURN);
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(Ok.Presses, 1);
  EXPECT_EQ(Cancel.Presses, 2);
  EXPECT_TRUE(First->KeysDown.empty());
}

TEST_F(FocusTest, DisabledOrHiddenControlsCannotTakeTheFocus) {
  Second->SetEnabled(false);
  Third->SetVisible(false);
  EXPECT_FALSE(Second->CanFocus());
  EXPECT_FALSE(Third->CanFocus());
  EXPECT_THROW(Form->SetActiveControl(Second.get()), EInvalidOperation);
  PressKey(VK_TAB);
  EXPECT_EQ(Form->GetActiveControl(), First.get());
}

TEST_F(FocusTest, DestroyingTheActiveControlClearsIt) {
  Click(Second.get(), 5, 5);
  Second.reset();
  EXPECT_EQ(Form->GetActiveControl(), nullptr);
  PressKey(VK_TAB);
  EXPECT_NE(Form->GetActiveControl(), nullptr);
}

TEST_F(FocusTest, ExceptionInAnExitHandlerIsReportedAndTheFocusStillMoves) {
  First->SetOnExit([](TObject*) { throw Exception("exit failed"); });
  Click(Second.get(), 5, 5);
  EXPECT_EQ(TakeExceptions(), std::vector<std::string>{"exit failed"});
  EXPECT_EQ(Form->GetActiveControl(), Second.get());
}

TEST_F(FocusTest, MouseEnterAndLeaveFollowThePointerAcrossControls) {
  MouseMove(Form.get(), 250, 190);
  First->Log.clear();
  Second->Log.clear();
  MouseMove(First.get(), 5, 5);
  MouseMove(Second.get(), 5, 5);
  MouseMove(Second.get(), 6, 6);
  EXPECT_EQ(First->Log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(Second->Log, std::vector<std::string>{"enter"});
}

TEST_F(FocusTest, DoubleClickGivesDblClickThenAPressWithDouble) {
  DoubleClick(Second.get(), 5, 5);
  const std::vector<std::string> Expected{"down", "enter-focus", "click", "up", "dblclick", "down-double", "up"};
  std::vector<std::string> Seen;
  for (const std::string& E : Second->Log)
    if (E != "enter") Seen.push_back(E);
  EXPECT_EQ(Seen, Expected);
}

TEST_F(FocusTest, ReleaseOutsideTheControlIsNoClick) {
  MouseDown(Second.get(), 5, 5);
  MouseUp(Second.get(), 500, 5);
  EXPECT_EQ(std::count(Second->Log.begin(), Second->Log.end(), "click"), 0);
}

}  // namespace
