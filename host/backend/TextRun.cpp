// Lines of text shaped once for measuring and drawing.

#include "TextRun.h"

namespace vcl::backend {

namespace {

bool IsPlain(const QString& Text, const QTextOption& Option) {
  if (Option.textDirection() == Qt::RightToLeft) return false;
  for (const QChar C : Text)
    if (C == u'\t' || C == QChar(0x9C) || C == QChar::LineSeparator || C == QChar::ParagraphSeparator) return false;
  return true;
}

// The line width drawText lays unwrapped text out in.
constexpr qreal UnboundedWidth = 0x01000000;

}  // namespace

TTextRun::TTextRun(const QString& Text, const TTextStyle& Style) : FText(Text), FStyle(&Style) {
  if (FText.isEmpty()) return;
  if (!IsPlain(FText, Style.Option)) {
    FWidth = Style.Metrics.horizontalAdvance(FText);
    return;
  }
  QTextOption Option = Style.Option;
  Option.setFlags(Option.flags() | QTextOption::IncludeTrailingSpaces);
  FLayout = std::make_unique<QTextLayout>(FText, Style.Font);
  FLayout->setTextOption(Option);
  FLayout->setCacheEnabled(true);
  FLayout->beginLayout();
  QTextLine Line = FLayout->createLine();
  Line.setLineWidth(UnboundedWidth);
  Line.setPosition(QPointF(0, 0));
  FLayout->endLayout();
  FWidth = qRound(Line.horizontalAdvance());
}

qreal TTextRun::Advance(qsizetype Count) const {
  if (FLayout) return FLayout->lineAt(0).cursorToX(static_cast<int>(Count));
  return FText.isEmpty() ? 0 : static_cast<qreal>(FWidth) * static_cast<qreal>(Count) / static_cast<qreal>(FText.size());
}

void TTextRun::Draw(TCanvasDevice& Device, const QRect& Cell, const std::optional<QRect>& Clip) const {
  if (FText.isEmpty()) return;
  const QPoint Origin = Device.Origin();
  if (!FLayout) {
    if (QPainter* Painter = Device.Painter(Clip)) Painter->drawText(QRectF(Cell.translated(Origin)), FText, FStyle->Option);
    return;
  }
  const QTextLine Line = FLayout->lineAt(0);
  const QRectF Extent(Cell.left(), Cell.top(), Line.naturalTextWidth(), Line.height());
  const std::optional<QRect> Narrowed = QRectF(Cell).contains(Extent) ? Clip : Clip ? Clip->intersected(Cell) : Cell;
  if (QPainter* Painter = Device.Painter(Narrowed)) FLayout->draw(Painter, QPointF(Cell.translated(Origin).topLeft()));
}

}  // namespace vcl::backend
