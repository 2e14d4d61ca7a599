// Sorting by text and through OnSortItems, and when the list sorts at all.

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "OstrelProbe.h"

namespace ostrel_test {
namespace {

using TTexts = std::vector<std::string>;

TTexts SortedByText(std::initializer_list<const char*> Cards) {
  TProbe Table;
  AddCards(*Table.GetItems(), Cards);
  Table.GetItems()->Sort();
  return Texts(*Table.GetItems());
}

TEST(OstrelSort, TextComparesBytesWithoutCaseOrLocale) {
  EXPECT_EQ(SortedByText({"b", "B", "a"}), (TTexts{"B", "a", "b"}));
  EXPECT_EQ(SortedByText({"adam", "Zoe"}), (TTexts{"Zoe", "adam"}));
  EXPECT_EQ(SortedByText({"Anna", "Ann", ""}), (TTexts{"", "Ann", "Anna"}));
  // Bytes compare unsigned: UTF-8 lead bytes sort after every ASCII letter.
  EXPECT_EQ(SortedByText({"\xC3\x89mile", "zed", "Emile"}), (TTexts{"Emile", "zed", "\xC3\x89mile"}));
}

TEST(OstrelSort, CustomSortWithoutHandlerSortsByText) {
  TProbe Table;
  Table.SetCustomSort(true);
  AddCards(*Table.GetItems(), {"c", "a", "b"});
  Table.GetItems()->Sort();
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"a", "b", "c"}));
}

TEST(OstrelSort, TheHandlerDecidesWithCustomSort) {
  TProbe Table;
  AddCards(*Table.GetItems(), {"ccc", "a", "bb", "dddd"});
  bool SenderRight = true;
  bool StartsAtZero = true;
  Table.SetOnSortItems([&](TObject* Sender, TOstrelItem* Item1, TOstrelItem* Item2, int& CompareResult) {
    SenderRight = SenderRight && Sender == &Table;
    StartsAtZero = StartsAtZero && CompareResult == 0;
    CompareResult = static_cast<int>(Item2->GetText().size()) - static_cast<int>(Item1->GetText().size());
  });
  Table.GetItems()->Sort();  // CustomSort is off: by text
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"a", "bb", "ccc", "dddd"}));
  Table.SetCustomSort(true);  // changing it does not sort
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"a", "bb", "ccc", "dddd"}));
  Table.GetItems()->Sort();
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"dddd", "ccc", "bb", "a"}));
  EXPECT_TRUE(SenderRight);
  EXPECT_TRUE(StartsAtZero);
}

// A list whose cards the handler finds in order is only looked over, one comparison for
// each neighbouring pair; a pair out of order sorts.
TEST(OstrelSort, CardsAlreadyInOrderAreLookedOverOnce) {
  struct TRow {
    std::initializer_list<const char*> Cards;
    bool LookedOverOnly;
    TTexts After;
  };
  const TRow Rows[] = {
      {{"a", "b", "c", "d", "e", "f"}, true, {"a", "b", "c", "d", "e", "f"}},
      {{"a", "b", "d", "c", "e", "f"}, false, {"a", "b", "c", "d", "e", "f"}},
      {{"f", "e", "d", "c", "b", "a"}, false, {"a", "b", "c", "d", "e", "f"}},
      // Cards that compare equal may stay as they are.
      {{"a", "b", "b", "c"}, true, {"a", "b", "b", "c"}},
      {{"a", "c", "b", "b"}, false, {"a", "b", "b", "c"}},
  };
  for (const TRow& Row : Rows) {
    TProbe Table;
    Table.SetCustomSort(true);
    AddCards(*Table.GetItems(), Row.Cards);
    int Comparisons = 0;
    Table.SetOnSortItems([&](TObject*, TOstrelItem* Item1, TOstrelItem* Item2, int& CompareResult) {
      ++Comparisons;
      CompareResult = Item1->GetText().compare(Item2->GetText());
    });
    Table.GetItems()->Sort();
    EXPECT_EQ(Texts(*Table.GetItems()), Row.After);
    EXPECT_EQ(Comparisons == static_cast<int>(Row.Cards.size()) - 1, Row.LookedOverOnly) << Comparisons;
  }
}

