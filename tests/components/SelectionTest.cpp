// Selection and focus: the events a change fires, which cards the control may hold, and the
// hand-over when the selected or focused card is deleted; through the control and the card,
// and on the selection unit itself.

#include <gtest/gtest.h>

#include <utility>

#include "OstrelCardSelection.h"
#include "OstrelProbe.h"

namespace ostrel_test {
namespace {

TEST(CardSelection, SelectingFiresChangingThenChangeAndARefusalKeepsTheSelection) {
  TLog Log;
  TProbe Table;
  AddCards(*Table.GetItems(), {"a", "b"});
  RecordEvents(Table, Log);
  TOstrelItem* A = Table.GetItems()->GetItemFromIndex(0);
  Table.SetSelected(A);
  Table.SetSelected(A);  // the same card: nothing
  Table.SetFocused(Table.GetItems()->GetItemFromIndex(1));
  EXPECT_EQ(Log, (TLog{"Changing a", "Change a"}));

  bool Entered = false;
  Table.SetOnChanging([&](TObject* Sender, TOstrelItem* Item, bool& AllowChange) {
    Entered = AllowChange && Sender == &Table;
    Log.push_back("Changing " + Name(Item));
    AllowChange = false;
  });
  Table.SetSelected(nullptr);
  EXPECT_TRUE(Entered);
  EXPECT_EQ(Table.GetSelected(), A);
  EXPECT_EQ(Log.back(), "Changing null");
  EXPECT_EQ(Log.size(), 3u);  // no Change after a refusal
}

TEST(CardSelection, AChangingHandlerThatDeletesTheOfferedCardSelectsNothing) {
  TLog Log;
  TProbe Table;
  AddCards(*Table.GetItems(), {"a", "b"});
  RecordEvents(Table, Log);
  Table.SetOnChanging([&](TObject*, TOstrelItem* Item, bool&) {
    Log.push_back("Changing " + Name(Item));
    Item->Delete();
  });
  Table.SetSelected(Table.GetItems()->GetItemFromIndex(1));
  EXPECT_EQ(Table.GetSelected(), nullptr);
  EXPECT_EQ(Log, (TLog{"Changing b", "Deletion b"}));
  EXPECT_EQ(Texts(*Table.GetItems()), (std::vector<std::string>{"a"}));
}

TEST(CardSelection, SelectedAndFocusedGoThroughTheControl) {
  TLog Log;
  TProbe Table;
  AddCards(*Table.GetItems(), {"a", "b"});
  RecordEvents(Table, Log);
  TOstrelItem* B = Table.GetItems()->GetItemFromIndex(1);
  B->SetSelected(true);
  B->SetFocused(true);
  EXPECT_TRUE(B->GetSelected());
  EXPECT_TRUE(B->GetFocused());
  EXPECT_FALSE(Table.GetItems()->GetFirstItem()->GetSelected());
  EXPECT_EQ(Log, (TLog{"Changing b", "Change b"}));  // focusing fires nothing
}

// The control hears of the deletion only of its own listed cards; it must hold no other.
TEST(CardSelection, OnlyListedCardsOfTheOwnControlBecomeSelectedOrFocused) {
  TLog Log;
  TProbe Table;
  TProbe Other;
  AddCards(*Table.GetItems(), {"a"});
  RecordEvents(Table, Log);
  auto* Loose = new TOstrelItem(Table.GetItems());
  Loose->SetText("loose");
  TOstrelItem* Foreign = Other.GetItems()->Add("foreign");
  for (TOstrelItem* Item : {Loose, Foreign}) {
    Table.SetSelected(Item);
    Table.SetFocused(Item);
  }
  Loose->SetSelected(true);
  Loose->SetFocused(true);
  EXPECT_EQ(Table.GetSelected(), nullptr);
  EXPECT_EQ(Table.GetItemFocused(), Table.GetItems()->GetFirstItem());
  EXPECT_TRUE(Log.empty());
  Loose->Delete();
  Foreign->Delete();
  Table.SetSelected(Table.GetItems()->GetFirstItem());  // the old selection is not touched
  EXPECT_EQ(Log, (TLog{"Changing a", "Change a"}));
}

TEST(CardSelection, TheFirstCardAddedIsFocusedButNotSelectedAndFiresNothing) {
  TLog Log;
  TProbe Table;
  RecordEvents(Table, Log);
  TOstrelItem* First = Table.GetItems()->Add("a");
  Table.GetItems()->Add("b");
  EXPECT_EQ(Table.GetItemFocused(), First);
  EXPECT_EQ(Table.GetSelected(), nullptr);
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(First->GetIndex(), 0);
  EXPECT_EQ(First->GetOwnerList(), Table.GetItems());
}

TEST(CardSelection, DeletingTheSelectedFocusedCardHandsOverThenNotifiesThenRelayouts) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b", "c"});
  Table.SetSelected(Items[1]);
  Table.SetFocused(Items[1]);
  RecordEvents(Table, Log);
  Table.Log = &Log;
  Items[1]->Delete();
  EXPECT_EQ(Log, (TLog{"Changing null", "Change null", "Delete b", "Deletion b", "Invalidate"}));
  EXPECT_EQ(Name(Table.GetItemFocused()), "a");  // the card before it
  EXPECT_EQ(Table.GetSelected(), nullptr);
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"a", "c"}));
}

