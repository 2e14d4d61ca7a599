// The card list: adding and inserting, batches, deletion, Clear, Assign, and handlers that
// throw or delete cards while they run. The hand-over of selection and focus on deletion is
// in SelectionTest.cpp.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "OstrelProbe.h"

namespace ostrel_test {
namespace {

TEST(OstrelItems, InsertAcceptsZeroToCountAndNothingElse) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b"});
  Items.InsertObject(2, "end", reinterpret_cast<void*>(7));
  Items.Insert(0, "start");
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"start", "a", "b", "end"}));
  EXPECT_EQ(Items[3]->GetData(), reinterpret_cast<void*>(7));
  EXPECT_THROW(Items.Insert(5, "late"), EListError);
  EXPECT_THROW(Items.Insert(-1, "early"), EListError);
  EXPECT_EQ(Items.GetCount(), 4);
}

TEST(OstrelItems, IndexesOutsideTheListRaiseTheListError) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  EXPECT_EQ(Items.GetFirstItem(), nullptr);
  EXPECT_EQ(Items.GetLastItem(), nullptr);
  EXPECT_THROW(Items.GetItemFromIndex(0), EListError);
  AddCards(Items, {"a", "b"});
  EXPECT_EQ(Name(Items.GetFirstItem()), "a");
  EXPECT_EQ(Name(Items.GetLastItem()), "b");
  EXPECT_THROW(Items.GetItemFromIndex(2), EListError);
  EXPECT_THROW(Items.GetItemFromIndex(-1), EListError);
  EXPECT_THROW(Items.SetItem(2, Items[0]), EListError);
}

TEST(OstrelItems, SetItemCopiesContentWithoutRelayout) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b"});
  Items[1]->GetSubItems()->Add("Phone=1");
  const int Before = Table.Invalidates;
  Items.SetItem(0, Items[1]);
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"b", "b"}));
  EXPECT_EQ(Items[0]->GetSubItems()->GetCount(), 1);
  EXPECT_EQ(Table.Invalidates, Before);
}

TEST(OstrelItems, BatchesNestAndTheLastEndUpdateRelayoutsOnce) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  const int Before = Table.Invalidates;
  Items.BeginUpdate();
  Items.BeginUpdate();
  AddCards(Items, {"a", "b"});
  Items[0]->Delete();
  Items[0]->Update();
  Items.EndUpdate();
  EXPECT_EQ(Table.Invalidates, Before);
  Items.EndUpdate();
  EXPECT_EQ(Table.Invalidates, Before + 1);
  Items.Add("c");  // outside a batch every change relayouts
  EXPECT_EQ(Table.Invalidates, Before + 2);
  Items[0]->Update();
  EXPECT_EQ(Table.Invalidates, Before + 3);
}

TEST(OstrelItems, EndUpdateNeverSorts) {
  TProbe Table;
  Table.SetSorted(true);
  TOstrelItems& Items = *Table.GetItems();
  Items.BeginUpdate();
  AddCards(Items, {"c", "a", "b"});
  Items.EndUpdate();
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"c", "a", "b"}));
  Items.Insert(0, "z");  // outside a batch an insert sorts, wherever it was put
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"a", "b", "c", "z"}));
}

// ------------------------------------------------------------------ deletion

TEST(OstrelItems, ACardOfAnotherListLeavesItsOwnList) {
  TProbe Table, Other;
  AddCards(*Table.GetItems(), {"a"});
  AddCards(*Other.GetItems(), {"x", "y"});
  Table.GetItems()->Delete(Other.GetItems()->GetItemFromIndex(0));
  EXPECT_EQ(Texts(*Other.GetItems()), (std::vector<std::string>{"y"}));
  EXPECT_EQ(Texts(*Table.GetItems()), (std::vector<std::string>{"a"}));
}

TEST(OstrelItems, APlainDeleteOfAListedCardRunsTheSameSteps) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b"});
  Table.SetSelected(Items[0]);
  RecordEvents(Table, Log);
  delete Items[0];
  EXPECT_EQ(Log, (TLog{"Changing null", "Change null", "Deletion a"}));
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"b"}));
  EXPECT_EQ(Name(Table.GetItemFocused()), "b");
}

