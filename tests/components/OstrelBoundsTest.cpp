// Cards taller and content wider than int can count: heights, tops and horizontal
// positions are clamped, never overflow (the sanitizer build checks), and the cards after
// a huge one keep their places.

#include <climits>

#include "CardViewFixture.h"
#include "OstrelGeometry.h"

namespace cardview_test {
namespace {

using BoundsTest = CardViewTest;

// 4096 lines of 2^20 pixels are 2^32 pixels, as 268 million lines of 16 pixels would be.
TEST_F(BoundsTest, AHugeCardIsClampedAndTheNextCardKeepsItsPlace) {
  struct TRow {
    const char* What;
    int Lines;
    int LineHeight;
    int Answer;  // of OnItemHeight; 0: no handler
  };
  const TRow Rows[] = {
      {"lines beyond int", 4096, 1 << 20, 0},
      {"lines just beyond the clamp", 1025, 1 << 20, 0},
      {"a handler's largest answer", 1, 16, INT_MAX},
      {"a handler's smallest answer", 1, 16, INT_MIN},
  };
  SetClientSize(300, 200);
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.What);
    View->GetItems()->Clear();
    View->SetItemLineHeight(Row.LineHeight);
    View->SetCustomDrawing(Row.Answer != 0);
    View->SetOnItemHeight([&](TObject*, TOstrelItem* Item, int& Height) {
      if (Item == Card(0) && Row.Answer != 0) Height = Row.Answer;
    });
    AddCard("huge", Row.Lines);
    AddCard("next", 1);
    const TRect Huge = Card(0)->GetClientRect();
    const TRect Next = Card(1)->GetClientRect();
    if (Row.Answer == INT_MIN) {
      EXPECT_EQ(Huge.Bottom, Huge.Top - MaxCardHeight);
      EXPECT_EQ(Card(1)->GetColumn(), 0);  // stacked above: an odd answer, but a defined one
      continue;
    }
    EXPECT_EQ(Huge.Bottom, Huge.Top + MaxCardHeight);
    EXPECT_EQ(Card(1)->GetColumn(), 1);
    EXPECT_EQ(Next.Top, View->GetBorderWidth());
    EXPECT_EQ(View->GetItemAt(Next.Left + 1, Next.Top + 1), Card(1));
    const TRect LastLine = Card(0)->GetSubItemRect(Row.Lines - 1);
    EXPECT_GE(LastLine.Top, Huge.Top);
    EXPECT_LE(LastLine.Bottom, MaxCoordinate);
    EXPECT_EQ(View->GetSubItemAt(Card(0), Huge.Left + 1, Huge.Top + View->GetCaptionHeight() + 1), 0);
    View->Repaint();  // draws only the lines in view
  }
}

// A form file may give any metric as +-2^31: the values are kept within MaxMetric (the
// sanitizer build once found six sums overflowing), the view still lays out and draws its
// white background rather than a black one, and the control's own bounds stay in range.
TEST_F(BoundsTest, ExtremeMetricsAreClampedAndTheViewStillDraws) {
  SetClientSize(300, 200);
  AddCard("first", 2);
  AddCard("second", 2);
  for (const int Extreme : {INT_MAX, INT_MIN}) {
    SCOPED_TRACE(Extreme);
    View->SetItemLineHeight(Extreme);
    View->SetCaptionHeight(Extreme);
    View->SetBorderWidth(Extreme);
    View->SetColumnWidth(Extreme);
    View->SetItemTextWidth(Extreme);
    const int Bound = Extreme > 0 ? TOstrel::MaxMetric : -TOstrel::MaxMetric;
    EXPECT_EQ(View->GetItemLineHeight(), Bound);
    EXPECT_EQ(View->GetCaptionHeight(), Bound);
    EXPECT_EQ(View->GetBorderWidth(), Bound);
    EXPECT_EQ(View->GetColumnWidth(), Extreme > 0 ? TOstrel::MaxMetric : 40);
    EXPECT_EQ(View->GetItemTextWidth(), Extreme > 0 ? TOstrel::MaxMetric : -TOstrel::MaxMetric);
    View->Repaint();
    EXPECT_EQ(vcltest::PixelAt(View, 2, 2), clWhite);
    (void)View->GetItemAt(5, 5);
    (void)Card(1)->GetClientRect();
  }
  // Without a window: a surface of that size is not the point here.
  TOstrel Loose(nullptr);
  Loose.SetBounds(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  const TRect Bounds = Loose.GetBoundsRect();
  EXPECT_EQ(Bounds.Left, -TControl::MaxExtent);
  EXPECT_EQ(Bounds.Width(), TControl::MaxExtent);
}

// 200 columns of 2^24 pixels are 3.4 billion pixels: the content ends where the scroll bar's
// range can still say, and the columns beyond stay out of reach instead of wrapping round.
TEST_F(BoundsTest, ContentWiderThanIntEndsAtTheScrollBarsRange) {
  for (const TBiDiMode Mode : {bdLeftToRight, bdRightToLeft}) {
    SCOPED_TRACE(Mode);
    View->GetItems()->Clear();
    View->SetBiDiMode(Mode);
    SetClientSize(300, 200);
    View->SetColumnWidth(1 << 24);
    View->GetItems()->BeginUpdate();
    for (int I = 0; I < 200; ++I) AddCard("column " + std::to_string(I), 20);  // one card a column
    View->GetItems()->EndUpdate();
    ASSERT_EQ(Card(199)->GetColumn(), 199);
    EXPECT_EQ(View->GetTotalWidth(), MaxContentWidth);
    EXPECT_EQ(ScrollInfo().nMax, MaxContentWidth);
    for (const int Code : {SB_LEFT, SB_RIGHT}) {
      Scroll(Code);
      for (const int X : {0, 150, 299}) {
        if (TOstrelItem* Hit = View->GetItemAt(X, 20)) {
          const TRect R = Hit->GetClientRect();
          EXPECT_TRUE(X >= R.Left && X < R.Right) << X;
        }
      }
      const TRect Far = Card(199)->GetClientRect();
      EXPECT_TRUE(Far.Left >= MaxContentWidth - (1 << 24) || Far.Right <= -MaxContentWidth + (1 << 24));
      View->Repaint();
    }
    View->SetColumnWidth(100);
  }
}

}  // namespace
}  // namespace cardview_test
