// Buttons, check boxes, labels and group boxes through Qt's event path: clicks, Space,
// Enter and Esc on default and cancel buttons, accelerators, Tab order, and modal results.

#include <QCheckBox>
#include <QPushButton>

#include "Harness.h"
#include "QtEmbedding.h"
#include "StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

class StdCtrlsTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(320, 200);
    Edit = new TEdit(Form.get());
    Edit->SetBounds(10, 10, 120, 21);
    Edit->SetParent(Form.get());
    Box = new TGroupBox(Form.get());
    Box->SetBounds(10, 40, 200, 80);
    Box->SetCaption(" Box ");
    Box->SetParent(Form.get());
    Check = new TCheckBox(Box);
    Check->SetBounds(8, 20, 100, 17);
    Check->SetCaption("&Check me");
    Check->SetParent(Box);
    Label = new TLabel(Form.get());
    Label->SetBounds(220, 10, 60, 13);
    Label->SetCaption("&Label");
    Label->SetFocusControl(Edit);
    Label->SetParent(Form.get());
    Ok = AddButton("&OK", 10, 150);
    Cancel = AddButton("Cancel", 100, 150);
    Other = AddButton("O&ther", 190, 150);
    Ok->SetDefault(true);
    Ok->SetModalResult(mrOk);
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    for (TControl* C : std::initializer_list<TControl*>{Ok, Cancel, Other, Check, Label})
      C->SetOnClick([this](TObject* Sender) { Clicks.push_back(static_cast<TControl*>(Sender)->GetCaption()); });
    Edit->SetFocus();
    ProcessMessages();
  }
  void TearDown() override {
    Form.reset();
    THostTest::TearDown();
  }
  TButton* AddButton(const char* Caption, int X, int Y) {
    auto* B = new TButton(Form.get());
    B->SetBounds(X, Y, 75, 25);
    B->SetCaption(Caption);
    B->SetParent(Form.get());
    return B;
  }
  std::unique_ptr<TForm> Form;
  TEdit* Edit = nullptr;
  TGroupBox* Box = nullptr;
  TCheckBox* Check = nullptr;
  TLabel* Label = nullptr;
  TButton *Ok = nullptr, *Cancel = nullptr, *Other = nullptr;
  std::vector<std::string> Clicks;
};

TEST_F(StdCtrlsTest, EachControlHasItsClassicDefaultsAndItsOwnPeer) {
  EXPECT_EQ(TButton(nullptr).GetBoundsRect(), (TRect{0, 0, 75, 25}));
  EXPECT_EQ(TCheckBox(nullptr).GetBoundsRect(), (TRect{0, 0, 97, 17}));
  EXPECT_EQ(TGroupBox(nullptr).GetBoundsRect(), (TRect{0, 0, 185, 105}));
  EXPECT_TRUE(TButton(nullptr).GetTabStop());
  EXPECT_FALSE(TLabel(nullptr).GetTransparent());
  auto* Push = qobject_cast<QPushButton*>(ControlWidget(Ok));
  ASSERT_NE(Push, nullptr) << "a button's window is a push button";
  EXPECT_EQ(Push->text(), QString("&OK"));
  EXPECT_TRUE(Push->isDefault());
  ASSERT_NE(qobject_cast<QCheckBox*>(ControlWidget(Check)), nullptr) << "a check box's window is a check box";
  Ok->SetCaption("&Fine");
  EXPECT_EQ(Push->text(), QString("&Fine"));
}

TEST_F(StdCtrlsTest, AMouseClickOnAButtonFiresOnClickOnceAndSetsTheFormsModalResult) {
  Click(Other, 10, 10);
  EXPECT_EQ(Clicks, std::vector<std::string>{"O&ther"});
  EXPECT_EQ(Form->GetModalResult(), mrNone);
  EXPECT_EQ(Form->GetActiveControl(), Other) << "a press focuses the button";
  Click(Ok, 10, 10);
  EXPECT_EQ(Form->GetModalResult(), mrOk);
  MouseDown(Cancel, 10, 10);
  MouseUp(Cancel, 200, 10);  // released outside: no click
  EXPECT_EQ(Clicks.size(), 2u);
  EXPECT_EQ(Form->GetModalResult(), mrOk);
}

