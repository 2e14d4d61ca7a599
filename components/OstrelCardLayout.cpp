// Card layout: columns and tops, the heights they come from, hit tests and the neighbour
// search. The engine keeps the heights it read and the first card of every column: hit tests
// and the neighbour search use it to look only at the one column concerned.

#include "OstrelCardLayout.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "Ostrel.h"
#include "OstrelGeometry.h"

namespace ostrel {

TOstrelItems& TCardLayout::Items() const { return *FTable.GetItems(); }

TCardColumns::TMetrics TCardLayout::Metrics() const {
  return TCardColumns::TMetrics{FTable.GetBorderWidth(), FTable.GetClientHeight() - FTable.GetBorderWidth()};
}

TCardLayout::THeightsSource TCardLayout::SourceNow(bool OwnHeights) const {
  return THeightsSource{OwnHeights, FTable.GetItemLineHeight(), FTable.GetCaptionHeight(), TOstrelSubItems::Changes()};
}

// ------------------------------------------------------------------ changes of the list

void TCardLayout::ItemsChanged() {
  ++FGeneration;
  ForgetColumns();
}

void TCardLayout::ItemsChanged(int At, int Removed, int Inserted) {
  ++FGeneration;
  FColumns.Changed(At, Removed, Inserted);
  // The places of a second change would cost a walk through every change on every query.
  if (FColumns.PendingChanges() > 1) ForgetColumns();
}

void TCardLayout::ItemResized(const TOstrelItem* Item) {
  // A running layout that asked a handler which resized a card is as moot as after an insert.
  ++FGeneration;
  if (const int Index = Item->GetIndex(); Index >= 0) {
    FColumns.Resized(Index);
    if (FColumns.PendingChanges() > 1) ForgetColumns();
  }
}

void TCardLayout::ItemsRearranging() { ForgetColumns(); }

void TCardLayout::ForgetColumns() {
  StorePlaces();
  FColumns.Forget();
}

void TCardLayout::StorePlaces() {
  if (FPlacesStored || !FColumns.Mapped()) {
    FPlacesStored = true;
    return;
  }
  void* const* Cards = Items().FList.GetList() + Items().FCleared;
  const int Count = Items().GetCount();
  FColumns.ForEachPlace([&](int Index, int Column, long long Top) {
    if (Index >= Count) return;
    auto* Item = static_cast<TOstrelItem*>(Cards[Index]);
    Item->FColumn = Column;
    Item->FTop = ClampCoordinate(Top);
  });
  FPlacesStored = true;
}

// ------------------------------------------------------------------ passes

template <class TPass>
auto TCardLayout::PlaceCards(TPass&& Pass) {
  const std::uint64_t Generation = FGeneration;
  TOstrelItems& List = Items();
  const int Count = List.GetCount();
  // Cards lie all over the heap: each card's place, and its line count, is fetched
  // some cards ahead, so that a long list does not wait on memory card by card. The array
  // stays valid while the list is unchanged, which Height checks before each card.
  constexpr int Ahead = 16;
  void* const* Cards = List.FList.GetList() + List.FCleared;
  auto Height = [&](int I) -> std::optional<int> {
    // A height handler that changed the list has started a layout of its own (or a batch
    // will): this pass is moot and the array may be gone.
    if (FGeneration != Generation) return std::nullopt;
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
    const int Result = FTable.ItemHeight(Item);
    // The card, and the array, may be gone when the handler changed the list.
    if (FGeneration != Generation) return std::nullopt;
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

bool TCardLayout::LayOut(bool OwnHeights) {
  const THeightsSource Source = SourceNow(OwnHeights);
  if (OwnHeights && FColumns.HeightsKnown() && FColumns.CardCount() == Items().GetCount() &&
      FHeightsSource == Source) {
    // Nothing asks or reads a card: the heights read before still hold.
    if (FColumns.LayOutKnown(Metrics())) FPlacesStored = false;
    return true;
  }
  const bool Done = PlaceCards(
      [&](int Count, auto& Height, auto& Place) { return FColumns.LayOut(Count, Metrics(), Height, Place); });
  if (!Done) return false;
  // The pass told every card its place.
  FPlacesStored = true;
  FHeightsSource = Source;
  return true;
}

bool TCardLayout::CanRelayout() const { return FColumns.CanRelayout(Metrics()); }

std::optional<TCardColumns::TMoved> TCardLayout::Relayout(bool OwnHeights) {
  // Foreign heights may look at places while they are asked: the cards then hold theirs.
  if (!OwnHeights) StorePlaces();
  const std::optional<TCardColumns::TMoved> Moved =
      PlaceCards([&](int, auto& Height, auto& Place) { return FColumns.Relayout(Items().GetCount(), Height, Place); });
  if (!Moved) return std::nullopt;
  if (OwnHeights) {
    FPlacesStored = false;
  } else {
    FHeightsSource.Own = false;
    RenumberStoredColumns(*Moved);
  }
  return Moved;
}

void TCardLayout::RenumberStoredColumns(const TCardColumns::TMoved& Moved) {
  if (Moved.Shift == 0 || Moved.Renumbered >= FColumns.ColumnCount()) return;
  void* const* Cards = Items().FList.GetList() + Items().FCleared;
  for (int I = FColumns.Start(Moved.Renumbered), Count = Items().GetCount(); I < Count; ++I)
    static_cast<TOstrelItem*>(Cards[I])->FColumn += Moved.Shift;
}

// ------------------------------------------------------------------ queries

TCardColumns::TCardPlace TCardLayout::PlaceOf(const TOstrelItem* Item) const {
  if (!FPlacesStored && FColumns.Mapped() && Item->FAttached && Item->FOwner == &Items()) {
    if (const int Index = Item->GetIndex(); Index >= 0)
      if (const int LaidOut = FColumns.LaidOutIndex(Index); LaidOut >= 0) {
        const TCardPlace Place = FColumns.PlaceOf(LaidOut);
        return TCardPlace{Place.Column, ClampCoordinate(Place.Top)};
      }
  }
  return TCardPlace{Item->FColumn, Item->FTop};
}

TRect TCardLayout::ItemRect(const TOstrelItem* Item) {
  const TCardPlace Place = PlaceOf(Item);
  const int Left = TCardGeometry::Of(FTable).ColumnLeft(Place.Column);
  const int Top = static_cast<int>(Place.Top);
  // ItemHeight hands the card to OnItemHeight, which takes it as changeable.
  const int Height = FTable.ItemHeight(const_cast<TOstrelItem*>(Item));
  return TRect{Left, Top, ClampCoordinate(static_cast<long long>(Left) + FTable.GetColumnWidth()),
               ClampCoordinate(static_cast<long long>(Top) + Height)};
}

bool TCardLayout::HitsCard(TOstrelItem* Item, int Column, int Top, int X, int Y, bool& Stale) {
  // The point must lie in the card's rectangle; its height is asked for last.
  const int Left = TCardGeometry::Of(FTable).ColumnLeft(Column);
  if (Y < Top || X < Left || X >= Left + FTable.GetColumnWidth()) return false;
  const std::uint64_t Generation = FGeneration;
  const int Height = FTable.ItemHeight(Item);
  // A height handler that changed the list leaves nothing to answer for.
  Stale = FGeneration != Generation;
  return !Stale && Y - Top < Height;
}

TOstrelItem* TCardLayout::ItemAt(int X, int Y) {
  bool Stale = false;
  TOstrelItems& List = Items();
  // With non-negative borders columns do not overlap, so only the column under X can hold
  // the card, and the first hit in its list range is the first hit of the whole list.
  if (!FColumns.Current() || FTable.GetBorderWidth() < 0) {
    for (int I = 0; I < List.GetCount() && !Stale; ++I) {
      TOstrelItem* Item = List.GetItemFromIndex(I);
      const TCardPlace Place = PlaceOf(Item);
      if (HitsCard(Item, Place.Column, static_cast<int>(Place.Top), X, Y, Stale)) return Item;
    }
    return nullptr;
  }
  const std::optional<int> Column = TCardGeometry::Of(FTable).ColumnAt(X);
  if (!Column || *Column < 0 || *Column >= FColumns.ColumnCount()) return nullptr;
  TOstrelItem* Found = nullptr;
  FColumns.ForEachInColumn(*Column, [&](int I, long long Top) {
    TOstrelItem* Item = List.GetItemFromIndex(I);
    if (HitsCard(Item, *Column, ClampCoordinate(Top), X, Y, Stale)) Found = Item;
    return !Found && !Stale;
  });
  return Found;
}

// Strictly nearer only: between two at the same distance the upper one wins.
TOstrelItem* TCardLayout::NearestInColumn(const TOstrelItem* Item, int Column) {
  TOstrelItems& List = Items();
  TOstrelItem* Best = nullptr;
  long long BestDistance = std::numeric_limits<int>::max();
  const long long Top = PlaceOf(Item).Top;
  auto Consider = [&](int I, long long CandidateTop) {
    if (const long long Distance = std::llabs(ClampCoordinate(CandidateTop) - Top); Distance < BestDistance) {
      Best = List.GetItemFromIndex(I);
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
  const int First = Left ? 0 : Index + 1, End = Left ? Index : List.GetCount();
  for (int I = First; I < End; ++I) {
    const TCardPlace Place = PlaceOf(List.GetItemFromIndex(I));
    if (Place.Column == Column) Consider(I, Place.Top);
  }
  return Best;
}

bool TCardLayout::IndexedItem(const TOstrelItem* Item) const {
  return FColumns.Current() && Item->FAttached && Item->GetOwnerList() == &Items();
}

}  // namespace ostrel
