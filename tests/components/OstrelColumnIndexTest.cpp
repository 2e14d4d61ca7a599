// Hit tests and neighbours look only at the column concerned. They must still answer what
// a walk over all cards' stored positions answers when the list changed since the last
// layout (inside a batch, or while a handler runs), and survive handlers that change it.

#include <QImage>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "CardViewFixture.h"
#include "QtEmbedding.h"

namespace cardview_test {
namespace {

class ColumnIndexTest : public CardViewTest {
protected:
  void MakeCards(int Count) {
    SetClientSize(400, 200);
    View->GetItems()->BeginUpdate();
    for (int I = 0; I < Count; ++I) AddCard("Card " + std::to_string(I), I % 4);
    View->GetItems()->EndUpdate();
  }

  // The first card in list order whose rectangle holds the point.
  TOstrelItem* WalkAllCards(int X, int Y) {
    for (int I = 0; I < View->GetItems()->GetCount(); ++I) {
      TOstrelItem* Item = Card(I);
      if (PtInRect(Item->GetClientRect(), TPoint{X, Y})) return Item;
    }
    return nullptr;
  }

  void ExpectHitTestsAgreeWithTheWalk() {
    for (int X = -5; X < View->GetClientWidth() + 5; X += 3)
      for (int Y = -5; Y < View->GetClientHeight() + 5; Y += 5)
        ASSERT_EQ(View->GetItemAt(X, Y), WalkAllCards(X, Y)) << "at " << X << ", " << Y;
  }
};

TEST_F(ColumnIndexTest, HitTestsAgreeWithTheWalkAtEveryScrollPosition) {
  MakeCards(40);
  for (int Pos = 0; Pos <= View->GetTotalWidth(); Pos += 37) {
    View->SetHScrollPosition(Pos);
    ExpectHitTestsAgreeWithTheWalk();
  }
  View->GetItems()->Clear();
  View->SetBiDiMode(bdRightToLeft);
  MakeCards(40);
  for (int Pos = 0; Pos <= View->GetTotalWidth(); Pos += 37) {
    View->SetHScrollPosition(Pos);
    ExpectHitTestsAgreeWithTheWalk();
  }
}

TEST_F(ColumnIndexTest, DeletionsInsideABatchKeepHitTestsRight) {
  MakeCards(30);
  View->GetItems()->BeginUpdate();
  // Emptying the first column shifts every later card to a lower list index.
  while (Card(0)->GetColumn() == 0) Card(0)->Delete();
  ExpectHitTestsAgreeWithTheWalk();
  EXPECT_EQ(View->GetItemAt(10, 10), nullptr) << "the first column is gone until the next layout";
  TOstrelItem* Second = Card(0);
  const TRect R = Second->GetClientRect();
  EXPECT_EQ(View->GetItemAt(R.Left, R.Top), Second);
  View->GetItems()->EndUpdate();
  EXPECT_EQ(Second->GetColumn(), 0);
  ExpectHitTestsAgreeWithTheWalk();
}

TEST_F(ColumnIndexTest, CardsAddedOrSortedInsideABatchKeepHitTestsRight) {
  MakeCards(20);
  View->GetItems()->BeginUpdate();
  View->GetItems()->Insert(3, "new");  // not laid out yet: column 0, top 0
  ExpectHitTestsAgreeWithTheWalk();
  View->GetItems()->Sort();
  ExpectHitTestsAgreeWithTheWalk();
  View->GetItems()->EndUpdate();
  ExpectHitTestsAgreeWithTheWalk();
}

TEST_F(ColumnIndexTest, NeighboursAfterDeletionsInsideABatch) {
  MakeCards(30);
  TOstrelItem* Anchor = Card(View->GetItems()->GetCount() - 1);
  ASSERT_GE(Anchor->GetColumn(), 2);
  View->GetItems()->BeginUpdate();
  // Delete every card of the column left of the anchor but one.
  int Kept = -1;
  for (int I = View->GetItems()->GetCount() - 1; I >= 0; --I) {
    if (Card(I)->GetColumn() != Anchor->GetColumn() - 1) continue;
    if (Kept < 0) {
      Kept = I;
      continue;
    }
    Card(I)->Delete();
  }
  TOstrelItem* Survivor = nullptr;
  for (int I = 0; I < View->GetItems()->GetCount(); ++I)
    if (Card(I)->GetColumn() == Anchor->GetColumn() - 1) Survivor = Card(I);
  ASSERT_NE(Survivor, nullptr);
  EXPECT_EQ(View->GetLeftItem(Anchor), Survivor);
  // From the survivor, the nearest card of the anchor's column; the upper one on a tie.
  TOstrelItem* Nearest = nullptr;
  for (int I = 0; I < View->GetItems()->GetCount(); ++I) {
    TOstrelItem* C = Card(I);
    if (C->GetColumn() == Anchor->GetColumn() &&
        (!Nearest || std::abs(C->GetTop() - Survivor->GetTop()) < std::abs(Nearest->GetTop() - Survivor->GetTop())))
      Nearest = C;
  }
  EXPECT_EQ(View->GetRightItem(Survivor), Nearest);
  View->GetItems()->EndUpdate();
}

TEST_F(ColumnIndexTest, AHeightHandlerThatDeletesACardDuringLayout) {
  MakeCards(12);
  bool Deleted = false;
  View->SetOnItemHeight([&](TObject*, TOstrelItem* Item, int&) {
    if (!Deleted && Item->GetText() == "Card 5") {
      Deleted = true;
      Item->Delete();  // relayouts at once, from inside the running layout
    }
  });
  View->SetCustomDrawing(true);
  EXPECT_TRUE(Deleted);
  EXPECT_EQ(View->GetItems()->GetCount(), 11);
  ExpectHitTestsAgreeWithTheWalk();
  // Every card stands where one complete layout puts it.
  int Y = 6, Column = 0;
  for (int I = 0; I < View->GetItems()->GetCount(); ++I) {
    const int Height = Card(I)->GetClientRect().Height();
    if (Y > 6 && Y + Height > 194) {
      ++Column;
      Y = 6;
    }
    EXPECT_EQ(Card(I)->GetColumn(), Column) << "card " << I;
    EXPECT_EQ(Card(I)->GetTop(), Y) << "card " << I;
    Y += Height + 6;
  }
}

TEST_F(ColumnIndexTest, AHeightHandlerThatThrowsLeavesHitTestsConsistent) {
  MakeCards(12);
  bool Throw = true;
  View->SetOnItemHeight([&](TObject*, TOstrelItem* Item, int& Height) {
    if (Throw && Item->GetText() == "Card 7") throw std::runtime_error("no height");
    Height = 40;
  });
  EXPECT_THROW(View->SetCustomDrawing(true), std::runtime_error);
  // Cards 0 to 6 have their new places, the others their old ones.
  Throw = false;
  ExpectHitTestsAgreeWithTheWalk();
  View->SetCustomDrawing(false);
  ExpectHitTestsAgreeWithTheWalk();
}

TEST_F(ColumnIndexTest, AHeightHandlerThatDeletesTheCardBeingHitTested) {
  MakeCards(12);
  const TRect R = Card(2)->GetClientRect();
  TOstrelItem* Target = Card(2);
  View->SetCustomDrawing(true);
  View->GetItems()->BeginUpdate();  // no relayout from the deletion: the answer must not be the freed card
  View->SetOnItemHeight([&](TObject*, TOstrelItem* Item, int&) {
    if (Item == Target) {
      Target = nullptr;
      Item->Delete();
    }
  });
  EXPECT_EQ(View->GetItemAt(R.Left + 1, R.Top + 1), nullptr);
  EXPECT_EQ(Target, nullptr);
  View->SetOnItemHeight(nullptr);
  View->GetItems()->EndUpdate();
  ExpectHitTestsAgreeWithTheWalk();
}

// A change of one card lays out only from its column on and repaints only what moved: the
// places, the scroll range and the pixels must be those of a full layout and repaint.
TEST_F(ColumnIndexTest, OneCardChangesEndWhereAFullLayoutAndRepaintEnd) {
  auto Lines = [this](int Index, int Count) {
    TOstrelItem* Item = Card(Index);
    Item->GetSubItems()->Clear();
    for (int L = 0; L < Count; ++L) Item->GetSubItems()->Add("Line" + std::to_string(L) + "=" + std::to_string(L));
    Item->Update();
  };
  struct TRow {
    const char* Name;
    std::function<void()> Change;
  };
  const TRow Rows[] = {
      {"insert in view", [&] { View->GetItems()->Insert(30, "new"); }},
      {"insert at the front", [&] { View->GetItems()->Insert(0, "first"); }},
      {"append", [&] { View->GetItems()->Add("last"); }},
      {"delete in view", [&] { Card(31)->Delete(); }},
      {"delete the first card", [&] { Card(0)->Delete(); }},
      {"delete the last card", [&] { View->GetItems()->GetLastItem()->Delete(); }},
      {"a card in view grows", [&] { Lines(29, 7); }},
      {"a card in view shrinks", [&] { Lines(29, 0); }},
      {"a new text only", [&] { Card(30)->SetText("renamed"); }},
  };
  MakeCards(60);
  View->SetBiDiMode(bdLeftToRight);
  for (const TRow& Row : Rows) {
    View->ScrollInView(Card(30));
    View->Repaint();
    Row.Change();
    View->Update();
    const QImage Changed = ControlSurface(View);
    std::vector<std::pair<int, int>> Places;
    for (int I = 0; I < View->GetItems()->GetCount(); ++I) Places.emplace_back(Card(I)->GetColumn(), Card(I)->GetTop());
    const int Columns = View->GetColumnCount(), Width = View->GetTotalWidth();
    ExpectHitTestsAgreeWithTheWalk();
    View->CalcItemsPos();
    View->RecalcDimensions();
    for (int I = 0; I < View->GetItems()->GetCount(); ++I)
      ASSERT_EQ(Places[static_cast<std::size_t>(I)], std::make_pair(Card(I)->GetColumn(), Card(I)->GetTop()))
          << Row.Name << ": card " << I;
    EXPECT_EQ(Columns, View->GetColumnCount()) << Row.Name;
    EXPECT_EQ(Width, View->GetTotalWidth()) << Row.Name;
    View->Repaint();
    EXPECT_TRUE(Changed == ControlSurface(View)) << Row.Name << ": the repaint left something out";
  }
}

}  // namespace
}  // namespace cardview_test
