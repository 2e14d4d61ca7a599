// The names screen readers give controls: set by the program, or by a label whose
// FocusControl the control is; and a group box as a named group of its windows.

#include <QAccessible>
#include <QWidget>

#include "Harness.h"
#include "OleAcc.h"
#include "QtEmbedding.h"
#include "StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

class AccessibleNameTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(320, 200);
    for (TEdit** E : {&First, &Second}) {
      *E = new TEdit(Form.get());
      (*E)->SetParent(Form.get());
    }
    Label = new TLabel(Form.get());
    Label->SetParent(Form.get());
    ProcessMessages();
  }
  void TearDown() override {
    Form.reset();
    THostTest::TearDown();
  }
  // What Qt tells a screen reader.
  static QString SpokenName(TWinControl* Control) {
    return QAccessible::queryAccessibleInterface(ControlWidget(Control))->text(QAccessible::Name);
  }

  std::unique_ptr<TForm> Form;
  TEdit *First = nullptr, *Second = nullptr;
  TLabel* Label = nullptr;
};

TEST(StripHotkey, RemovesTheAcceleratorMarks) {
  const std::pair<const char*, const char*> Rows[] = {
      {"&Name:", "Name:"}, {"Fish && &Chips", "Fish & Chips"}, {"plain", "plain"}, {"end&", "end"}, {"&&&", "&"}, {"", ""}};
  for (const auto& [Caption, Shown] : Rows) EXPECT_EQ(StripHotkey(Caption), Shown) << Caption;
}

TEST_F(AccessibleNameTest, ALabelNamesItsFocusControlAndFollowsItsCaption) {
  Label->SetCaption("&Name:");
  EXPECT_EQ(First->GetAccessibleName(), "");
  Label->SetFocusControl(First);
  EXPECT_EQ(First->GetAccessibleName(), "Name:");
  EXPECT_EQ(SpokenName(First), "Name:");
  Label->SetCaption("&Value && more");
  EXPECT_EQ(SpokenName(First), "Value & more");
  Label->SetShowAccelChar(false);
  EXPECT_EQ(SpokenName(First), "&Value && more") << "the marks are text then";
  // Pointing the label elsewhere moves the name; the edit left behind has none.
  Label->SetFocusControl(Second);
  EXPECT_EQ(SpokenName(First), "");
  EXPECT_EQ(SpokenName(Second), "&Value && more");
  // A window made again gets its name again.
  Second->RecreateWnd();
  EXPECT_EQ(SpokenName(Second), "&Value && more");
  delete Label;
  EXPECT_EQ(Second->GetAccessibleName(), "");
  EXPECT_EQ(SpokenName(Second), "");
}

TEST_F(AccessibleNameTest, ANameSetByTheProgramComesBeforeTheLabels) {
  Label->SetCaption("Label");
  Label->SetFocusControl(First);
  First->SetAccessibleName("Own");
  EXPECT_EQ(SpokenName(First), "Own");
  Label->SetCaption("Changed");
  EXPECT_EQ(SpokenName(First), "Own");
  First->SetAccessibleName("");
  EXPECT_EQ(SpokenName(First), "Changed");
  // Another label that names another control leaves this one alone.
  auto* Other = new TLabel(Form.get());
  Other->SetCaption("Other");
  Other->SetFocusControl(Second);
  delete Other;
  EXPECT_EQ(SpokenName(First), "Changed");
}

TEST_F(AccessibleNameTest, ALabelNamesItsControlBeforeTheWindowExists) {
  auto Unshown = std::make_unique<TForm>(nullptr);
  auto* Edit = new TEdit(Unshown.get());
  Edit->SetParent(Unshown.get());
  auto* Named = new TLabel(Unshown.get());
  Named->SetParent(Unshown.get());
  Named->SetFocusControl(Edit);
  Named->SetCaption("&Text:");
  EXPECT_FALSE(Edit->HandleAllocated());
  EXPECT_EQ(SpokenName(Edit), "Text:");
}

TEST_F(AccessibleNameTest, AGroupBoxIsAGroupNamedByItsCaptionHoldingItsWindows) {
  auto* Box = new TGroupBox(Form.get());
  Box->SetCaption(" Sub &Items ");
  Box->SetParent(Form.get());
  auto* Inner = new TEdit(Form.get());
  Inner->SetParent(Box);
  auto* Note = new TLabel(Form.get());
  Note->SetParent(Box);
  ProcessMessages();
  QAccessibleInterface* Group = QAccessible::queryAccessibleInterface(ControlWidget(Box));
  EXPECT_EQ(Group->role(), QAccessible::Grouping);
  EXPECT_EQ(Group->text(QAccessible::Name), "Sub Items");
  ASSERT_EQ(Group->childCount(), 1) << "the edit; a label has no window";
  QAccessibleInterface* Edit = QAccessible::queryAccessibleInterface(ControlWidget(Inner));
  EXPECT_EQ(Group->child(0), Edit);
  EXPECT_EQ(Group->indexOfChild(Edit), 0);
  EXPECT_EQ(Edit->parent(), Group);
}

}  // namespace