TEST(CardSelection, FocusMovesToTheNeighbourOrGoesWithTheOnlyCard) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b", "c"});
  Table.SetFocused(Items[0]);
  Items.Delete(Items[0]);
  EXPECT_EQ(Name(Table.GetItemFocused()), "b");  // the first card hands on to the next
  Table.SetFocused(Items[1]);
  Items.Delete(Items[1]);
  EXPECT_EQ(Name(Table.GetItemFocused()), "b");  // the last card hands back
  TLog Log;
  RecordEvents(Table, Log);
  Items.Delete(Items[0]);
  EXPECT_EQ(Table.GetItemFocused(), nullptr);
  EXPECT_EQ(Log, (TLog{"Deletion b"}));
}

TEST(CardSelection, ARefusalWhileTheSelectedCardIsDeletedIsIgnored) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b"});
  Table.SetSelected(Items[1]);
  RecordEvents(Table, Log);
  Table.SetOnChanging([&Log](TObject*, TOstrelItem* Item, bool& AllowChange) {
    Log.push_back("Changing " + Name(Item));
    AllowChange = false;
  });
  Table.SetSelected(Items[0]);  // refused as usual
  EXPECT_EQ(Name(Table.GetSelected()), "b");
  Items[1]->Delete();
  EXPECT_EQ(Table.GetSelected(), nullptr);
  EXPECT_EQ(Log, (TLog{"Changing a", "Changing null", "Change null", "Deletion b"}));
}

TEST(CardSelection, ADeletionHandlerCannotSelectOrFocusTheCardBeingDeleted) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b"});
  Table.SetSelected(Items[1]);
  RecordEvents(Table, Log);
  Table.SetOnDeletion([&](TObject*, TOstrelItem* Item) {
    Log.push_back("Deletion " + Name(Item));
    Table.SetSelected(Item);
    Item->SetFocused(true);
  });
  Items[0]->Delete();
  EXPECT_EQ(Log, (TLog{"Deletion a"}));
  EXPECT_EQ(Table.GetSelected(), Items[0]);
  EXPECT_EQ(Table.GetItemFocused(), Items[0]);  // handed over before the notification
  Items[0]->Delete();
  EXPECT_EQ(Table.GetSelected(), nullptr);
  EXPECT_EQ(Table.GetItemFocused(), nullptr);
}

