#pragma once
// The layout engine of the card view: cards stacked top to bottom in columns, a new column
// whenever the next card would cross the bottom. It keeps the first card of every column,
// from which hit tests, the neighbour search and painting find the columns they need, and
// after a change of a few cards it lays out again only from the column of the change on,
// until a column starts at the same card as before. Pure arithmetic over card indices: the
// control answers heights and stores places. Internal to the components.

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
  // Columns First to Last (inclusive) got new places; Last is -1 when none did.
  struct TMoved {
    int First = 0;
    int Last = -1;
  };

  // Lays out cards 0 to Count - 1. Height(I) answers card I's height, or nothing when the
  // pass must be abandoned (the cards changed under it); Place(I, Column, Top) stores a
  // card's place. False when abandoned: the engine is then out of date, unless a pass
  // started meanwhile completed.
  template <class THeight, class TPlace>
  bool LayOut(int Count, TMetrics Metrics, THeight&& Height, TPlace&& Place);

  // Notes that Removed cards at index At were replaced by Inserted new ones (a card whose
  // height changed counts as one removed and one inserted). One change is kept for Relayout;
  // a second one, or any change while out of date, leaves the engine out of date.
  void Changed(int At, int Removed, int Inserted);
  // The cards changed in a way that cannot be localised (a sort, a clear).
  void Forget();

  // Whether a pass with these metrics can follow the one noted change instead of a full one.
  bool CanRelayout(TMetrics Metrics) const { return FLaidOut && FPending && Metrics == FMetrics; }
  // Lays out again after the noted change, over Count cards (counted after it), from the
  // column before the change on, and stops at the first column that starts at the card it
  // started at before (counted after the change) under the same column number: from there
  // on nothing moves. Needs CanRelayout. Abandoned like LayOut, which returns nothing.
  template <class THeight, class TPlace>
  std::optional<TMoved> Relayout(int Count, THeight&& Height, TPlace&& Place);

  // Whether the columns describe the cards as they are: laid out, and no change since.
  bool Current() const { return FLaidOut && !FPending; }
  int ColumnCount() const { return static_cast<int>(FStarts.size()); }
  int CardCount() const { return FCount; }
  // First card of a column, and one past its last card. Column must be 0 to ColumnCount - 1.
  int Start(int Column) const { return FStarts[static_cast<std::size_t>(Column)]; }
  int End(int Column) const { return Column + 1 < ColumnCount() ? Start(Column + 1) : FCount; }
  // The column holding card Index (0 to CardCount - 1).
  int ColumnOf(int Index) const;

private:
  struct TChange {
    int At;
    int Removed;
    int Inserted;
  };

  // Out of date until the pass that calls it completes.
  void BeginPass(TMetrics Metrics);

  std::vector<int> FStarts;
  int FCount = 0;
  TMetrics FMetrics;
  bool FLaidOut = false;
  std::optional<TChange> FPending;
};

template <class THeight, class TPlace>
bool TCardColumns::LayOut(int Count, TMetrics Metrics, THeight&& Height, TPlace&& Place) {
  BeginPass(Metrics);
  std::vector<int>& Starts = FStarts;
  Starts.clear();
  int Column = 0;
  long long Y = Metrics.Border;  // a sum of card heights: 64 bits do not overflow
  if (Count > 0) Starts.push_back(0);
  for (int I = 0; I < Count; ++I) {
    const std::optional<int> H = Height(I);
    if (!H) return false;
    if (Y > Metrics.Border && Y + *H > Metrics.Bottom) {
      ++Column;
      Y = Metrics.Border;
      Starts.push_back(I);
    }
    Place(I, Column, Y);
    Y += static_cast<long long>(*H) + Metrics.Border;
  }
  FCount = Count;
  FLaidOut = true;
  return true;
}

template <class THeight, class TPlace>
std::optional<TCardColumns::TMoved> TCardColumns::Relayout(int Count, THeight&& Height, TPlace&& Place) {
  const TChange Change = *FPending;
  const TMetrics Metrics = FMetrics;
  const int OldColumns = ColumnCount();
  // What used to open the column after the card before the change may now fit below that
  // card, so the pass starts at its column; the columns before keep their cards and places.
  const int Before = std::max(Change.At - 1, 0);
  int Column = OldColumns == 0 ? 0 : ColumnOf(std::min(Before, FCount - 1));
  const TMoved Moved{Column, -1};
  const int Shift = Change.Inserted - Change.Removed;
  const int FirstAfter = Change.At + Change.Inserted;  // the first card after the change, counted after it
  BeginPass(Metrics);
  std::vector<int>& Starts = FStarts;
  if (Count == 0) {
    Starts.clear();
    FCount = 0;
    FLaidOut = true;
    return TMoved{0, OldColumns - 1};
  }
  if (OldColumns == 0) Starts.push_back(0);
  int I = Starts[static_cast<std::size_t>(Column)];
  long long Y = Metrics.Border;
  for (; I < Count; ++I) {
    const std::optional<int> H = Height(I);
    if (!H) return std::nullopt;
    if (Y > Metrics.Border && Y + *H > Metrics.Bottom) {
      ++Column;
      Y = Metrics.Border;
      // The old start of this column is still in place: starts are overwritten in order.
      if (I >= FirstAfter && Column < OldColumns && Starts[static_cast<std::size_t>(Column)] + Shift == I) {
        for (int C = Column; C < OldColumns; ++C) Starts[static_cast<std::size_t>(C)] += Shift;
        FCount = Count;
        FLaidOut = true;
        return TMoved{Moved.First, Column - 1};
      }
      if (Column < static_cast<int>(Starts.size()))
        Starts[static_cast<std::size_t>(Column)] = I;
      else
        Starts.push_back(I);
    }
    Place(I, Column, Y);
    Y += static_cast<long long>(*H) + Metrics.Border;
  }
  Starts.resize(static_cast<std::size_t>(Column) + 1);
  FCount = Count;
  FLaidOut = true;
  return TMoved{Moved.First, std::max(Column, OldColumns - 1)};
}

}  // namespace ostrel