TEST_F(StdCtrlsTest, EnterPressesTheDefaultButtonUnlessAnotherButtonHasTheFocus) {
  PressKey(VK_RETURN);
  EXPECT_EQ(Clicks, std::vector<std::string>{"&OK"}) << "from the edit";
  Other->SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(Clicks.back(), "O&ther") << "the focused button answers Enter, not the default";
  Ok->SetEnabled(false);
  Edit->SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(Clicks.size(), 2u) << "a disabled default button is not pressed";
}

TEST_F(StdCtrlsTest, EscPressesTheCancelButtonWhereverTheFocusIs) {
  for (TWinControl* Focus : std::initializer_list<TWinControl*>{Edit, Check, Other}) {
    Focus->SetFocus();
    Form->SetModalResult(mrNone);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Form->GetModalResult(), mrCancel) << Focus->ClassName();
  }
  EXPECT_EQ(Clicks, (std::vector<std::string>{"Cancel", "Cancel", "Cancel"}));
}

TEST_F(StdCtrlsTest, SpaceClicksTheFocusedButtonAndTogglesTheFocusedCheckBox) {
  Other->SetFocus();
  PressKey(VK_SPACE);
  EXPECT_EQ(Clicks, std::vector<std::string>{"O&ther"});
  Check->SetFocus();
  PressKey(VK_SPACE);
  EXPECT_TRUE(Check->GetChecked());
  EXPECT_EQ(qobject_cast<QCheckBox*>(ControlWidget(Check))->checkState(), Qt::Checked);
  PressKey(VK_SPACE);
  EXPECT_FALSE(Check->GetChecked());
  EXPECT_EQ(Clicks, (std::vector<std::string>{"O&ther", "&Check me", "&Check me"}));
}

