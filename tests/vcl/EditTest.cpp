// The single-line edit through Qt's event path: typing, key handlers first, OnChange,
// selection in bytes, options, the frame, focus beside a custom control, and form files.

#include <QLineEdit>

#include "Harness.h"
#include "Probe.h"
#include "QtEmbedding.h"
#include "StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

class EditTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(300, 200);
    Edit = std::make_unique<TEdit>(nullptr);
    Edit->SetBounds(10, 10, 150, 24);
    Edit->SetParent(Form.get());
    Custom = std::make_unique<TProbe>(nullptr, Form.get(), TRect{10, 60, 110, 120});
    Edit->SetOnChange([this](TObject*) { Changes.push_back(Edit->GetText()); });
    Edit->SetFocus();
    ProcessMessages();
  }
  void TearDown() override {
    Custom.reset();
    Edit.reset();
    Form.reset();
    THostTest::TearDown();
  }
  QLineEdit* Line() { return qobject_cast<QLineEdit*>(ControlWidget(Edit.get())); }

  std::unique_ptr<TForm> Form;
  std::unique_ptr<TEdit> Edit;
  std::unique_ptr<TProbe> Custom;
  std::vector<std::string> Changes;
};

TEST_F(EditTest, TypedTextReachesTheControlAndFiresOnChangePerCharacter) {
  ASSERT_NE(Line(), nullptr) << "an edit's window is a line edit";
  TypeText("añ7");
  EXPECT_EQ(Edit->GetText(), "añ7");
  EXPECT_EQ(Changes, (std::vector<std::string>{"a", "añ", "añ7"}));
  PressKey(VK_BACK);
  EXPECT_EQ(Edit->GetText(), "añ");
}

TEST_F(EditTest, TextSetByCodeShowsAndFiresOnChangeOnceWithAndWithoutWindow) {
  Edit->SetText("Phone");
  EXPECT_EQ(Line()->text(), QString("Phone"));
  Edit->SetText("Phone");
  EXPECT_EQ(Changes, std::vector<std::string>{"Phone"});
  TEdit Windowless(nullptr);
  int Fired = 0;
  Windowless.SetOnChange([&](TObject*) { ++Fired; });
  Windowless.SetText("x");
  EXPECT_EQ(Fired, 1);
  EXPECT_FALSE(Windowless.HandleAllocated());
}

TEST_F(EditTest, KeyHandlersRunFirstAndAZeroedKeyIsKeptFromTheEdit) {
  int Returns = 0;
  QObject::connect(Line(), &QLineEdit::returnPressed, [&] { ++Returns; });
  PressKey(VK_RETURN);
  EXPECT_EQ(Returns, 1) << "Enter reaches the edit when no handler takes it";
  Edit->SetOnKeyDown([](TObject*, Word& Key, TShiftState) {
    if (Key == VK_RETURN || Key == VK_HOME) Key = 0;
  });
  PressKey(VK_RETURN);
  EXPECT_EQ(Returns, 1) << "a KeyDown handler that zeroes Enter suppresses it";
  TypeText("abc");
  PressKey(VK_HOME);
  EXPECT_EQ(Edit->GetSelStart(), 3) << "Home zeroed: the caret stays";
  PressKey(VK_LEFT);
  EXPECT_EQ(Edit->GetSelStart(), 2) << "arrows belong to the edit, not to dialog navigation";
}

TEST_F(EditTest, KeyPressFiltersAndRewritesCharacters) {
  Edit->SetOnKeyPress([](TObject*, char& Key) {
    if (Key >= '0' && Key <= '9') Key = 0;
    else if (Key >= 'a' && Key <= 'z') Key = static_cast<char>(Key - 'a' + 'A');
  });
  TypeText("a1b2 c");
  EXPECT_EQ(Edit->GetText(), "AB C");
}

TEST_F(EditTest, SelectionCountsBytesOfTheUtf8Text) {
  Edit->SetText("añb€z");  // ñ two bytes, € three
  Edit->SelectAll();
  EXPECT_EQ(Edit->GetSelStart(), 0);
  EXPECT_EQ(Edit->GetSelLength(), 8);
  Edit->SetSelStart(1);
  Edit->SetSelLength(5);
  EXPECT_EQ(Edit->GetSelText(), "ñb€");
  EXPECT_EQ(Line()->selectedText(), QString::fromUtf8("ñb€"));
  Edit->SetSelStart(100);
  EXPECT_EQ(Edit->GetSelStart(), 8) << "clamped to the text";
}

