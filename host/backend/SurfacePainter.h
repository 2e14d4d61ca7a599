#pragma once
// One painter on a window's image for a whole paint cycle.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <optional>

namespace vcl {

// Opening a QPainter costs more than drawing a short text, so a paint cycle keeps one open
// (from the erasing of the invalid area on) for every drawing on the same image, and sets
// clip and font only when they change. Outside a cycle each drawing ends its painter: the
// image may be copied or replaced between drawings.
class TSurfacePainter {
public:
  TSurfacePainter() = default;
  TSurfacePainter(const TSurfacePainter&) = delete;
  TSurfacePainter& operator=(const TSurfacePainter&) = delete;
  ~TSurfacePainter() { End(); }

  void BeginCycle() { ++FCycles; }
  void EndCycle();
  bool InCycle() const { return FCycles > 0; }

  // A painter on Image in logical image coordinates, drawing Ratio device pixels for each
  // logical one, clipped to Clip (not empty, in device pixels: exact at any ratio).
  QPainter& Open(QImage& Image, const QRect& Clip, qreal Ratio);
  QPainter& Open(QImage& Image, const QRegion& Clip, qreal Ratio);
  void SetFont(const QFont& Font);
  // The drawing is done: its painter ends unless a cycle keeps it.
  void Release();
  // Ends the painter now. Must come before the image is replaced: ending a painter whose
  // pixels are gone is not safe.
  void End();

private:
  QPainter& Painter(QImage& Image, qreal Ratio);
  // Sets the clip in device pixels, then goes back to logical coordinates.
  template <class C>
  void SetDeviceClip(const C& Clip);

  std::optional<QPainter> FPainter;
  const QImage* FImage = nullptr;
  const uchar* FBits = nullptr;
  qreal FRatio = 1;
  // The clip set last: a rectangle, or a region of several.
  QRect FClipRect;
  QRegion FClipRegion;
  std::optional<QFont> FFont;
  int FCycles = 0;
};

}  // namespace vcl
