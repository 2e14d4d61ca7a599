// The cache of shaped lines.

#include "ShapedText.h"

namespace vcl::backend {

namespace {
// The line width drawText lays unwrapped text out in.
constexpr qreal UnboundedWidth = 0x01000000;
}  // namespace

TShapedText::TShapedText(const QString& Text, const QFont& Font) : Layout(Text, Font) {
  QTextOption Option(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop);
  Option.setWrapMode(QTextOption::NoWrap);
  Option.setTextDirection(Qt::LeftToRight);
  Option.setFlags(QTextOption::IncludeTrailingSpaces);
  Layout.setTextOption(Option);
  Layout.setCacheEnabled(true);
  Layout.beginLayout();
  QTextLine Line = Layout.createLine();
  Line.setLineWidth(UnboundedWidth);
  Line.setPosition(QPointF(0, 0));
  Layout.endLayout();
  Width = qRound(Line.horizontalAdvance());
}

std::shared_ptr<const TShapedText> TShapedTextCache::Find(std::uint64_t FontId, int Dpi, const QFont& Font, const QString& Text) {
  TKey Key{FontId, Dpi, Text};
  if (auto It = FNewer.constFind(Key); It != FNewer.cend()) return It.value();
  std::shared_ptr<const TShapedText> Found;
  if (auto It = FOlder.find(Key); It != FOlder.end()) {
    Found = std::move(It.value());
    FOlder.erase(It);
  } else {
    Found = std::make_shared<const TShapedText>(Text, Font);
  }
  if (FNewer.size() >= FGenerationSize) FOlder = std::exchange(FNewer, TGeneration());
  FNewer.insert(std::move(Key), Found);
  return Found;
}

}  // namespace vcl::backend
