// Sorting by the keys of OnItemSortKey: once per card, ties in any order, and a handler
// that fails or changes the list leaves every card where it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "OstrelProbe.h"

namespace ostrel_test {
namespace {

using TTexts = std::vector<std::string>;

// A key with zero bytes and few distinct values, so that many cards tie: the card's number
// modulo 97, as two bytes, high first.
AnsiString KeyOfNumber(const std::string& Text) {
  const int Value = std::stoi(Text) % 97;
  return AnsiString{static_cast<char>(Value / 8), static_cast<char>(Value % 8)};
}

TEST(OstrelKeySort, CardsGoInTheOrderOfTheirKeysEachMadeOnce) {
  TProbe Table;
  TTexts Expected;
  Table.GetItems()->BeginUpdate();
  for (int I = 0; I < 5000; ++I) {
    Expected.push_back(std::to_string(I * 7919 % 5000));
    Table.GetItems()->Add(Expected.back());
  }
  Table.GetItems()->EndUpdate();
  int Made = 0;
  bool SenderRight = true, StartsEmpty = true;
  Table.SetOnItemSortKey([&](TObject* Sender, TOstrelItem* Item, AnsiString& Key) {
    ++Made;
    SenderRight = SenderRight && Sender == &Table;
    StartsEmpty = StartsEmpty && Key.empty();
    Key = KeyOfNumber(Item->GetText());
  });
  // The keys decide, whatever CustomSort and OnSortItems say.
  Table.SetCustomSort(true);
  Table.SetOnSortItems([](TObject*, TOstrelItem*, TOstrelItem*, int&) { throw std::logic_error("compared"); });
  Table.GetItems()->Sort();
  EXPECT_EQ(Made, 5000);
  EXPECT_TRUE(SenderRight);
  EXPECT_TRUE(StartsEmpty);
  const TTexts After = Texts(*Table.GetItems());
  EXPECT_TRUE(std::is_sorted(After.begin(), After.end(), [](const std::string& A, const std::string& B) {
    return KeyOfNumber(A) < KeyOfNumber(B);
  }));
  TTexts Kept = After;
  std::sort(Kept.begin(), Kept.end());
  std::sort(Expected.begin(), Expected.end());
  EXPECT_EQ(Kept, Expected) << "every card once";
}

// The text up to its last byte: the digits and dots after it tie.
void KeyOfAllButLast(TObject*, TOstrelItem* Item, AnsiString& Key) {
  const AnsiString Text = Item->GetText();
  Key = Text.substr(0, Text.empty() ? 0 : Text.size() - 1);
}

// A list in the keys' order stays exactly as it is, ties too; one out of order is sorted,
// a short key before a longer one that it begins.
TEST(OstrelKeySort, AListInOrderStaysAsItIs) {
  struct TRow {
    std::initializer_list<const char*> Cards;
    bool InOrder;
  };
  const TRow Rows[] = {
      {{"a2", "a1", "b1", "b0"}, true},
      {{"", "a.", "ab.", "b."}, true},
      {{"b1", "a2", "a1"}, false},
      {{"ab.", "b.", "a.", ""}, false},
  };
  for (const TRow& Row : Rows) {
    TProbe Table;
    AddCards(*Table.GetItems(), Row.Cards);
    Table.SetOnItemSortKey(KeyOfAllButLast);
    Table.GetItems()->Sort();
    const TTexts Before(Row.Cards.begin(), Row.Cards.end()), After = Texts(*Table.GetItems());
    if (Row.InOrder) {
      EXPECT_EQ(After, Before);
    }
    auto KeyOf = [](const std::string& Text) { return Text.substr(0, Text.empty() ? 0 : Text.size() - 1); };
    EXPECT_TRUE(std::is_sorted(After.begin(), After.end(), [&](auto& A, auto& B) { return KeyOf(A) < KeyOf(B); }));
    EXPECT_TRUE(std::is_permutation(After.begin(), After.end(), Before.begin(), Before.end()));
  }
}

// Nothing moves before every key is made: a handler that throws, or that adds or deletes a
// card, leaves the cards in their places, and the list sorts afterwards.
TEST(OstrelKeySort, AFailingOrChangingHandlerLeavesTheCardsInPlace) {
  struct TRow {
    const char* What;
    std::function<void(TOstrel&, TOstrelItem*)> Act;
    bool Refused;  // EListError rather than the handler's own
    int CardsLeft;
  };
  const TRow Rows[] = {
      {"throws", [](TOstrel&, TOstrelItem*) { throw std::runtime_error("key"); }, false, 4},
      {"deletes", [](TOstrel&, TOstrelItem* Item) { Item->Delete(); }, true, 4},
      {"adds", [](TOstrel& Table, TOstrelItem*) { Table.GetItems()->Add("x"); }, true, 4},
      {"clears", [](TOstrel& Table, TOstrelItem*) { Table.GetItems()->Clear(); }, true, 4},
      // A plain delete cannot be refused: the sort stops with the card gone and the rest kept.
      {"frees", [](TOstrel&, TOstrelItem* Item) { delete Item; }, true, 3},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.What);
    TProbe Table;
    AddCards(*Table.GetItems(), {"d", "c", "b", "a"});
    int Calls = 0;
    Table.SetOnItemSortKey([&](TObject*, TOstrelItem* Item, AnsiString& Key) {
      Key = Item->GetText();
      if (++Calls == 3) Row.Act(Table, Item);
    });
    if (Row.Refused) {
      EXPECT_THROW(Table.GetItems()->Sort(), EListError);
    } else {
      EXPECT_THROW(Table.GetItems()->Sort(), std::runtime_error);
    }
    TTexts Expected{"d", "c", "b", "a"};
    if (Row.CardsLeft == 3) Expected.erase(Expected.begin() + 2);
    EXPECT_EQ(Texts(*Table.GetItems()), Expected);
    Calls = 100;  // the handler no longer acts
    Table.GetItems()->Sort();
    std::reverse(Expected.begin(), Expected.end());
    EXPECT_EQ(Texts(*Table.GetItems()), Expected);
    EXPECT_NO_THROW(Table.GetItems()->Add("e"));
  }
}

// While Sorted, a new caption takes its place by the keys.
TEST(OstrelKeySort, SortedKeepsTheKeysOrderAsCaptionsChange) {
  TProbe Table;
  AddCards(*Table.GetItems(), {"3", "1", "2"});
  Table.SetOnItemSortKey([](TObject*, TOstrelItem* Item, AnsiString& Key) {
    Key = std::to_string(9 - std::stoi(Item->GetText()));  // descending
  });
  Table.SetSorted(true);
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"3", "2", "1"}));
  Table.GetItems()->GetItemFromIndex(2)->SetText("4");
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"4", "3", "2"}));
  Table.GetItems()->Add("0");
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"4", "3", "2", "0"}));
}

}  // namespace
}  // namespace ostrel_test