TEST(OstrelItems, AThrowingDeletionHandlerStillDeletesTheCard) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b"});
  Table.SetSelected(Items[0]);
  Table.SetOnChange([](TObject*, TOstrelItem*) { throw std::runtime_error("change"); });
  Table.SetOnDeletion([](TObject*, TOstrelItem*) { throw std::runtime_error("deletion"); });
  const int Before = Table.Invalidates;
  try {
    Items[0]->Delete();
    ADD_FAILURE() << "nothing raised";
  } catch (const std::runtime_error& E) {
    EXPECT_STREQ(E.what(), "change");  // the first of the two
  }
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"b"}));
  EXPECT_EQ(Table.GetSelected(), nullptr);
  EXPECT_EQ(Name(Table.GetItemFocused()), "b");
  EXPECT_EQ(Table.Invalidates, Before + 1);
  Table.SetOnChange(nullptr);
  Table.SetOnDeletion(nullptr);
}

TEST(OstrelItems, HandlersThatDeleteTheCardBeingDeletedChangeNothing) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b"});
  Table.SetSelected(Items[0]);
  RecordEvents(Table, Log);
  Table.SetOnChanging([&](TObject*, TOstrelItem*, bool&) {
    Log.push_back("Changing");
    Items.Delete(Items.GetFirstItem());
  });
  Table.SetOnDeletion([&](TObject*, TOstrelItem* Item) {
    Log.push_back("Deletion " + Name(Item));
    Item->Delete();
  });
  Items[0]->Delete();
  EXPECT_EQ(Log, (TLog{"Changing", "Change null", "Deletion a"}));
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"b"}));
}

TEST(OstrelItems, AHandlerMayClearTheListWhileACardIsDeleted) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b", "c"});
  Table.SetSelected(Items[1]);
  RecordEvents(Table, Log);
  Table.SetOnChanging([&](TObject*, TOstrelItem*, bool&) {
    Log.push_back("Changing");
    Items.Clear();
  });
  Items[1]->Delete();
  // Clear deletes the others; the card whose deletion was running is notified once.
  EXPECT_EQ(Log, (TLog{"Changing", "Deletion a", "Deletion c", "Change null", "Deletion b"}));
  EXPECT_EQ(Items.GetCount(), 0);
  EXPECT_EQ(Table.GetSelected(), nullptr);
  EXPECT_EQ(Table.GetItemFocused(), nullptr);
  EXPECT_FALSE(Items.GetClearing());
  EXPECT_EQ(Items.GetUpdateCount(), 0);
}

TEST(OstrelItems, AHandlerMayDestroyTheControlWhileACardIsDeleted) {
  TLog Log;
  auto* Table = new TProbe;
  AddCards(*Table->GetItems(), {"a", "b", "c"});
  Table->SetOnDeletion([&](TObject* Sender, TOstrelItem* Item) {
    Log.push_back("Deletion " + Name(Item));
    if (Item->GetText() == "b") delete static_cast<TOstrel*>(Sender);
  });
  Table->GetItems()->GetItemFromIndex(1)->Delete();
  EXPECT_EQ(Log, (TLog{"Deletion b", "Deletion a", "Deletion c"}));
}

TEST(OstrelItems, AHandlerMayDestroyTheControlWhileTheListIsCleared) {
  for (const bool Throw : {false, true}) {
    SCOPED_TRACE(Throw ? "and throw" : "and return");
    TLog Log;
    auto* Table = new TProbe;
    AddCards(*Table->GetItems(), {"a", "b", "c"});
    Table->SetOnDeletion([&, Throw](TObject* Sender, TOstrelItem* Item) {
      Log.push_back("Deletion " + Name(Item));
      if (Item->GetText() != "a") return;
      delete static_cast<TOstrel*>(Sender);
      if (Throw) throw std::runtime_error("after destroying");
    });
    // The destroyed control deletes the rest; Clear reads nothing of the freed list.
    if (Throw) EXPECT_THROW(Table->GetItems()->Clear(), std::runtime_error);
    else Table->GetItems()->Clear();
    EXPECT_EQ(Log, (TLog{"Deletion a", "Deletion b", "Deletion c"}));
  }
}

// ------------------------------------------------------------------ Clear

