#pragma once
// A window's retained surface, kept at the device pixel ratio of the window's screen.

#include <QPainter>
#include <optional>

#include "Window.h"

namespace vcl::backend {

// Whether the window's screen now has another ratio than its surface was made for.
bool SurfaceRatioStale(const TWindowRecord* R);
// A new white surface for a client area of Size logical pixels, at the window's ratio.
void RemakeSurface(TWindowRecord* R, const QSize& Size);
// Opens the paint cycle's painter and erases Area (logical pixels) with Color.
void EraseSurface(TWindowRecord* R, const QRegion& Area, const QColor& Color);
// Draws the surface at the client area's place in the widget.
void ShowSurface(QPainter& Painter, const TWindowRecord* R);
// Moves the surface's pixels in Area (logical, clipped to the surface; null: all of it) by
// Dx, Dy with the invalid region inside; returns the part left uncovered, which Invalidate
// makes invalid. Nothing for a window that does not exist.
std::optional<QRect> ScrollSurface(HWND Wnd, int Dx, int Dy, const QRect* Area, bool Invalidate);
// A copy of the surface in device pixels, its devicePixelRatio telling how many for each
// logical pixel.
QImage SurfaceCopy(const TWindowRecord* R);

}  // namespace vcl::backend
