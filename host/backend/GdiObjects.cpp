// Bitmaps and pattern brushes by handle.

#include "GdiObjects.h"

#include <cstdint>
#include <unordered_map>

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

}  // namespace

namespace backend {

HBITMAP NewBitmap(const QImage& Image) { return reinterpret_cast<HBITMAP>(Add(false, Image)); }

const QImage* BitmapImage(HBITMAP Bitmap) {
  TGdiObject* O = Find(Bitmap, false);
  return O ? &O->Image : nullptr;
}

const QImage* BrushPattern(HBRUSH Brush) {
  TGdiObject* O = Find(Brush, true);
  return O ? &O->Image : nullptr;
}

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
