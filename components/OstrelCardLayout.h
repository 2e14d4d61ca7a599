#pragma once
// The card view's layout: the engine (TCardColumns) with everything that drives it. The
// control asks it where a card stands, for a card's rectangle, which card is at a point and
// for a relayout; it asks the control only for heights (ItemHeight) and metrics.
//
// A card's place is this object's to answer. While the engine describes the cards (the list
// reports every add, insert, delete, clear and sort, and the engine follows one change)
// the place is worked out from it; before the engine loses track (a sort, a clear, a second
// change, a height handler that may look) every card is given its place to keep, and
// queries walk all cards over those kept places. Internal to the components.

#include <cstdint>
#include <optional>

#include "OstrelColumns.h"
#include "Types.h"

namespace ostrel {

class TOstrel;
class TOstrelItem;
class TOstrelItems;

class TCardLayout {
public:
  using TCardPlace = TCardColumns::TCardPlace;

  // The layout of Table's cards; Table answers heights and metrics.
  explicit TCardLayout(TOstrel& Table) : FTable(Table) {}
  TCardLayout(const TCardLayout&) = delete;
  TCardLayout& operator=(const TCardLayout&) = delete;

  // The list changed in a way that cannot be localised (a clear, a load): no place is known.
  void ItemsChanged();
  // Removed cards at At were replaced by Inserted new ones; one such change can be followed.
  void ItemsChanged(int At, int Removed, int Inserted);
  // A card's height may have changed (its sub-items did).
  void ItemResized(const TOstrelItem* Item);
  // The list is about to sort or clear: every card keeps its place, and the columns go.
  void ItemsRearranging();
  // A card is being destroyed: the layout lets go of it.
  void ItemDestroying(const TOstrelItem* Item) {
    if (FPlacing == Item) FPlacing = nullptr;
  }
  // Another height handler may answer anything: the next layout reads every height.
  void RequireFullPass() { FColumns.RequireFullPass(); }
  // Every card keeps the place the last layout gave it, before something that may look at
  // places while they cannot be worked out (a height handler coming or going).
  void StorePlaces();

  // Bumped by every change of the list's structure: a running operation that called a
  // handler sees from it whether the cards moved under it.
  std::uint64_t Generation() const { return FGeneration; }
  // Whether Item is the card whose height the layout asked for last (so one of its own).
  bool IsPlacing(const TOstrelItem* Item) const { return Item == FPlacing; }
  // The engine, for painting and for the repaint after a relayout.
  const TCardColumns& Columns() const { return FColumns; }

  // Lays out every card; OwnHeights says the heights are the control's own (from line
  // counts), so that heights read before may stand while nothing they depend on changed.
  // False when a height handler changed the list, which then laid itself out again.
  bool LayOut(bool OwnHeights);
  // Whether the one change noted can be followed by Relayout instead of a full LayOut.
  bool CanRelayout() const;
  // Lays out again from the column of the noted change on; what moved, or nothing when a
  // height handler changed the list meanwhile. Needs CanRelayout.
  std::optional<TCardColumns::TMoved> Relayout(bool OwnHeights);

  // Where a card stands: from the engine while it describes the card, else the kept place.
  TCardPlace PlaceOf(const TOstrelItem* Item) const;
  // The card's rectangle in client coordinates; asks its height.
  vcl::TRect ItemRect(const TOstrelItem* Item);
  // The first card, in list order, whose rectangle holds the client point; null for none.
  TOstrelItem* ItemAt(int X, int Y);
  // The card of Column nearest to Item's top, the upper one of two as near; null for none.
  TOstrelItem* NearestInColumn(const TOstrelItem* Item, int Column);

private:
  // What the heights of the last full pass came from: own heights hold, unread, while the
  // metrics are the same and no card's lines changed.
  struct THeightsSource {
    bool Own = false;
    int LineHeight = 0;
    int CaptionHeight = 0;
    std::uint64_t SubItemChanges = 0;
    bool operator==(const THeightsSource&) const = default;
  };
  THeightsSource SourceNow(bool OwnHeights) const;
  TOstrelItems& Items() const;
  TCardColumns::TMetrics Metrics() const;
  // Every card of the last layout keeps its place, and the engine forgets the columns.
  void ForgetColumns();
  // Cards the foreign heights placed keep their column numbers right after a renumbering.
  void RenumberStoredColumns(const TCardColumns::TMoved& Moved);
  // Runs a pass of the engine over the cards, with their heights and places.
  template <class TPass>
  auto PlaceCards(TPass&& Pass);
  // Whether a card placed so holds the point; Stale when a height handler changed the list.
  bool HitsCard(TOstrelItem* Item, int Column, int Top, int X, int Y, bool& Stale);
  // Whether the engine describes the card (an own card, columns current).
  bool IndexedItem(const TOstrelItem* Item) const;

  TOstrel& FTable;
  // The card whose height the layout last asked for, so one of this control's own cards.
  const TOstrelItem* FPlacing = nullptr;
  TCardColumns FColumns;
  // Whether every card keeps the place the last layout gave it. Passes over own heights
  // write no card, so it turns false; a card's place then follows from the columns.
  bool FPlacesStored = true;
  THeightsSource FHeightsSource;
  std::uint64_t FGeneration = 0;
};

}  // namespace ostrel