TEST_F(EditTest, MaxLengthAndReadOnlyLimitTheUserNotTheCode) {
  Edit->SetMaxLength(3);
  TypeText("abcdef");
  EXPECT_EQ(Edit->GetText(), "abc");
  Edit->SetMaxLength(0);
  Edit->SetReadOnly(true);
  TypeText("x");
  PressKey(VK_BACK);
  EXPECT_EQ(Edit->GetText(), "abc");
  Edit->SetText("set by code");
  EXPECT_EQ(Edit->GetText(), "set by code");
  Edit->SetReadOnly(false);
  PressKey(VK_END);
  TypeText("!");
  EXPECT_EQ(Edit->GetText(), "set by code!");
}

TEST_F(EditTest, TabAndShiftTabMoveBetweenTheEditAndACustomControl) {
  Custom->Log.clear();
  PressKey(VK_TAB);
  EXPECT_EQ(Form->GetActiveControl(), Custom.get());
  EXPECT_TRUE(Custom->Focused());
  PressKey(VK_TAB, TShiftState{ssShift});
  EXPECT_EQ(Form->GetActiveControl(), Edit.get());
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->GetText(), "") << "Tab types nothing";
  Click(Custom.get(), 5, 5);
  Click(Edit.get(), 5, 5);
  EXPECT_EQ(Form->GetActiveControl(), Edit.get()) << "a click focuses the edit through the form";
}

TEST_F(EditTest, BorderStyleCtl3DAndAutoSizeShapeTheWindow) {
  struct TRow {
    TBorderStyle Border;
    bool Ctl3D;
    int Frame;
  };
  for (TRow Row : {TRow{bsSingle, true, 2}, TRow{bsSingle, false, 1}, TRow{bsNone, true, 0}}) {
    Edit->SetBorderStyle(Row.Border);
    Edit->SetCtl3D(Row.Ctl3D);
    Edit->SetAutoSize(false);
    Edit->SetHeight(30);
    EXPECT_EQ(Edit->GetClientWidth(), 150 - 2 * Row.Frame) << Row.Border << Row.Ctl3D;
    EXPECT_EQ(Edit->GetClientHeight(), 30 - 2 * Row.Frame);
  }
  Edit->SetBorderStyle(bsSingle);
  Edit->SetCtl3D(true);
  Edit->SetAutoSize(true);
  TCanvas Measure;
  Measure.SetFont(Edit->GetFont());
  EXPECT_EQ(Edit->GetHeight(), Measure.TextHeight("Wg") + 8);
  Edit->GetFont()->SetHeight(-30);
  EXPECT_GT(Edit->GetHeight(), 30) << "the height follows the font";
}

TEST_F(EditTest, ColorFontAndReadingOrderReachTheWindow) {
  Edit->SetColor(clYellow);
  Edit->GetFont()->SetColor(clRed);
  Edit->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(Line()->palette().color(QPalette::Base), ToQColor(clYellow));
  EXPECT_EQ(Line()->palette().color(QPalette::Text), ToQColor(clRed));
  EXPECT_EQ(Line()->layoutDirection(), Qt::RightToLeft);
}

TEST_F(EditTest, AnEditDestroyedByItsOwnHandlersLeavesNoDanglingWindow) {
  Edit->SetOnChange([this](TObject*) { Edit.reset(); });
  TypeText("a");
  EXPECT_EQ(Edit, nullptr);
  ProcessMessages();
  Edit = std::make_unique<TEdit>(nullptr);
  Edit->SetParent(Form.get());
  Edit->SetFocus();
  Edit->SetOnKeyPress([this](TObject*, char&) { Edit.reset(); });
  TypeText("b");
  EXPECT_EQ(Edit, nullptr);
  ProcessMessages();
}

TEST_F(EditTest, PublishedPropertiesSurviveAFormFile) {
  TForm Source(nullptr);
  Source.SetName("EditForm");
  auto* Written = new TEdit(&Source);
  Written->SetName("NameEdit");
  Written->SetParent(&Source);
  Written->SetText("Ada");
  Written->SetMaxLength(20);
  Written->SetReadOnly(true);
  Written->SetBorderStyle(bsNone);
  Written->SetTabStop(false);
  const AnsiString Text = WriteComponentText(&Source);
  EXPECT_NE(Text.find("object NameEdit: TEdit"), AnsiString::npos) << Text;
  TForm Target(nullptr);
  ReadComponentText(Text, &Target);
  auto* Read = dynamic_cast<TEdit*>(Target.FindComponent("NameEdit"));
  ASSERT_NE(Read, nullptr) << Text;
  EXPECT_EQ(Read->GetParent(), &Target);
  EXPECT_EQ(Read->GetText(), "Ada");
  EXPECT_EQ(Read->GetMaxLength(), 20);
  EXPECT_TRUE(Read->GetReadOnly());
  EXPECT_EQ(Read->GetBorderStyle(), bsNone);
  EXPECT_FALSE(Read->GetTabStop());
  EXPECT_TRUE(Read->GetAutoSelect());
}

}  // namespace
