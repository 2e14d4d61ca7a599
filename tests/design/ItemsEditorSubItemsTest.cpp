// The sub-item half of the items editor: rows, the name and value edits, New and Delete,
// and in-place edits in the dialog's card view.

#include "ItemsEditorFixture.h"

namespace itemseditor_test {
namespace {

const TCardLines FourLines = {"Card", "Phone=123", "Note", "=x", "Fax="};

TEST_F(ItemsEditorTest, RowsShowNamedAndPlainLinesAndSelectingThemWritesTheSameLinesBack) {
  Open({FourLines});
  ClickCard(0);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Phone|123", "Note", "=x", "Fax|"}));
  const std::vector<std::pair<const char*, const char*>> Shown = {
      {"Phone", "123"}, {"Note", ""}, {"=x", ""}, {"Fax", ""}};
  for (int Row : {0, 1, 2, 3, 0, 3, 1}) {
    ClickRow(Row);
    SCOPED_TRACE(Row);
    EXPECT_EQ(Dialog->SubItemsListView->GetSelected(), Dialog->SubItemsListView->GetItems()->GetItem(Row));
    EXPECT_EQ(Dialog->SubItemEdit->GetText(), Shown[Row].first);
    EXPECT_EQ(Dialog->SubItemValueEdit->GetText(), Shown[Row].second);
    EXPECT_TRUE(Dialog->SubItemEdit->GetEnabled());
    EXPECT_TRUE(Dialog->DeleteSubItemButton->GetEnabled());
    EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>(FourLines.begin() + 1, FourLines.end())));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Phone|123", "Note", "=x", "Fax|"}));
  }
}

TEST_F(ItemsEditorTest, EditsOfOneRowLeaveLinesOfTheSameNameAlone) {
  Open({{"Card", "Phone=1", "Phone=2", "Mail=a"}});
  ClickCard(0);
  ClickRow(2);
  TypeInto(Dialog->SubItemValueEdit, "b");
  EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Phone=1", "Phone=2", "Mail=ab"}));
  ClickRow(1);
  TypeInto(Dialog->SubItemEdit, "s");
  EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Phone=1", "Phones=2", "Mail=ab"}));
  ClickRow(0);
  TypeInto(Dialog->SubItemValueEdit, "0");
  EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Phone=10", "Phones=2", "Mail=ab"}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Phone|10", "Phones|2", "Mail|ab"}));
}

TEST_F(ItemsEditorTest, EmptyingTheValueLeavesTheNameAloneAndAValueMakesItAPairAgain) {
  Open({{"Card", "Phone=123", "Note"}});
  ClickCard(0);
  ClickRow(0);
  Empty(Dialog->SubItemValueEdit);
  EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Phone", "Note"}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Phone", "Note"}));
  ClickRow(1);
  TypeInto(Dialog->SubItemValueEdit, "7");
  EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Phone", "Note=7"}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Phone", "Note|7"}));
}

TEST_F(ItemsEditorTest, NewSubItemAppendsARowAndALineAndDeleteRemovesTheSelectedOne) {
  Open({{"Card", "Phone=1"}});
  ClickCard(0);
  Press(Dialog->NewSubitemButton);
  EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Phone=1", "New SubItem=New Value"}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Phone|1", "New SubItem|New Value"}));
  EXPECT_EQ(Dialog->SubItemValueEdit->GetText(), "New Value");
  EXPECT_TRUE(Dialog->SubItemEdit->Focused());
  vcltest::TypeText("Mail");
  EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Phone=1", "Mail=New Value"}));

  ClickRow(0);
  Press(Dialog->DeleteSubItemButton);
  EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Mail=New Value"}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Mail|New Value"}));
  EXPECT_EQ(Dialog->SubItemsListView->GetSelected(), nullptr);
  EXPECT_FALSE(Dialog->SubItemEdit->GetEnabled());
  EXPECT_EQ(Dialog->SubItemEdit->GetText(), "");
  EXPECT_FALSE(Dialog->DeleteSubItemButton->GetEnabled());
}

TEST_F(ItemsEditorTest, APressBelowTheRowsTurnsTheSubItemEditsOff) {
  Open({{"Card", "Phone=1"}});
  ClickCard(0);
  ClickRow(0);
  ASSERT_TRUE(Dialog->SubItemEdit->GetEnabled());
  TListView* List = Dialog->SubItemsListView;
  vcltest::Click(List, 4, List->GetClientHeight() - 3);
  vcltest::ProcessMessages();
  EXPECT_FALSE(Dialog->SubItemEdit->GetEnabled());
  EXPECT_FALSE(Dialog->DeleteSubItemButton->GetEnabled());
  EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Phone=1"}));
}

// In-place edits in the dialog's card view: an emptied value is stored as "<none>", and
// the row of the edited line follows.
TEST_F(ItemsEditorTest, InPlaceEditsShowInTheRowsAndAnEmptyValueBecomesNone) {
  struct TCase {
    int Line;
    const char* Typed;  // replaces the editor's text; empty: the text is deleted
    std::vector<std::string> LinesAfter;
    std::vector<std::string> RowsAfter;
  };
  const TCase Cases[] = {
      {0, "", {"Phone=<none>", "Note"}, {"Phone|<none>", "Note"}},
      {0, "42", {"Phone=42", "Note"}, {"Phone|42", "Note"}},
      {1, "Memo", {"Phone=123", "Memo"}, {"Phone|123", "Memo"}},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Typed);
    Dialog.reset();
    Edited->GetItems()->Clear();
    Open({{"Card", "Phone=123", "Note"}});
    ClickCard(0);
    Press(Dialog->ApplyButton);
    ASSERT_FALSE(ApplyOn());
    const TRect R = TableCard(0)->GetSubItemEditRect(Case.Line);
    vcltest::Click(Dialog->Table, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    vcltest::ProcessMessages();
    ASSERT_NE(Dialog->Table->GetEditor(), nullptr);
    vcltest::PressKey(VK_END);
    vcltest::PressKey(VK_HOME, TShiftState{ssShift});
    vcltest::PressKey(VK_BACK);
    vcltest::TypeText(Case.Typed);
    vcltest::PressKey(VK_RETURN);
    vcltest::ProcessMessages();
    EXPECT_EQ(Dialog->Table->GetEditor(), nullptr);
    EXPECT_EQ(Lines(TableCard(0)), Case.LinesAfter);
    EXPECT_EQ(Rows(), Case.RowsAfter);
    EXPECT_TRUE(ApplyOn());
  }
}

}  // namespace
}  // namespace itemseditor_test