TEST_F(StdCtrlsTest, ACheckBoxToggledByClickOrByCodeFiresOnClickAndTheWindowFollows) {
  auto* Widget = qobject_cast<QCheckBox*>(ControlWidget(Check));
  Click(Check, 5, 8);
  EXPECT_TRUE(Check->GetChecked());
  EXPECT_EQ(Widget->checkState(), Qt::Checked);
  Check->SetChecked(false);
  EXPECT_EQ(Widget->checkState(), Qt::Unchecked);
  Check->SetChecked(false);  // no change, no click
  EXPECT_EQ(Clicks.size(), 2u);
  Check->SetAllowGrayed(true);
  std::vector<TCheckBoxState> States;
  for (int I = 0; I < 3; ++I) {
    Click(Check, 5, 8);
    States.push_back(Check->GetState());
  }
  EXPECT_EQ(States, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
  EXPECT_EQ(Clicks.size(), 5u);
}

TEST_F(StdCtrlsTest, AClickOnALabelReachesItThroughItsParentsWindow) {
  Click(Form.get(), Label->GetLeft() + 3, Label->GetTop() + 3);
  EXPECT_EQ(Clicks, std::vector<std::string>{"&Label"});
  EXPECT_EQ(Form->GetActiveControl(), Edit) << "a label never takes the focus";
}

TEST_F(StdCtrlsTest, TheParentWindowShowsTheCursorOfTheLabelUnderThePointer) {
  Label->SetCursor(crHandPoint);
  QWidget* Window = ControlWidget(Form.get());
  MouseMove(Form.get(), Label->GetLeft() + 2, Label->GetTop() + 2);
  EXPECT_EQ(Window->cursor().shape(), Qt::PointingHandCursor);
  MouseMove(Form.get(), 300, 190);
  EXPECT_EQ(Window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(StdCtrlsTest, AltWithAnAcceleratorClicksButtonsTogglesBoxesAndFocusesALabelsControl) {
  Other->SetFocus();
  PressKey('L', {ssAlt});
  EXPECT_EQ(Form->GetActiveControl(), Edit);
  PressKey('C', {ssAlt});
  EXPECT_TRUE(Check->GetChecked());
  PressKey('T', {ssAlt});
  EXPECT_EQ(Clicks, (std::vector<std::string>{"&Check me", "O&ther"}));
  PressKey('Z', {ssAlt});
  EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(StdCtrlsTest, TabAndShiftTabVisitTheWindowedControlsInTabOrderIntoGroupBoxes) {
  std::vector<std::string> Visited;
  for (int I = 0; I < 6; ++I) {
    PressKey(VK_TAB);
    Visited.push_back(Form->GetActiveControl()->ClassName() + ":" + Form->GetActiveControl()->GetCaption());
  }
  EXPECT_EQ(Visited, (std::vector<std::string>{"TCheckBox:&Check me", "TButton:&OK", "TButton:Cancel", "TButton:O&ther",
                                               "TEdit:", "TCheckBox:&Check me"}));
  PressKey(VK_TAB, {ssShift});
  EXPECT_EQ(Form->GetActiveControl(), Edit);
  Other->SetTabOrder(0);
  PressKey(VK_TAB, {ssShift});
  EXPECT_EQ(Form->GetActiveControl(), Other);
}

TEST_F(StdCtrlsTest, ButtonsAndCheckBoxesReachedByTheKeyboardShowTheFocus) {
  struct TRow {
    const char* Name;
    TWinControl* Control;
    int Tabs;  // from the edit
    QImage Unfocused, ByCode;
  };
  TRow Rows[] = {{"check box", Check, 1, {}, {}}, {"button", Ok, 2, {}, {}}};
  // Before any key the window shows no keyboard cues, as the classic system starts.
  for (TRow& Row : Rows) {
    Row.Unfocused = ControlWidget(Row.Control)->grab().toImage();
    Row.Control->SetFocus();
    ProcessMessages();
    Row.ByCode = ControlWidget(Row.Control)->grab().toImage();
  }
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    QWidget* Widget = ControlWidget(Row.Control);
    Edit->SetFocus();
    for (int I = 0; I < Row.Tabs; ++I) PressKey(VK_TAB);
    ASSERT_EQ(Form->GetActiveControl(), Row.Control);
    const QImage ByTab = Widget->grab().toImage();
    EXPECT_NE(ByTab, Row.Unfocused) << "a focus frame shows";
    EXPECT_NE(ByTab, Row.ByCode);
    Edit->SetFocus();
    ProcessMessages();
    EXPECT_EQ(Widget->grab().toImage(), Row.Unfocused) << "and goes with the focus";
  }
}

TEST_F(StdCtrlsTest, ALabelSizesItselfToItsCaptionAndForgetsAFocusControlThatGoes) {
  const int Short = Label->GetWidth();
  Label->SetCaption("A much longer caption");
  EXPECT_GT(Label->GetWidth(), Short);
  Label->SetAlignment(taRightJustify);
  const int Right = Label->GetBoundsRect().Right;
  Label->SetCaption("Short");
  EXPECT_EQ(Label->GetBoundsRect().Right, Right) << "a right-aligned label keeps its right edge";
  Label->SetAutoSize(false);
  Label->SetCaption("A much longer caption again");
  EXPECT_EQ(Label->GetBoundsRect().Right, Right);
  delete Edit;
  EXPECT_EQ(Label->GetFocusControl(), nullptr);
  PressKey('L', {ssAlt});  // nothing to focus, no crash
}

TEST_F(StdCtrlsTest, ButtonModalResultEndsAModalRun) {
  auto* Dialog = new TForm(nullptr);
  auto* Yes = new TButton(Dialog);
  Yes->SetModalResult(mrYes);
  Yes->SetParent(Dialog);
  TModalResult Result = mrNone;
  QMetaObject::invokeMethod(ControlWidget(Yes), [Yes] { Click(Yes, 5, 5); }, Qt::QueuedConnection);
  Result = Dialog->ShowModal();
  EXPECT_EQ(Result, mrYes);
  delete Dialog;
}

}  // namespace
