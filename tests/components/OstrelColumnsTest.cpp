// The layout engine on its own: a relayout after one change must leave every card where a
// full layout puts it, stop as soon as nothing further moves, and refuse what it cannot
// localise.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "OstrelColumns.h"

namespace {

using ostrel::TCardColumns;

constexpr TCardColumns::TMetrics Metrics{6, 194};

struct TPlace {
  int Column;
  long long Top;
  bool operator==(const TPlace&) const = default;
};

// Heights of some cards, and where the last pass put them.
struct TCards {
  std::vector<int> Heights;
  std::vector<TPlace> Places;
  int Asked = 0;  // heights asked in the last pass

  auto Height() {
    return [this](int I) -> std::optional<int> {
      ++Asked;
      return Heights[static_cast<std::size_t>(I)];
    };
  }
  auto Place() {
    return [this](int I, int Column, long long Top) { Places[static_cast<std::size_t>(I)] = TPlace{Column, Top}; };
  }
  void LayOut(TCardColumns& Columns) {
    Places.assign(Heights.size(), TPlace{-1, -1});
    Asked = 0;
    ASSERT_TRUE(Columns.LayOut(static_cast<int>(Heights.size()), Metrics, Height(), Place()));
  }
};

// Heights 16 to 96, the same pseudo-random ones on every run: columns of two to eight cards.
TCards MakeCards(int Count) {
  TCards Cards;
  unsigned long long State = 12345;
  for (int I = 0; I < Count; ++I) {
    State = (State * 1103515245 + 12345) % (1ull << 31);
    Cards.Heights.push_back(16 + 16 * static_cast<int>((State >> 16) % 6));
  }
  return Cards;
}

std::vector<int> StartsOf(const TCardColumns& Columns) {
  std::vector<int> Starts;
  for (int C = 0; C < Columns.ColumnCount(); ++C) Starts.push_back(Columns.Start(C));
  return Starts;
}

struct TChangeRow {
  const char* Name;
  int At;
  int Removed;
  int Inserted;
  int NewHeight;  // of an inserted or changed card
  bool Stops;     // whether the columns after the change come back to where they started
};

TEST(CardColumns, ARelayoutAfterOneChangeEqualsAFullLayout) {
  const TChangeRow Rows[] = {
      {"insert at the front", 0, 0, 1, 40, true},
      {"insert in the middle", 150, 0, 1, 16, true},
      {"insert of a tall card in the middle, which renumbers every column after it", 151, 0, 1, 300, true},
      {"append", 300, 0, 1, 60, true},
      {"delete the first card", 0, 1, 0, 0, true},
      {"delete in the middle", 149, 1, 0, 0, true},
      {"delete the last card", 299, 1, 0, 0, true},
      {"a card grows, and every column after it is renumbered", 120, 1, 1, 176, true},
      {"a card shrinks", 121, 1, 1, 16, true},
      {"the first card shrinks", 0, 1, 1, 16, true},
  };
  for (const TChangeRow& Row : Rows) {
    TCards Cards = MakeCards(300);
    TCardColumns Columns;
    Cards.LayOut(Columns);
    const std::vector<TPlace> Old = Cards.Places;
    const auto First = Cards.Heights.begin() + Row.At;
    Cards.Heights.erase(First, First + Row.Removed);
    Cards.Heights.insert(Cards.Heights.begin() + Row.At, static_cast<std::size_t>(Row.Inserted), Row.NewHeight);
    // Unchanged cards keep their old places unless the relayout moves them.
    std::vector<TPlace> Places(Old.begin(), Old.begin() + Row.At);
    Places.insert(Places.end(), static_cast<std::size_t>(Row.Inserted), TPlace{-1, -1});
    Places.insert(Places.end(), Old.begin() + Row.At + Row.Removed, Old.end());
    Cards.Places = Places;
    Columns.Changed(Row.At, Row.Removed, Row.Inserted);
    ASSERT_TRUE(Columns.CanRelayout(Metrics)) << Row.Name;
    EXPECT_FALSE(Columns.Current()) << Row.Name << ": not to be trusted before the relayout";
    Cards.Asked = 0;
    const auto Moved = Columns.Relayout(static_cast<int>(Cards.Heights.size()), Cards.Height(), Cards.Place());
    ASSERT_TRUE(Moved) << Row.Name;
    EXPECT_TRUE(Columns.Current()) << Row.Name;
    // The columns after the stop keep their cards and tops under shifted numbers.
    if (Moved->Renumbered < Columns.ColumnCount())
      for (std::size_t I = static_cast<std::size_t>(Columns.Start(Moved->Renumbered)); I < Cards.Places.size(); ++I)
        Cards.Places[I].Column += Moved->Shift;
    const std::vector<TPlace> Incremental = Cards.Places;
    // The engine works out the same places from its own heights.
    for (int I = 0; I < Columns.CardCount(); ++I) {
      const auto Place = Columns.PlaceOf(I);
      ASSERT_EQ((TPlace{Place.Column, Place.Top}), Incremental[static_cast<std::size_t>(I)]) << Row.Name << ", card " << I;
    }
    const std::vector<int> IncrementalStarts = StartsOf(Columns);
    const int Asked = Cards.Asked;

    TCardColumns Full;
    Cards.LayOut(Full);
    EXPECT_EQ(Incremental, Cards.Places) << Row.Name;
    EXPECT_EQ(IncrementalStarts, StartsOf(Full)) << Row.Name;
    EXPECT_EQ(Columns.CardCount(), Full.CardCount()) << Row.Name;
    if (Row.Stops) {
      EXPECT_LT(Asked, 20) << Row.Name << ": the relayout stops a few columns after the change";
    }
    // The columns reported as moved hold every card whose place changed.
    for (std::size_t I = 0; I < Places.size(); ++I)
      if (!(Places[I] == Cards.Places[I])) {
        const int Column = Cards.Places[I].Column;
        EXPECT_TRUE((Column >= Moved->First && Column <= Moved->Last) || Column >= Moved->Renumbered)
            << Row.Name << ": card " << I << " moved in column " << Column;
      }
  }
}

TEST(CardColumns, WhatCannotBeLocalisedNeedsAFullLayout) {
  struct TRow {
    const char* Name;
    void (*Change)(TCardColumns&);
    std::optional<TCardColumns::TMetrics> Other;
  };
  const TRow Rows[] = {
      {"two changes", [](TCardColumns& C) { C.Changed(3, 0, 1), C.Changed(8, 1, 0); }, std::nullopt},
      {"a change that cannot be localised", [](TCardColumns& C) { C.Forget(); }, std::nullopt},
      {"one change, and then a forgotten one", [](TCardColumns& C) { C.Changed(3, 0, 1), C.Forget(); }, std::nullopt},
      {"no change at all", [](TCardColumns&) {}, std::nullopt},
      {"one change under another client height", [](TCardColumns& C) { C.Changed(3, 0, 1); },
       TCardColumns::TMetrics{6, 294}},
  };
  for (const TRow& Row : Rows) {
    TCards Cards = MakeCards(40);
    TCardColumns Columns;
    Cards.LayOut(Columns);
    Row.Change(Columns);
    EXPECT_FALSE(Columns.CanRelayout(Row.Other.value_or(Metrics))) << Row.Name;
  }
  TCardColumns Never;
  Never.Changed(0, 0, 1);
  EXPECT_FALSE(Never.CanRelayout(Metrics)) << "nothing laid out yet";
  EXPECT_FALSE(Never.Current());
}

TEST(CardColumns, AnAbandonedPassLeavesTheColumnsOutOfDate) {
  TCards Cards = MakeCards(40);
  TCardColumns Columns;
  auto GiveUpAt = [](int Stop) { return [Stop](int I) -> std::optional<int> { return I == Stop ? std::nullopt : std::optional(30); }; };
  auto Ignore = [](int, int, long long) {};
  EXPECT_FALSE(Columns.LayOut(40, Metrics, GiveUpAt(12), Ignore));
  EXPECT_FALSE(Columns.Current());
  Cards.LayOut(Columns);
  Columns.Changed(20, 1, 0);
  EXPECT_FALSE(Columns.Relayout(39, GiveUpAt(20), Ignore));  // the first card after the change
  EXPECT_FALSE(Columns.Current());
  EXPECT_FALSE(Columns.CanRelayout(Metrics));
}

TEST(CardColumns, ColumnsOfCardsAndEmptyLists) {
  TCards Cards;
  Cards.Heights = {80, 80, 100, 20, 200, 10};  // columns: 0-1, 2-3, 4, 5
  TCardColumns Columns;
  Cards.LayOut(Columns);
  EXPECT_EQ(StartsOf(Columns), (std::vector<int>{0, 2, 4, 5}));
  EXPECT_EQ(Columns.End(3), 6);
  const int Expected[] = {0, 0, 1, 1, 2, 3};
  for (int I = 0; I < 6; ++I) EXPECT_EQ(Columns.ColumnOf(I), Expected[I]) << "card " << I;
  // Deleting every card one by one ends in no columns at all.
  for (int Count = 5; Count >= 0; --Count) {
    Columns.Changed(0, 1, 0);
    Cards.Heights.erase(Cards.Heights.begin());
    ASSERT_TRUE(Columns.Relayout(Count, Cards.Height(), Cards.Place()));
  }
  EXPECT_EQ(Columns.ColumnCount(), 0);
  EXPECT_EQ(Columns.CardCount(), 0);
  // And adding to an empty list starts column 0 again.
  Columns.Changed(0, 0, 1);
  Cards.Heights = {50};
  Cards.Places.assign(1, TPlace{-1, -1});
  ASSERT_TRUE(Columns.Relayout(1, Cards.Height(), Cards.Place()));
  EXPECT_EQ(StartsOf(Columns), (std::vector<int>{0}));
  EXPECT_EQ(Cards.Places[0], (TPlace{0, 6}));
}

}  // namespace
