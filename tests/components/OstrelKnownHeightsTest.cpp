// The card view keeps the heights it read and works every place out from them: a layout
// over known heights reads no card, and a change that adds or removes a column renumbers
// the columns after it and moves their pixels instead of painting them. Every answer, and
// every pixel, must still be what a layout and a repaint from scratch give.

#include <QImage>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CardViewFixture.h"
#include "QtEmbedding.h"

namespace cardview_test {
namespace {

struct TPlace {
  int Column;
  int Top;
  bool operator==(const TPlace&) const = default;
};

class KnownHeightsTest : public CardViewTest {
public:
  using CardViewTest::SetClientSize;

protected:
  // Cards of 0 to 5 lines, so that columns hold different numbers of cards.
  void MakeCards(int Count) {
    SetClientSize(400, 200);
    View->GetItems()->BeginUpdate();
    for (int I = 0; I < Count; ++I) AddCard("Card " + std::to_string(I), (I * 7) % 6);
    View->GetItems()->EndUpdate();
  }

  // Cards stacked from scratch with the heights the view answers now.
  std::vector<TPlace> Reference() {
    const int Border = View->GetBorderWidth();
    const long long Bottom = View->GetClientHeight() - Border;
    std::vector<TPlace> Places;
    int Column = 0;
    long long Y = Border;
    for (int I = 0; I < View->GetItems()->GetCount(); ++I) {
      const int Height = View->ItemHeight(Card(I));
      if (Y > Border && Y + Height > Bottom) {
        ++Column;
        Y = Border;
      }
      Places.push_back(TPlace{Column, static_cast<int>(Y)});
      Y += Height + Border;
    }
    return Places;
  }

  std::vector<TPlace> Places() {
    std::vector<TPlace> Result;
    for (int I = 0; I < View->GetItems()->GetCount(); ++I) Result.push_back(TPlace{Card(I)->GetColumn(), Card(I)->GetTop()});
    return Result;
  }

  void ExpectLaidOutFromScratch(const std::string& What) {
    const std::vector<TPlace> Expected = Reference();
    ASSERT_EQ(Places(), Expected) << What;
    const int Columns = Expected.empty() ? 0 : Expected.back().Column + 1;
    EXPECT_EQ(View->GetColumnCount(), Columns) << What;
    const int Width = Columns * View->GetColumnWidth() + 2 * View->GetBorderWidth() * (Columns + 1);
    EXPECT_EQ(View->GetTotalWidth(), std::max(Width, View->GetClientWidth())) << What;
    for (int I = 0; I < View->GetItems()->GetCount(); ++I) {
      const TRect R = Card(I)->GetClientRect();
      if (R.Right <= 0 || R.Left >= View->GetClientWidth() || R.Bottom <= R.Top) continue;
      EXPECT_EQ(View->GetItemAt(R.Left, R.Top), Card(I)) << What << ": card " << I;
      EXPECT_EQ(View->GetItemAt(R.Right - 1, R.Bottom - 1), Card(I)) << What << ": card " << I;
    }
  }

