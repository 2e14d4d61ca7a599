#pragma once
// Qt fonts for framework fonts.

#include <QFont>
#include <QFontMetrics>

#include "Graphics.h"

namespace vcl::backend {

struct TQtFont {
  QFont Font;
  QFontMetrics Metrics;
};

// The family when the system has it, else the system's sans family; Height below zero is
// the character height in pixels, above zero the cell height. Resolved once for each
// distinct name, height, style and pitch; the reference stays valid until the next call.
const TQtFont& QtFontOf(const TFont& Font);

}  // namespace vcl::backend
