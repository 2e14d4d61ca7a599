#pragma once
// Pixel arithmetic of the card view, kept apart from the control so that layout, hit
// tests, the card's rectangle queries and painting share one definition of where a
// column, a line, a name or a value lies. Internal to the components.

#include <optional>

#include "Types.h"

namespace ostrel {

class TOstrel;

// A card is never taller, and the content never wider, than this: a top plus a height
// stays inside int, and the scroll bar's range can say every position. A card of more
// lines (or a height handler's larger answer) is cut to it.
constexpr int MaxCardHeight = 1 << 30;
constexpr int MaxContentWidth = (1 << 30) - 1;
// Positions are computed in 64 bits and kept within +-MaxCoordinate, which leaves room for
// the few pixels that callers add around a rectangle.
constexpr int MaxCoordinate = 3 << 29;
int ClampCoordinate(long long Value);
// How far beyond a card its painting reaches: the focus frame lies 2 pixels outside.
constexpr int FocusFrameReach = 3;
// Caption plus lines, cut to MaxCardHeight either way.
int CardHeight(int Lines, int LineHeight, int CaptionHeight);

// A snapshot of the metrics that place things; taken per query, never stored.
struct TCardGeometry {
  int ColumnWidth = 0;
  int BorderWidth = 0;
  int CaptionHeight = 0;
  int ItemLineHeight = 0;
  int NameWidth = 0;  // the smaller of ItemTextWidth and ColumnWidth
  int TotalWidth = 0;
  int ScrollPos = 0;
  bool RightToLeft = false;

  static TCardGeometry Of(const TOstrel& Table);

  // Distance from one column to the next.
  int Pitch() const { return ColumnWidth + 2 * BorderWidth; }
  // Client x of the left edge of a column; right to left puts column 0 at the right end.
  int ColumnLeft(int Column) const;
  // The column whose cards span client x, if any. Needs a non-negative BorderWidth, so that
  // the columns do not overlap; the answer may lie outside the laid-out columns.
  std::optional<int> ColumnAt(int X) const;
  // Columns First to Last (either may lie beyond the content) are those whose cards reach
  // into client x 0 to ClientWidth, edges included. Needs a positive pitch.
  struct TSpan {
    int First;
    int Last;
  };
  TSpan ColumnsInView(int ClientWidth) const;
  // Dividers First to Last (either may lie outside 1 to the column count) are those at client
  // x 0 to ClientWidth - 1; all of them when the pitch is not positive.
  TSpan DividersInView(int ClientWidth) const;
  // Client x of divider k (1-based): the middle of the gap after column k - 1.
  int DividerX(int Divider) const;
  // The column width that puts divider k under client x, truncated toward zero; the width
  // itself is not clamped here.
  int ColumnWidthForDivider(int Divider, int X) const;

  // Sub-item line Index of a card whose rectangle is Card and whose top is Top.
  vcl::TRect LineRect(const vcl::TRect& Card, int Top, int Index) const;
  // Where the name is drawn; a line without a name uses the whole width.
  vcl::TRect NameRect(const vcl::TRect& Line, bool HasName) const;
  // Where the value is drawn and edited; a line without a name is edited whole, inset by 3.
  vcl::TRect ValueRect(const vcl::TRect& Line, bool HasName) const;
};

}  // namespace ostrel
