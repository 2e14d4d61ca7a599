#pragma once
// The Qt images behind HBITMAP and HBRUSH, for the backend's drawing.

#include <QImage>

#include "Windows.h"

namespace vcl::backend {

const QImage* BitmapImage(HBITMAP Bitmap);
// The pattern of a brush made by CreatePatternBrush; null for a deleted or unknown brush.
const QImage* BrushPattern(HBRUSH Brush);

}  // namespace vcl::backend
