// Line, dash, hatch and focus-frame pixels.

#include "CanvasGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace vcl::geometry {

namespace {

// Dash lengths (on, off, ...) of the cosmetic pen styles.
std::vector<int> DashPattern(TPenStyle Style) {
  switch (Style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

}  // namespace

bool IsDashed(TPenStyle Style) { return !DashPattern(Style).empty(); }

bool IsStraight(TPoint From, TPoint To) { return (From.X == To.X) != (From.Y == To.Y); }

TRect StraightRun(TPoint From, TPoint To) {
  const int EndX = To.X - (To.X > From.X) + (To.X < From.X);
  const int EndY = To.Y - (To.Y > From.Y) + (To.Y < From.Y);
  return TRect{std::min(From.X, EndX), std::min(From.Y, EndY), std::max(From.X, EndX) + 1, std::max(From.Y, EndY) + 1};
}

std::vector<TPoint> LinePixels(TPoint From, TPoint To, TPenStyle Style) {
  // Bresenham, stopping before the end point as the classic line does.
  const std::vector<int> Dashes = DashPattern(Style);
  std::vector<TPoint> Pixels;
  int DashIndex = 0, DashLeft = Dashes.empty() ? 0 : Dashes[0];
  int X = From.X, Y = From.Y;
  const int DX = std::abs(To.X - X), DY = -std::abs(To.Y - Y);
  const int SX = X < To.X ? 1 : -1, SY = Y < To.Y ? 1 : -1;
  int Err = DX + DY;
  while (X != To.X || Y != To.Y) {
    if (Dashes.empty() || DashIndex % 2 == 0) Pixels.push_back(TPoint{X, Y});
    if (!Dashes.empty() && --DashLeft == 0) {
      DashIndex = (DashIndex + 1) % static_cast<int>(Dashes.size());
      DashLeft = Dashes[DashIndex];
    }
    const int E2 = 2 * Err;
    if (E2 >= DY) { Err += DY; X += SX; }
    if (E2 <= DX) { Err += DX; Y += SY; }
  }
  return Pixels;
}

bool HatchHit(TBrushStyle Style, int X, int Y) {
  const int PX = ((X % 8) + 8) % 8, PY = ((Y % 8) + 8) % 8;
  switch (Style) {
    case bsHorizontal: return PY == 4;
    case bsVertical: return PX == 4;
    case bsFDiagonal: return PX == PY;
    case bsBDiagonal: return PX == 7 - PY;
    case bsCross: return PX == 4 || PY == 4;
    case bsDiagCross: return PX == PY || PX == 7 - PY;
    default: return true;
  }
}

std::vector<TPoint> FocusDots(const TRect& Rect) {
  // Every other pixel of the canvas, so that two frames side by side keep one rhythm.
  std::vector<TPoint> Dots;
  auto Dot = [&](int X, int Y) {
    if (((X + Y) & 1) == 0) Dots.push_back(TPoint{X, Y});
  };
  for (int X = Rect.Left; X < Rect.Right; ++X) {
    Dot(X, Rect.Top);
    if (Rect.Bottom - 1 > Rect.Top) Dot(X, Rect.Bottom - 1);
  }
  for (int Y = Rect.Top + 1; Y < Rect.Bottom - 1; ++Y) {
    Dot(Rect.Left, Y);
    if (Rect.Right - 1 > Rect.Left) Dot(Rect.Right - 1, Y);
  }
  return Dots;
}

}  // namespace vcl::geometry
