#pragma once
// Pixel access for a canvas: its surface seen through its origin, clip and device scale.

#include <QPainter>
#include <optional>
#include <vector>

#include "DeviceScale.h"
#include "GlyphTable.h"
#include "Graphics.h"
#include "Surface.h"

namespace vcl::backend {

// One drawing operation's view of the canvas surface. The framework speaks in canvas
// coordinates, logical pixels; pixel work here is in image device pixels, and the Image*
// helpers turn one into the other. Pixel work is clipped.
class TCanvasDevice {
public:
  explicit TCanvasDevice(const TCanvas& Canvas);
  ~TCanvasDevice();
  TCanvasDevice(const TCanvasDevice&) = delete;
  TCanvasDevice& operator=(const TCanvasDevice&) = delete;

  bool Usable() const { return FSurface && FSurface->Image && !FSurface->Image->isNull() && !FClip.isEmpty(); }
  const TDeviceScale& Scale() const { return FScale; }
  // The device pixels of a canvas area, of a one-pixel line over canvas pixels [From, To) of
  // a row or column, and of a canvas pixel as a point of a line.
  QRect ImageArea(const QRect& Area) const { return FScale.Area(Area.translated(FOrigin)); }
  QRect ImageRow(int From, int To, int Y) const { return FScale.Row(From + FOrigin.x(), To + FOrigin.x(), Y + FOrigin.y()); }
  QRect ImageColumn(int X, int From, int To) const { return FScale.Column(X + FOrigin.x(), From + FOrigin.y(), To + FOrigin.y()); }
  QRect ImageDot(const QPoint& P) const { return FScale.Dot(P + FOrigin); }

  // Every pixel of Area inside the clip takes Color.
  void FillSolid(const QRect& Area, QRgb Color);
  // The pixels of Spans placed at At that lie inside the clip and Limit, when given, take
  // Color; At and Limit are in image device pixels.
  void FillSpans(const std::vector<TGlyphSpan>& Spans, QPoint At, QRgb Color, const std::optional<QRect>& Limit);
  // Every pixel of Area inside the clip takes the brush: its pattern, the hatch lines of its
  // style when Hatched (the pixels between stay), or its colour. Patterns and hatches are
  // laid out in logical pixels; a line passes its logical row (or column) as FixedY (FixedX),
  // in image coordinates, so that all its device pixels across it show the same one.
  void FillWithBrush(const QRect& Area, bool Hatched, std::optional<int> FixedX = {}, std::optional<int> FixedY = {});
  // Calls Change(pixel) once for every pixel of Area inside the clip.
  template <class F>
  void ForEachPixel(const QRect& Area, F&& Change);
  // The device pixel at the top left of a canvas pixel, which must lie in the image.
  QRgb Pixel(const QPoint& P) const;
  bool InImage(const QPoint& P) const { return FSurface->Rect().contains(P + FOrigin); }
  // A painter on the surface in logical image coordinates (canvas coordinates plus Origin),
  // drawing at device resolution, clipped (Extra, when given, narrows the clip further, in
  // canvas coordinates); null when the clip leaves nothing.
  QPainter* Painter(const std::optional<QRect>& Extra = std::nullopt);
  void SetPainterFont(const QFont& Font);
  QPoint Origin() const { return FOrigin; }
  qreal Ratio() const { return FScale.Ratio(); }
  // The surface's owner hears of the drawn area, unless a paint cycle that shows its whole
  // area when it ends is running.
  void Changed(const QRect& CanvasArea);

private:
  // Calls Row(line, y, from, to) for each clipped run of Area; lines, y and the half-open
  // run [from, to) are in image device coordinates.
  template <class F>
  void ForEachRow(const QRect& Area, F&& Row);
  // Spans placed at At take Opaque within Bounds, which lies inside the image.
  void SetSpans(const std::vector<TGlyphSpan>& Spans, QPoint At, QRgb Opaque, const QRect& Bounds);
  // The clip's rectangles cut to Limit (none: the whole clip), those that keep something;
  // kept for the next call with the same Limit, as a text's glyphs all make.
  const std::vector<QRect>& ClipPartsWithin(const std::optional<QRect>& Limit);

  struct TClipParts {
    std::optional<QRect> Limit;
    std::vector<QRect> Rects;
  };

  const TCanvas& FCanvas;
  TCanvasSurface* FSurface;
  TDeviceScale FScale;
  QRegion FClip;  // image device coordinates
  QRect FClipBounds;
  QPoint FOrigin;
  TSurfacePainter FOwnPainter;  // for a surface that shares none
  TSurfacePainter* FPainter;
  std::optional<TClipParts> FParts;
};

template <class F>
void TCanvasDevice::ForEachRow(const QRect& Area, F&& Row) {
  if (!Usable()) return;
  const QRect Target = Area.intersected(FClipBounds);
  if (Target.isEmpty()) return;
  for (const QRect& Part : FClip) {
    const QRect Run = Part.intersected(Target);
    if (Run.isEmpty()) continue;
    for (int Y = Run.top(); Y <= Run.bottom(); ++Y)
      Row(reinterpret_cast<QRgb*>(FSurface->Image->scanLine(Y)), Y, Run.left(), Run.right() + 1);
  }
}

template <class F>
void TCanvasDevice::ForEachPixel(const QRect& Area, F&& Change) {
  ForEachRow(Area, [&](QRgb* Line, int, int From, int To) {
    for (int X = From; X < To; ++X) Change(Line[X]);
  });
}

}  // namespace vcl::backend
