// DrawText: one or more lines of text in a rectangle, with the classic format flags.

#include <QFontMetrics>
#include <QRegularExpression>
#include <QTextOption>
#include <cstring>

#include "CanvasDevice.h"
#include "Fonts.h"
#include "QtEmbedding.h"

namespace vcl {

namespace {

struct TLine {
  QString Text;
  int Underline = -1;  // index of the character after a prefix '&'
};

// "&&" shows one ampersand; "&x" shows x underlined.
TLine StripPrefix(const QString& Text) {
  TLine Line;
  for (int I = 0; I < Text.size(); ++I) {
    if (Text[I] == u'&' && I + 1 < Text.size()) {
      ++I;
      if (Text[I] != u'&' && Line.Underline < 0) Line.Underline = static_cast<int>(Line.Text.size());
    } else if (Text[I] == u'&') {
      continue;
    }
    Line.Text += Text[I];
  }
  return Line;
}

QStringList WrapWords(const QString& Paragraph, const QFontMetrics& Metrics, int Width) {
  QStringList Lines;
  QString Current;
  for (const QString& Word : Paragraph.split(u' ')) {
    const QString Candidate = Current.isEmpty() ? Word : Current + u' ' + Word;
    if (!Current.isEmpty() && Metrics.horizontalAdvance(Candidate) > Width) {
      Lines << Current;
      Current = Word;
    } else {
      Current = Candidate;
    }
  }
  Lines << Current;
  return Lines;
}

// Cuts the end of Text and appends "..." so that it fits Width.
QString EndEllipsis(const QString& Text, const QFontMetrics& Metrics, int Width) {
  if (Metrics.horizontalAdvance(Text) <= Width) return Text;
  const QString Dots = QStringLiteral("...");
  for (qsizetype Keep = Text.size() - 1; Keep > 0; --Keep) {
    const QString Candidate = Text.left(Keep) + Dots;
    if (Metrics.horizontalAdvance(Candidate) <= Width) return Candidate;
  }
  return Dots;
}

}  // namespace

int DrawText(HDC DC, const char* Text, int Count, TRect* Rect, unsigned Format) {
  TCanvas* Canvas = backend::CanvasOf(DC);
  if (!Canvas || !Text || !Rect) return 0;
  const std::size_t Length = Count < 0 ? std::strlen(Text) : static_cast<std::size_t>(Count);
  QString Source = QString::fromUtf8(Text, static_cast<qsizetype>(Length));
  const QFont Font = backend::QtFontOf(*Canvas->GetFont());
  const QFontMetrics Metrics(Font);
  const int LineHeight = Metrics.height();

  std::vector<TLine> Lines;
  const bool SingleLine = Format & DT_SINGLELINE;
  const QStringList Paragraphs = SingleLine ? QStringList{Source.remove(u'\r').remove(u'\n')}
                                            : Source.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  for (const QString& Paragraph : Paragraphs) {
    const QString Shown = (Format & DT_NOPREFIX) ? Paragraph : StripPrefix(Paragraph).Text;
    const int Underline = (Format & DT_NOPREFIX) ? -1 : StripPrefix(Paragraph).Underline;
    if (!SingleLine && (Format & DT_WORDBREAK)) {
      for (const QString& Piece : WrapWords(Shown, Metrics, std::max(Rect->Width(), 1))) Lines.push_back({Piece, -1});
    } else {
      Lines.push_back({Shown, Underline});
    }
  }
  if (Source.isEmpty()) Lines.clear();

  if (Format & DT_CALCRECT) {
    int Widest = 0;
    for (const TLine& L : Lines) Widest = std::max(Widest, Metrics.horizontalAdvance(L.Text));
    Rect->Right = Rect->Left + Widest;
    Rect->Bottom = Rect->Top + LineHeight * static_cast<int>(Lines.size());
    return Rect->Height();
  }
  if (Lines.empty() || Rect->IsEmpty()) return 0;

  backend::TCanvasDevice Device(*Canvas);
  if (!Device.Usable()) return 0;
  const QRect Bounds(Rect->Left, Rect->Top, Rect->Width(), Rect->Height());
  auto Painter = Device.Painter((Format & DT_NOCLIP) ? QRect() : Bounds);
  Painter->setFont(Font);
  const TBrush& Brush = *Canvas->GetBrush();
  const bool Opaque = Brush.GetStyle() != bsClear;
  const QColor TextColor = ToQColor(Canvas->GetFont()->GetColor());

  int Y = Rect->Top;
  const int TotalHeight = LineHeight * static_cast<int>(Lines.size());
  if (SingleLine && (Format & DT_VCENTER)) Y = Rect->Top + (Rect->Height() - LineHeight) / 2;
  else if (SingleLine && (Format & DT_BOTTOM)) Y = Rect->Bottom - LineHeight;

  for (const TLine& Line : Lines) {
    const QString Shown = (Format & DT_END_ELLIPSIS) ? EndEllipsis(Line.Text, Metrics, Rect->Width()) : Line.Text;
    const int Width = Metrics.horizontalAdvance(Shown);
    int X = Rect->Left;
    if (Format & DT_CENTER) X = Rect->Left + (Rect->Width() - Width) / 2;
    else if (Format & DT_RIGHT) X = Rect->Right - Width;
    const QRect Cell(X, Y, Width, LineHeight);
    if (Opaque) Painter->fillRect(Cell, ToQColor(Brush.GetColor()));
    Painter->setPen(TextColor);
    QTextOption Option(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop);
    Option.setWrapMode(QTextOption::NoWrap);
    Option.setTextDirection((Format & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
    Painter->drawText(QRectF(Cell), Shown, Option);
    if (Line.Underline >= 0 && Line.Underline < Shown.size()) {
      const int From = X + Metrics.horizontalAdvance(Shown.left(Line.Underline));
      const int To = From + Metrics.horizontalAdvance(Shown.mid(Line.Underline, 1));
      const int Base = Y + Metrics.ascent() + 1;
      Painter->drawLine(From, Base, To - 1, Base);
    }
    Device.Changed(Cell);
    Y += LineHeight;
  }
  return TotalHeight;
}

int DrawTextEx(HDC DC, char* Text, int Count, TRect* Rect, unsigned Format, void* Params) {
  return DrawText(DC, Text, Count, Rect, Format);
}

}  // namespace vcl
