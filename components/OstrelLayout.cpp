// Card layout: columns and tops, card heights, hit tests and the neighbour search.
//
// The layout engine (TCardColumns) keeps the first card of every column. Hit tests and the
// neighbour search use it to look only at the one column concerned; painting uses it to
// skip columns out of view. It is only trusted while the list has not changed since it was
// built (the list reports every add, insert, delete, clear and sort); otherwise the queries
// walk all cards, which gives the same answers from the cards' stored positions.

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "Ostrel.h"
#include "OstrelGeometry.h"

namespace ostrel {

void TOstrel::ItemsChanged() {
  ++FItemsGeneration;
  FColumns.Forget();
}

void TOstrel::ItemsChanged(int At, int Removed, int Inserted) {
  ++FItemsGeneration;
  FColumns.Changed(At, Removed, Inserted);
}

void TOstrel::ItemResized(const TOstrelItem* Item) {
  // A running layout that asked a handler which resized a card is as moot as after an insert.
  ++FItemsGeneration;
  if (const int Index = Item->GetIndex(); Index >= 0) FColumns.Changed(Index, 1, 1);
}

int TOstrel::ItemHeight(TOstrelItem* Item) {
  // An own card's default height comes from this control's metrics directly: the layout asks
  // for every card, and the way through the card to its control is a chain of loads. The
  // card the layout is placing is known to be own without a look at its list.
  const bool Own = Item == FPlacing || Item->FOwner == FItems.get();
  int Height = Own ? CardHeight(Item->FSubItems.GetCount(), FItemLineHeight, FCaptionHeight) : Item->GetDefaultHeight();
  if (FCustomDrawing && FOnItemHeight) FOnItemHeight(this, Item, Height);
  return std::clamp(Height, -MaxCardHeight, MaxCardHeight);
}

TCardColumns::TMetrics TOstrel::LayoutMetrics() {
  return TCardColumns::TMetrics{FBorderWidth, GetClientHeight() - FBorderWidth};
}

template <class TPass>
auto TOstrel::PlaceCards(TPass&& Pass) {
  const std::uint64_t Generation = FItemsGeneration;
  const int Count = FItems->GetCount();
  // Cards lie all over the heap: each card's place, and its line count, is fetched
  // some cards ahead, so that a long list does not wait on memory card by card. The array
  // stays valid while the list is unchanged, which Height checks before each card.
  constexpr int Ahead = 16;
  void* const* Cards = FItems->FList.GetList() + FItems->FCleared;
  auto Height = [&](int I) -> std::optional<int> {
    // A height handler that changed the list has started a layout of its own (or a batch
    // will): this pass is moot and the array may be gone.
    if (FItemsGeneration != Generation) return std::nullopt;
    // Written out here, not as a lambda of its own: GCC 12 at -O2 left no prefetch of such a
    // lambda in the object, and the pass waited on memory card by card again.
    if (I + Ahead < Count) {
      const auto* Next = static_cast<const TOstrelItem*>(Cards[I + Ahead]);
      __builtin_prefetch(&Next->FColumn);
      Next->FSubItems.PrefetchCount();
    }
    auto* Item = static_cast<TOstrelItem*>(Cards[I]);
    // One height per card: OnItemHeight must answer the same for the same card anyway.
    FPlacing = Item;
    return ItemHeight(Item);
  };
  auto Place = [&](int I, int Column, long long Top) {
    auto* Item = static_cast<TOstrelItem*>(Cards[I]);
    // Unchanged places are not written: a relayout then leaves clean memory clean.
    if (Item->FColumn != Column) Item->FColumn = Column;
    if (const int T = ClampCoordinate(Top); Item->FTop != T) Item->FTop = T;
  };
  return Pass(Count, Height, Place);
}

void TOstrel::CalcItemsPos() {
  if (!HandleAllocated()) return;
  FColumnCount = 0;
  const bool Done = PlaceCards(
      [&](int Count, auto& Height, auto& Place) { return FColumns.LayOut(Count, LayoutMetrics(), Height, Place); });
  if (Done) FColumnCount = FColumns.ColumnCount();
}

void TOstrel::RelayoutChange() {
  if (!HandleAllocated() || !FColumns.CanRelayout(LayoutMetrics())) {
    RelayoutAndInvalidate();
    return;
  }
  const int OldCount = FColumns.CardCount();
  const std::optional<TCardColumns::TMoved> Moved =
      PlaceCards([&](int, auto& Height, auto& Place) { return FColumns.Relayout(FItems->GetCount(), Height, Place); });
  if (!Moved) return;  // a handler changed the list, and its own relayout repainted
  FColumnCount = FColumns.ColumnCount();
  const int OldTotalWidth = FTotalWidth;
  RecalcDimensions();
  // Right to left, a new content width moves every column; an empty list shows its text.
  if ((OldTotalWidth != FTotalWidth && GetBiDiMode() == bdRightToLeft) || OldCount == 0 || FItems->GetCount() == 0) {
    Invalidate();
    return;
  }
  InvalidateColumns(Moved->First, Moved->Last);
}

void TOstrel::InvalidateColumns(int First, int Last) {
  if (First > Last || !HandleAllocated()) return;
  const TCardGeometry G = TCardGeometry::Of(*this);
  // The gap on either side holds the focus frame and the divider.
  const int Reach = std::max(std::abs(FBorderWidth), 3);
  const int A = G.ColumnLeft(First), B = G.ColumnLeft(Last);
  TRect R{std::min(A, B) - Reach, 0, std::max(A, B) + FColumnWidth + Reach, GetClientHeight()};
  R.Left = std::max(R.Left, 0);
  R.Right = std::min(R.Right, GetClientWidth());
  if (!R.IsEmpty()) InvalidateRect(GetHandle(), &R, false);
}

TRect TOstrel::GetItemClientRect(const TOstrelItem* Item) {
  const int Left = TCardGeometry::Of(*this).ColumnLeft(Item->FColumn);
  const int Top = Item->FTop;
  // ItemHeight hands the card to OnItemHeight, which takes it as changeable.
  const int Height = ItemHeight(const_cast<TOstrelItem*>(Item));
  return TRect{Left, Top, ClampCoordinate(static_cast<long long>(Left) + FColumnWidth),
               ClampCoordinate(static_cast<long long>(Top) + Height)};
}

TOstrelItem* TOstrel::FirstItemAt(int First, int End, int X, int Y) {
  const std::uint64_t Generation = FItemsGeneration;
  const TCardGeometry G = TCardGeometry::Of(*this);
  for (int I = First; I < End; ++I) {
    TOstrelItem* Item = FItems->GetItemFromIndex(I);
    // The point must lie in the card's rectangle; its height is asked for last.
    const int Left = G.ColumnLeft(Item->FColumn);
    if (Y < Item->FTop || X < Left || X >= Left + FColumnWidth) continue;
    const int Height = ItemHeight(Item);
    // A height handler that changed the list leaves nothing to answer for.
    if (FItemsGeneration != Generation) return nullptr;
    if (Y - Item->FTop < Height) return Item;
  }
  return nullptr;
}

TOstrelItem* TOstrel::GetItemAt(int X, int Y) {
  // With non-negative borders columns do not overlap, so only the column under X can hold
  // the card, and the first hit in its list range is the first hit of the whole list.
  if (!FColumns.Current() || FBorderWidth < 0) return FirstItemAt(0, FItems->GetCount(), X, Y);
  const std::optional<int> Column = TCardGeometry::Of(*this).ColumnAt(X);
  if (!Column || *Column < 0 || *Column >= FColumns.ColumnCount()) return nullptr;
  return FirstItemAt(FColumns.Start(*Column), FColumns.End(*Column), X, Y);
}

int TOstrel::GetSubItemAt(TOstrelItem* Item, int X, int Y) {
  if (!Item || FItemLineHeight <= 0) return -1;
  const long long Offset = static_cast<long long>(Y) - Item->FTop - FCaptionHeight;
  if (Offset < 0) return -1;
  const long long Line = Offset / FItemLineHeight;
  return Line < Item->GetSubItems()->GetCount() ? static_cast<int>(Line) : -1;
}

TOstrelItem* TOstrel::NearestInColumn(const TOstrelItem* Item, int Column, int First, int End) {
  TOstrelItem* Best = nullptr;
  int BestDistance = std::numeric_limits<int>::max();
  const int Top = Item->FTop;
  for (int I = First; I < End; ++I) {
    TOstrelItem* Candidate = FItems->GetItemFromIndex(I);
    if (Candidate->FColumn != Column) continue;
    // Strictly nearer only: between two at the same distance the upper one wins.
    const int Distance = std::abs(Candidate->FTop - Top);
    if (Distance < BestDistance) {
      Best = Candidate;
      BestDistance = Distance;
    }
  }
  return Best;
}

bool TOstrel::IndexedItem(const TOstrelItem* Item) const {
  return FColumns.Current() && Item->FAttached && Item->GetOwnerList() == FItems.get() && Item->FColumn >= 0 &&
         Item->FColumn < FColumns.ColumnCount();
}

TOstrelItem* TOstrel::GetLeftItem(const TOstrelItem* Item) {
  if (!Item) return nullptr;
  if (IndexedItem(Item)) {
    const int Column = Item->FColumn - 1;
    if (Column < 0) return nullptr;
    return NearestInColumn(Item, Column, FColumns.Start(Column), FColumns.End(Column));
  }
  return NearestInColumn(Item, Item->FColumn - 1, 0, Item->GetIndex());
}

TOstrelItem* TOstrel::GetRightItem(const TOstrelItem* Item) {
  if (!Item) return nullptr;
  if (IndexedItem(Item)) {
    const int Column = Item->FColumn + 1;
    if (Column >= FColumns.ColumnCount()) return nullptr;
    return NearestInColumn(Item, Column, FColumns.Start(Column), FColumns.End(Column));
  }
  return NearestInColumn(Item, Item->FColumn + 1, Item->GetIndex() + 1, FItems->GetCount());
}

int TOstrel::GetDividerX(int Divider) const { return TCardGeometry::Of(*this).DividerX(Divider); }

}  // namespace ostrel
