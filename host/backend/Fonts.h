#pragma once
// Qt fonts for framework fonts.

#include <QFont>
#include <QFontMetrics>
#include <cstdint>
#include <memory>

#include "GlyphTable.h"
#include "GraphicsBackend.h"

namespace vcl::backend {

struct TQtFont {
  QFont Font;        // without anti-aliasing: crisp whole pixels at a ratio of 1
  QFont SmoothFont;  // anti-aliased, for surfaces at a higher device pixel ratio
  QFontMetrics Metrics;
  std::uint64_t Serial;  // different for every font resolved, so that caches can tell them apart
  int DotsWidth;         // of "...", which ends shortened text
  // The glyphs of Font and SmoothFont for text that needs no shaping; null for underlined
  // or struck-out fonts, whose lines shaping draws.
  std::shared_ptr<const TGlyphTable> Glyphs;
  std::shared_ptr<const TGlyphTable> SmoothGlyphs;
};

// The width of one line of Text in Font, as DrawText draws it.
int TextWidthOf(const TQtFont& Font, const QString& Text);

// The family when the system has it, else the system's sans family; Height below zero is
// the character height in pixels, above zero the cell height. Resolved once for each
// distinct name, height, style and pitch; the reference stays valid until the next call.
const TQtFont& QtFontOf(const TFont& Font);

}  // namespace vcl::backend
