#pragma once
// Reading device-independent bitmaps: .bmp file images and bare DIBs.

#include "backend/GraphicsBackend.h"

namespace vcl {

// The pixels of a .bmp file image (starting "BM") or of a bare DIB (header, palette, rows):
// 1, 4, 8, 24 or 32 bits per pixel, uncompressed. EInvalidGraphic for anything else.
backend::TBitmapPixels DecodeBitmapBytes(const Byte* Data, std::size_t Size);

}  // namespace vcl
