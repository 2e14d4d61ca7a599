// Which cards of a column keep their pixels through a relayout: those that stood in the same
// column with the same height and only moved up or down, in blocks that moved alike, never
// the changed cards, and never two blocks whose moves would read each other's rows.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "OstrelSlides.h"

namespace {

using ostrel::TCardColumns;
using ostrel::TCardRow;
using ostrel::TSlide;

struct TSlidesRow {
  const char* Name;
  std::vector<TCardRow> Before;
  std::vector<TCardRow> After;
  int ChangedFrom;
  int ChangedTo;
  std::vector<TSlide> Expected;
};

TEST(Slides, BlocksOfCardsThatOnlyMovedUpOrDown) {
  const TSlidesRow Rows[] = {
      {"the first card grew: the cards below move down as one block",
       {{0, 6, 50}, {1, 62, 40}, {2, 108, 30}},
       {{0, 6, 66}, {1, 78, 40}, {2, 124, 30}},
       0, 1, {{78, 154, 16}}},
      {"a card came in at the top and one left at the bottom",
       {{5, 6, 40}, {6, 52, 40}, {7, 98, 40}},
       {{4, 6, 40}, {5, 52, 40}, {6, 98, 40}},
       100, 101, {{52, 138, 46}}},
      {"a changed card in the middle: the cards above stay, those below move",
       {{0, 6, 40}, {1, 52, 40}, {2, 98, 40}},
       {{0, 6, 40}, {1, 52, 56}, {2, 114, 40}},
       1, 2, {{6, 46, 0}, {114, 154, 16}}},
      {"a card now of another height is painted, though no change named it",
       {{0, 6, 40}, {1, 52, 40}},
       {{0, 6, 40}, {1, 52, 50}},
       9, 10, {{6, 46, 0}}},
      {"a removed card is passed over, and the cards after it move up",
       {{3, 6, 40}, {-1, 52, 40}, {4, 98, 40}},
       {{3, 6, 40}, {4, 52, 40}},
       9, 9, {{6, 46, 0}, {52, 92, -46}}},
      {"a block whose move would read the rows of the block above is painted",
       {{0, 6, 40}, {2, 52, 40}},
       {{0, 60, 40}, {1, 106, 10}, {2, 122, 40}},
       1, 2, {{60, 100, 54}}},
      {"cards of negative height never keep pixels",
       {{0, 6, -10}, {1, 2, 40}},
       {{0, 6, -10}, {1, 2, 40}},
       9, 10, {{2, 42, 0}}},
      {"cards of no height keep nothing",
       {{0, 6, 0}, {1, 6, 0}},
       {{0, 10, 0}, {1, 10, 0}},
       9, 10, {}},
      {"a card in another column before is new here", {}, {{0, 6, 40}}, 9, 10, {}},
  };
  for (const TSlidesRow& Row : Rows)
    EXPECT_EQ(ostrel::Slides(Row.Before, Row.After, Row.ChangedFrom, Row.ChangedTo), Row.Expected) << Row.Name;
}

// Columns of 40-pixel cards, 6 apart: four cards a column in a client of 194 rows.
TCardColumns LaidOut(int Count) {
  TCardColumns Columns;
  EXPECT_TRUE(Columns.LayOut(Count, TCardColumns::TMetrics{6, 194}, [](int) { return std::optional<int>(40); },
                             [](int, int, long long) {}));
  return Columns;
}

TEST(ColumnRows, TakesTheCardsAboveTheBottomCountedAsTheListCountsThemNow) {
  TCardColumns Columns = LaidOut(12);
  ostrel::TColumnRows Rows;
  Columns.Changed(4, 1, 0);  // the first card of column 1 was deleted
  Rows.Add(Columns, 1, 100);
  ASSERT_TRUE(Rows.Has(1));
  EXPECT_FALSE(Rows.Has(0));
  const std::vector<std::pair<int, long long>> Expected{{-1, 6}, {4, 52}, {5, 98}};
  std::vector<std::pair<int, long long>> Taken;
  for (const TCardRow& Row : Rows.Of(1)) Taken.emplace_back(Row.Index, Row.Top);
  EXPECT_EQ(Taken, Expected) << "the card at 144 starts below the bottom";
  EXPECT_TRUE(Rows.Of(2).empty());
}

TEST(ColumnRows, AColumnOfTooManyCardsIsNotTaken) {
  const int Count = static_cast<int>(ostrel::TColumnRows::MaxRows) + 1;
  TCardColumns Columns;
  // Cards of no height without a border all stand at the top of one column.
  ASSERT_TRUE(Columns.LayOut(Count, TCardColumns::TMetrics{0, 100}, [](int) { return std::optional<int>(0); },
                             [](int, int, long long) {}));
  ASSERT_EQ(Columns.ColumnCount(), 1);
  ostrel::TColumnRows Rows;
  Rows.Add(Columns, 0, 100);
  EXPECT_FALSE(Rows.Has(0));
  EXPECT_TRUE(Rows.Of(0).empty());
}

}  // namespace
