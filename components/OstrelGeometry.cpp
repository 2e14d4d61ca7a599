// Where columns, cards and sub-item lines lie, and the card's own rectangle queries.

#include "OstrelGeometry.h"

#include <algorithm>
#include <limits>

#include "Ostrel.h"

namespace ostrel {

namespace {

// Floor division: a point left of the content still maps to a column below 0.
int FloorDiv(int A, int B) {
  const int Q = A / B;
  return (A % B != 0 && ((A < 0) != (B < 0))) ? Q - 1 : Q;
}

int CeilDiv(int A, int B) { return -FloorDiv(-A, B); }

}  // namespace

int ClampCoordinate(long long Value) {
  return static_cast<int>(std::clamp<long long>(Value, -MaxCoordinate, MaxCoordinate));
}

int CardHeight(int Lines, int LineHeight, int CaptionHeight) {
  const long long Height = static_cast<long long>(Lines) * LineHeight + CaptionHeight;
  return static_cast<int>(std::clamp<long long>(Height, -MaxCardHeight, MaxCardHeight));
}

TCardGeometry TCardGeometry::Of(const TOstrel& Table) {
  TCardGeometry G;
  G.ColumnWidth = Table.GetColumnWidth();
  G.BorderWidth = Table.GetBorderWidth();
  G.CaptionHeight = Table.GetCaptionHeight();
  G.ItemLineHeight = Table.GetItemLineHeight();
  G.NameWidth = std::min(Table.GetItemTextWidth(), Table.GetColumnWidth());
  G.TotalWidth = Table.GetTotalWidth();
  G.ScrollPos = Table.GetHScrollPos();
  G.RightToLeft = Table.GetBiDiMode() == bdRightToLeft;
  return G;
}

int TCardGeometry::ColumnLeft(int Column) const {
  const long long Offset = (static_cast<long long>(Column) + (RightToLeft ? 1 : 0)) * Pitch();
  if (RightToLeft) return ClampCoordinate(static_cast<long long>(BorderWidth) + TotalWidth - Offset - ScrollPos);
  return ClampCoordinate(BorderWidth + Offset - ScrollPos);
}

std::optional<int> TCardGeometry::ColumnAt(int X) const {
  if (Pitch() <= 0) return std::nullopt;
  // The nearest column whose left edge is not right of X.
  const int Column = RightToLeft ? CeilDiv(BorderWidth + TotalWidth - ScrollPos - X, Pitch()) - 1
                                 : FloorDiv(X - BorderWidth + ScrollPos, Pitch());
  const int Left = ColumnLeft(Column);
  if (X < Left || X >= Left + ColumnWidth) return std::nullopt;
  return Column;
}

TCardGeometry::TSpan TCardGeometry::ColumnsInView(int ClientWidth) const {
  if (Pitch() <= 0) return TSpan{0, -1};
  // Drawn while left <= ClientWidth and left + ColumnWidth >= 0.
  if (RightToLeft) {
    const int Right = BorderWidth + TotalWidth - ScrollPos;  // left of column c is Right - (c + 1) * Pitch
    return TSpan{CeilDiv(Right - ClientWidth, Pitch()) - 1, FloorDiv(Right + ColumnWidth, Pitch()) - 1};
  }
  const int Origin = BorderWidth - ScrollPos;  // left of column c is Origin + c * Pitch
  return TSpan{CeilDiv(-Origin - ColumnWidth, Pitch()), FloorDiv(ClientWidth - Origin, Pitch())};
}

TCardGeometry::TSpan TCardGeometry::DividersInView(int ClientWidth) const {
  if (Pitch() <= 0) return TSpan{1, std::numeric_limits<int>::max()};  // no order to go by
  if (RightToLeft) {
    const int Right = TotalWidth - ScrollPos;  // divider k at Right - k * Pitch
    return TSpan{FloorDiv(Right - ClientWidth, Pitch()) + 1, FloorDiv(Right, Pitch())};
  }
  return TSpan{CeilDiv(ScrollPos, Pitch()), FloorDiv(ClientWidth - 1 + ScrollPos, Pitch())};
}

int TCardGeometry::DividerX(int Divider) const {
  const long long Offset = static_cast<long long>(Divider) * Pitch();
  return ClampCoordinate(RightToLeft ? TotalWidth - Offset - ScrollPos : Offset - ScrollPos);
}

int TCardGeometry::ColumnWidthForDivider(int Divider, int X) const {
  if (Divider <= 0) return ColumnWidth;
  const int Gaps = 2 * BorderWidth * Divider;
  return RightToLeft ? (TotalWidth - Gaps - X - ScrollPos) / Divider : (X + ScrollPos - Gaps) / Divider;
}

TRect TCardGeometry::LineRect(const TRect& Card, int Top, int Index) const {
  const long long LineTop = static_cast<long long>(Top) + CaptionHeight + static_cast<long long>(Index) * ItemLineHeight;
  return TRect{Card.Left, ClampCoordinate(LineTop), Card.Right, ClampCoordinate(LineTop + ItemLineHeight)};
}

TRect TCardGeometry::NameRect(const TRect& Line, bool HasName) const {
  if (!HasName) return Line;
  if (RightToLeft) return TRect{Line.Right - NameWidth, Line.Top, Line.Right, Line.Bottom};
  return TRect{Line.Left, Line.Top, Line.Left + NameWidth, Line.Bottom};
}

TRect TCardGeometry::ValueRect(const TRect& Line, bool HasName) const {
  if (!HasName) return TRect{Line.Left + 3, Line.Top, Line.Right - 3, Line.Bottom};
  if (RightToLeft) return TRect{Line.Left, Line.Top, Line.Right - NameWidth, Line.Bottom};
  return TRect{Line.Left + NameWidth, Line.Top, Line.Right, Line.Bottom};
}

// ------------------------------------------------------------------ the card's queries

int TOstrelItem::GetColumn() const {
  const TOstrel* Table = GetTable();
  return Table ? Table->FLayout.PlaceOf(this).Column : FColumn;
}

int TOstrelItem::GetTop() const {
  const TOstrel* Table = GetTable();
  return Table ? static_cast<int>(Table->FLayout.PlaceOf(this).Top) : FTop;
}

TRect TOstrelItem::GetClientRect() const {
  TOstrel* Table = GetTable();
  if (!FAttached || !Table) return TRect{};
  return Table->GetItemClientRect(this);
}

int TOstrelItem::GetDefaultHeight() const {
  const TOstrel* Table = GetTable();
  if (!Table) return 16;
  return CardHeight(FSubItems.GetCount(), Table->GetItemLineHeight(), Table->GetCaptionHeight());
}

void TOstrelItem::Invalidate() {
  TOstrel* Table = GetTable();
  if (!FOwner || FOwner->GetUpdateCount() != 0 || !Table || !Table->HandleAllocated()) return;
  // 3 pixels beyond the card cover the focus frame drawn 2 pixels outside it.
  TRect R = GetClientRect();
  InflateRect(R, 3, 3);
  InvalidateRect(Table->GetHandle(), &R, false);
}

TRect TOstrelItem::GetSubItemRect(int Index) const {
  const TOstrel* Table = GetTable();
  if (!Table) return TRect{};
  return TCardGeometry::Of(*Table).LineRect(GetClientRect(), GetTop(), Index);
}

TRect TOstrelItem::GetSubItemNameRect(int Index) const {
  const TOstrel* Table = GetTable();
  if (!Table) return TRect{};
  const TCardGeometry G = TCardGeometry::Of(*Table);
  const bool HasName = !FSubItems.GetName(Index).empty();
  return G.NameRect(G.LineRect(GetClientRect(), GetTop(), Index), HasName);
}

TRect TOstrelItem::GetSubItemEditRect(int Index) const {
  const TOstrel* Table = GetTable();
  if (!Table) return TRect{};
  const TCardGeometry G = TCardGeometry::Of(*Table);
  const bool HasName = !FSubItems.GetName(Index).empty();
  return G.ValueRect(G.LineRect(GetClientRect(), GetTop(), Index), HasName);
}

}  // namespace ostrel
