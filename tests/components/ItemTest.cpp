// The card on its own: sub-item convention, copying, equality, and cards outside a list.

#include <gtest/gtest.h>

#include "OstrelProbe.h"

namespace ostrel_test {
namespace {

TOstrelItem* CardWith(TOstrelItems& Items, std::initializer_list<const char*> SubItems) {
  TOstrelItem* Item = Items.Add("Card");
  for (const char* S : SubItems) Item->GetSubItems()->Add(S);
  return Item;
}

TEST(OstrelItem, SubItemIndexMatchesWholeNamesExactly) {
  TProbe Table;
  TOstrelItem* Item = CardWith(*Table.GetItems(), {"phone=1", "Phone =2", "Phone=123", "Notes", "=x", "", "Phone=9"});
  EXPECT_EQ(Item->GetSubItemIndex("Phone"), 2);  // not the lower-case one nor the one with a space
  EXPECT_EQ(Item->GetSubItemIndex("phone"), 0);
  EXPECT_EQ(Item->GetSubItemIndex("Phone "), 1);
  EXPECT_EQ(Item->GetSubItemIndex("Notes"), 3);  // a plain line is found by its whole text
  EXPECT_EQ(Item->GetSubItemIndex("=x"), 4);
  EXPECT_EQ(Item->GetSubItemIndex(""), 5);
  EXPECT_EQ(Item->GetSubItemIndex("Phon"), -1);
  EXPECT_EQ(Item->GetSubItemIndex("Mail"), -1);
  EXPECT_EQ(Table.GetItems()->Add("Empty")->GetSubItemIndex(""), -1);
}

TEST(OstrelItem, NameAndValuePairsNeedANameBeforeTheFirstEquals) {
  TProbe Table;
  TOstrelItem* Item = CardWith(*Table.GetItems(), {"Mail=", "=x", "Notes", "a=b=c", ""});
  EXPECT_TRUE(Item->IsSubItemNameAndValue(0));
  EXPECT_FALSE(Item->IsSubItemNameAndValue(1));
  EXPECT_FALSE(Item->IsSubItemNameAndValue(2));
  EXPECT_TRUE(Item->IsSubItemNameAndValue(3));
  EXPECT_FALSE(Item->IsSubItemNameAndValue(4));
  for (int Index : {-1, 5}) {
    try {
      Item->IsSubItemNameAndValue(Index);
      ADD_FAILURE() << "index " << Index << " raised nothing";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "Index out of range");
    }
  }
}

TEST(OstrelItem, AssignCopiesTextDataAndSubItemsButNotTheHint) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  TOstrelItem* Source = CardWith(Items, {"Phone=1", "City=Rome"});
  Source->SetText("Source");
  Source->SetData(reinterpret_cast<void*>(42));
  Source->SetHint("source hint");
  Source->SetShowHint(false);
  TOstrelItem* Target = CardWith(Items, {"Old=1", "Old=2", "Old=3"});
  Target->SetHint("target hint");

  Target->Assign(Source);
  EXPECT_EQ(Target->GetText(), "Source");
  EXPECT_EQ(Target->GetData(), reinterpret_cast<void*>(42));
  EXPECT_TRUE(Target->GetSubItems()->Equals(Source->GetSubItems()));
  EXPECT_EQ(Target->GetHint(), "target hint");
  EXPECT_TRUE(Target->GetShowHint());
  EXPECT_TRUE(Target->IsEqual(Source));
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"Source", "Source"}));  // no re-sort, no move

  EXPECT_THROW(Target->Assign(&Items), EConvertError);
  EXPECT_EQ(Target->GetText(), "Source");
}

TEST(OstrelItem, EqualityIgnoresHintsButNotTextDataOrSubItems) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  TOstrelItem* A = CardWith(Items, {"Phone=1"});
  TOstrelItem* B = CardWith(Items, {"Phone=1"});
  B->SetHint("different");
  B->SetShowHint(false);
  EXPECT_TRUE(A->IsEqual(B));
  B->SetData(reinterpret_cast<void*>(1));
  EXPECT_FALSE(A->IsEqual(B));
  B->SetData(nullptr);
  B->GetSubItems()->Add("City=Rome");
  EXPECT_FALSE(A->IsEqual(B));
  B->GetSubItems()->Delete(1);
  B->SetText("Card2");
  EXPECT_FALSE(A->IsEqual(B));
}

TEST(OstrelItem, SetTextWithTheSameTextNeitherSortsNorRepaints) {
  TProbe Table;
  Table.SetSorted(true);
  AddCards(*Table.GetItems(), {"b", "c"});
  TOstrelItem* Item = Table.GetItems()->GetFirstItem();
  const int Before = Table.Invalidates;
  Item->SetText("b");
  EXPECT_EQ(Table.Invalidates, Before);
  Item->SetText("d");  // a new text re-sorts the list, which relayouts
  EXPECT_EQ(Texts(*Table.GetItems()), (std::vector<std::string>{"c", "d"}));
  EXPECT_EQ(Table.Invalidates, Before + 1);
}

TEST(OstrelItem, ACardNeverAddedStaysOutsideTheList) {
  TLog Log;
  TProbe Table;
  RecordEvents(Table, Log);
  Table.SetSorted(true);
  AddCards(*Table.GetItems(), {"b", "a"});
  auto* Loose = new TOstrelItem(Table.GetItems());
  EXPECT_EQ(Loose->GetIndex(), -1);
  EXPECT_EQ(Loose->GetTable(), &Table);
  Loose->SetText("0");  // never sorts the list it is not in
  EXPECT_EQ(Texts(*Table.GetItems()), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Loose->GetClientRect().Width(), 0);
  Loose->Delete();
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Table.GetItems()->GetCount(), 2);
}

TEST(OstrelItem, ACardWithoutAListHasNoControl) {
  TOstrelItem Item(nullptr);
  EXPECT_EQ(Item.GetTable(), nullptr);
  EXPECT_EQ(Item.GetIndex(), -1);
  Item.SetSelected(true);
  Item.SetFocused(true);
  Item.Update();
  Item.SetText("alone");
  EXPECT_FALSE(Item.GetSelected());
  EXPECT_FALSE(Item.GetFocused());
  EXPECT_EQ(Item.GetDefaultHeight(), 16);
  EXPECT_TRUE(Item.GetShowHint());
}

}  // namespace
}  // namespace ostrel_test
