#pragma once
// Where a canvas draws: an image, the part of it that may change, and the offset of the
// canvas's origin in it.

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <functional>

namespace vcl {

struct TCanvasSurface {
  QImage* Image = nullptr;
  QRegion Clip;       // in image coordinates
  QPoint Origin;      // canvas (0, 0) in image coordinates
  std::function<void(const QRect&)> Changed;  // told of every drawn area, in image coordinates
};

}  // namespace vcl
