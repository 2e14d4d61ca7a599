// The card half of the items editor: opening, the card fields, New item, Delete item, Clear.

#include "ItemsEditorFixture.h"

namespace itemseditor_test {
namespace {

TEST_F(ItemsEditorTest, OpensOnAnEmptyControlInTheNoCardStateAndItsButtonsWork) {
  Open();
  EXPECT_EQ(Dialog->Table->GetNoItemsText(), "No Items");
  ExpectNoCardState();
  EXPECT_FALSE(ApplyOn());
  Press(Dialog->ClearButton);
  EXPECT_FALSE(ApplyOn()) << "Clear on no cards changes nothing";
  Press(Dialog->SaveToFileButton);
  Press(Dialog->LoadFromFileButton);
  EXPECT_EQ(DialogTitles, (std::vector<std::string>{"Save table to file", "Load table from file"}));
  EXPECT_FALSE(ApplyOn()) << "dismissed file dialogs change nothing";
  Press(Dialog->NewItemButton);
  EXPECT_EQ(Texts(Dialog->Table->GetItems()), (std::vector<std::string>{"New Item"}));
  EXPECT_EQ(Dialog->Table->GetSelected(), TableCard(0));
  EXPECT_TRUE(ApplyOn());
  EXPECT_EQ(Edited->GetItems()->GetCount(), 0) << "only Apply touches the edited control";
}

TEST_F(ItemsEditorTest, SelectingACardFillsTheFieldsAndTheyEditIt) {
  Open({{"Bob", "Phone=1"}, {"Ann", "Note"}});
  ExpectNoCardState();
  ClickCard("Bob");
  EXPECT_EQ(Dialog->TextEdit->GetText(), "Bob");
  EXPECT_TRUE(Dialog->ShowHintCheckBox->GetChecked());
  EXPECT_TRUE(Dialog->TextEdit->GetEnabled());
  EXPECT_TRUE(Dialog->DeleteItemButton->GetEnabled());
  EXPECT_TRUE(Dialog->NewSubitemButton->GetEnabled());
  EXPECT_FALSE(Dialog->SubItemEdit->GetEnabled()) << "no row is selected yet";
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Phone|1"}));
  EXPECT_TRUE(ApplyOn()) << "filling the fields writes the same values back";

  TypeInto(Dialog->TextEdit, "by");
  TypeInto(Dialog->HintEdit, "tip");
  Press(Dialog->ShowHintCheckBox);
  TOstrelItem* Card = Dialog->Table->GetSelected();
  ASSERT_NE(Card, nullptr);
  EXPECT_EQ(Card->GetText(), "Bobby");
  EXPECT_EQ(Card->GetHint(), "tip");
  EXPECT_FALSE(Card->GetShowHint());
  EXPECT_EQ(Texts(Dialog->Table->GetItems()), (std::vector<std::string>{"Ann", "Bobby"}));
  EXPECT_EQ(Texts(Edited->GetItems()), (std::vector<std::string>{"Ann", "Bob"}));
}

TEST_F(ItemsEditorTest, NewItemAppendsWithoutASelectionAndInsertsAfterTheSelectedCard) {
  Open({{"Alpha"}, {"Zulu"}});
  Press(Dialog->NewItemButton);
  EXPECT_EQ(Texts(Dialog->Table->GetItems()), (std::vector<std::string>{"Alpha", "New Item", "Zulu"}))
      << "appended, then placed by the sorted list";
  EXPECT_EQ(Dialog->Table->GetSelected(), TableCard(1));
  EXPECT_TRUE(Dialog->TextEdit->Focused());
  vcltest::TypeText("Mike");
  EXPECT_EQ(Texts(Dialog->Table->GetItems()), (std::vector<std::string>{"Alpha", "Mike", "Zulu"}))
      << "typing replaces the selected text";

  ClickCard("Zulu");
  Press(Dialog->NewItemButton);
  EXPECT_EQ(Texts(Dialog->Table->GetItems()), (std::vector<std::string>{"Alpha", "Mike", "New Item", "Zulu"}));
  ASSERT_NE(Dialog->Table->GetSelected(), nullptr);
  EXPECT_EQ(Dialog->Table->GetSelected()->GetText(), "New Item");
  EXPECT_EQ(Dialog->TextEdit->GetText(), "New Item");
  EXPECT_EQ(Rows(), std::vector<std::string>{});
}

TEST_F(ItemsEditorTest, EnterPressesNewItemUnlessAnotherButtonHasTheFocus) {
  Open({{"Alpha"}});
  Dialog->Table->SetFocus();
  vcltest::PressKey(VK_RETURN);
  vcltest::ProcessMessages();
  EXPECT_EQ(Texts(Dialog->Table->GetItems()), (std::vector<std::string>{"Alpha", "New Item"}));
}

TEST_F(ItemsEditorTest, DeleteItemLeavesNoCardSelected) {
  Open({{"Ann", "Phone=1"}, {"Bob"}, {"Cid"}});
  ClickCard("Bob");
  Press(Dialog->DeleteItemButton);
  EXPECT_EQ(Texts(Dialog->Table->GetItems()), (std::vector<std::string>{"Ann", "Cid"}));
  ExpectNoCardState();
  EXPECT_TRUE(ApplyOn());
}

TEST_F(ItemsEditorTest, ClearRemovesEveryCard) {
  Open({{"Ann", "Phone=1"}, {"Bob"}});
  ClickCard("Ann");
  Press(Dialog->ApplyButton);
  Press(Dialog->ClearButton);
  EXPECT_EQ(Dialog->Table->GetItems()->GetCount(), 0);
  ExpectNoCardState();
  EXPECT_TRUE(ApplyOn());
  EXPECT_EQ(Edited->GetItems()->GetCount(), 2);
}

}  // namespace
}  // namespace itemseditor_test
