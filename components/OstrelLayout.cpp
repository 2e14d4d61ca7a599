// Card layout: columns and tops, card heights, hit tests and the neighbour search.
//
// Cards stand in columns of consecutive list entries, so the layout keeps the first list
// index of every column (FColumnStarts). Hit tests and the neighbour search use it to look
// only at the one column concerned; painting uses it to skip columns out of view. The index
// is only trusted while the list has not changed its structure since it was built (the list
// reports every add, insert, delete, clear and sort through ItemsChanged); otherwise the
// queries walk all cards, which gives the same answers from the cards' stored positions.

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "Ostrel.h"
#include "OstrelGeometry.h"

namespace ostrel {

void TOstrel::PrefetchPlace(const TOstrelItem* Item) {
  // The string list keeps its count beside the fields of its base.
  const auto First = reinterpret_cast<std::uintptr_t>(&Item->FColumn);
  const auto Last = reinterpret_cast<std::uintptr_t>(&Item->FSubItems) + sizeof(TStrings) - 1;
  __builtin_prefetch(reinterpret_cast<const void*>(First));
  if (First / 64 != Last / 64) __builtin_prefetch(reinterpret_cast<const void*>(Last));
}

void TOstrel::ItemsChanged() { ++FItemsGeneration; }

bool TOstrel::ColumnStartsCurrent() const { return FColumnStartsGeneration == FItemsGeneration; }

int TOstrel::ItemHeight(TOstrelItem* Item) {
  // An own card's default height comes from this control's metrics directly: the layout asks
  // for every card, and the way through the card to its control is a chain of loads. The
  // card the layout is placing is known to be own without a look at its list.
  const bool Own = Item == FPlacing || Item->FOwner == FItems.get();
  int Height = Own ? CardHeight(Item->FSubItems.GetCount(), FItemLineHeight, FCaptionHeight) : Item->GetDefaultHeight();
  if (FCustomDrawing && FOnItemHeight) FOnItemHeight(this, Item, Height);
  return std::clamp(Height, -MaxCardHeight, MaxCardHeight);
}

void TOstrel::CalcItemsPos() {
  if (!HandleAllocated()) return;
  const std::uint64_t Generation = FItemsGeneration;
  FColumnStartsGeneration = Generation - 1;  // not trusted until this pass completes
  FColumnStarts.clear();
  FColumnCount = 0;
  const int Count = FItems->GetCount();
  const int Bottom = GetClientHeight() - FBorderWidth;
  int Column = 0;
  long long Y = FBorderWidth;  // a sum of card heights: 64 bits do not overflow
  if (Count > 0) FColumnStarts.push_back(0);
  // Cards lie all over the heap: what the layout reads of them (the place and the line
  // count) is fetched some cards ahead, so that a long list does not wait on memory card by
  // card. The array stays valid while the list is unchanged, which the loop checks.
  constexpr int Ahead = 16;
  void* const* Cards = FItems->FList.GetList() + FItems->FCleared;
  for (int I = 0; I < std::min(Count, Ahead); ++I) PrefetchPlace(static_cast<TOstrelItem*>(Cards[I]));
  for (int I = 0; I < Count; ++I) {
    if (I + Ahead < Count) PrefetchPlace(static_cast<TOstrelItem*>(Cards[I + Ahead]));
    auto* Item = static_cast<TOstrelItem*>(Cards[I]);
    // One height per card: OnItemHeight must answer the same for the same card anyway.
    FPlacing = Item;
    const int Height = ItemHeight(Item);
    // A height handler that changed the list has started a layout of its own (or a batch
    // will): this pass is moot and Item may be gone.
    if (FItemsGeneration != Generation) return;
    if (Y > FBorderWidth && Y + Height > Bottom) {
      ++Column;
      Y = FBorderWidth;
      FColumnStarts.push_back(I);
    }
    // Unchanged places are not written: a relayout then leaves clean memory clean.
    if (Item->FColumn != Column) Item->FColumn = Column;
    if (const int Top = ClampCoordinate(Y); Item->FTop != Top) Item->FTop = Top;
    Y += static_cast<long long>(Height) + FBorderWidth;
  }
  FColumnCount = Count > 0 ? Column + 1 : 0;
  FColumnStartsGeneration = Generation;
}

TRect TOstrel::GetItemClientRect(const TOstrelItem* Item) {
  const int Left = TCardGeometry::Of(*this).ColumnLeft(Item->FColumn);
  const int Top = Item->FTop;
  // ItemHeight hands the card to OnItemHeight, which takes it as changeable.
  const int Height = ItemHeight(const_cast<TOstrelItem*>(Item));
  return TRect{Left, Top, ClampCoordinate(static_cast<long long>(Left) + FColumnWidth),
               ClampCoordinate(static_cast<long long>(Top) + Height)};
}

int TOstrel::ColumnEnd(int Column) const {
  return Column + 1 < static_cast<int>(FColumnStarts.size()) ? FColumnStarts[Column + 1] : FItems->GetCount();
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
  if (!ColumnStartsCurrent() || FBorderWidth < 0) return FirstItemAt(0, FItems->GetCount(), X, Y);
  const std::optional<int> Column = TCardGeometry::Of(*this).ColumnAt(X);
  if (!Column || *Column < 0 || *Column >= static_cast<int>(FColumnStarts.size())) return nullptr;
  return FirstItemAt(FColumnStarts[*Column], ColumnEnd(*Column), X, Y);
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
  return ColumnStartsCurrent() && Item->FAttached && Item->GetOwnerList() == FItems.get() &&
         Item->FColumn >= 0 && Item->FColumn < static_cast<int>(FColumnStarts.size());
}

TOstrelItem* TOstrel::GetLeftItem(const TOstrelItem* Item) {
  if (!Item) return nullptr;
  if (IndexedItem(Item)) {
    const int Column = Item->FColumn - 1;
    if (Column < 0) return nullptr;
    return NearestInColumn(Item, Column, FColumnStarts[Column], ColumnEnd(Column));
  }
  return NearestInColumn(Item, Item->FColumn - 1, 0, Item->GetIndex());
}

TOstrelItem* TOstrel::GetRightItem(const TOstrelItem* Item) {
  if (!Item) return nullptr;
  if (IndexedItem(Item)) {
    const int Column = Item->FColumn + 1;
    if (Column >= static_cast<int>(FColumnStarts.size())) return nullptr;
    return NearestInColumn(Item, Column, FColumnStarts[Column], ColumnEnd(Column));
  }
  return NearestInColumn(Item, Item->FColumn + 1, Item->GetIndex() + 1, FItems->GetCount());
}

int TOstrel::GetDividerX(int Divider) const { return TCardGeometry::Of(*this).DividerX(Divider); }

}  // namespace ostrel
