#pragma once
// The layout engine of the card view: cards stacked top to bottom in columns, a new column
// whenever the next card would cross the bottom. It keeps the height it read of every card,
// side by side in one array, and the first card of every column; every place follows from
// these two (a card's column by a search of the starts, its top by the heights above it in
// its column), so a pass writes nothing per card. A full pass over heights already known is
// a sum over contiguous memory. After a change of one card it lays out again from the
// column of the change on, until a column starts at the same card as before, under the same
// number or, when the change added or removed a column, under a number shifted by that
// many: the columns from there on are renumbered, not laid out. Pure arithmetic over card
// indices: the control answers heights. Internal to the components.

#include <algorithm>
#include <optional>
#include <vector>

namespace ostrel {

class TCardColumns {
public:
  // Cards stand Border apart, each column starts Border below the top, and a card that is not
  // the first of its column never ends below Bottom.
  struct TMetrics {
    int Border = 0;
    int Bottom = 0;
    bool operator==(const TMetrics&) const = default;
  };
  // Columns First to Last (inclusive) got new cards or tops; Last is -1 when none did. The
  // columns from Renumbered on hold the cards and tops they held, under numbers Shift higher
  // than before (lower for a negative Shift); Renumbered is the column count when none are.
  struct TMoved {
    int First = 0;
    int Last = -1;
    int Renumbered = 0;
    int Shift = 0;
  };
  struct TCardPlace {
    int Column = 0;
    long long Top = 0;
  };
  // Removed cards at index At were replaced by Inserted new ones (a resize is one for one).
  struct TChange {
    int At;
    int Removed;
    int Inserted;
    bool operator==(const TChange&) const = default;
  };

  // Lays out cards 0 to Count - 1, reading every height. Height(I) answers card I's height,
  // or nothing when the pass must be abandoned (the cards changed under it); Place(I, Column,
  // Top) is told each card's place. False when abandoned: the engine is then out of date,
  // unless a pass started meanwhile completed.
  template <class THeight, class TPlace>
  bool LayOut(int Count, TMetrics Metrics, THeight&& Height, TPlace&& Place);
  // Whether the heights of the last pass still describe the cards in list order: laid out,
  // no change since, and no call for a full pass.
  bool HeightsKnown() const { return FLaidOut && FPending.empty() && !FNeedFull; }
  // Lays out again with the heights of the last pass, under new metrics; needs HeightsKnown.
  // True when a card moved: a column starts at another card, or the border changed.
  bool LayOutKnown(TMetrics Metrics);

  // Notes that Removed cards at index At were replaced by Inserted new ones. Changes are kept
  // in order; Relayout can follow one of them, two or more need a full pass.
  void Changed(int At, int Removed, int Inserted);
  // Notes that the height of card At may have changed; the card keeps its place till a pass.
  void Resized(int At);
  int PendingChanges() const { return static_cast<int>(FPending.size()); }
  // The first change noted since the last pass; needs PendingChanges() > 0.
  const TChange& PendingChange() const { return FPending.front(); }
  // The cards changed in a way that cannot be localised (a sort, a clear): no place is known.
  void Forget();
  // The heights may all have changed (another height handler): the next pass is a full one.
  void RequireFullPass() { FNeedFull = true; }

  // Whether a pass with these metrics can follow the one noted change instead of a full one.
  bool CanRelayout(TMetrics Metrics) const {
    return FLaidOut && !FNeedFull && FPending.size() == 1 && Metrics == FMetrics;
  }
  // Lays out again after the noted change, over Count cards (counted after it), from the
  // column before the change on, reading the heights of the cards it passes; Place is told
  // their places. It stops at the first column that starts at the card it started at before
  // (counted after the change): from there on the columns are only renumbered. Needs
  // CanRelayout. Abandoned like LayOut, which returns nothing.
  template <class THeight, class TPlace>
  std::optional<TMoved> Relayout(int Count, THeight&& Height, TPlace&& Place);

  // Whether the last pass describes the cards as they are: laid out, and no change since.
  bool Current() const { return FLaidOut && FPending.empty(); }
  // Whether the last pass, with the changes noted since, still says where each card stood.
  bool Mapped() const { return FLaidOut; }
  // Where the card now at Index stood in the last pass, or -1 for a card new since. Needs
  // Mapped; Index counts the cards as they are.
  int LaidOutIndex(int Index) const;
  // The index card LaidOut of the last pass has now, or -1 when the noted changes removed it.
  int CurrentIndex(int LaidOut) const;
  // Where the last pass put card Index (counted as then, 0 to CardCount - 1).
  TCardPlace PlaceOf(int Index) const;
  // The height the last pass read for card Index (counted as then).
  int HeightOf(int Index) const { return FHeights[static_cast<std::size_t>(Index)]; }
  // Visit(Index, Column, Top) for every card of the last pass still in the list, with its
  // index as the list now counts it. Needs Mapped.
  template <class TVisit>
  void ForEachPlace(TVisit&& Visit) const;
  // Visit(Index, Top) for the cards of Column in order, while Visit returns true.
  template <class TVisit>
  void ForEachInColumn(int Column, TVisit&& Visit) const;

  int ColumnCount() const { return static_cast<int>(FStarts.size()); }
  int CardCount() const { return FCount; }
  // First card of a column, and one past its last card. Column must be 0 to ColumnCount - 1.
  int Start(int Column) const { return FStarts[static_cast<std::size_t>(Column)]; }
  int End(int Column) const { return Column + 1 < ColumnCount() ? Start(Column + 1) : FCount; }
  // The column holding card Index (0 to CardCount - 1).
  int ColumnOf(int Index) const;

private:
  // Out of date until the pass that calls it completes.
  void BeginPass(TMetrics Metrics);
  // The starts of a pass over the known heights, into Starts.
  void StartsFromHeights(std::vector<int>& Starts) const;
  void Commit(int Count);

