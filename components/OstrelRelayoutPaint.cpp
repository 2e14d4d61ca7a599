// The repaint after a relayout of one change. A card that grows pushes the last card of its
// column into the next column, and so on: every column after it starts a card later, and its
// other cards only move down. Their pixels move with them on the retained surface (the
// classic ScrollWindowEx, one column strip at a time), and only what is new in each column
// is painted: the incoming card, the vacated bottom, the changed card.

#include <algorithm>
#include <cstdlib>

#include "Ostrel.h"
#include "OstrelGeometry.h"

namespace ostrel {

bool TOstrel::PixelsMoveWithCards() const {
  // Without a border the divider runs down the first pixels of the next column, and ends a
  // row short of the bottom: it would not come out the same moved.
  const bool DividersInGaps = FBorderWidth > 0 || !FShowDividers;
  return OwnCardHeights() && OwnCardDrawing() && FBorderWidth >= 0 && DividersInGaps &&
         FCaptionHeight >= 0 && FItemLineHeight >= 0;
}

std::optional<TOstrel::TEnginePlace> TOstrel::EnginePlaceOfFocused() const {
  if (!FItemFocused || !FLayout.Columns().Mapped() || FItemFocused->GetOwnerList() != FItems.get()) return std::nullopt;
  const int Index = FItemFocused->GetIndex();
  const int LaidOut = Index >= 0 ? FLayout.Columns().LaidOutIndex(Index) : -1;
  if (LaidOut < 0) return std::nullopt;
  const TCardColumns::TCardPlace Place = FLayout.Columns().PlaceOf(LaidOut);
  return TEnginePlace{Place.Column, Place.Top, FLayout.Columns().HeightOf(LaidOut)};
}

std::optional<TOstrel::TShownBefore> TOstrel::ShownBeforeRelayout() {
  if (!PixelsMoveWithCards() || FLayout.Columns().PendingChanges() != 1) return std::nullopt;
  TShownBefore Shown;
  Shown.Change = FLayout.Columns().PendingChange();
  Shown.ClientHeight = GetClientHeight();
  const TCardGeometry::TSpan InView = TCardGeometry::Of(*this).ColumnsInView(GetClientWidth());
  for (int Column = std::max(InView.First, 0); Column <= std::min(InView.Last, FLayout.Columns().ColumnCount() - 1); ++Column)
    Shown.Rows.Add(FLayout.Columns(), Column, Shown.ClientHeight);
  Shown.FocusedPlace = EnginePlaceOfFocused();
  return Shown;
}

void TOstrel::InvalidateInClient(TRect Rect) {
  Rect.Left = std::max(Rect.Left, 0);
  Rect.Top = std::max(Rect.Top, 0);
  Rect.Right = std::min(Rect.Right, GetClientWidth());
  Rect.Bottom = std::min(Rect.Bottom, GetClientHeight());
  if (!Rect.IsEmpty()) InvalidateRect(GetHandle(), &Rect, false);
}

void TOstrel::RepaintRelaidColumns(const std::optional<TShownBefore>& Shown, int First, int Last,
                                   const TRect* Scrolled) {
  const int Height = GetClientHeight();
  // A scroll bar that came or went resized the view, which laid it out and painted it whole.
  if (!Shown || Height != Shown->ClientHeight) {
    InvalidateColumns(First, Last);
    return;
  }
  const TShownBefore& Before = *Shown;
  const TCardGeometry G = TCardGeometry::Of(*this);
  const TCardGeometry::TSpan InView = G.ColumnsInView(GetClientWidth());
  const int ChangedFrom = Before.Change.At, ChangedTo = Before.Change.At + Before.Change.Inserted;
  auto Row = [Height](long long Y) { return static_cast<int>(std::clamp<long long>(Y, 0, Height)); };
  struct TPlan {
    int Column;
    bool Whole;  // painted from side to side, gaps included
    std::vector<TSlide> Kept;
  };
  std::vector<TPlan> Plans;
  TColumnRows After;
  // Every move comes before any invalidation: a move carries the invalid parts of its rows
  // along, and the rows it leaves behind are painted below anyway.
  for (int Column = std::max(First, InView.First); Column <= std::min(Last, InView.Last); ++Column) {
    TPlan& Plan = Plans.emplace_back(TPlan{Column, true, {}});
    const int Left = G.ColumnLeft(Column);
    const TRect Strip{Left, 0, Left + FColumnWidth, Height};
    if (Scrolled && Strip.Left < Scrolled->Right && Scrolled->Left < Strip.Right) continue;
    if (Column >= FColumnCount || !Before.Rows.Has(Column)) continue;  // a column that came or went
    After.Add(FLayout.Columns(), Column, Height);
    if (!After.Has(Column)) continue;
    Plan.Whole = false;
    for (const TSlide& S : Slides(Before.Rows.Of(Column), After.Of(Column), ChangedFrom, ChangedTo)) {
      if (std::llabs(S.Dy) >= Height) continue;  // none of its pixels stay in view
      Plan.Kept.push_back(S);
      if (S.Dy == 0) continue;
      const TRect Area{Left, Row(std::min(S.Top, S.Top - S.Dy)), Strip.Right, Row(std::max(S.Bottom, S.Bottom - S.Dy))};
      ScrollWindowEx(GetHandle(), 0, static_cast<int>(S.Dy), &Area, nullptr, nullptr, nullptr, SW_INVALIDATE);
    }
  }
  for (const TPlan& Plan : Plans) {
    if (Plan.Whole) {
      InvalidateColumns(Plan.Column, Plan.Column);
      continue;
    }
    const int Left = G.ColumnLeft(Plan.Column);
    long long Y = 0;
    for (const TSlide& S : Plan.Kept) {
      InvalidateInClient(TRect{Left, Row(Y), Left + FColumnWidth, Row(S.Top)});
      Y = std::max(Y, S.Bottom);
    }
    InvalidateInClient(TRect{Left, Row(Y), Left + FColumnWidth, Height});
  }
  // The focus frame reaches into the gaps beside its column, which keep their pixels, and its
  // dots must come out as a paint of the card's new place draws them.
  auto InvalidateFrame = [&](const TEnginePlace& Place) {
    const int Left = G.ColumnLeft(Place.Column);
    const int Top = ClampCoordinate(Place.Top);
    TRect Frame{Left, Top, Left + FColumnWidth, ClampCoordinate(static_cast<long long>(Top) + Place.Height)};
    InflateRect(Frame, FocusFrameReach, FocusFrameReach);
    InvalidateInClient(Frame);
  };
  if (Before.FocusedPlace) InvalidateFrame(*Before.FocusedPlace);
  if (const std::optional<TEnginePlace> Now = EnginePlaceOfFocused()) InvalidateFrame(*Now);
}

}  // namespace ostrel
