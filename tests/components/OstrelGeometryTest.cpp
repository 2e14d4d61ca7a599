// The arithmetic that lets hit tests and painting look at the columns in view only: its
// answers must agree with trying every column, whatever the scroll position and direction.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "OstrelGeometry.h"

using namespace ostrel;
using vcl::TRect;

namespace {

TCardGeometry Geometry(int ColumnWidth, int BorderWidth, int TotalWidth, int ScrollPos, bool RightToLeft) {
  TCardGeometry G;
  G.ColumnWidth = ColumnWidth;
  G.BorderWidth = BorderWidth;
  G.TotalWidth = TotalWidth;
  G.ScrollPos = ScrollPos;
  G.RightToLeft = RightToLeft;
  return G;
}

struct TCase {
  int ColumnWidth, BorderWidth, ScrollPos;
  bool RightToLeft;
};

// Readable case names in test listings: width, border, position and direction.
void PrintTo(const TCase& C, std::ostream* Out) {
  *Out << "w" << C.ColumnWidth << "_b" << C.BorderWidth << "_pos" << C.ScrollPos << (C.RightToLeft ? "_rtl" : "_ltr");
}

constexpr int Columns = 9;
constexpr int ClientWidth = 300;

class ColumnArithmetic : public ::testing::TestWithParam<TCase> {
protected:
  TCardGeometry G() const {
    const TCase& C = GetParam();
    const int Total = Columns * C.ColumnWidth + 2 * C.BorderWidth * (Columns + 1);
    return Geometry(C.ColumnWidth, C.BorderWidth, Total, C.ScrollPos, C.RightToLeft);
  }
};

TEST_P(ColumnArithmetic, ColumnAtFindsTheOnlyColumnUnderEveryX) {
  const TCardGeometry Geo = G();
  for (int X = -150; X < ClientWidth + 150; ++X) {
    std::optional<int> Expected;
    for (int C = -20; C < Columns + 20; ++C) {
      const int Left = Geo.ColumnLeft(C);
      if (X >= Left && X < Left + Geo.ColumnWidth) Expected = C;
    }
    ASSERT_EQ(Geo.ColumnAt(X), Expected) << "x " << X;
  }
}

TEST_P(ColumnArithmetic, ColumnsInViewAreExactlyTheColumnsThatReachTheClientArea) {
  const TCardGeometry Geo = G();
  const TCardGeometry::TSpan Span = Geo.ColumnsInView(ClientWidth);
  for (int C = -5; C < Columns + 5; ++C) {
    const int Left = Geo.ColumnLeft(C);
    const bool Reaches = Left + Geo.ColumnWidth >= 0 && Left <= ClientWidth;
    EXPECT_EQ(C >= Span.First && C <= Span.Last, Reaches) << "column " << C;
  }
}

TEST_P(ColumnArithmetic, DividersInViewAreExactlyThoseInsideTheClientArea) {
  const TCardGeometry Geo = G();
  const TCardGeometry::TSpan Span = Geo.DividersInView(ClientWidth);
  for (int K = -5; K < Columns + 6; ++K) {
    const int X = Geo.DividerX(K);
    EXPECT_EQ(K >= Span.First && K <= Span.Last, X >= 0 && X < ClientWidth) << "divider " << K;
  }
}

INSTANTIATE_TEST_SUITE_P(ScrollPositionsAndDirections, ColumnArithmetic,
                         ::testing::Values(TCase{100, 6, 0, false}, TCase{100, 6, 48, false},
                                           TCase{100, 6, 111, false}, TCase{100, 6, 112, false},
                                           TCase{42, 0, 17, false}, TCase{40, 13, 300, false},
                                           TCase{100, 6, 0, true}, TCase{100, 6, 48, true},
                                           TCase{100, 6, 111, true}, TCase{42, 0, 17, true},
                                           TCase{40, 13, 300, true}, TCase{57, 3, 599, true}));

TEST(CardGeometry, NameAndValueRectanglesFollowTheReadingDirection) {
  TCardGeometry G = Geometry(100, 6, 0, 0, false);
  G.NameWidth = 70;
  const TRect Line{10, 40, 110, 56};
  EXPECT_EQ(G.NameRect(Line, true), (TRect{10, 40, 80, 56}));
  EXPECT_EQ(G.ValueRect(Line, true), (TRect{80, 40, 110, 56}));
  EXPECT_EQ(G.NameRect(Line, false), Line);
  EXPECT_EQ(G.ValueRect(Line, false), (TRect{13, 40, 107, 56}));
  G.RightToLeft = true;
  EXPECT_EQ(G.NameRect(Line, true), (TRect{40, 40, 110, 56}));
  EXPECT_EQ(G.ValueRect(Line, true), (TRect{10, 40, 40, 56}));
  EXPECT_EQ(G.ValueRect(Line, false), (TRect{13, 40, 107, 56}));
}

TEST(CardGeometry, LinesFollowTheCaptionAtTheLineHeight) {
  TCardGeometry G = Geometry(100, 6, 0, 0, false);
  G.CaptionHeight = 20;
  G.ItemLineHeight = 13;
  EXPECT_EQ(G.LineRect(TRect{5, 7, 105, 99}, 7, 2), (TRect{5, 53, 105, 66}));
}

}  // namespace
