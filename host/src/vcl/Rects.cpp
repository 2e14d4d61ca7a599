// Rectangle and point helpers.

#include <algorithm>

#include "Windows.h"

namespace vcl {

bool PtInRect(const TRect& Rect, const TPoint& Pt) {
  return Pt.X >= Rect.Left && Pt.X < Rect.Right && Pt.Y >= Rect.Top && Pt.Y < Rect.Bottom;
}

bool InflateRect(TRect& Rect, int dx, int dy) {
  Rect = TRect{Rect.Left - dx, Rect.Top - dy, Rect.Right + dx, Rect.Bottom + dy};
  return true;
}

bool OffsetRect(TRect& Rect, int dx, int dy) {
  Rect = TRect{Rect.Left + dx, Rect.Top + dy, Rect.Right + dx, Rect.Bottom + dy};
  return true;
}

bool IsRectEmpty(const TRect& Rect) { return Rect.IsEmpty(); }

bool IntersectRect(TRect& Dest, const TRect& Src1, const TRect& Src2) {
  const TRect R{std::max(Src1.Left, Src2.Left), std::max(Src1.Top, Src2.Top), std::min(Src1.Right, Src2.Right),
                std::min(Src1.Bottom, Src2.Bottom)};
  Dest = R.IsEmpty() ? TRect{} : R;
  return !R.IsEmpty();
}

bool UnionRect(TRect& Dest, const TRect& Src1, const TRect& Src2) {
  if (Src1.IsEmpty()) Dest = Src2;
  else if (Src2.IsEmpty()) Dest = Src1;
  else
    Dest = TRect{std::min(Src1.Left, Src2.Left), std::min(Src1.Top, Src2.Top), std::max(Src1.Right, Src2.Right),
                 std::max(Src1.Bottom, Src2.Bottom)};
  if (Dest.IsEmpty()) Dest = TRect{};
  return !Dest.IsEmpty();
}

}  // namespace vcl
