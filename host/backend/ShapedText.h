#pragma once
// Lines of plain text laid out once and kept for the next repaint.

#include <QHash>
#include <QString>
#include <QTextLayout>
#include <cstdint>
#include <memory>

namespace vcl::backend {

// One line of left-to-right text, shaped and laid out: its glyphs and its width.
struct TShapedText {
  TShapedText(const QString& Text, const QFont& Font);
  QTextLayout Layout;
  int Width = 0;
};

// Shaped lines by font and text. A window repaints the same texts again and again (the
// whole view on every repaint, most of it after a scroll), and shaping is most of the cost
// of drawing text. Two generations bound the cache: when the newer one is full it becomes
// the older one, and a line found in the older one moves back to the newer one.
class TShapedTextCache {
public:
  explicit TShapedTextCache(qsizetype GenerationSize) : FGenerationSize(GenerationSize) {}
  // FontId names Font among the fonts ever given; Dpi is the resolution it draws at.
  std::shared_ptr<const TShapedText> Find(std::uint64_t FontId, int Dpi, const QFont& Font, const QString& Text);
  qsizetype Size() const { return FNewer.size() + FOlder.size(); }

private:
  struct TKey {
    std::uint64_t FontId;
    int Dpi;
    QString Text;
    bool operator==(const TKey&) const = default;
  };
  friend std::size_t qHash(const TKey& Key, std::size_t Seed) { return qHashMulti(Seed, Key.FontId, Key.Dpi, Key.Text); }
  using TGeneration = QHash<TKey, std::shared_ptr<const TShapedText>>;

  qsizetype FGenerationSize;
  TGeneration FNewer;
  TGeneration FOlder;
};

}  // namespace vcl::backend
