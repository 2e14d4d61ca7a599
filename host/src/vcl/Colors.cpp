// Colour values: plain ones as they are, system colours from the backend's palette.

#include "backend/GraphicsBackend.h"

namespace vcl {

TColor ColorToRGB(TColor Color) {
  if ((static_cast<std::uint32_t>(Color) & 0xFF000000u) != 0x80000000u) return Color & 0x00FFFFFF;
  return backend::SystemColorRGB(Color & 0xFF);
}

}  // namespace vcl
