// Lines of text shaped once for measuring and drawing.

#include "TextRun.h"

#include <QGlyphRun>
#include <QtMath>

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

// The clip for drawing glyphs that cover Extent into Cell: glyphs reaching out of Cell
// are cut at its edges.
std::optional<QRect> Narrowed(const QRect& Cell, const QRectF& Extent, const std::optional<QRect>& Clip) {
  if (QRectF(Cell).contains(Extent)) return Clip;
  return Clip ? Clip->intersected(Cell) : Cell;
}

}  // namespace

TTextRun::TTextRun(const QString& Text, const TTextStyle& Style) : FText(Text), FStyle(&Style) {
  if (FText.isEmpty()) return;
  if (Style.Glyphs && Style.Option.textDirection() != Qt::RightToLeft && Style.Glyphs->Lay(FText, FLaid)) {
    FIsLaid = true;
    FWidth = qRound(FLaid.Width());
  } else if (IsPlain(FText, Style.Option)) {
    FShaped = ShapedTexts().Find(Style.FontId, Style.Dpi, Style.Font, FText, Style.Glyphs);
    FWidth = FShaped->Width;
  } else {
    FWidth = Style.Metrics.horizontalAdvance(FText);
  }
}

qreal TTextRun::Advance(qsizetype Count) const {
  if (FIsLaid) return FLaid.Positions[Count].x();
  if (FShaped) return FShaped->Layout.lineAt(0).cursorToX(static_cast<int>(Count));
  return FText.isEmpty() ? 0 : static_cast<qreal>(FWidth) * static_cast<qreal>(Count) / static_cast<qreal>(FText.size());
}

void TTextRun::Draw(TCanvasDevice& Device, const QRect& Cell, const std::optional<QRect>& Clip) const {
  if (FText.isEmpty()) return;
  const QPoint Origin = Device.Origin();
  if (FIsLaid) {
    const QRectF Extent(Cell.left(), Cell.top(), FLaid.Width(), FLaid.Ascent + FLaid.Descent);
    const std::optional<QRect> Limit = Narrowed(Cell, Extent, Clip);
    const QPointF Baseline = QPointF(Cell.translated(Origin).topLeft()) + QPointF(0, FLaid.Ascent);
    const TGlyphTable& Glyphs = *FStyle->Glyphs;
    if (Glyphs.Crisp() && Device.Ratio() == 1 && FStyle->Pen.alpha() == 255) {
      // Whole pixels at whole device pixels: Qt puts a glyph's pen at the pixel left of
      // its position and on the nearest row.
      if (!Device.Usable()) return;
      const std::optional<QRect> Within = Limit ? std::optional(Device.ImageArea(*Limit)) : std::nullopt;
      const int Row = qRound(Baseline.y());
      for (qsizetype G = 0; G < FLaid.Glyphs.size(); ++G)
        Device.FillSpans(Glyphs.GlyphSpans(FLaid.Fonts[G], FLaid.Glyphs[G]),
                         QPoint(qFloor(Baseline.x() + FLaid.Positions[G].x()), Row), FStyle->Pen.rgb(), Within);
      return;
    }
    QPainter* Painter = Device.Painter(Limit);
    if (!Painter) return;
    // A glyph run for each stretch of one font.
    for (qsizetype From = 0, To = 0; From < FLaid.Glyphs.size(); From = To) {
      while (To < FLaid.Glyphs.size() && FLaid.Fonts[To] == FLaid.Fonts[From]) ++To;
      QGlyphRun Run;
      Run.setRawFont(Glyphs.Font(FLaid.Fonts[From]));
      Run.setRawData(FLaid.Glyphs.constData() + From, FLaid.Positions.constData() + From, static_cast<int>(To - From));
      Painter->drawGlyphRun(Baseline, Run);
    }
    return;
  }
  if (!FShaped) {
    if (QPainter* Painter = Device.Painter(Clip)) Painter->drawText(QRectF(Cell.translated(Origin)), FText, FStyle->Option);
    return;
  }
  const QTextLine Line = FShaped->Layout.lineAt(0);
  const QRectF Extent(Cell.left(), Cell.top(), Line.naturalTextWidth(), Line.height());
  if (QPainter* Painter = Device.Painter(Narrowed(Cell, Extent, Clip))) FShaped->Layout.draw(Painter, QPointF(Cell.translated(Origin).topLeft()));
}

}  // namespace vcl::backend
