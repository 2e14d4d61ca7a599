// The soak's invariants: the cards and what the view holds of them, the bar's link, and the
// layout against a reference.

#include "Invariants.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <set>
#include <sstream>
#include <vector>

namespace soak {

namespace {

// Collects the first failure; later ones are mostly its consequences.
class TVerdict {
public:
  template <typename... Parts>
  void Expect(bool Condition, const Parts&... What) {
    if (Condition || !FText.empty()) return;
    std::ostringstream S;
    (S << ... << What);
    FText = S.str();
  }
  bool Failed() const { return !FText.empty(); }
  const std::string& Text() const { return FText; }

private:
  std::string FText;
};

struct TPlace {
  int Column;
  int Top;
};

// Cards in columns: each goes below the one before, unless it would cross the bottom
// margin and is not the first of its column, in which case it opens the next column.
std::vector<TPlace> ReferencePlaces(TOstrel& View) {
  const TOstrelItems& Items = *View.GetItems();
  const int Border = View.GetBorderWidth();
  const long long Bottom = View.GetClientHeight() - Border;
  std::vector<TPlace> Places;
  int Column = 0;
  long long Y = Border;
  for (int I = 0; I < Items.GetCount(); ++I) {
    const int Height = View.ItemHeight(Items[I]);
    if (Y > Border && Y + Height > Bottom) {
      ++Column;
      Y = Border;
    }
    Places.push_back(TPlace{Column, static_cast<int>(Y)});
    Y += static_cast<long long>(Height) + Border;
  }
  return Places;
}

bool Contains(const TRect& R, int X, int Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

// The nearest card by top in the column Step away (-1 left, +1 right), searching the cards
// before (left) or after (right) it; the upper one of two at the same distance.
TOstrelItem* ReferenceNeighbour(TOstrel& View, TOstrelItem* From, int Step) {
  const TOstrelItems& Items = *View.GetItems();
  const int Index = From->GetIndex();
  TOstrelItem* Best = nullptr;
  long long BestDistance = std::numeric_limits<long long>::max();
  const int First = Step < 0 ? 0 : Index + 1;
  const int End = Step < 0 ? Index : Items.GetCount();
  for (int I = First; I < End; ++I) {
    TOstrelItem* C = Items[I];
    if (C->GetColumn() != From->GetColumn() + Step) continue;
    const long long Distance = std::llabs(static_cast<long long>(C->GetTop()) - From->GetTop());
    if (Distance < BestDistance) {
      Best = C;
      BestDistance = Distance;
    }
  }
  return Best;
}

void CheckCards(TWorld& World, TVerdict& V, std::set<const TOstrelItem*>& Listed) {
  TOstrel& View = *World.View;
  const TOstrelItems& Items = *View.GetItems();
  for (int I = 0; I < Items.GetCount(); ++I) {
    TOstrelItem* Item = Items[I];
    V.Expect(Listed.insert(Item).second, "card ", I, " is listed twice");
    V.Expect(Item->GetIndex() == I, "card ", I, " says its index is ", Item->GetIndex());
    V.Expect(Item->GetOwnerList() == &Items, "card ", I, " names another list");
    V.Expect(!Item->GetEdited() || Item == View.GetEditItem(), "card ", I, " says it is edited but is not");
  }
  auto Held = [&](const TOstrelItem* Item) { return !Item || Listed.count(Item) == 1; };
  V.Expect(Held(View.GetSelected()), "the selected card is not listed");
  V.Expect(Held(View.GetItemFocused()), "the focused card is not listed");
  V.Expect(Items.GetCount() == 0 || View.GetItemFocused(), "a list of ", Items.GetCount(), " cards has no focused card");
  V.Expect(Held(View.GetEditItem()), "the edited card is not listed");
  V.Expect(!View.GetEditor() == !View.GetEditItem(), "an editor without an edited card, or the other way round");
  V.Expect(Held(View.GetHintItem()), "the hint card is not listed");
  V.Expect(Items.GetUpdateCount() == World.Batches, "batch count ", Items.GetUpdateCount(), " where ", World.Batches,
           " were opened");
  V.Expect(!Items.GetClearing(), "the list still says it is clearing");
}

void CheckLayout(TOstrel& View, TVerdict& V, std::uint32_t Probe) {
  const TOstrelItems& Items = *View.GetItems();
  const std::vector<TPlace> Places = ReferencePlaces(View);
  for (int I = 0; I < Items.GetCount() && !V.Failed(); ++I)
    V.Expect(Items[I]->GetColumn() == Places[I].Column && Items[I]->GetTop() == Places[I].Top, "card ", I,
             " stands in column ", Items[I]->GetColumn(), " at ", Items[I]->GetTop(), ", not column ", Places[I].Column,
             " at ", Places[I].Top);
  const int Columns = Places.empty() ? 0 : Places.back().Column + 1;
  V.Expect(View.GetColumnCount() == Columns, "column count ", View.GetColumnCount(), ", not ", Columns);
  const int ClientWidth = View.GetClientWidth();
  const long long Content =
      static_cast<long long>(Columns) * View.GetColumnWidth() + 2LL * View.GetBorderWidth() * (Columns + 1);
  const int Total = static_cast<int>(std::max<long long>(Content, ClientWidth));
  V.Expect(View.GetTotalWidth() == Total, "content width ", View.GetTotalWidth(), ", not ", Total);
  SCROLLINFO Info;
  Info.fMask = SIF_ALL;
  GetScrollInfo(View.GetHandle(), SB_HORZ, &Info);
  const int Range = ClientWidth < Total ? Total : 0;
  V.Expect(Info.nMin == 0 && Info.nMax == Range, "scroll range 0 to ", Info.nMax, ", not 0 to ", Range);
  // As in Win32, the page is no larger than the range.
  const unsigned Page = static_cast<unsigned>(std::min(ClientWidth + 1, Range + 1));
  V.Expect(Info.nPage == Page, "scroll page ", Info.nPage, ", not ", Page);
  const int Pos = View.GetHScrollPos();
  V.Expect(Pos >= 0 && Pos <= std::max(0, Total - ClientWidth), "scroll position ", Pos, " outside 0 to ",
           std::max(0, Total - ClientWidth));
  V.Expect(Info.nPos == Pos, "scroll bar at ", Info.nPos, " while the view is at ", Pos);
  if (V.Failed()) return;

  // Hit tests: the first card in list order whose rectangle holds the point.
  const int Height = std::max(1, View.GetClientHeight());
  for (int K = 0; K < 6; ++K) {
    std::uint32_t H = Probe * 2654435761u + static_cast<std::uint32_t>(K) * 40503u;
    int X = static_cast<int>(H % static_cast<unsigned>(std::max(1, ClientWidth)));
    int Y = static_cast<int>((H >> 12) % static_cast<unsigned>(Height));
    if (K % 2 == 1 && Items.GetCount() > 0) {  // on a card, where a wrong answer shows
      const TRect R = View.GetItemClientRect(Items[static_cast<int>(H % static_cast<unsigned>(Items.GetCount()))]);
      X = R.Left + static_cast<int>(H % 7);
      Y = R.Top + static_cast<int>((H >> 8) % 5);
    }
    TOstrelItem* Expected = nullptr;
    for (int I = 0; I < Items.GetCount() && !Expected; ++I)
      if (Contains(View.GetItemClientRect(Items[I]), X, Y)) Expected = Items[I];
    TOstrelItem* Found = View.GetItemAt(X, Y);
    V.Expect(Found == Expected, "the card at (", X, ", ", Y, ") is ", Found ? Found->GetIndex() : -1, ", not ",
             Expected ? Expected->GetIndex() : -1);
  }
  if (TOstrelItem* From = View.GetItemFocused()) {
    V.Expect(View.GetLeftItem(From) == ReferenceNeighbour(View, From, -1), "wrong left neighbour of card ",
             From->GetIndex());
    V.Expect(View.GetRightItem(From) == ReferenceNeighbour(View, From, 1), "wrong right neighbour of card ",
             From->GetIndex());
  }
}

}  // namespace

std::string CheckInvariants(TWorld& World, std::uint32_t Probe) {
  TVerdict V;
  World.Quiet = true;
  V.Expect(World.View != nullptr, "no card view");
  if (World.View) {
    std::set<const TOstrelItem*> Listed;
    CheckCards(World, V, Listed);
    TOstrel& View = *World.View;
    V.Expect(!World.Bar || World.Bar->GetOstrel() == (World.BarLinked ? &View : nullptr),
             "the bar links the wrong card view");
    // A batch defers the layout, and a view without a window has none.
    if (!V.Failed() && View.HandleAllocated() && View.GetItems()->GetUpdateCount() == 0) CheckLayout(View, V, Probe);
  }
  World.Quiet = false;
  return V.Text();
}

}  // namespace soak
