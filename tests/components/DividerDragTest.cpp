// Sizing the columns by dragging a divider: the zones, the cursor over them, the drag and its
// report; through the mouse on a view, and on the drag and its zone arithmetic alone.

#include "InteractionFixture.h"
#include "OstrelDividerDrag.h"
#include "OstrelGeometry.h"

namespace cardview_test {
namespace {

using DividerDragTest = InteractionTest;

TEST_F(DividerDragTest, TheDividerZoneIsSevenPixelsWideAndSetsTheCursor) {
  struct TRow {
    int X;
    TCursor Cursor;
  };
  // Divider 1 at x 112; a sub-item of card 0 at y 30; the caption at y 10.
  for (TRow Row : {TRow{100, crIBeam}, TRow{108, crDefault}, TRow{109, crHSplit}, TRow{112, crHSplit}, TRow{115, crHSplit},
                   TRow{116, crDefault}}) {
    vcltest::MouseMove(View, Row.X, 30);
    EXPECT_EQ(View->GetCursor(), Row.Cursor) << "x " << Row.X;
  }
  vcltest::MouseMove(View, 60, 10);
  EXPECT_EQ(View->GetCursor(), crDefault) << "the caption";
  View->SetReadOnly(true);
  vcltest::MouseMove(View, 60, 30);
  EXPECT_EQ(View->GetCursor(), crDefault) << "read only";
  View->SetReadOnly(false);
  View->SetOnEditingSubItem([](TObject*, TOstrelItem*, int SubItem, bool& CanEdit) { CanEdit = SubItem != 1; });
  vcltest::MouseMove(View, 60, 46);
  EXPECT_EQ(View->GetCursor(), crDefault) << "refused by OnEditingSubItem";
  View->SetAllowSizing(false);
  vcltest::MouseMove(View, 112, 30);
  EXPECT_NE(View->GetCursor(), crHSplit);
}

TEST_F(DividerDragTest, DraggingADividerSizesAllColumnsAndReportsOnceAtRelease) {
  std::vector<int> Sized;
  View->SetOnColumnSized([&](TObject*, int Width) { Sized.push_back(Width); });
  vcltest::MouseMove(View, 224, 100);  // divider 2
  vcltest::MouseDown(View, 224, 100);
  EXPECT_TRUE(Events.empty()) << "a press on a divider selects nothing";
  vcltest::MouseMove(View, 260, 100);
  EXPECT_EQ(View->GetColumnWidth(), (260 - 2 * 6 * 2) / 2);
  EXPECT_EQ(View->GetDividerX(2), 260) << "the dragged divider lands under the pointer";
  vcltest::MouseMove(View, 30, 100);
  EXPECT_EQ(View->GetColumnWidth(), 40) << "held at the minimum";
  EXPECT_TRUE(Sized.empty());
  vcltest::MouseUp(View, 30, 100);
  EXPECT_EQ(Sized, std::vector<int>{40});
}

TEST_F(DividerDragTest, OverlappingZonesPickTheHighestDividerAndRightToLeftDragsMirrored) {
  // One card per column, and a pitch of 4: every zone overlaps its neighbours.
  View->SetItemLineHeight(60);
  View->SetColumnWidth(40);
  View->SetBorderWidth(-18);
  vcltest::MouseMove(View, 6, 100);
  vcltest::MouseDown(View, 6, 100);
  vcltest::MouseMove(View, 50, 100);
  vcltest::MouseUp(View, 50, 100);
  EXPECT_EQ(View->GetColumnWidth(), (50 + 2 * 18 * 2) / 2) << "divider 2 was dragged, not 1";
  View->SetBorderWidth(6);
  View->SetColumnWidth(100);
  View->SetItemLineHeight(16);
  View->SetBiDiMode(bdRightToLeft);
  const int X = View->GetDividerX(1);
  vcltest::MouseMove(View, X, 100);
  vcltest::MouseDown(View, X, 100);
  vcltest::MouseMove(View, X - 30, 100);
  vcltest::MouseUp(View, X - 30, 100);
  EXPECT_EQ(View->GetColumnWidth(), 130) << "dragging left widens the columns of a mirrored view";
}

// ------------------------------------------------------------------ the unit on its own

// Columns 100 wide, 6 apart on either side: a pitch of 112, divider k at 112 k.
TCardGeometry Pitch112(int ScrollPos = 0, bool RightToLeft = false) {
  TCardGeometry G;
  G.ColumnWidth = 100;
  G.BorderWidth = 6;
  G.TotalWidth = 460;
  G.ScrollPos = ScrollPos;
  G.RightToLeft = RightToLeft;
  return G;
}

TEST(DividerDrag, ZonesReachThreePixelsEitherSideOfExistingDividersOnly) {
  const TCardGeometry G = Pitch112();
  EXPECT_EQ(TDividerDrag::DividerAt(G, 3, 108), 0);
  EXPECT_EQ(TDividerDrag::DividerAt(G, 3, 109), 1);
  EXPECT_EQ(TDividerDrag::DividerAt(G, 3, 115), 1);
  EXPECT_EQ(TDividerDrag::DividerAt(G, 3, 116), 0);
  EXPECT_EQ(TDividerDrag::DividerAt(G, 3, 336), 3);
  EXPECT_EQ(TDividerDrag::DividerAt(G, 2, 336), 0) << "no divider after the last column";
  EXPECT_EQ(TDividerDrag::DividerAt(G, 3, 2), 0) << "none before the first column";
  EXPECT_EQ(TDividerDrag::DividerAt(Pitch112(100), 3, 124), 2) << "scrolled by 100";
  EXPECT_EQ(TDividerDrag::DividerAt(Pitch112(0, true), 3, 460 - 224), 2) << "mirrored";
}

TEST(DividerDrag, OverlappingZonesGoToTheHighestDivider) {
  TCardGeometry G = Pitch112();
  G.ColumnWidth = 2;
  G.BorderWidth = 1;  // a pitch of 4: zones of 7 overlap
  EXPECT_EQ(TDividerDrag::DividerAt(G, 5, 6), 2);
  EXPECT_EQ(TDividerDrag::DividerAt(G, 1, 6), 1);
}

TEST(DividerDrag, APressDragsTheHoveredDividerAndTheReleaseReportsOnce) {
  TDividerDrag Drag;
  EXPECT_FALSE(Drag.Press()) << "not over a divider";
  EXPECT_FALSE(Drag.Dragging());
  Drag.Hover(2);
  EXPECT_TRUE(Drag.OverDivider());
  EXPECT_TRUE(Drag.Press());
  Drag.Hover(0);  // the pointer runs ahead of the divider it drags
  EXPECT_TRUE(Drag.Dragging());
  EXPECT_EQ(Drag.WidthAt(Pitch112(), 260), (260 - 2 * 6 * 2) / 2) << "still divider 2";
  EXPECT_TRUE(Drag.Release());
  EXPECT_FALSE(Drag.Release()) << "reported once";
  EXPECT_FALSE(Drag.Press()) << "the last hover left the dividers";
}

}  // namespace
}  // namespace cardview_test