  // The surface as the change left it, once the pending paint is done.
  QImage Painted() {
    View->Update();
    return ControlSurface(View).copy();
  }
  QImage PaintedAfresh() {
    View->Invalidate();
    View->Update();
    return ControlSurface(View).copy();
  }
};

struct TChangeRow {
  const char* Name;
  std::function<void(KnownHeightsTest&, TOstrel&)> Change;
};

TOstrelItem* Middle(TOstrel& View) { return View.GetItems()->GetItemFromIndex(View.GetItems()->GetCount() / 2); }

// The top card of the first column wholly in view.
TOstrelItem* FirstInView(TOstrel& View) {
  for (int X = 0; X < View.GetClientWidth(); ++X)
    if (TOstrelItem* Item = View.GetItemAt(X, View.GetBorderWidth()); Item && Item->GetClientRect().Left >= 0) return Item;
  return View.GetItems()->GetFirstItem();
}

void AddLines(TOstrelItem* Item, int Lines) {
  for (int I = 0; I < Lines; ++I) Item->GetSubItems()->Add("More=" + std::to_string(I));
}

TEST_F(KnownHeightsTest, EveryChangeEndsWhereALayoutFromScratchDoes) {
  const TChangeRow Rows[] = {
      {"a card in view grows by a line", [](auto&, TOstrel& V) { AddLines(Middle(V), 1), Middle(V)->Update(); }},
      {"a card in view grows by three lines", [](auto&, TOstrel& V) { AddLines(Middle(V), 3), Middle(V)->Update(); }},
      {"a card grows taller than the view", [](auto&, TOstrel& V) { AddLines(Middle(V), 20), Middle(V)->Update(); }},
      // A column more or less at the left of the view: the columns after it are renumbered
      // in view.
      {"the first card in view grows taller than the view",
       [](auto&, TOstrel& V) { AddLines(FirstInView(V), 20), FirstInView(V)->Update(); }},
      {"the first card in view grows by two lines",
       [](auto&, TOstrel& V) {
         TOstrelItem* Item = FirstInView(V);
         AddLines(Item, 2), Item->Update();
       }},
      {"the first card in view goes", [](auto&, TOstrel& V) { FirstInView(V)->Delete(); }},
      {"a card shrinks to its caption",
       [](auto&, TOstrel& V) {
         Middle(V)->GetSubItems()->Clear();
         Middle(V)->Update();
       }},
      {"a card is inserted in the middle", [](auto&, TOstrel& V) { V.GetItems()->Insert(V.GetItems()->GetCount() / 2, "New"); }},
      {"a card is deleted in the middle", [](auto&, TOstrel& V) { Middle(V)->Delete(); }},
      {"the first card is deleted", [](auto&, TOstrel& V) { V.GetItems()->GetFirstItem()->Delete(); }},
      {"the view gets taller", [](KnownHeightsTest& T, TOstrel&) { T.SetClientSize(400, 260); }},
      {"the border widens", [](auto&, TOstrel& V) { V.SetBorderWidth(9); }},
      {"the caption band gets taller", [](auto&, TOstrel& V) { V.SetCaptionHeight(20); }},
      // Lines changed without Update keep their old height until the next full layout, which
      // must read them, though no card told the view.
      {"lines change without Update, then the view gets shorter",
       [](KnownHeightsTest& T, TOstrel& V) {
         AddLines(V.GetItems()->GetFirstItem(), 2);
         T.SetClientSize(400, 180);
       }},
  };
  for (const TBiDiMode Mode : {bdLeftToRight, bdRightToLeft}) {
    for (const TChangeRow& Row : Rows) {
      const std::string What = std::string(Row.Name) + (Mode == bdRightToLeft ? ", right to left" : "");
      View->GetItems()->Clear();
      View->SetBorderWidth(6);
      View->SetCaptionHeight(16);
      View->SetBiDiMode(Mode);
      MakeCards(120);
      View->SetHScrollPosition((View->GetTotalWidth() - View->GetClientWidth()) / 2);
      ExpectLaidOutFromScratch(What + ", before");
      PaintedAfresh();
      Row.Change(*this, *View);
      ExpectLaidOutFromScratch(What);
      const QImage AsChanged = Painted();
      EXPECT_TRUE(AsChanged == PaintedAfresh()) << What << ": the repaint of the change differs from a full one";
    }
  }
}

TEST_F(KnownHeightsTest, AHeightHandlerSetAfterAChangeSeesThePlacesOfTheLastLayout) {
  MakeCards(60);
  AddLines(Card(10), 4);
  Card(10)->Update();  // renumbers the columns after card 10 without writing a card
  const std::vector<TPlace> Before = Places();
  std::vector<std::pair<TOstrelItem*, TPlace>> Seen;
  View->SetCustomDrawing(true);
  View->SetOnItemHeight([&](TObject*, TOstrelItem* Item, int& Height) {
    Seen.emplace_back(Item, TPlace{Item->GetColumn(), Item->GetTop()});
    if (Item->GetSubItems()->GetCount() == 0) Height = 40;
  });
  View->CalcItemsPos();
  ASSERT_FALSE(Seen.empty());
  // Asked in list order: each card is asked before the pass has placed it.
  for (int I = 0; I < View->GetItems()->GetCount(); ++I) {
    ASSERT_EQ(Seen[static_cast<std::size_t>(I)].first, Card(I));
    EXPECT_EQ(Seen[static_cast<std::size_t>(I)].second, Before[static_cast<std::size_t>(I)]) << "card " << I;
  }
  View->RecalcDimensions();
  ExpectLaidOutFromScratch("with the handler's heights");
  // And back to the cards' own heights.
  View->SetOnItemHeight({});
  View->CalcItemsPos();
  View->RecalcDimensions();
  ExpectLaidOutFromScratch("without a handler again");
}

TEST_F(KnownHeightsTest, PlacesInsideABatchAreThoseOfTheLastLayout) {
  MakeCards(60);
  AddLines(Card(5), 4);
  Card(5)->Update();
  const std::vector<TPlace> Before = Places();
  View->GetItems()->BeginUpdate();
  TOstrelItem* Added = View->GetItems()->Insert(20, "New");
  EXPECT_EQ((TPlace{Added->GetColumn(), Added->GetTop()}), (TPlace{0, 0})) << "not laid out yet";
  Card(40)->Delete();
  AddLines(Card(3), 2);
  Card(3)->Update();
  // Old cards keep their old places, shifted in the list by the insert and the delete.
  for (int I = 0; I < View->GetItems()->GetCount(); ++I) {
    if (I == 20) continue;
    const int Old = I < 20 ? I : (I < 40 ? I - 1 : I);
    EXPECT_EQ((TPlace{Card(I)->GetColumn(), Card(I)->GetTop()}), Before[static_cast<std::size_t>(Old)]) << "card " << I;
  }
  View->GetItems()->EndUpdate();
  ExpectLaidOutFromScratch("after the batch");
}

}  // namespace
}  // namespace cardview_test
