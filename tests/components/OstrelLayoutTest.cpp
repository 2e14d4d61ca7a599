// Card layout: columns and tops, content width, rectangles, hit tests and neighbours.

#include <functional>
#include <map>

#include "CardViewFixture.h"

namespace cardview_test {
namespace {

using LayoutTest = CardViewTest;

TEST_F(LayoutTest, FiveCardsFillThreeColumnsOfTheExample) {
  MakeFiveCards();
  const std::vector<std::pair<int, int>> ColumnAndTop{{0, 6}, {0, 76}, {1, 6}, {1, 76}, {2, 6}};
  for (int I = 0; I < 5; ++I) {
    EXPECT_EQ(Card(I)->GetColumn(), ColumnAndTop[I].first) << "card " << I;
    EXPECT_EQ(Card(I)->GetTop(), ColumnAndTop[I].second) << "card " << I;
  }
  EXPECT_EQ(View->GetColumnCount(), 3);
  EXPECT_EQ(View->GetTotalWidth(), 348);
  const SCROLLINFO Info = ScrollInfo();
  EXPECT_EQ(Info.nMin, 0);
  EXPECT_EQ(Info.nMax, 348);
  EXPECT_EQ(Info.nPage, 301u);
  EXPECT_EQ(View->GetHScrollPos(), 0);
  EXPECT_EQ(Card(0)->GetClientRect(), (TRect{6, 6, 106, 70}));
  EXPECT_EQ(Card(2)->GetClientRect(), (TRect{118, 6, 218, 70}));
  EXPECT_EQ(Card(4)->GetClientRect(), (TRect{230, 6, 330, 70}));
  EXPECT_EQ(View->GetDividerX(1), 112);
  EXPECT_EQ(View->GetDividerX(2), 224);
  EXPECT_EQ(View->GetDividerX(3), 336);
}

TEST_F(LayoutTest, TheExampleScrolledToItsRightEnd) {
  MakeFiveCards();
  Scroll(SB_RIGHT);
  EXPECT_EQ(View->GetHScrollPos(), 48);
  EXPECT_EQ(ScrollInfo().nPos, 48);
  EXPECT_EQ(Card(4)->GetClientRect(), (TRect{182, 6, 282, 70}));
  EXPECT_EQ(View->GetDividerX(1), 64);
  EXPECT_EQ(View->GetDividerX(2), 176);
  EXPECT_EQ(View->GetDividerX(3), 288);
}

TEST_F(LayoutTest, RightToLeftMirrorsEveryCardAndStartsAtTheRightEnd) {
  MakeFiveCards();
  std::vector<TRect> LeftToRight;
  for (int Pos : {0, 20, 48}) {
    View->SetHScrollPosition(Pos);
    for (int I = 0; I < 5; ++I) LeftToRight.push_back(Card(I)->GetClientRect());
  }
  // The same cards laid out right to left from the start.
  View->GetItems()->Clear();
  View->SetBiDiMode(bdRightToLeft);
  MakeFiveCards();
  EXPECT_EQ(View->GetHScrollPos(), 48) << "column 0 stands at the right end";
  EXPECT_EQ(Card(0)->GetClientRect(), (TRect{194, 6, 294, 70}));
  std::size_t K = 0;
  for (int Pos : {0, 20, 48}) {
    View->SetHScrollPosition(48 - Pos);
    for (int I = 0; I < 5; ++I, ++K) {
      const TRect R = Card(I)->GetClientRect();
      EXPECT_EQ(R.Left, 300 - LeftToRight[K].Right) << "card " << I << " at " << Pos;
      EXPECT_EQ(R.Top, LeftToRight[K].Top);
      EXPECT_EQ(R.Width(), 100);
    }
  }
  View->SetHScrollPosition(48);
  EXPECT_EQ(View->GetDividerX(1), 188);
  EXPECT_EQ(View->GetDividerX(3), -36);
}

TEST_F(LayoutTest, AnEmptyListFillsTheClientWidthWithoutBar) {
  SetClientSize(300, 200);
  EXPECT_EQ(View->GetColumnCount(), 0);
  EXPECT_EQ(View->GetTotalWidth(), 300);
  EXPECT_EQ(View->GetHScrollPos(), 0);
  EXPECT_EQ(ScrollInfo().nMax, 0);
  for (int X = 0; X < 300; X += 7)
    for (int Y = 0; Y < 200; Y += 7) ASSERT_EQ(View->GetItemAt(X, Y), nullptr);
}

TEST_F(LayoutTest, NoLayoutBeforeTheWindowExists) {
  auto* Loose = new TOstrel(Form);  // never given a parent, so never a window
  Loose->GetItems()->Add("A");
  Loose->GetItems()->Add("B");
  Loose->CalcItemsPos();
  Loose->RecalcDimensions();
  EXPECT_EQ(Loose->GetColumnCount(), 0);
  EXPECT_EQ(Loose->GetTotalWidth(), 0);
  EXPECT_EQ(Loose->GetItems()->GetItemFromIndex(1)->GetTop(), 0);
  Loose->SetSelected(Loose->GetItems()->GetItemFromIndex(1));  // scrolling it into view does nothing
  EXPECT_EQ(Loose->GetHScrollPos(), 0);
  EXPECT_FALSE(Loose->HandleAllocated());
}

TEST_F(LayoutTest, ACardTallerThanTheViewStandsAloneAtTheTopOfItsColumn) {
  SetClientSize(300, 200);
  AddCard("small", 1);
  AddCard("tall", 20);
  AddCard("tiny", 0);
  EXPECT_EQ(Card(1)->GetColumn(), 1);
  EXPECT_EQ(Card(1)->GetTop(), 6);
  EXPECT_EQ(Card(1)->GetClientRect().Bottom, 6 + 16 + 20 * 16);
  EXPECT_EQ(Card(2)->GetColumn(), 2);
  EXPECT_EQ(Card(2)->GetTop(), 6);
}

TEST_F(LayoutTest, HeightsComeFromOnItemHeightOnlyWhileCustomDrawing) {
  SetClientSize(300, 200);
  int Calls = 0;
  View->SetOnItemHeight([&](TObject* Sender, TOstrelItem* Item, int& Height) {
    EXPECT_EQ(Sender, View);
    EXPECT_EQ(Height, Item->GetDefaultHeight());
    ++Calls;
    Height = 50;
  });
  AddCard("a", 0);
  AddCard("b", 5);
  EXPECT_EQ(Calls, 0);
  EXPECT_EQ(Card(1)->GetClientRect().Height(), 96);
  View->SetCustomDrawing(true);
  EXPECT_GT(Calls, 0);
  EXPECT_EQ(Card(0)->GetClientRect().Height(), 50);
  EXPECT_EQ(Card(1)->GetTop(), 62);
}

TEST_F(LayoutTest, AComparisonThatThrowsStillLeavesTheCardsLaidOut) {
  SetClientSize(300, 200);
  for (const char* Text : {"c", "a", "b"}) View->GetItems()->Add(Text);
  View->SetCustomSort(true);
  View->SetSorted(true);
  View->SetOnSortItems([](TObject*, TOstrelItem*, TOstrelItem*, int&) { throw Exception("compare"); });
  EXPECT_THROW(View->GetItems()->Insert(0, "new"), Exception);
  ASSERT_EQ(View->GetItems()->GetCount(), 4);
  // Cards without lines are 16 high, 6 apart, all in the first column.
  for (int I = 0; I < 4; ++I) {
    EXPECT_EQ(Card(I)->GetColumn(), 0) << "card " << I;
    EXPECT_EQ(Card(I)->GetTop(), 6 + 22 * I) << "card " << I;
  }
  EXPECT_EQ(View->GetColumnCount(), 1);
}

TEST_F(LayoutTest, SubItemUnderAPointIgnoresXAndCaption) {
  SetClientSize(300, 200);
  TOstrelItem* Item = AddCard("a", 3);  // top 6, caption to 22, lines 22-37, 38-53, 54-69
  EXPECT_EQ(View->GetSubItemAt(Item, 50, 21), -1);
  EXPECT_EQ(View->GetSubItemAt(Item, 50, 22), 0);
  EXPECT_EQ(View->GetSubItemAt(Item, -500, 37), 0);
  EXPECT_EQ(View->GetSubItemAt(Item, 9999, 38), 1);
  EXPECT_EQ(View->GetSubItemAt(Item, 50, 69), 2);
  EXPECT_EQ(View->GetSubItemAt(Item, 50, 70), -1);
  EXPECT_EQ(View->GetSubItemAt(Item, 50, -100), -1);
  View->SetItemLineHeight(0);
  EXPECT_EQ(View->GetSubItemAt(Item, 50, 30), -1);
  View->SetItemLineHeight(-4);
  EXPECT_EQ(View->GetSubItemAt(Item, 50, 30), -1);
}

TEST_F(LayoutTest, SubItemRectanglesSplitNameAndValue) {
  SetClientSize(300, 200);
  TOstrelItem* Item = AddCard("a", 0);
  Item->GetSubItems()->Add("Phone=555");
  Item->GetSubItems()->Add("Note");
  Item->GetSubItems()->Add("=x");
  Item->Update();
  EXPECT_EQ(Item->GetSubItemRect(0), (TRect{6, 22, 106, 38}));
  EXPECT_EQ(Item->GetSubItemNameRect(0), (TRect{6, 22, 76, 38}));
  EXPECT_EQ(Item->GetSubItemEditRect(0), (TRect{76, 22, 106, 38}));
  EXPECT_EQ(Item->GetSubItemNameRect(1), (TRect{6, 38, 106, 54}));
  EXPECT_EQ(Item->GetSubItemEditRect(1), (TRect{9, 38, 103, 54}));
  EXPECT_EQ(Item->GetSubItemEditRect(2), (TRect{9, 54, 103, 70}));
  View->SetItemTextWidth(40);
  EXPECT_EQ(Item->GetSubItemNameRect(0), (TRect{6, 22, 46, 38}));
  View->SetBiDiMode(bdRightToLeft);
  const TRect Card = Item->GetClientRect();
  EXPECT_EQ(Item->GetSubItemNameRect(0), (TRect{Card.Right - 40, 22, Card.Right, 38}));
  EXPECT_EQ(Item->GetSubItemEditRect(0), (TRect{Card.Left, 22, Card.Right - 40, 38}));
}

TEST_F(LayoutTest, NeighboursAreTheNearestCardsOfTheNextColumns) {
  MakeFiveCards();
  EXPECT_EQ(View->GetLeftItem(Card(3)), Card(1));
  EXPECT_EQ(View->GetLeftItem(Card(2)), Card(0));
  EXPECT_EQ(View->GetLeftItem(Card(0)), nullptr);
  EXPECT_EQ(View->GetRightItem(Card(1)), Card(3));
  EXPECT_EQ(View->GetRightItem(Card(3)), Card(4));
  EXPECT_EQ(View->GetRightItem(Card(4)), nullptr);
  EXPECT_EQ(View->GetRightItem(nullptr), nullptr);
}

TEST_F(LayoutTest, AtEqualDistanceTheUpperNeighbourWins) {
  SetClientSize(300, 200);
  std::map<std::string, int> Heights{{"A", 16}, {"B", 16}, {"C", 138}, {"D", 38}, {"E", 16}};
  View->SetOnItemHeight([&](TObject*, TOstrelItem* Item, int& Height) { Height = Heights[Item->GetText()]; });
  View->SetCustomDrawing(true);
  for (const char* Text : {"A", "B", "C", "D", "E"}) AddCard(Text, 0);
  // Column 0: A at 6, B at 28, C at 50; column 1: D at 6, E at 50.
  ASSERT_EQ(Card(3)->GetColumn(), 1);
  ASSERT_EQ(Card(4)->GetTop(), 50);
  EXPECT_EQ(View->GetRightItem(Card(1)), Card(3));

  Heights = {{"A", 38}, {"B", 16}, {"C", 116}, {"D", 16}, {"E", 16}};
  View->GetItems()->BeginUpdate();
  View->GetItems()->EndUpdate();
  // Column 0: A at 6, B at 50, C at 72; column 1: D at 6, E at 28.
  ASSERT_EQ(Card(4)->GetColumn(), 1);
  ASSERT_EQ(Card(4)->GetTop(), 28);
  EXPECT_EQ(View->GetLeftItem(Card(4)), Card(0));
}

TEST_F(LayoutTest, HitTestsFindTheCardUnderThePoint) {
  MakeFiveCards();
  EXPECT_EQ(View->GetItemAt(6, 6), Card(0));
  EXPECT_EQ(View->GetItemAt(105, 69), Card(0));
  EXPECT_EQ(View->GetItemAt(106, 6), nullptr);   // right edge is outside
  EXPECT_EQ(View->GetItemAt(50, 70), nullptr);   // gap between cards
  EXPECT_EQ(View->GetItemAt(5, 30), nullptr);    // left margin
  EXPECT_EQ(View->GetItemAt(150, 100), Card(3));
  EXPECT_EQ(View->GetItemAt(250, 100), nullptr);  // below the last card of a column
  Scroll(SB_RIGHT);
  EXPECT_EQ(View->GetItemAt(182, 6), Card(4));
  EXPECT_EQ(View->GetItemAt(181, 6), nullptr);
}

// The control answers its own cards' heights from its metrics; a card of another control or
// of no control keeps the height that card's own control gives it, also right after a layout.
TEST_F(LayoutTest, DefaultHeightsComeFromTheCardsOwnControl) {
  MakeFiveCards();
  TOstrelItem* Own = Card(4);  // the last card laid out
  EXPECT_EQ(View->ItemHeight(Own), 3 * 16 + 16);
  TOstrel Other(nullptr);
  Other.SetItemLineHeight(30);
  Other.SetCaptionHeight(10);
  TOstrelItem* Foreign = Other.GetItems()->Add("foreign");
  Foreign->GetSubItems()->Add("a");
  Foreign->GetSubItems()->Add("b");
  EXPECT_EQ(View->ItemHeight(Foreign), 2 * 30 + 10);
  TOstrelItem Loose(nullptr);
  Loose.GetSubItems()->Add("a");
  EXPECT_EQ(View->ItemHeight(&Loose), 16);
  // A changed line count shows at the next layout.
  Own->GetSubItems()->Add("more");
  Own->Update();
  EXPECT_EQ(View->ItemHeight(Own), 4 * 16 + 16);
  EXPECT_EQ(Own->GetClientRect().Height(), 4 * 16 + 16);
}

// A view of a descendant class on Form, 300 x 200 without a border, holding Count cards of
// one line each; Prepare runs on it before it is shown.
template <class TView>
TView* ShowWithCards(TForm* Form, int Count, const std::function<void(TView&)>& Prepare = {}) {
  auto* View = new TView(Form);
  if (Prepare) Prepare(*View);
  View->SetBorderStyle(bsNone);
  View->SetParent(Form);
  View->SetBounds(0, 0, 300, 200);
  vcltest::ProcessMessages();
  View->GetItems()->BeginUpdate();
  for (int I = 0; I < Count; ++I) View->GetItems()->Add("card")->GetSubItems()->Add("line");
  View->GetItems()->EndUpdate();
  return View;
}

// The layout asks a descendant's ItemHeight for every card.
TEST_F(LayoutTest, ADescendantsItemHeightPlacesTheCards) {
  struct TFixedHeights : TOstrel {
    using TOstrel::TOstrel;
    int ItemHeight(TOstrelItem*) override { return 40; }
  };
  auto* Fixed = ShowWithCards<TFixedHeights>(Form, 5);
  ASSERT_EQ(Fixed->GetClientHeight(), 200);
  for (int I = 0; I < 4; ++I) {
    const TOstrelItem* Item = Fixed->GetItems()->GetItemFromIndex(I);
    EXPECT_EQ(Item->GetTop(), 6 + I * 46) << "card " << I;
    EXPECT_EQ(Item->GetColumn(), 0) << "card " << I;
  }
  EXPECT_EQ(Fixed->GetItems()->GetItemFromIndex(4)->GetColumn(), 1);  // 190 + 40 passes 194
  EXPECT_EQ(Fixed->GetItems()->GetItemFromIndex(4)->GetTop(), 6);
}

// The layout may keep heights it read only while the class says they are its own: what a
// descendant overrides decides, not its type. One that counts the calls and answers the
// control's heights keeps the fast path; one whose heights come from elsewhere says so, and
// a relayout asks every card again.
TEST_F(LayoutTest, ADescendantKeepsOrLeavesTheFastPathByWhatItOverrides) {
  struct TCounting : TOstrel {
    using TOstrel::TOstrel;
    int ItemHeight(TOstrelItem* Item) override {
      ++Asked;
      return Foreign ? Height : TOstrel::ItemHeight(Item);
    }
    bool OwnCardHeights() const override { return !Foreign && TOstrel::OwnCardHeights(); }
    bool Foreign = false;
    int Height = 40;
    int Asked = 0;
  };
  for (const bool Foreign : {false, true}) {
    SCOPED_TRACE(Foreign ? "foreign heights" : "own heights");
    auto* View = ShowWithCards<TCounting>(Form, 3, [&](TCounting& Counting) { Counting.Foreign = Foreign; });
    View->Asked = 0;
    View->Height = 60;  // news only to the foreign one
    View->CalcItemsPos();
    EXPECT_EQ(View->Asked, Foreign ? 3 : 0);
    EXPECT_EQ(View->GetItems()->GetItemFromIndex(1)->GetTop(), Foreign ? 6 + 60 + 6 : 6 + 32 + 6);
    delete View;
  }
}

}  // namespace
}  // namespace cardview_test