// The focused card's neighbour may itself be on its way out: the focus passes over it to
// the next card, so that a list with cards keeps a focused one.
TEST(CardSelection, FocusPassesOverANeighbourBeingDeleted) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b", "c", "d"});
  TOstrelItem* B = Items[1];
  Table.SetFocused(Items[2]);
  Table.SetOnDeletion([&](TObject*, TOstrelItem* Item) {
    if (Item == B) Items[2]->Delete();  // c, focused, goes while b goes; c's neighbour is b
  });
  B->Delete();
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"a", "d"}));
  EXPECT_EQ(Name(Table.GetItemFocused()), "a") << "b passed over for the card before it";

  TOstrelItem* A = Items[0];
  Table.SetFocused(A);
  Table.SetOnDeletion([&](TObject*, TOstrelItem* Item) {
    if (Item != A && A) std::exchange(A, nullptr)->Delete();
  });
  Items[1]->Delete();  // a goes while d does, and a's only neighbour is d
  EXPECT_EQ(Items.GetCount(), 0);
  EXPECT_EQ(Table.GetItemFocused(), nullptr);
}

// ------------------------------------------------------------------ the unit on its own

TEST(CardSelection, MayHoldOnlyNullAndListedCardsOfItsOwnControl) {
  TProbe Table, Other;
  AddCards(*Table.GetItems(), {"a"});
  AddCards(*Other.GetItems(), {"x"});
  const TCardSelection Selection(Table);
  TOstrelItem Loose(Table.GetItems());
  EXPECT_TRUE(Selection.MayHold(nullptr));
  EXPECT_TRUE(Selection.MayHold(Table.GetItems()->GetFirstItem()));
  EXPECT_FALSE(Selection.MayHold(&Loose)) << "never added";
  EXPECT_FALSE(Selection.MayHold(Other.GetItems()->GetFirstItem())) << "another control's";
}

TEST(CardSelection, ADeletionSelectsNothingEvenWhenOnChangingRefuses) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b"});
  TCardSelection Selection(Table);
  Selection.PutSelected(Items[1], false);
  RecordEvents(Table, Log);
  Table.SetOnChanging([&Log](TObject*, TOstrelItem* Item, bool& AllowChange) {
    Log.push_back("Changing " + Name(Item));
    AllowChange = false;
  });
  Selection.Select(Items[0], true);
  EXPECT_EQ(Selection.Selected(), Items[1]) << "a refusal stands";
  Selection.HandOverSelection(Items[0]);  // not the selected card: nothing
  Selection.HandOverSelection(Items[1]);
  EXPECT_EQ(Selection.Selected(), nullptr);
  EXPECT_EQ(Log, (TLog{"Changing a", "Changing null", "Change null"}));
}

TEST(CardSelection, TheFocusGoesBeforeThenAfterAndNowhereWithoutEvents) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b", "c"});
  TCardSelection Selection(Table);
  RecordEvents(Table, Log);
  Selection.Focus(Items[1]);
  Selection.HandOverFocus(Items[2]);  // not the focused card: nothing
  EXPECT_EQ(Selection.Focused(), Items[1]);
  Selection.HandOverFocus(Items[1]);
  EXPECT_EQ(Selection.Focused(), Items[0]) << "the card before";
  Selection.HandOverFocus(Items[0]);
  EXPECT_EQ(Selection.Focused(), Items[1]) << "the first hands on to the next";
  EXPECT_TRUE(Log.empty()) << "focus moves fire no selection events";
  TProbe Single;
  TCardSelection OfSingle(Single);
  TOstrelItem* Only = Single.GetItems()->Add("only");
  OfSingle.Focus(Only);
  OfSingle.HandOverFocus(Only);
  EXPECT_EQ(OfSingle.Focused(), nullptr) << "the only card has no neighbour to take over";
}

TEST(CardSelection, ADestroyedCardIsLetGoOfWithoutEvents) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b"});
  TCardSelection Selection(Table);
  Selection.PutSelected(Items[0], false);
  Selection.PutFocused(Items[1], false);
  RecordEvents(Table, Log);
  Selection.ItemDestroying(Items[1]);
  EXPECT_EQ(Selection.Selected(), Items[0]);
  EXPECT_EQ(Selection.Focused(), nullptr);
  Selection.ItemDestroying(Items[0]);
  EXPECT_EQ(Selection.Selected(), nullptr);
  EXPECT_TRUE(Log.empty());
}

}  // namespace
}  // namespace ostrel_test