TEST(OstrelItems, ClearNotifiesEachCardInOrderAndLeavesNoSelectionOrFocus) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b", "c"});
  Table.SetSelected(Items[1]);
  Table.SetFocused(Items[2]);
  RecordEvents(Table, Log);
  std::vector<int> CountsSeen;
  Table.SetOnDeletion([&](TObject*, TOstrelItem* Item) {
    Log.push_back("Deletion " + Name(Item));
    CountsSeen.push_back(Items.GetCount());
    EXPECT_TRUE(Items.GetClearing());
    EXPECT_EQ(Item->GetIndex(), -1);  // already out of the list
    for (int I = 0; I < Items.GetCount(); ++I) EXPECT_NE(Items[I], Item);
  });
  const int Before = Table.Invalidates;
  Items.Clear();
  EXPECT_EQ(Log, (TLog{"Deletion a", "Deletion b", "Deletion c"}));
  EXPECT_EQ(CountsSeen, (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(Items.GetCount(), 0);
  EXPECT_EQ(Table.GetSelected(), nullptr);
  EXPECT_EQ(Table.GetItemFocused(), nullptr);
  EXPECT_FALSE(Items.GetClearing());
  EXPECT_EQ(Table.Invalidates, Before + 1);
}

TEST(OstrelItems, ClearGoesOnPastThrowingHandlersAndRaisesTheFirstError) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b", "c", "d"});
  TLog Log;
  Table.SetOnDeletion([&](TObject*, TOstrelItem* Item) {
    Log.push_back(Item->GetText());
    if (Item->GetText() == "b" || Item->GetText() == "c") throw std::runtime_error(Item->GetText());
  });
  try {
    Items.Clear();
    ADD_FAILURE() << "nothing raised";
  } catch (const std::runtime_error& E) {
    EXPECT_STREQ(E.what(), "b");
  }
  EXPECT_EQ(Log, (TLog{"a", "b", "c", "d"}));
  EXPECT_EQ(Items.GetCount(), 0);
  EXPECT_FALSE(Items.GetClearing());
  EXPECT_EQ(Items.GetUpdateCount(), 0);
  Items.Add("after");  // the list works on as before
  EXPECT_EQ(Name(Table.GetItemFocused()), "after");
  Table.SetOnDeletion(nullptr);
}

TEST(OstrelItems, HandlersDuringClearMayChangeTheList) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b", "c", "d"});
  TLog Log;
  Table.SetOnDeletion([&](TObject*, TOstrelItem* Item) {
    Log.push_back(Item->GetText());
    if (Item->GetText() == "a") Items.Delete(Items.GetLastItem());  // d goes at once
    if (Item->GetText() == "b") Items.Insert(0, "new");
    if (Item->GetText() == "new") Items.Sort();
  });
  Items.Clear();
  EXPECT_EQ(Log, (TLog{"a", "d", "b", "new", "c"}));
  EXPECT_EQ(Items.GetCount(), 0);
}

// ------------------------------------------------------------------ Assign

TEST(OstrelItems, AssignCopiesEveryStoredFieldIntoNewCardsSorted) {
  TLog Log;
  TProbe Source, Target;
  AddCards(*Source.GetItems(), {"b", "a"});
  TOstrelItem* B = Source.GetItems()->GetItemFromIndex(0);
  B->SetHint("hint");
  B->SetShowHint(false);
  B->SetData(reinterpret_cast<void*>(5));
  B->GetSubItems()->Add("Phone=1");
  AddCards(*Target.GetItems(), {"old"});
  Target.SetSelected(Target.GetItems()->GetFirstItem());
  RecordEvents(Target, Log);

  Target.SetTableItems(Source.GetItems());
  EXPECT_EQ(Texts(*Target.GetItems()), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Log, (TLog{"Deletion old"}));  // Clear changes the selection without events
  EXPECT_EQ(Target.GetSelected(), nullptr);
  EXPECT_EQ(Name(Target.GetItemFocused()), "b");  // the first card read
  const TOstrelItem* Copy = Target.GetItems()->GetItemFromIndex(1);
  EXPECT_NE(Copy, B);
  EXPECT_EQ(Copy->GetHint(), "hint");
  EXPECT_FALSE(Copy->GetShowHint());
  EXPECT_TRUE(Copy->IsEqual(B));
  EXPECT_EQ(Target.GetItems()->GetUpdateCount(), 0);
}

