// DrawText: one or more lines of text in a rectangle, with the classic format flags.

#include <QFontMetrics>
#include <QRegularExpression>
#include <QTextOption>
#include <cstring>

#include "CanvasDevice.h"
#include "Fonts.h"
#include "QtEmbedding.h"
#include "TextRun.h"

namespace vcl {

namespace {

// A line longer than this is drawn from its start only: shaping all of a caption of
// megabytes takes seconds and gigabytes for glyphs far outside any window.
constexpr qsizetype MaxDrawnLine = 64 * 1024;

// The UTF-8 bytes of a single line that can show: its start, cut between characters.
std::size_t DrawnBytes(const char* Text, std::size_t Length) {
  if (Length <= static_cast<std::size_t>(MaxDrawnLine)) return Length;
  std::size_t Cut = MaxDrawnLine;
  while (Cut > 0 && (static_cast<unsigned char>(Text[Cut]) & 0xC0) == 0x80) --Cut;
  return Cut;
}

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

QStringList WrapWords(const QString& Paragraph, const backend::TQtFont& Font, int Width) {
  QStringList Lines;
  QString Current;
  for (const QString& Word : Paragraph.split(u' ')) {
    const QString Candidate = Current.isEmpty() ? Word : Current + u' ' + Word;
    if (!Current.isEmpty() && backend::TextWidthOf(Font, Candidate) > Width) {
      Lines << Current;
      Current = Word;
    } else {
      Current = Candidate;
    }
  }
  Lines << Current;
  return Lines;
}

// Whether a start of the text is never wider than a longer start: true for scripts whose
// letters keep their shapes wherever the text is cut.
bool WidthGrowsWithLength(const QString& Text) {
  for (const char32_t C : Text.toUcs4()) {
    switch (QChar::script(C)) {
      case QChar::Script_Common: case QChar::Script_Inherited: case QChar::Script_Latin: case QChar::Script_Greek:
      case QChar::Script_Cyrillic: case QChar::Script_Han: case QChar::Script_Hiragana: case QChar::Script_Katakana:
        continue;
      default:
        return false;
    }
  }
  return true;
}

// Whether Text may be cut after Keep characters: not inside a surrogate pair.
bool CutsBetweenCharacters(const QString& Text, qsizetype Keep) {
  return Keep == 0 || Keep >= Text.size() || !(Text[Keep - 1].isHighSurrogate() && Text[Keep].isLowSurrogate());
}

const QString Dots = QStringLiteral("...");

// How many characters of Whole the line keeps before the dots: the longest start that,
// followed by "...", fits Width, not cut inside a character; 0 when only the dots fit.
// Whole is wider than Width.
qsizetype KeptCharacters(const backend::TTextRun& Whole, const backend::TTextStyle& Style, int Width) {
  const QString& Text = Whole.Text();
  auto Fits = [&](qsizetype Keep) { return backend::TTextRun(Text.left(Keep) + Dots, Style).Width() <= Width; };
  auto Shorter = [&](qsizetype Keep) {
    do --Keep;
    while (!CutsBetweenCharacters(Text, Keep));
    return Keep;
  };
  auto Longer = [&](qsizetype Keep) {
    do ++Keep;
    while (!CutsBetweenCharacters(Text, Keep));
    return Keep;
  };
  auto Longest = [&](qsizetype Keep, auto&& FitsWhen) {
    for (qsizetype TooLong = Text.size(); TooLong - Keep > 1;) {
      const qsizetype Middle = Keep + (TooLong - Keep) / 2;
      (FitsWhen(Middle) ? Keep : TooLong) = Middle;
    }
    return Keep;
  };
  if (backend::TTextRun DotsRun(Dots, Style); Whole.Laid() && DotsRun.Laid()) {
    // Advances add up: the longest start whose advance with the dots' fits, found at once.
    const qreal DotsAdvance = DotsRun.Advance(Dots.size());
    auto FitsLaid = [&](qsizetype Keep) { return qRound(Whole.Advance(Keep) + DotsAdvance) <= Width; };
    return FitsLaid(1) ? Longest(1, FitsLaid) : 0;
  }
  if (!WidthGrowsWithLength(Text)) {
    // Shapes change where the text is cut: every start is tried, the longest first.
    for (qsizetype Keep = Shorter(Text.size()); Keep > 0; Keep = Shorter(Keep))
      if (Fits(Keep)) return Keep;
    return 0;
  }
  // The advances of the whole text give a close guess; shaping its neighbours settles it.
  const qreal Room = Width - Style.DotsWidth;
  qsizetype Keep = Longest(0, [&](qsizetype Middle) { return Whole.Advance(Middle) <= Room; });
  if (!CutsBetweenCharacters(Text, Keep)) Keep = Shorter(Keep);
  bool Found = false;
  for (qsizetype Next = Longer(Keep); Next < Text.size() && Fits(Next); Next = Longer(Keep)) {
    Found = true;
    Keep = Next;
  }
  for (; !Found && Keep > 0; Keep = Shorter(Keep))
    if (Fits(Keep)) return Keep;
  return Found ? Keep : 0;
}

// What a shortened line kept, by font, text and width. Finding it shapes several starts
// of a text that needs shaping, and a repaint shortens the same lines again.
struct TCutKey {
  backend::TTextKey Line;
  int Width;
  bool RightToLeft;
  bool operator==(const TCutKey&) const = default;
};
std::size_t qHash(const TCutKey& Key, std::size_t Seed) {
  return qHashMulti(Seed, Key.Line.FontId, Key.Line.Dpi, Key.Line.Text, Key.Width, Key.RightToLeft);
}

backend::TRecentCache<TCutKey, qsizetype>& ShapedCuts() {
  // Never destroyed, as the cache of shaped lines.
  static auto* Cache = new backend::TRecentCache<TCutKey, qsizetype>(1024);
  return *Cache;
}

// Whole shortened to fit Width: the longest start that fits followed by "...", or the dots
// alone. Whole is wider than Width.
backend::TTextRun EndEllipsis(const backend::TTextRun& Whole, const backend::TTextStyle& Style, int Width) {
  const qsizetype Keep = Whole.Laid() ? KeptCharacters(Whole, Style, Width)
                                      : ShapedCuts().Find(TCutKey{{Style.FontId, Style.Dpi, Whole.Text()}, Width,
                                                                  Style.Option.textDirection() == Qt::RightToLeft},
                                                          [&] { return KeptCharacters(Whole, Style, Width); });
  return backend::TTextRun(Keep > 0 ? Whole.Text().left(Keep) + Dots : Dots, Style);
}

// The lines to draw: one for DT_SINGLELINE (line breaks dropped), else one for each line
// break, and with DT_WORDBREAK as many as the words need. Nothing for an empty text.
std::vector<TLine> LinesOf(QString Source, unsigned Format, const backend::TQtFont& Font, int Width) {
  std::vector<TLine> Lines;
  const bool SingleLine = Format & DT_SINGLELINE;
  if (SingleLine) Source.remove(u'\r').remove(u'\n');
  if (Source.isEmpty()) return Lines;
  const QStringList Paragraphs = SingleLine ? QStringList{Source} : Source.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  for (QString Paragraph : Paragraphs) {
    if (Paragraph.size() > MaxDrawnLine) Paragraph.truncate(Paragraph[MaxDrawnLine].isLowSurrogate() ? MaxDrawnLine - 1 : MaxDrawnLine);
    const TLine Line = (Format & DT_NOPREFIX) ? TLine{Paragraph, -1} : StripPrefix(Paragraph);
    if (!SingleLine && (Format & DT_WORDBREAK)) {
      for (const QString& Piece : WrapWords(Line.Text, Font, std::max(Width, 1))) Lines.push_back({Piece, -1});
    } else {
      Lines.push_back(Line);
    }
  }
  return Lines;
}

}  // namespace

int DrawText(HDC DC, const char* Text, int Count, TRect* Rect, unsigned Format) {
  TCanvas* Canvas = backend::CanvasOf(DC);
  if (!Canvas || !Text || !Rect) return 0;
  std::size_t Length = Count < 0 ? std::strlen(Text) : static_cast<std::size_t>(Count);
  if (Format & DT_SINGLELINE) Length = DrawnBytes(Text, Length);
  const backend::TQtFont Font = backend::QtFontOf(*Canvas->GetFont());
  const QFontMetrics& Metrics = Font.Metrics;
  const int LineHeight = Metrics.height();
  const std::vector<TLine> Lines =
      LinesOf(QString::fromUtf8(Text, static_cast<qsizetype>(Length)), Format, Font, Rect->Width());

  if (Format & DT_CALCRECT) {
    int Widest = 0;
    for (const TLine& L : Lines) Widest = std::max(Widest, backend::TextWidthOf(Font, L.Text));
    Rect->Right = Rect->Left + Widest;
    Rect->Bottom = Rect->Top + LineHeight * static_cast<int>(Lines.size());
    return Rect->Height();
  }
  if (Lines.empty() || Rect->IsEmpty()) return 0;

  backend::TCanvasDevice Device(*Canvas);
  const int TotalHeight = LineHeight * static_cast<int>(Lines.size());
  const QRect Bounds(Rect->Left, Rect->Top, Rect->Width(), Rect->Height());
  const std::optional<QRect> Clip = (Format & DT_NOCLIP) ? std::nullopt : std::optional(Bounds);
  QPainter* Painter = Device.Painter(Clip);
  if (!Painter) return Device.Usable() ? TotalHeight : 0;  // clipped away whole: nothing to draw
  // Above a ratio of 1 glyphs have device pixels enough for smooth edges.
  const bool Smooth = Device.Ratio() != 1;
  Device.SetPainterFont(Smooth ? Font.SmoothFont : Font.Font);
  Painter->setPen(ToQColor(Canvas->GetFont()->GetColor()));
  const TBrush& Brush = *Canvas->GetBrush();
  const bool Opaque = Brush.GetStyle() != bsClear;
  const QColor Background = ToQColor(Brush.GetColor());
  const int Dpi = qRound(Painter->device()->logicalDpiY() * Device.Ratio());
  backend::TTextStyle Style{Painter->font(), Font.Serial, Dpi, Metrics, Font.DotsWidth,
                           QTextOption(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop),
                           (Smooth ? Font.SmoothGlyphs : Font.Glyphs).get(), Painter->pen().color()};
  Style.Option.setWrapMode(QTextOption::NoWrap);
  Style.Option.setTextDirection((Format & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);

  int Y = Rect->Top;
  if ((Format & DT_SINGLELINE) && (Format & DT_VCENTER)) Y = Rect->Top + (Rect->Height() - LineHeight) / 2;
  else if ((Format & DT_SINGLELINE) && (Format & DT_BOTTOM)) Y = Rect->Bottom - LineHeight;

  for (const TLine& Line : Lines) {
    backend::TTextRun Run(Line.Text, Style);
    if ((Format & DT_END_ELLIPSIS) && Run.Width() > Rect->Width()) Run = EndEllipsis(Run, Style, Rect->Width());
    const QString& Shown = Run.Text();
    int X = Rect->Left;
    if (Format & DT_CENTER) X = Rect->Left + (Rect->Width() - Run.Width()) / 2;
    else if (Format & DT_RIGHT) X = Rect->Right - Run.Width();
    const QRect Cell(X, Y, Run.Width(), LineHeight);
    if (Opaque) {
      if (QPainter* P = Device.Painter(Clip)) P->fillRect(Cell.translated(Device.Origin()), Background);
    }
    Run.Draw(Device, Cell, Clip);
    if (Line.Underline >= 0 && Line.Underline < Shown.size()) {
      const int From = X + backend::TextWidthOf(Font, Shown.left(Line.Underline));
      const int To = From + backend::TextWidthOf(Font, Shown.mid(Line.Underline, 1));
      const int Base = Y + Metrics.ascent() + 1;
      // A one-pixel line of whole device pixels, as every line of a canvas.
      QRect Underline = Device.ImageRow(From, To, Base);
      if (Clip) Underline &= Device.ImageArea(*Clip);
      Device.FillSolid(Underline, Painter->pen().color().rgb());
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
