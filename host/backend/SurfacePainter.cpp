// The painter a paint cycle shares among its drawings.

#include "SurfacePainter.h"

namespace vcl {

void TSurfacePainter::EndCycle() {
  if (FCycles > 0 && --FCycles == 0) End();
}

QPainter& TSurfacePainter::Painter(QImage& Image) {
  // A painter left on other pixels (the image detached from a copy meanwhile) starts afresh.
  if (FPainter && (FImage != &Image || FBits != Image.constBits())) End();
  if (!FPainter) {
    FPainter.emplace(&Image);
    FImage = &Image;
    FBits = Image.constBits();
  }
  return *FPainter;
}

QPainter& TSurfacePainter::Open(QImage& Image, const QRect& Clip) {
  QPainter& P = Painter(Image);
  if (Clip != FClipRect || !FClipRegion.isEmpty()) {
    P.setClipRect(Clip);
    FClipRect = Clip;
    FClipRegion = QRegion();
  }
  return P;
}

QPainter& TSurfacePainter::Open(QImage& Image, const QRegion& Clip) {
  if (Clip.rectCount() == 1) return Open(Image, Clip.boundingRect());
  QPainter& P = Painter(Image);
  if (Clip != FClipRegion) {
    P.setClipRegion(Clip);
    FClipRect = QRect();
    FClipRegion = Clip;
  }
  return P;
}

void TSurfacePainter::SetFont(const QFont& Font) {
  if (!FPainter || (FFont && *FFont == Font)) return;
  FPainter->setFont(Font);
  FFont = Font;
}

void TSurfacePainter::Release() {
  if (FCycles == 0) End();
}

void TSurfacePainter::End() {
  if (!FPainter) return;
  FPainter.reset();
  FImage = nullptr;
  FBits = nullptr;
  FClipRect = QRect();
  FClipRegion = QRegion();
  FFont.reset();
}

}  // namespace vcl