// Whatever a handler answers, the sort ends and keeps every card once.
TEST(OstrelSort, InconsistentOrSilentHandlersKeepEveryCard) {
  TProbe Table;
  Table.SetCustomSort(true);
  TTexts Expected;
  for (int I = 0; I < 200; ++I) {
    Expected.push_back(std::to_string(I));
    Table.GetItems()->Add(Expected.back());
  }
  std::sort(Expected.begin(), Expected.end());
  unsigned State = 12345;
  for (auto Handler : {TOstrelSortItemsEvent([&](TObject*, TOstrelItem*, TOstrelItem*, int& R) {
                         State = State * 1103515245u + 12345u;
                         R = static_cast<int>(State >> 16) % 3 - 1;
                       }),
                       TOstrelSortItemsEvent([](TObject*, TOstrelItem*, TOstrelItem*, int&) {})}) {
    Table.SetOnSortItems(Handler);
    Table.GetItems()->Sort();
    TTexts After = Texts(*Table.GetItems());
    std::sort(After.begin(), After.end());
    EXPECT_EQ(After, Expected);
  }
}

TEST(OstrelSort, AThrowingHandlerLeavesEveryCardAndTheListUsable) {
  TProbe Table;
  Table.SetCustomSort(true);
  AddCards(*Table.GetItems(), {"c", "a", "b", "d"});
  Table.SetOnSortItems([](TObject*, TOstrelItem*, TOstrelItem*, int&) { throw std::runtime_error("compare"); });
  EXPECT_THROW(Table.GetItems()->Sort(), std::runtime_error);
  TTexts After = Texts(*Table.GetItems());
  std::sort(After.begin(), After.end());
  EXPECT_EQ(After, (TTexts{"a", "b", "c", "d"}));
  Table.SetCustomSort(false);
  Table.GetItems()->Sort();
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"a", "b", "c", "d"}));
}

TEST(OstrelSort, AHandlerCannotAddOrDeleteCardsWhileTheListSorts) {
  TProbe Table;
  Table.SetCustomSort(true);
  AddCards(*Table.GetItems(), {"c", "a", "b"});
  int Refused = 0;
  Table.SetOnSortItems([&](TObject*, TOstrelItem* Item1, TOstrelItem*, int& R) {
    for (auto Change : {std::function<void()>([&] { Item1->Delete(); }),
                        std::function<void()>([&] { Table.GetItems()->Add("x"); }),
                        std::function<void()>([&] { Table.GetItems()->Clear(); })}) {
      try {
        Change();
      } catch (const EListError&) {
        ++Refused;
      }
    }
    R = CompareStr(Item1->GetText(), "b");
  });
  Table.GetItems()->Sort();
  EXPECT_GT(Refused, 0);
  EXPECT_EQ(Refused % 3, 0);
  EXPECT_EQ(Table.GetItems()->GetCount(), 3);
}

TEST(OstrelSort, SetTextSortsEvenInsideABatchButRelayoutsOnlyAtItsEnd) {
  TProbe Table;
  Table.SetSorted(true);
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"a", "b", "c"});
  Items.BeginUpdate();
  const int Before = Table.Invalidates;
  Items[0]->SetText("z");
  EXPECT_EQ(Texts(Items), (TTexts{"b", "c", "z"}));
  EXPECT_EQ(Table.Invalidates, Before);
  Items.EndUpdate();
  EXPECT_EQ(Table.Invalidates, Before + 1);
}

TEST(OstrelSort, SortedSortsAtOnceAndTurningItOffKeepsTheOrder) {
  TProbe Table;
  TOstrelItems& Items = *Table.GetItems();
  AddCards(Items, {"b", "c", "a"});
  Table.SetSorted(true);
  EXPECT_EQ(Texts(Items), (TTexts{"a", "b", "c"}));
  Table.SetSorted(false);
  Items.Add("0");
  EXPECT_EQ(Texts(Items), (TTexts{"a", "b", "c", "0"}));
  Items[0]->SetText("zz");  // unsorted: the card stays where it is
  EXPECT_EQ(Texts(Items), (TTexts{"zz", "b", "c", "0"}));
}

}  // namespace
}  // namespace ostrel_test
