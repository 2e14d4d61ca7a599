// Retained window surfaces at the screen's device pixel ratio.

#include "WindowSurface.h"

#include "DeviceScale.h"
#include "HostWidget.h"

namespace vcl::backend {

namespace {
qreal WindowRatio(const TWindowRecord* R) { return R->Widget ? R->Widget->devicePixelRatio() : 1; }
}  // namespace

bool SurfaceRatioStale(const TWindowRecord* R) { return WindowRatio(R) != R->CanvasSurface.Ratio; }

void RemakeSurface(TWindowRecord* R, const QSize& Size) {
  const qreal Ratio = WindowRatio(R);
  R->Painter.End();
  R->Surface = QImage(TDeviceScale(Ratio).Size(Size), QImage::Format_RGB32);
  R->Surface.fill(Qt::white);
  R->CanvasSurface.Ratio = Ratio;
  R->CanvasSurface.Size = Size;
  R->CanvasSurface.Clip = QRegion(R->CanvasSurface.Rect());
}

void EraseSurface(TWindowRecord* R, const QRegion& Area, const QColor& Color) {
  const TDeviceScale Scale(R->CanvasSurface.Ratio);
  const QRegion Device = Scale.Area(Area);
  QPainter& Painter = R->Painter.Open(R->Surface, Device, Scale.Ratio());
  if (Scale.Identity()) {
    Painter.fillRect(Area.boundingRect(), Color);
    return;
  }
  // In device pixels: a logical rectangle scaled by a fractional ratio may fall short of the
  // device pixels of its clip.
  Painter.save();
  Painter.resetTransform();
  Painter.fillRect(Device.boundingRect(), Color);
  Painter.restore();
}

void ShowSurface(QPainter& Painter, const TWindowRecord* R) {
  const QPoint At = R->ClientRectInWidget().topLeft();
  if (R->CanvasSurface.Ratio == 1) {
    Painter.drawImage(At, R->Surface);
    return;
  }
  // Its device pixels land one to one on the widget's when the widget's ratio is the same.
  Painter.drawImage(QRectF(At, QSizeF(R->Surface.size()) / R->CanvasSurface.Ratio), R->Surface);
}

QImage SurfaceCopy(const TWindowRecord* R) {
  QImage Copy = R->Surface.copy();
  Copy.setDevicePixelRatio(R->CanvasSurface.Ratio);
  return Copy;
}

}  // namespace vcl::backend