  std::vector<int> FHeights;  // per card of the last pass, in list order
  std::vector<int> FStarts;
  std::vector<int> FSpareStarts;  // the buffer LayOutKnown fills and swaps in
  int FCount = 0;
  TMetrics FMetrics;
  bool FLaidOut = false;
  bool FNeedFull = false;
  std::vector<TChange> FPending;  // a resize is a change of one card for one
};

template <class THeight, class TPlace>
bool TCardColumns::LayOut(int Count, TMetrics Metrics, THeight&& Height, TPlace&& Place) {
  BeginPass(Metrics);
  FStarts.clear();
  FHeights.resize(static_cast<std::size_t>(Count));
  int Column = 0;
  long long Y = Metrics.Border;  // a sum of card heights: 64 bits do not overflow
  if (Count > 0) FStarts.push_back(0);
  for (int I = 0; I < Count; ++I) {
    // Height may run a handler whose change starts a pass of its own: the arrays are reached
    // through the members again after it, and left alone when this pass is abandoned.
    const std::optional<int> H = Height(I);
    if (!H) return false;
    FHeights[static_cast<std::size_t>(I)] = *H;
    if (Y > Metrics.Border && Y + *H > Metrics.Bottom) {
      ++Column;
      Y = Metrics.Border;
      FStarts.push_back(I);
    }
    Place(I, Column, Y);
    Y += static_cast<long long>(*H) + Metrics.Border;
  }
  Commit(Count);
  return true;
}

template <class THeight, class TPlace>
std::optional<TCardColumns::TMoved> TCardColumns::Relayout(int Count, THeight&& Height, TPlace&& Place) {
  const TChange Change = FPending.front();
  const TMetrics Metrics = FMetrics;
  const int OldColumns = ColumnCount();
  const int Shift = Change.Inserted - Change.Removed;
  // A caller whose count disagrees with the change gets a pass from the first card on that
  // never takes an old column for a new one.
  const bool Consistent = Count == FCount + Shift && Change.At + Change.Removed <= FCount;
  // What used to open the column after the card before the change may now fit below that
  // card, so the pass starts at its column; the columns before keep their cards and places.
  const int Before = std::max(Change.At - 1, 0);
  const int FirstColumn = OldColumns == 0 || !Consistent ? 0 : ColumnOf(std::min(Before, FCount - 1));
  const int FirstAfter = Change.At + Change.Inserted;  // the first card after the change, counted after it
  BeginPass(Metrics);
  if (Consistent && Change.Removed != Change.Inserted) {
    const auto At = FHeights.begin() + Change.At;
    FHeights.erase(At, At + Change.Removed);
    FHeights.insert(FHeights.begin() + Change.At, static_cast<std::size_t>(Change.Inserted), 0);
  }
  FHeights.resize(static_cast<std::size_t>(Count));
  if (Count == 0) {
    FStarts.clear();
    Commit(0);
    return TMoved{0, OldColumns - 1, 0, 0};
  }
  std::vector<int> NewStarts;  // of the columns after FirstColumn, until the old ones resume
  int Column = FirstColumn;
  int I = OldColumns == 0 ? 0 : Start(FirstColumn);
  int Old = FirstColumn + 1;  // the next old column whose start may come back
  long long Y = Metrics.Border;
  for (; I < Count; ++I) {
    const std::optional<int> H = Height(I);
    if (!H) return std::nullopt;
    FHeights[static_cast<std::size_t>(I)] = *H;
    if (Y > Metrics.Border && Y + *H > Metrics.Bottom) {
      ++Column;
      Y = Metrics.Border;
      if (Consistent && I >= FirstAfter) {
        while (Old < OldColumns && Start(Old) + Shift < I) ++Old;
        if (Old < OldColumns && Start(Old) + Shift == I) {
          // From here on every column holds the cards it held: keep their starts, moved by
          // the cards gained or lost, behind the new ones.
          const auto Kept = FStarts.begin() + FirstColumn + 1;
          FStarts.erase(Kept, FStarts.begin() + Old);
          FStarts.insert(FStarts.begin() + FirstColumn + 1, NewStarts.begin(), NewStarts.end());
          if (Shift != 0)
            for (auto S = FStarts.begin() + Column; S != FStarts.end(); ++S) *S += Shift;
          Commit(Count);
          return TMoved{FirstColumn, Column - 1, Column, Column - Old};
        }
      }
      NewStarts.push_back(I);
    }
    Place(I, Column, Y);
    Y += static_cast<long long>(*H) + Metrics.Border;
  }
  FStarts.resize(static_cast<std::size_t>(FirstColumn) + 1);
  FStarts.insert(FStarts.end(), NewStarts.begin(), NewStarts.end());
  Commit(Count);
  return TMoved{FirstColumn, std::max(Column, OldColumns - 1), ColumnCount(), 0};
}

template <class TVisit>
void TCardColumns::ForEachPlace(TVisit&& Visit) const {
  for (int Column = 0; Column < ColumnCount(); ++Column)
    ForEachInColumn(Column, [&](int LaidOut, long long Top) {
      if (const int Index = CurrentIndex(LaidOut); Index >= 0) Visit(Index, Column, Top);
      return true;
    });
}

template <class TVisit>
void TCardColumns::ForEachInColumn(int Column, TVisit&& Visit) const {
  long long Top = FMetrics.Border;
  for (int I = Start(Column), Last = End(Column); I < Last; ++I) {
    if (!Visit(I, Top)) return;
    Top += static_cast<long long>(FHeights[static_cast<std::size_t>(I)]) + FMetrics.Border;
  }
}

}  // namespace ostrel
