// Bitmaps and pattern brushes by handle.

#include "GdiObjects.h"

#include <cstdint>
#include <unordered_map>

#include "GraphicsBackend.h"

namespace vcl {

namespace {

struct TGdiObject {
  bool IsBrush = false;
  QImage Image;
  int Owners = 0;
};

std::unordered_map<std::uintptr_t, TGdiObject>& Objects() {
  // Never destroyed: brushes and bitmaps of static objects may be released at exit.
  static auto* Map = new std::unordered_map<std::uintptr_t, TGdiObject>;
  return *Map;
}
std::uintptr_t NextId = 1;

TGdiObject* Find(const void* Handle, bool IsBrush) {
  auto It = Objects().find(reinterpret_cast<std::uintptr_t>(Handle));
  return It != Objects().end() && It->second.IsBrush == IsBrush ? &It->second : nullptr;
}

std::uintptr_t Add(bool IsBrush, const QImage& Image) {
  const std::uintptr_t Id = NextId++;
  Objects().emplace(Id, TGdiObject{IsBrush, Image, 0});
  return Id;
}

QImage ImageOf(const backend::TBitmapPixels& Pixels) {
  const bool Mono = Pixels.Monochrome();
  QImage Image(Pixels.Width, Pixels.Height, Mono ? QImage::Format_Mono : QImage::Format_RGB32);
  if (Mono) Image.setColorTable(QList<QRgb>(Pixels.Palette.begin(), Pixels.Palette.end()));
  for (int Y = 0; Y < Pixels.Height; ++Y) {
    const std::uint32_t* Row = Pixels.Pixels.data() + static_cast<std::size_t>(Y) * Pixels.Width;
    if (Mono) {
      for (int X = 0; X < Pixels.Width; ++X) Image.setPixel(X, Y, Row[X]);
    } else {
      std::copy(Row, Row + Pixels.Width, reinterpret_cast<QRgb*>(Image.scanLine(Y)));
    }
  }
  return Image;
}

}  // namespace

namespace backend {

HBITMAP NewBitmap(const TBitmapPixels& Pixels) { return reinterpret_cast<HBITMAP>(Add(false, ImageOf(Pixels))); }

HBITMAP CopyBitmap(HBITMAP Bitmap) {
  const QImage* Image = BitmapImage(Bitmap);
  return Image ? reinterpret_cast<HBITMAP>(Add(false, *Image)) : nullptr;
}

const QImage* BitmapImage(HBITMAP Bitmap) {
  TGdiObject* O = Find(Bitmap, false);
  return O ? &O->Image : nullptr;
}

TSize BitmapSize(HBITMAP Bitmap) {
  const QImage* I = BitmapImage(Bitmap);
  return I ? TSize{I->width(), I->height()} : TSize{};
}

bool BitmapMonochrome(HBITMAP Bitmap) {
  const QImage* I = BitmapImage(Bitmap);
  return I && I->format() == QImage::Format_Mono;
}

TColor BitmapPixel(HBITMAP Bitmap, int X, int Y) {
  const QImage* I = BitmapImage(Bitmap);
  if (!I || !I->valid(X, Y)) return clNone;
  const QRgb C = I->pixel(X, Y);
  return RGB(qRed(C), qGreen(C), qBlue(C));
}

const QImage* BrushPattern(HBRUSH Brush) {
  TGdiObject* O = Find(Brush, true);
  return O ? &O->Image : nullptr;
}

bool IsPatternBrush(HBRUSH Brush) { return BrushPattern(Brush) != nullptr; }

void RetainBrush(HBRUSH Brush) {
  if (TGdiObject* O = Find(Brush, true)) ++O->Owners;
}

void ReleaseBrush(HBRUSH Brush) {
  TGdiObject* O = Find(Brush, true);
  if (O && --O->Owners <= 0) Objects().erase(reinterpret_cast<std::uintptr_t>(Brush));
}

void DeleteBitmap(HBITMAP Bitmap) {
  if (Find(Bitmap, false)) Objects().erase(reinterpret_cast<std::uintptr_t>(Bitmap));
}

}  // namespace backend

HBRUSH CreatePatternBrush(HBITMAP Bitmap) {
  const QImage* Image = backend::BitmapImage(Bitmap);
  if (!Image || Image->isNull()) return nullptr;
  return reinterpret_cast<HBRUSH>(Add(true, *Image));
}

bool DeleteObject(void* Object) {
  return Objects().erase(reinterpret_cast<std::uintptr_t>(Object)) > 0;
}

}  // namespace vcl
