#pragma once
// Bitmaps and pattern brushes behind HBITMAP and HBRUSH. Handles are never reused, so a
// deleted object's handle is simply not found.

#include <QImage>

#include "Windows.h"

namespace vcl::backend {

HBITMAP NewBitmap(const QImage& Image);
const QImage* BitmapImage(HBITMAP Bitmap);
// The pattern of a brush made by CreatePatternBrush; null for a deleted or unknown brush.
const QImage* BrushPattern(HBRUSH Brush);
// Brushes that share a handle keep it alive; the last release deletes it.
void RetainBrush(HBRUSH Brush);
void ReleaseBrush(HBRUSH Brush);
void DeleteBitmap(HBITMAP Bitmap);

}  // namespace vcl::backend
