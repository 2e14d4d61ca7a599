// The painter a paint cycle shares among its drawings.

#include "SurfacePainter.h"

#include <type_traits>

namespace vcl {

void TSurfacePainter::EndCycle() {
  if (FCycles > 0 && --FCycles == 0) End();
}

QPainter& TSurfacePainter::Painter(QImage& Image, qreal Ratio) {
  // A painter left on other pixels (the image detached from a copy meanwhile, or remade at
  // another ratio) starts afresh.
  if (FPainter && (FImage != &Image || FBits != Image.constBits() || FRatio != Ratio)) End();
  if (!FPainter) {
    FPainter.emplace(&Image);
    FImage = &Image;
    FBits = Image.constBits();
    FRatio = Ratio;
    if (Ratio != 1) FPainter->setWorldTransform(QTransform::fromScale(Ratio, Ratio));
  }
  return *FPainter;
}

template <class C>
void TSurfacePainter::SetDeviceClip(const C& Clip) {
  // A clip is taken through the transform in force when it is set, and kept in device pixels.
  if (FRatio != 1) FPainter->resetTransform();
  if constexpr (std::is_same_v<C, QRect>) FPainter->setClipRect(Clip);
  else FPainter->setClipRegion(Clip);
  if (FRatio != 1) FPainter->setWorldTransform(QTransform::fromScale(FRatio, FRatio));
}

QPainter& TSurfacePainter::Open(QImage& Image, const QRect& Clip, qreal Ratio) {
  QPainter& P = Painter(Image, Ratio);
  if (Clip != FClipRect || !FClipRegion.isEmpty()) {
    SetDeviceClip(Clip);
    FClipRect = Clip;
    FClipRegion = QRegion();
  }
  return P;
}

QPainter& TSurfacePainter::Open(QImage& Image, const QRegion& Clip, qreal Ratio) {
  if (Clip.rectCount() == 1) return Open(Image, Clip.boundingRect(), Ratio);
  QPainter& P = Painter(Image, Ratio);
  if (Clip != FClipRegion) {
    SetDeviceClip(Clip);
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
