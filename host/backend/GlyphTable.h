#pragma once
// Glyphs of one font, and of the fonts Qt falls back on, for characters that need no
// shaping.

#include <QFont>
#include <QRawFont>
#include <QStringView>
#include <QVarLengthArray>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

class QTextLayout;

namespace vcl::backend {

// One row of a glyph's pixels: [X0, X1) of row Dy, from its pen position on the baseline.
struct TGlyphSpan {
  qint16 Dy, X0, X1;
};

// One line of text as glyphs, the font of each (an index into the table's fonts) and the
// pen position before each; the last position is where the line ends.
struct TGlyphLine {
  QVarLengthArray<quint32, 64> Glyphs;
  QVarLengthArray<quint16, 64> Fonts;
  QVarLengthArray<QPointF, 65> Positions;
  qreal Ascent = 0;   // the line's: the largest of its fonts'
  qreal Descent = 0;
  qreal Width() const { return Positions.isEmpty() ? 0 : Positions.back().x(); }
};

// Most text in a card is letters, digits and punctuation that, in a font without kerning,
// are each one glyph whose advance does not depend on the neighbours. Laying such text out
// is a table lookup per character, ten times cheaper than shaping, and gives exactly what
// shaping gives. Characters of the font itself are looked up once, in pages of 256 code
// units made when first needed. Han, kana and Hangul syllables, which the font may lack,
// are learnt from the first shaping that shows them (with the fallback font Qt chose),
// and only when laying that text out from the table gives the shaping's glyphs and
// positions.
class TGlyphTable {
public:
  explicit TGlyphTable(const QFont& Font);
  // Lays Text out from x 0 into Line, or returns false when some character of it needs
  // shaping (another script, a combining mark, a control or format character, a
  // surrogate pair) or has not been learnt yet.
  bool Lay(QStringView Text, TGlyphLine& Line) const;
  // Learns the characters of Text that can be learnt from Shaped, its one-line shaping;
  // called once for each new shaping.
  void Learn(QStringView Text, const QTextLayout& Shaped) const;
  const QRawFont& Font(quint16 Index) const { return FFonts[Index].Raw; }
  // Whether the glyphs are drawn without anti-aliasing: whole pixels that GlyphSpans gives.
  bool Crisp() const { return FCrisp; }
  // The pixels of a glyph of a crisp font, as Qt draws it with its pen at (0, 0): taken
  // once from Qt's own drawing, so that setting them gives Qt's pixels without its cost.
  const std::vector<TGlyphSpan>& GlyphSpans(quint16 Font, quint32 Glyph) const;

private:
  enum class TState : quint8 { Shape, Learn, Lay };
  struct TEntry {
    quint32 Glyph = 0;
    float Advance = 0;  // a multiple of 1/64, which a float holds exactly
    quint16 Font = 0;
    TState State = TState::Shape;
  };
  using TPage = std::array<TEntry, 256>;
  struct TFont {
    QRawFont Raw;
    qreal Ascent;
    qreal Descent;
  };
  TEntry& EntryOf(char16_t Unit) const;
  quint16 FontIndex(const QRawFont& Raw) const;

  bool FCrisp;
  mutable std::vector<TFont> FFonts;  // the font itself first
  mutable std::unordered_map<quint64, std::vector<TGlyphSpan>> FSpans;  // by font << 32 | glyph
  mutable std::array<std::unique_ptr<TPage>, 256> FPages;
};

}  // namespace vcl::backend
