#pragma once
// Qt fonts for framework fonts.

#include <QFont>
#include <QFontMetrics>
#include <cstdint>

#include "Graphics.h"

namespace vcl::backend {

struct TQtFont {
  QFont Font;
  QFontMetrics Metrics;
  std::uint64_t Serial;  // different for every font resolved, so that caches can tell them apart
  int DotsWidth;         // of "...", which ends shortened text
};

// The family when the system has it, else the system's sans family; Height below zero is
// the character height in pixels, above zero the cell height. Resolved once for each
// distinct name, height, style and pitch; the reference stays valid until the next call.
const TQtFont& QtFontOf(const TFont& Font);

}  // namespace vcl::backend