TEST(OstrelItems, AssignToItselfKeepsTheContentInNewCards) {
  TLog Log;
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"b", "a"});
  // The old cards are deleted (their memory may well hold the new ones, so addresses say
  // nothing).
  Table.SetOnDeletion([&Log](TObject*, TOstrelItem* Item) { Log.push_back("Deletion " + Name(Item)); });
  Items.Assign(&Items);
  EXPECT_EQ(Texts(Items), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Log, (TLog{"Deletion b", "Deletion a"}));
}

TEST(OstrelItems, AssignFromAnythingElseFailsAndChangesNothing) {
  TProbe Table;
  AddCards(*Table.GetItems(), {"a"});
  TStringList Strings;
  EXPECT_THROW(Table.GetItems()->Assign(&Strings), EConvertError);
  EXPECT_THROW(Table.GetItems()->Assign(nullptr), EConvertError);
  EXPECT_EQ(Texts(*Table.GetItems()), (std::vector<std::string>{"a"}));
}

TEST(OstrelItems, DestroyingTheControlNotifiesEveryCardInOrder) {
  TLog Log;
  std::vector<int> CountsSeen;
  {
    TProbe Table;
    AddCards(*Table.GetItems(), {"a", "b", "c"});
    Table.SetOnDeletion([&](TObject* Sender, TOstrelItem* Item) {
      Log.push_back("Deletion " + Name(Item));
      CountsSeen.push_back(static_cast<TOstrel*>(Sender)->GetItems()->GetCount());
    });
  }
  EXPECT_EQ(Log, (TLog{"Deletion a", "Deletion b", "Deletion c"}));
  EXPECT_EQ(CountsSeen, (std::vector<int>{2, 1, 0}));
}

}  // namespace
}  // namespace ostrel_test

namespace ostrel_test {
namespace {

// Every card's index is its place in the list, however the list moved it since the card was
// last asked.
void ExpectIndexesMatchPlaces(const TOstrelItems& Items, const std::string& After) {
  for (int I = 0; I < Items.GetCount(); ++I) ASSERT_EQ(Items[I]->GetIndex(), I) << "after " << After;
}

TEST(OstrelItems, IndexesFollowEveryChangeOfTheList) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  for (int I = 0; I < 40; ++I) Items.Add("card " + std::to_string(39 - I));
  struct TStep {
    const char* Name;
    std::function<void()> Change;
  };
  const TStep Steps[] = {
      {"an insert at the front", [&] { Items.Insert(0, "front"); }},
      {"an insert in the middle", [&] { Items.Insert(20, "middle"); }},
      {"an append", [&] { Items.Add("back"); }},
      {"deleting the first card", [&] { Items[0]->Delete(); }},
      {"deleting a card in the middle", [&] { Items[17]->Delete(); }},
      {"deleting the last card", [&] { Items.GetLastItem()->Delete(); }},
      {"a sort", [&] { Items.Sort(); }},
      {"inserts inside a batch", [&] {
         Items.BeginUpdate();
         for (int I = 0; I < 5; ++I) Items.Insert(I * 7, "batch " + std::to_string(I));
         Items.EndUpdate();
       }},
  };
  ExpectIndexesMatchPlaces(Items, "adding");
  for (const TStep& Step : Steps) {
    Step.Change();
    ExpectIndexesMatchPlaces(Items, Step.Name);
  }
  TOstrelItem* Deleted = Items[3];
  TOstrelItem* Survivor = Items[4];
  ASSERT_EQ(Survivor->GetIndex(), 4);
  Deleted->Delete();
  EXPECT_EQ(Survivor->GetIndex(), 3);
}

TEST(OstrelItems, IndexesDuringClearCountOnlyTheCardsStillToCome) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b", "c", "d"});
  TOstrelItem* Last = Items[3];
  ASSERT_EQ(Last->GetIndex(), 3);
  std::vector<int> Seen;
  Table.SetOnDeletion([&](TObject*, TOstrelItem* Item) {
    if (Item != Last) Seen.push_back(Last->GetIndex());
    EXPECT_EQ(Item->GetIndex(), -1) << "a card that left the list has no index";
  });
  Items.Clear();
  EXPECT_EQ(Seen, (std::vector<int>{2, 1, 0}));
}

}  // namespace
}  // namespace ostrel_test
