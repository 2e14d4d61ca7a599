#pragma once
// Where a canvas draws: an image, the part of it that may change, and the offset of the
// canvas's origin in it.

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <functional>

#include "SurfacePainter.h"

namespace vcl {

// Everything but Image is in logical pixels; Image holds Ratio device pixels for each.
struct TCanvasSurface {
  QImage* Image = nullptr;  // Format_RGB32: canvases write its pixels directly
  qreal Ratio = 1;
  QSize Size;         // of the image, in logical pixels
  QRegion Clip;       // in image coordinates
  QPoint Origin;      // canvas (0, 0) in image coordinates
  // Told of every area drawn outside a paint cycle, in image coordinates; a cycle shows its
  // whole area when it ends.
  std::function<void(const QRect&)> Changed;
  // The painter of the window's paint cycle, shared by every surface on the same image.
  TSurfacePainter* Painter = nullptr;

  QRect Rect() const { return QRect(QPoint(0, 0), Size); }
};

}  // namespace vcl
