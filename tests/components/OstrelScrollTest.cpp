// Horizontal scrolling: the bar's range, every scroll code, clamping, the thumb, and
// scrolling a card into view.

#include <QImage>
#include <QScrollBar>
#include <QWidget>
#include <string>

#include "CardViewFixture.h"
#include "QtEmbedding.h"

namespace cardview_test {
namespace {

class ScrollTest : public CardViewTest {
protected:
  // Narrow columns (a line step of 8, a page step of 48) and content far wider than the view.
  void MakeWideContent() {
    SetClientSize(300, 200);
    View->SetColumnWidth(42);
    View->GetItems()->BeginUpdate();
    for (int I = 0; I < 60; ++I) AddCard("Card " + std::to_string(I), 4);
    View->GetItems()->EndUpdate();
    SetClientSize(300, 200);
    ASSERT_GT(MaxPos(), 300);
  }
  int MaxPos() { return View->GetTotalWidth() - View->GetClientWidth(); }
  int ScrollFrom(int Start, int Code) {
    View->SetHScrollPosition(Start);
    Scroll(Code);
    EXPECT_EQ(ScrollInfo().nPos, View->GetHScrollPos()) << "the bar follows";
    return View->GetHScrollPos();
  }
};

TEST_F(ScrollTest, EveryScrollCodeMovesByItsStep) {
  MakeWideContent();
  EXPECT_EQ(ScrollFrom(100, SB_LINELEFT), 92);
  EXPECT_EQ(ScrollFrom(100, SB_LINERIGHT), 108);
  EXPECT_EQ(ScrollFrom(100, SB_PAGELEFT), 52);
  EXPECT_EQ(ScrollFrom(100, SB_PAGERIGHT), 148);
  EXPECT_EQ(ScrollFrom(100, SB_LEFT), 0);
  EXPECT_EQ(ScrollFrom(100, SB_RIGHT), MaxPos());
  EXPECT_EQ(ScrollFrom(100, SB_ENDSCROLL), 100);
}

TEST_F(ScrollTest, PositionsAreClampedAtBothEnds) {
  MakeWideContent();
  EXPECT_EQ(ScrollFrom(0, SB_LINELEFT), 0);
  EXPECT_EQ(ScrollFrom(30, SB_PAGELEFT), 0);
  EXPECT_EQ(ScrollFrom(MaxPos(), SB_LINERIGHT), MaxPos());
  EXPECT_EQ(ScrollFrom(MaxPos() - 10, SB_PAGERIGHT), MaxPos());
  View->SetHScrollPosition(-50);
  EXPECT_EQ(View->GetHScrollPos(), 0);
  View->SetHScrollPosition(MaxPos() + 500);
  EXPECT_EQ(View->GetHScrollPos(), MaxPos());
}

TEST_F(ScrollTest, TheThumbScrollsToItsTrackPosition) {
  MakeWideContent();
  auto* Bar = ControlWidget(View)->findChild<QScrollBar*>();
  ASSERT_NE(Bar, nullptr);
  Bar->setSliderDown(true);
  Bar->setSliderPosition(137);
  EXPECT_EQ(View->GetHScrollPos(), 137);
  Bar->setSliderPosition(61);
  Bar->setSliderDown(false);
  vcltest::ProcessMessages();
  EXPECT_EQ(View->GetHScrollPos(), 61);
  EXPECT_EQ(ScrollInfo().nPos, 61);
}

TEST_F(ScrollTest, TheBarShowsOnlyWhenTheCardsOverflowAndTakesItsHeightFromTheCards) {
  View->SetBounds(0, 0, 300, 200);
  vcltest::ProcessMessages();
  AddCard("one", 2);
  EXPECT_EQ(View->GetClientHeight(), 200) << "no bar while everything fits";
  View->GetItems()->BeginUpdate();
  for (int I = 0; I < 30; ++I) AddCard("more", 2);
  View->GetItems()->EndUpdate();
  const int ClientHeight = View->GetClientHeight();
  EXPECT_LT(ClientHeight, 200) << "the bar takes room from the client area";
  for (int I = 0; I < View->GetItems()->GetCount(); ++I)
    ASSERT_LE(Card(I)->GetClientRect().Bottom, ClientHeight - 6) << "laid out for the shorter client, card " << I;
  View->GetItems()->Clear();
  EXPECT_EQ(View->GetClientHeight(), 200) << "the bar goes with the cards";
}

TEST_F(ScrollTest, SelectingACardScrollsItIntoViewWithItsMargin) {
  MakeFiveCards();
  View->SetSelected(Card(4));
  EXPECT_EQ(View->GetHScrollPos(), 36);
  EXPECT_EQ(Card(4)->GetClientRect().Right, 294);
  View->SetSelected(Card(3));  // already in view: no move
  EXPECT_EQ(View->GetHScrollPos(), 36);
  View->SetSelected(Card(0));
  EXPECT_EQ(View->GetHScrollPos(), 0);
}

TEST_F(ScrollTest, ACardWiderThanTheViewShowsItsLeftEdge) {
  SetClientSize(300, 200);
  View->SetColumnWidth(400);
  for (int I = 0; I < 3; ++I) AddCard("Card " + std::to_string(I), 6);
  ASSERT_EQ(Card(2)->GetColumn(), 2);
  View->SetSelected(Card(2));
  EXPECT_EQ(Card(2)->GetClientRect().Left, 6);
}

TEST_F(ScrollTest, NoScrollingIntoViewInsideABatch) {
  MakeFiveCards();
  View->GetItems()->BeginUpdate();
  View->SetSelected(Card(4));
  EXPECT_EQ(View->GetHScrollPos(), 0);
  View->GetItems()->EndUpdate();
}

TEST_F(ScrollTest, RightToLeftKeepsTheDistanceFromTheRightEndWhenContentGrows) {
  View->SetBiDiMode(bdRightToLeft);
  MakeFiveCards();
  ASSERT_EQ(View->GetHScrollPos(), 48) << "the first layout shows column 0 at the right end";
  const TRect Before = Card(0)->GetClientRect();
  View->GetItems()->BeginUpdate();  // a fourth column grows the content by one pitch
  AddCard("sixth", 3);
  AddCard("seventh", 3);
  View->GetItems()->EndUpdate();
  EXPECT_EQ(View->GetTotalWidth(), 348 + 112);
  EXPECT_EQ(View->GetHScrollPos(), 48 + 112);
  EXPECT_EQ(Card(0)->GetClientRect(), Before);
}

// A scroll narrower than the view moves the pixels already drawn and paints the strip it
// uncovers; the result must be what a repaint of the whole view shows.
TEST_F(ScrollTest, ScrollsShowWhatAFullRepaintShows) {
  for (const TBiDiMode Mode : {bdLeftToRight, bdRightToLeft}) {
    View->GetItems()->Clear();
    View->SetBiDiMode(Mode);
    SetClientSize(300, 200);
    View->GetItems()->BeginUpdate();
    for (int I = 0; I < 30; ++I) AddCard("Card " + std::to_string(I), I % 4);
    View->GetItems()->EndUpdate();
    View->SetFocus();
    View->SetFocused(Card(7));
    View->SetHScrollPosition(300);
    for (const int Code : {SB_LINERIGHT, SB_PAGERIGHT, SB_LINELEFT, SB_PAGELEFT, SB_LEFT, SB_RIGHT, SB_LINELEFT}) {
      View->Repaint();
      const int Before = View->GetHScrollPos();
      Scroll(Code);
      ASSERT_NE(View->GetHScrollPos(), Before) << "code " << Code;
      View->Update();
      const QImage Scrolled = ControlSurface(View);
      View->Repaint();
      EXPECT_TRUE(Scrolled == ControlSurface(View)) << "code " << Code << (Mode == bdRightToLeft ? ", right to left" : "");
    }
  }
}

}  // namespace
}  // namespace cardview_test
