// Divider zones and the drag that sizes all columns at once.

#include "OstrelDividerDrag.h"

#include <cstdlib>

#include "OstrelGeometry.h"

namespace ostrel {

int TDividerDrag::DividerAt(const TCardGeometry& G, int ColumnCount, int X) {
  auto Holds = [&](int D) { return D >= 1 && D <= ColumnCount && std::abs(X - G.DividerX(D)) < 4; };
  const int Pitch = G.Pitch();
  if (Pitch >= 8) {
    // Zones cannot overlap: only the nearest divider can hold X.
    const int Offset = G.RightToLeft ? G.TotalWidth - G.ScrollPos - X : X + G.ScrollPos;
    const int Nearest = (Offset + Pitch / 2) / Pitch;
    return Holds(Nearest) ? Nearest : 0;
  }
  // Overlapping zones: the highest-numbered divider wins.
  int Found = 0;
  for (int D = 1; D <= ColumnCount; ++D)
    if (Holds(D)) Found = D;
  return Found;
}

bool TDividerDrag::Press() {
  FDragged = FOver;
  return Dragging();
}

int TDividerDrag::WidthAt(const TCardGeometry& Geometry, int X) const {
  return Geometry.ColumnWidthForDivider(FDragged, X);
}

bool TDividerDrag::Release() {
  const bool Was = Dragging();
  FDragged = 0;
  return Was;
}

}  // namespace ostrel
