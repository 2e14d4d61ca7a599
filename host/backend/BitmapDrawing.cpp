// Bitmaps drawn on a canvas, scaled to a rectangle.

#include "CanvasDevice.h"
#include "GdiObjects.h"
#include "GraphicsBackend.h"

namespace vcl::backend {

void DrawBitmap(const TCanvas& Canvas, const TRect& Rect, HBITMAP Bitmap) {
  const QImage* Image = BitmapImage(Bitmap);
  if (!Image || Image->isNull() || Rect.Width() <= 0 || Rect.Height() <= 0) return;
  TCanvasDevice Device(Canvas);
  const QRect Area(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  if (QPainter* P = Device.Painter()) {
    P->setRenderHint(QPainter::SmoothPixmapTransform, false);
    P->drawImage(Area.translated(Device.Origin()), *Image);
  }
  Device.Changed(Area);
}

}  // namespace vcl::backend
