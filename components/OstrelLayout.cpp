// Card layout: columns and tops, card heights, hit tests and the neighbour search.
//
// The layout engine (TCardColumns) keeps the heights it read and the first card of every
// column. Hit tests and the neighbour search use it to look only at the one column
// concerned; painting uses it to skip columns out of view. A card's place is worked out
// from it while it describes the card (the list reports every add, insert, delete, clear
// and sort, and the engine follows one change); before the engine loses track (a sort, a
// clear, a second change, a height handler that may look) every card is given its place to
// keep, and queries walk all cards over those kept places.

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <typeinfo>

#include "Ostrel.h"
#include "OstrelGeometry.h"

namespace ostrel {

void TOstrel::ItemsChanged() {
  ++FItemsGeneration;
  ForgetColumns();
}

void TOstrel::ItemsChanged(int At, int Removed, int Inserted) {
  ++FItemsGeneration;
  FColumns.Changed(At, Removed, Inserted);
  // The places of a second change would cost a walk through every change on every query.
  if (FColumns.PendingChanges() > 1) ForgetColumns();
}

void TOstrel::ItemResized(const TOstrelItem* Item) {
  // A running layout that asked a handler which resized a card is as moot as after an insert.
  ++FItemsGeneration;
  if (const int Index = Item->GetIndex(); Index >= 0) {
    FColumns.Resized(Index);
    if (FColumns.PendingChanges() > 1) ForgetColumns();
  }
}

void TOstrel::ItemsRearranging() { ForgetColumns(); }

void TOstrel::ForgetColumns() {
  StorePlaces();
  FColumns.Forget();
}

void TOstrel::StorePlaces() {
  if (FPlacesStored || !FColumns.Mapped()) {
    FPlacesStored = true;
    return;
  }
  void* const* Cards = FItems->FList.GetList() + FItems->FCleared;
  const int Count = FItems->GetCount();
  FColumns.ForEachPlace([&](int Index, int Column, long long Top) {
    if (Index >= Count) return;
    auto* Item = static_cast<TOstrelItem*>(Cards[Index]);
    Item->FColumn = Column;
    Item->FTop = ClampCoordinate(Top);
  });
  FPlacesStored = true;
}

TCardColumns::TCardPlace TOstrel::PlaceOf(const TOstrelItem* Item) const {
  if (!FPlacesStored && FColumns.Mapped() && Item->FAttached && Item->FOwner == FItems.get()) {
    if (const int Index = Item->GetIndex(); Index >= 0)
      if (const int LaidOut = FColumns.LaidOutIndex(Index); LaidOut >= 0) {
        const TCardColumns::TCardPlace Place = FColumns.PlaceOf(LaidOut);
        return TCardColumns::TCardPlace{Place.Column, ClampCoordinate(Place.Top)};
      }
  }
  return TCardColumns::TCardPlace{Item->FColumn, Item->FTop};
}

bool TOstrel::OwnHeights() const {
  // A descendant's ItemHeight, like a height handler, may answer anything, and may want to
  // see the cards' places while it does.
  return typeid(*this) == typeid(TOstrel) && !(FCustomDrawing && FOnItemHeight);
}

bool TOstrel::HeightsKnown() const {
  const THeightsSource Now{true, FItemLineHeight, FCaptionHeight, TOstrelSubItems::Changes()};
  return FColumns.HeightsKnown() && FColumns.CardCount() == FItems->GetCount() && OwnHeights() &&
         FHeightsSource == Now;
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
    const int Result = ItemHeight(Item);
    // The card, and the array, may be gone when the handler changed the list.
    if (FItemsGeneration != Generation) return std::nullopt;
    return Result;
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
  if (HeightsKnown()) {
    // Nothing asks or reads a card: the heights read before still hold.
    if (FColumns.LayOutKnown(LayoutMetrics())) FPlacesStored = false;
    FColumnCount = FColumns.ColumnCount();
    return;
  }
  const THeightsSource Source{OwnHeights(), FItemLineHeight, FCaptionHeight, TOstrelSubItems::Changes()};
  const bool Done = PlaceCards(
      [&](int Count, auto& Height, auto& Place) { return FColumns.LayOut(Count, LayoutMetrics(), Height, Place); });
  if (!Done) return;
  // The pass told every card its place.
  FPlacesStored = true;
  FHeightsSource = Source;
  FColumnCount = FColumns.ColumnCount();
}

void TOstrel::RelayoutChange() {
  if (!HandleAllocated() || !FColumns.CanRelayout(LayoutMetrics())) {
    RelayoutAndInvalidate();
    return;
  }
  // Foreign heights may look at places while they are asked: the cards then hold theirs.
  const bool Own = OwnHeights();
  if (!Own) StorePlaces();
  const std::optional<TShownBefore> Shown = ShownBeforeRelayout();
  const int OldCount = FColumns.CardCount();
  const int OldColumns = FColumns.ColumnCount();
  const std::optional<TCardColumns::TMoved> Moved =
      PlaceCards([&](int, auto& Height, auto& Place) { return FColumns.Relayout(FItems->GetCount(), Height, Place); });
  if (!Moved) return;  // a handler changed the list, and its own relayout repainted
  if (Own) {
    FPlacesStored = false;
  } else {
    FHeightsSource.Own = false;
    RenumberStoredColumns(*Moved);
  }
  FColumnCount = FColumns.ColumnCount();
  const int OldTotalWidth = FTotalWidth;
  RecalcDimensions();
  // Right to left, a new content width or new column numbers move every column; an empty
  // list shows its text.
  const bool RightToLeft = GetBiDiMode() == bdRightToLeft;
  if ((RightToLeft && (OldTotalWidth != FTotalWidth || Moved->Shift != 0)) || OldCount == 0 ||
      FItems->GetCount() == 0) {
    Invalidate();
    return;
  }
  if (Moved->Shift == 0) {
    RepaintRelaidColumns(Shown, Moved->First, Moved->Last, nullptr);
    return;
  }
  // The renumbered columns keep their pixels, moved by whole columns: the surface moves
  // them, and only the columns laid out anew are painted.
  const TCardGeometry G = TCardGeometry::Of(*this);
  const int From = G.ColumnLeft(Moved->Renumbered) - std::max(std::abs(FBorderWidth), FocusFrameReach);
  const int Width = GetClientWidth();
  if (FBorderWidth >= 0 && From >= Width) {
    RepaintRelaidColumns(Shown, Moved->First, Moved->Renumbered - 1, nullptr);  // none renumbered in view
  } else if (FBorderWidth >= 0 && From > 0) {
    const int Step = Moved->Shift * G.Pitch();
    const TRect Area{std::max(From - std::max(Step, 0), 0), 0, Width, GetClientHeight()};
    ScrollWindowEx(GetHandle(), Step, 0, &Area, nullptr, nullptr, nullptr, SW_INVALIDATE);
    RepaintRelaidColumns(Shown, Moved->First, Moved->Renumbered - 1, &Area);
  } else {
    InvalidateColumns(Moved->First, std::max(OldColumns, FColumnCount) - 1);
  }
}

void TOstrel::RenumberStoredColumns(const TCardColumns::TMoved& Moved) {
  if (Moved.Shift == 0 || Moved.Renumbered >= FColumns.ColumnCount()) return;
  void* const* Cards = FItems->FList.GetList() + FItems->FCleared;
  for (int I = FColumns.Start(Moved.Renumbered), Count = FItems->GetCount(); I < Count; ++I)
    static_cast<TOstrelItem*>(Cards[I])->FColumn += Moved.Shift;
}

void TOstrel::InvalidateColumns(int First, int Last) {
  if (First > Last || !HandleAllocated()) return;
  const TCardGeometry G = TCardGeometry::Of(*this);
  // The gap on either side holds the focus frame and the divider.
  const int Reach = std::max(std::abs(FBorderWidth), FocusFrameReach);
  const int A = G.ColumnLeft(First), B = G.ColumnLeft(Last);
  TRect R{std::min(A, B) - Reach, 0, std::max(A, B) + FColumnWidth + Reach, GetClientHeight()};
  R.Left = std::max(R.Left, 0);
  R.Right = std::min(R.Right, GetClientWidth());
  if (!R.IsEmpty()) InvalidateRect(GetHandle(), &R, false);
}

TRect TOstrel::GetItemClientRect(const TOstrelItem* Item) {
  const TCardColumns::TCardPlace Place = PlaceOf(Item);
  const int Left = TCardGeometry::Of(*this).ColumnLeft(Place.Column);
  const int Top = static_cast<int>(Place.Top);
  // ItemHeight hands the card to OnItemHeight, which takes it as changeable.
  const int Height = ItemHeight(const_cast<TOstrelItem*>(Item));
  return TRect{Left, Top, ClampCoordinate(static_cast<long long>(Left) + FColumnWidth),
               ClampCoordinate(static_cast<long long>(Top) + Height)};
}

bool TOstrel::HitsCard(TOstrelItem* Item, int Column, int Top, int X, int Y, bool& Stale) {
  // The point must lie in the card's rectangle; its height is asked for last.
  const int Left = TCardGeometry::Of(*this).ColumnLeft(Column);
  if (Y < Top || X < Left || X >= Left + FColumnWidth) return false;
  const std::uint64_t Generation = FItemsGeneration;
  const int Height = ItemHeight(Item);
  // A height handler that changed the list leaves nothing to answer for.
  Stale = FItemsGeneration != Generation;
  return !Stale && Y - Top < Height;
}

TOstrelItem* TOstrel::GetItemAt(int X, int Y) {
  bool Stale = false;
  // With non-negative borders columns do not overlap, so only the column under X can hold
  // the card, and the first hit in its list range is the first hit of the whole list.
  if (!FColumns.Current() || FBorderWidth < 0) {
    for (int I = 0; I < FItems->GetCount() && !Stale; ++I) {
      TOstrelItem* Item = FItems->GetItemFromIndex(I);
      const TCardColumns::TCardPlace Place = PlaceOf(Item);
      if (HitsCard(Item, Place.Column, static_cast<int>(Place.Top), X, Y, Stale)) return Item;
    }
    return nullptr;
  }
  const std::optional<int> Column = TCardGeometry::Of(*this).ColumnAt(X);
  if (!Column || *Column < 0 || *Column >= FColumns.ColumnCount()) return nullptr;
  TOstrelItem* Found = nullptr;
  FColumns.ForEachInColumn(*Column, [&](int I, long long Top) {
    TOstrelItem* Item = FItems->GetItemFromIndex(I);
    if (HitsCard(Item, *Column, ClampCoordinate(Top), X, Y, Stale)) Found = Item;
    return !Found && !Stale;
  });
  return Found;
}

int TOstrel::GetSubItemAt(TOstrelItem* Item, int X, int Y) {
  if (!Item || FItemLineHeight <= 0) return -1;
  const long long Offset = static_cast<long long>(Y) - Item->GetTop() - FCaptionHeight;
  if (Offset < 0) return -1;
  const long long Line = Offset / FItemLineHeight;
  return Line < Item->GetSubItems()->GetCount() ? static_cast<int>(Line) : -1;
}

// Strictly nearer only: between two at the same distance the upper one wins.
TOstrelItem* TOstrel::NearestInColumn(const TOstrelItem* Item, int Column) {
  TOstrelItem* Best = nullptr;
  long long BestDistance = std::numeric_limits<int>::max();
  const long long Top = PlaceOf(Item).Top;
  auto Consider = [&](int I, long long CandidateTop) {
    if (const long long Distance = std::llabs(ClampCoordinate(CandidateTop) - Top); Distance < BestDistance) {
      Best = FItems->GetItemFromIndex(I);
      BestDistance = Distance;
    }
  };
  if (IndexedItem(Item)) {
    if (Column < 0 || Column >= FColumns.ColumnCount()) return nullptr;
    FColumns.ForEachInColumn(Column, [&](int I, long long CandidateTop) {
      Consider(I, CandidateTop);
      return true;
    });
    return Best;
  }
  // Without current columns, the cards before (for a column to the left) or after the card.
  const int Index = Item->GetIndex();
  const bool Left = Column < PlaceOf(Item).Column;
  const int First = Left ? 0 : Index + 1, End = Left ? Index : FItems->GetCount();
  for (int I = First; I < End; ++I) {
    const TCardColumns::TCardPlace Place = PlaceOf(FItems->GetItemFromIndex(I));
    if (Place.Column == Column) Consider(I, Place.Top);
  }
  return Best;
}

bool TOstrel::IndexedItem(const TOstrelItem* Item) const {
  return FColumns.Current() && Item->FAttached && Item->GetOwnerList() == FItems.get();
}

TOstrelItem* TOstrel::GetLeftItem(const TOstrelItem* Item) {
  return Item ? NearestInColumn(Item, PlaceOf(Item).Column - 1) : nullptr;
}

TOstrelItem* TOstrel::GetRightItem(const TOstrelItem* Item) {
  return Item ? NearestInColumn(Item, PlaceOf(Item).Column + 1) : nullptr;
}

int TOstrel::GetDividerX(int Divider) const { return TCardGeometry::Of(*this).DividerX(Divider); }

}  // namespace ostrel
