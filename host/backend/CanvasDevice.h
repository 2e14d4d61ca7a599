#pragma once
// Pixel access for a canvas: its surface seen through its origin and clip.

#include <QPainter>
#include <memory>

#include "Graphics.h"
#include "Surface.h"

namespace vcl::backend {

class TCanvasDevice {
public:
  explicit TCanvasDevice(const TCanvas& Canvas);
  bool Usable() const { return FSurface && FSurface->Image && !FSurface->Image->isNull() && !FClip.isEmpty(); }
  // Canvas coordinates in; clipped; the surface's owner hears of the change.
  void Plot(int X, int Y, QRgb Color);
  void Invert(int X, int Y);
  QRgb Pixel(int X, int Y) const;
  bool Contains(int X, int Y) const;
  // A painter on the surface, translated to canvas coordinates and clipped (Extra, when not
  // empty, narrows the clip further, in canvas coordinates).
  std::unique_ptr<QPainter> Painter(const QRect& Extra = QRect());
  void Changed(const QRect& CanvasArea);
  // The colour the brush gives the pixel at canvas (X, Y): pattern, or solid colour.
  QRgb BrushPixel(int X, int Y) const;
  bool BrushPaints() const;

private:
  const TCanvas& FCanvas;
  TCanvasSurface* FSurface;
  QRegion FClip;  // image coordinates
  QPoint FOrigin;
};

// The canvas behind a device handle, or null for an unknown handle.
TCanvas* CanvasOf(HDC DC);

}  // namespace vcl::backend
