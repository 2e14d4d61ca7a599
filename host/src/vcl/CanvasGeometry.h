#pragma once
// The pixels that lines, dashes, hatches and focus frames cover, apart from any device.

#include <vector>

#include "Graphics.h"

namespace vcl::geometry {

// The pixels of a horizontal or vertical line: from its start up to, not including, its end.
TRect StraightRun(TPoint From, TPoint To);
// Whether a line between the points is horizontal or vertical (and not a single point).
bool IsStraight(TPoint From, TPoint To);
// The pixels a one-pixel line of Style sets from From up to, not including, To: every pixel
// of the line for a solid style, the "on" stretches of its dashes for the others.
std::vector<TPoint> LinePixels(TPoint From, TPoint To, TPenStyle Style);
// Whether Style has dashes (a solid line has none).
bool IsDashed(TPenStyle Style);
// Whether the pixel at canvas (X, Y) lies on a hatch line of Style (always for a style
// without hatches). Hatches repeat every 8 pixels, lined up with the canvas origin.
bool HatchHit(TBrushStyle Style, int X, int Y);
// Every other pixel along the inside of Rect, those with an even X + Y, each once.
std::vector<TPoint> FocusDots(const TRect& Rect);

}  // namespace vcl::geometry
