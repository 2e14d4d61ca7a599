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

TShapedTextCache& ShapedTexts() {
  // Never destroyed: canvases of static objects may still draw at exit. Two generations of
  // 1024 lines hold a full window of cards several times over.
  static auto* Cache = new TShapedTextCache(1024);
  return *Cache;
}

}  // namespace

TTextRun::TTextRun(const QString& Text, const TTextStyle& Style) : FText(Text), FStyle(&Style) {
  if (FText.isEmpty()) return;
  if (IsPlain(FText, Style.Option)) {
    FShaped = ShapedTexts().Find(Style.FontId, Style.Dpi, Style.Font, FText);
    FWidth = FShaped->Width;
  } else {
    FWidth = Style.Metrics.horizontalAdvance(FText);
  }
}

qreal TTextRun::Advance(qsizetype Count) const {
  if (FShaped) return FShaped->Layout.lineAt(0).cursorToX(static_cast<int>(Count));
  return FText.isEmpty() ? 0 : static_cast<qreal>(FWidth) * static_cast<qreal>(Count) / static_cast<qreal>(FText.size());
}

void TTextRun::Draw(TCanvasDevice& Device, const QRect& Cell, const std::optional<QRect>& Clip) const {
  if (FText.isEmpty()) return;
  const QPoint Origin = Device.Origin();
  if (!FShaped) {
    if (QPainter* Painter = Device.Painter(Clip)) Painter->drawText(QRectF(Cell.translated(Origin)), FText, FStyle->Option);
    return;
  }
  const QTextLine Line = FShaped->Layout.lineAt(0);
  const QRectF Extent(Cell.left(), Cell.top(), Line.naturalTextWidth(), Line.height());
  const std::optional<QRect> Narrowed = QRectF(Cell).contains(Extent) ? Clip : Clip ? Clip->intersected(Cell) : Cell;
  if (QPainter* Painter = Device.Painter(Narrowed)) FShaped->Layout.draw(Painter, QPointF(Cell.translated(Origin).topLeft()));
}

}  // namespace vcl::backend
