// After a change of one card, cards that only moved up or down in their column keep their
// pixels, moved on the surface, and the rest is painted. The surface must then be exactly
// what a repaint from scratch draws, whatever the border (gaps, none, overlapping columns),
// the reading order, the focus frame, the selection, a pending invalid area, or a card cut
// off by the bottom of the view.

#include <QImage>
#include <functional>
#include <string>

#include "CardViewFixture.h"
#include "QtEmbedding.h"

namespace cardview_test {
namespace {

class RelayoutPaintTest : public CardViewTest {
protected:
  void MakeCards() {
    View->GetItems()->Clear();
    View->GetItems()->BeginUpdate();
    for (int I = 0; I < 60; ++I) AddCard("Card " + std::to_string(I), I % 4);
    View->GetItems()->EndUpdate();
  }
  void SetLines(int Index, int Count) {
    TOstrelItem* Item = Card(Index);
    Item->GetSubItems()->Clear();
    for (int L = 0; L < Count; ++L) Item->GetSubItems()->Add("Line" + std::to_string(L) + "=" + std::to_string(L));
    Item->Update();
  }
  // The first card of a column that is not the first column, in view.
  int FirstOfAColumnAfter(int Index) {
    for (int I = Index + 1; I < View->GetItems()->GetCount(); ++I)
      if (Card(I)->GetColumn() != Card(I - 1)->GetColumn()) return I;
    return Index;
  }
};

TEST_F(RelayoutPaintTest, AChangeEndsWithThePixelsOfARepaintFromScratch) {
  struct TLook {
    const char* Name;
    int Border;
    bool RightToLeft;
  };
  const TLook Looks[] = {{"gaps", 6, false}, {"narrow gaps", 2, false}, {"no gaps", 0, false}, {"a one-pixel gap", 1, false},
                         {"overlapping columns", -3, false}, {"gaps, right to left", 6, true}};
  struct TRow {
    const char* Name;
    std::function<void()> Change;
  };
  const TRow Rows[] = {
      {"a card grows", [&] { SetLines(29, 7); }},
      {"a card shrinks", [&] { SetLines(29, 0); }},
      {"the first card of a column grows", [&] { SetLines(FirstOfAColumnAfter(29), 6); }},
      {"a card grows taller than the view", [&] { SetLines(31, 20); }},
      {"a card taller than the view shrinks", [&] {
         SetLines(31, 20);
         View->Update();
         SetLines(31, 1);
       }},
      {"insert", [&] { View->GetItems()->Insert(30, "new"); }},
      {"delete", [&] { Card(31)->Delete(); }},
      {"insert of a card that fills a column", [&] {
         View->GetItems()->Insert(30, "tall");
         SetLines(30, 11);
       }},
      {"a pending repaint of a card that then moves", [&] {
         Card(40)->SetText("renamed");
         SetLines(29, 7);
       }},
  };
  SetClientSize(600, 200);
  for (const TLook& Look : Looks) {
    View->SetBorderWidth(Look.Border);
    View->SetBiDiMode(Look.RightToLeft ? bdRightToLeft : bdLeftToRight);
    for (const TRow& Row : Rows) {
      MakeCards();
      View->ScrollInView(Card(30));
      View->SetFocus();
      vcltest::ProcessMessages();
      ASSERT_TRUE(View->Focused());
      View->SetSelected(Card(36));
      View->SetFocused(Card(38));
      View->Repaint();
      Row.Change();
      View->Update();
      const QImage Changed = ControlSurface(View);
      View->Repaint();
      EXPECT_TRUE(Changed == ControlSurface(View)) << Look.Name << ", " << Row.Name << ": the pixels differ";
    }
  }
}

}  // namespace
}  // namespace cardview_test
