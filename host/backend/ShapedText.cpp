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

}  // namespace vcl::backend
