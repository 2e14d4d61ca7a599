#pragma once
// One line of text, measured and drawn as DrawText does.

#include <QFontMetrics>
#include <QTextOption>
#include <memory>
#include <optional>

#include "CanvasDevice.h"
#include "GlyphTable.h"
#include "ShapedText.h"

namespace vcl::backend {

// What every line of one DrawText call shares.
struct TTextStyle {
  QFont Font;            // as the painter draws it, at the surface's resolution
  std::uint64_t FontId;  // the resolved font's serial
  int Dpi;               // the surface's resolution in device dots per inch
  QFontMetrics Metrics;  // as text is measured
  int DotsWidth;         // of "..."
  QTextOption Option;    // no wrapping, absolute left alignment, the reading order
  const TGlyphTable* Glyphs;  // of Font; null when its text always needs shaping
  QColor Pen;                 // the text colour
};

// Text read left to right whose characters stand alone (most Latin, Greek and Cyrillic
// text) is laid out from the font's glyph table. Other plain text (without tabs, length
// variants or line separators) is shaped once, and that one shaping, kept for later
// repaints, gives both its width and its glyphs. The rest is measured and drawn by
// QFontMetrics and QPainter::drawText, which give tabs and reading order their own
// treatment; the pixels are the same either way.
class TTextRun {
public:
  TTextRun(const QString& Text, const TTextStyle& Style);
  const QString& Text() const { return FText; }
  int Width() const { return FWidth; }
  // Whether the text was laid out from the glyph table: then the width of any start of it
  // followed by more laid text is the sum of their advances.
  bool Laid() const { return FIsLaid; }
  // Where the first Count characters end, for guessing how much of the text fits.
  qreal Advance(qsizetype Count) const;
  // Draws the text with its top-left corner at Cell's (canvas coordinates) as drawText
  // does: glyphs that reach out of Cell are cut at its edges. Clip, when given, narrows the
  // canvas clip.
  void Draw(TCanvasDevice& Device, const QRect& Cell, const std::optional<QRect>& Clip) const;

private:
  QString FText;
  const TTextStyle* FStyle;
  TGlyphLine FLaid;                            // text of standalone characters only
  bool FIsLaid = false;
  std::shared_ptr<const TShapedText> FShaped;  // other plain text only
  int FWidth = 0;
};

}  // namespace vcl::backend
