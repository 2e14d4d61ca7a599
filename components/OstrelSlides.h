#pragma once
// Which pixels of a column survive a relayout. A card that kept its column, its height and
// its content only moved up or down, so the pixels it has can move with it instead of being
// painted again; neighbours that moved alike move as one block. Pure arithmetic over the
// rows the layout engine gives the cards before and after. Internal to the components.

#include <cstddef>
#include <span>
#include <vector>

#include "OstrelColumns.h"

namespace ostrel {

// A card as its column shows it: its index as the list counts the cards now (-1 for a card
// removed since), its top and its height.
struct TCardRow {
  int Index;
  long long Top;
  int Height;
};

// The cards of some columns that can show: those whose tops lie above the client's bottom.
class TColumnRows {
public:
  // Takes the cards of the engine's Column that start above Bottom, in list order. A column
  // showing more than MaxRows cards (only cards of no height come that many) is not taken:
  // repainting it costs no more than looking at it.
  void Add(const TCardColumns& Columns, int Column, long long Bottom);
  // Whether Add took Column.
  bool Has(int Column) const { return Find(Column) >= 0; }
  // The cards Add took of Column; empty when it did not.
  std::span<const TCardRow> Of(int Column) const;

  static constexpr std::size_t MaxRows = 4096;

private:
  int Find(int Column) const;

  std::vector<int> FColumns;        // in the order taken
  std::vector<std::size_t> FEnds;   // one past each column's last row in FRows
  std::vector<TCardRow> FRows;
};

// A block of cards that now covers rows Top to Bottom - 1 and stood Dy rows higher before (a
// negative Dy: lower).
struct TSlide {
  long long Top;
  long long Bottom;
  long long Dy;
  bool operator==(const TSlide&) const = default;
};

// The blocks of one column whose pixels may move, top to bottom: runs of cards of After,
// next to each other, that stood in Before with the same height and moved by the same Dy.
// The cards ChangedFrom to ChangedTo - 1 (new content) belong to none, nor do cards of
// negative height. A move reads its block's former rows and writes its new ones; a block
// whose rows would overlap those of a block above it is left out, to be painted.
std::vector<TSlide> Slides(std::span<const TCardRow> Before, std::span<const TCardRow> After, int ChangedFrom,
                           int ChangedTo);

}  // namespace ostrel
