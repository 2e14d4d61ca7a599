#pragma once
// Lines of plain text laid out once and kept for the next repaint.

#include <QString>
#include <QTextLayout>
#include <cstdint>
#include <memory>

#include "GlyphTable.h"
#include "RecentCache.h"

namespace vcl::backend {

// One line of left-to-right text, shaped and laid out: its glyphs and its width.
struct TShapedText {
  TShapedText(const QString& Text, const QFont& Font);
  QTextLayout Layout;
  int Width = 0;
};

// What a text is drawn in: the font (named by its serial among the fonts ever given) at a
// resolution in dots per inch. Caches of text key by it.
struct TTextKey {
  std::uint64_t FontId;
  int Dpi;
  QString Text;
  bool operator==(const TTextKey&) const = default;
};
inline std::size_t qHash(const TTextKey& Key, std::size_t Seed) { return qHashMulti(Seed, Key.FontId, Key.Dpi, Key.Text); }

// Shaped lines by font and text: shaping is most of the cost of drawing text that needs it.
class TShapedTextCache {
public:
  explicit TShapedTextCache(qsizetype GenerationSize) : FLines(GenerationSize) {}
  // The shaping of Text in Font; Learner, when given, learns from a new one.
  std::shared_ptr<const TShapedText> Find(std::uint64_t FontId, int Dpi, const QFont& Font, const QString& Text,
                                          const TGlyphTable* Learner) {
    return FLines.Find(TTextKey{FontId, Dpi, Text}, [&] {
      auto Shaped = std::make_shared<const TShapedText>(Text, Font);
      if (Learner) Learner->Learn(Text, Shaped->Layout);
      return Shaped;
    });
  }

private:
  TRecentCache<TTextKey, std::shared_ptr<const TShapedText>> FLines;
};

}  // namespace vcl::backend
