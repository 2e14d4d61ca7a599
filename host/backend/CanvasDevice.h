#pragma once
// Pixel access for a canvas: its surface seen through its origin and clip.

#include <QPainter>
#include <optional>

#include "Graphics.h"
#include "Surface.h"

namespace vcl::backend {

// One drawing operation's view of the canvas surface.
class TCanvasDevice {
public:
  explicit TCanvasDevice(const TCanvas& Canvas);
  ~TCanvasDevice();
  TCanvasDevice(const TCanvasDevice&) = delete;
  TCanvasDevice& operator=(const TCanvasDevice&) = delete;

  bool Usable() const { return FSurface && FSurface->Image && !FSurface->Image->isNull() && !FClip.isEmpty(); }
  // Canvas coordinates in; clipped.
  void Plot(int X, int Y, QRgb Color);
  void Invert(int X, int Y);
  QRgb Pixel(int X, int Y) const;
  bool Contains(int X, int Y) const;
  // Every pixel of Area inside the clip takes Color.
  void FillSolid(const QRect& Area, QRgb Color);
  // Every pixel of Area inside the clip takes the brush: its pattern, the hatch lines of its
  // style when Hatched (the pixels between stay), or its colour.
  void FillWithBrush(const QRect& Area, bool Hatched);
  bool BrushPaints() const;
  // A painter on the surface in image coordinates (canvas coordinates plus Origin), clipped
  // (Extra, when given, narrows the clip further, in canvas coordinates); null when the
  // clip leaves nothing.
  QPainter* Painter(const std::optional<QRect>& Extra = std::nullopt);
  void SetPainterFont(const QFont& Font);
  QPoint Origin() const { return FOrigin; }
  // The surface's owner hears of the drawn area, unless a paint cycle that shows its whole
  // area when it ends is running.
  void Changed(const QRect& CanvasArea);

private:
  // Calls Row(line, y, from, to) for each clipped run of Area (canvas coordinates); lines,
  // y and the half-open run [from, to) are in image coordinates.
  template <class F>
  void ForEachRow(const QRect& Area, F&& Row);

  const TCanvas& FCanvas;
  TCanvasSurface* FSurface;
  QRegion FClip;  // image coordinates
  QRect FClipBounds;
  QPoint FOrigin;
  TSurfacePainter FOwnPainter;  // for a surface that shares none
  TSurfacePainter* FPainter;
};

// The canvas behind a device handle, or null for an unknown handle.
TCanvas* CanvasOf(HDC DC);

}  // namespace vcl::backend
