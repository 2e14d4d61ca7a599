// The table of glyphs that need no shaping.

#include "GlyphTable.h"

#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QtMath>
#include <QTextLayout>
#include <algorithm>

namespace vcl::backend {

namespace {

// Whether a character is drawn as its own glyph whatever stands beside it, in a line read
// left to right, when the font has it.
bool StandsAlone(char16_t Unit) {
  const QChar C(Unit);
  if (C.isSurrogate() || Unit < 0x20 || (Unit >= 0x7F && Unit < 0xA0)) return false;
  switch (C.script()) {
    case QChar::Script_Common: case QChar::Script_Latin: case QChar::Script_Greek: case QChar::Script_Cyrillic:
    case QChar::Script_Han: case QChar::Script_Hiragana: case QChar::Script_Katakana:
      break;
    case QChar::Script_Hangul:
      if (Unit >= 0xAC00 && Unit <= 0xD7A3) break;  // syllables; the jamo combine
      return false;
    default:
      return false;
  }
  switch (C.category()) {
    case QChar::Mark_NonSpacing: case QChar::Mark_SpacingCombining: case QChar::Mark_Enclosing:
    case QChar::Other_Format: case QChar::Other_Control: case QChar::Separator_Line: case QChar::Separator_Paragraph:
      return false;
    default:
      break;
  }
  switch (C.direction()) {
    case QChar::DirL: case QChar::DirEN: case QChar::DirES: case QChar::DirET: case QChar::DirCS: case QChar::DirON:
    case QChar::DirWS:
      return true;
    default:
      return false;
  }
}

}  // namespace

TGlyphTable::TGlyphTable(const QFont& Font) : FCrisp(Font.styleStrategy() & QFont::NoAntialias) {
  FontIndex(QRawFont::fromFont(Font));
}

const std::vector<TGlyphSpan>& TGlyphTable::GlyphSpans(quint16 Font, quint32 Glyph) const {
  const quint64 Key = quint64{Font} << 32 | Glyph;
  if (auto Found = FSpans.find(Key); Found != FSpans.end()) return Found->second;
  const QRawFont& Raw = FFonts[Font].Raw;
  // Room for glyphs reaching far from their pen on every side.
  const int Pen = 2 * qCeil(Raw.ascent() + Raw.descent()) + 8;
  QImage Scratch(3 * Pen, 2 * Pen, QImage::Format_RGB32);
  Scratch.fill(Qt::white);
  {
    QPainter Painter(&Scratch);
    Painter.setPen(Qt::black);
    QGlyphRun Run;
    Run.setRawFont(Raw);
    const QPointF Origin(0, 0);
    Run.setRawData(&Glyph, &Origin, 1);
    Painter.drawGlyphRun(QPointF(Pen, Pen), Run);
  }
  std::vector<TGlyphSpan> Spans;
  for (int Y = 0; Y < Scratch.height(); ++Y) {
    const QRgb* Line = reinterpret_cast<const QRgb*>(Scratch.constScanLine(Y));
    for (int X = 0; X < Scratch.width();) {
      if ((Line[X] & 0xFFFFFF) != 0) {
        ++X;
        continue;
      }
      const int From = X;
      while (X < Scratch.width() && (Line[X] & 0xFFFFFF) == 0) ++X;
      Spans.push_back({static_cast<qint16>(Y - Pen), static_cast<qint16>(From - Pen), static_cast<qint16>(X - Pen)});
    }
  }
  return FSpans.emplace(Key, std::move(Spans)).first->second;
}

quint16 TGlyphTable::FontIndex(const QRawFont& Raw) const {
  for (std::size_t I = 0; I < FFonts.size(); ++I)
    if (FFonts[I].Raw == Raw) return static_cast<quint16>(I);
  FFonts.push_back(TFont{Raw, Raw.ascent(), Raw.descent()});
  return static_cast<quint16>(FFonts.size() - 1);
}

TGlyphTable::TEntry& TGlyphTable::EntryOf(char16_t Unit) const {
  std::unique_ptr<TPage>& Page = FPages[Unit >> 8];
  if (!Page) {
    Page = std::make_unique<TPage>();
    const QRawFont& Own = FFonts.front().Raw;
    QChar Units[256];
    int Count = 0;
    for (int Low = 0; Low < 256; ++Low) {
      const char16_t U = static_cast<char16_t>((Unit & 0xFF00) | Low);
      if (StandsAlone(U)) Units[Count++] = QChar(U);
    }
    QList<quint32> Glyphs(Count);
    QList<QPointF> Advances(Count);
    int Found = Count;
    const bool Known = Count > 0 && Own.isValid() && Own.glyphIndexesForChars(Units, Count, Glyphs.data(), &Found) &&
                       Found == Count && Own.advancesForGlyphIndexes(Glyphs.data(), Advances.data(), Count);
    for (int I = 0; I < Count; ++I) {
      TEntry& Entry = (*Page)[Units[I].unicode() & 0xFF];
      if (Known && Glyphs[I] != 0) Entry = TEntry{Glyphs[I], static_cast<float>(Advances[I].x()), 0, TState::Lay};
      else Entry.State = TState::Learn;  // the font lacks it: Qt falls back on another
    }
  }
  return (*Page)[Unit & 0xFF];
}

bool TGlyphTable::Lay(QStringView Text, TGlyphLine& Line) const {
  Line.Glyphs.resize(Text.size());
  Line.Fonts.resize(Text.size());
  Line.Positions.resize(Text.size() + 1);
  qreal X = 0;
  Line.Ascent = FFonts.front().Ascent;
  Line.Descent = FFonts.front().Descent;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    const TEntry& Entry = EntryOf(Text[I].unicode());
    if (Entry.State != TState::Lay) return false;
    if (Entry.Font != 0) {
      Line.Ascent = std::max(Line.Ascent, FFonts[Entry.Font].Ascent);
      Line.Descent = std::max(Line.Descent, FFonts[Entry.Font].Descent);
    }
    Line.Glyphs[I] = Entry.Glyph;
    Line.Fonts[I] = Entry.Font;
    Line.Positions[I] = QPointF(X, 0);
    X += Entry.Advance;
  }
  Line.Positions[Text.size()] = QPointF(X, 0);
  return true;
}

void TGlyphTable::Learn(QStringView Text, const QTextLayout& Shaped) const {
  std::vector<TEntry*> Learnt;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    TEntry& Entry = EntryOf(Text[I].unicode());
    if (Entry.State != TState::Learn) continue;
    // A character that is not one glyph here (no font has it, or it joins a cluster)
    // waits for another text.
    const QList<QGlyphRun> Runs = Shaped.glyphRuns(static_cast<int>(I), 1);
    if (Runs.size() != 1 || Runs.front().glyphIndexes().size() != 1 || Runs.front().glyphIndexes().front() == 0)
      continue;
    const QRawFont Raw = Runs.front().rawFont();
    const QList<QPointF> Advance = Raw.advancesForGlyphIndexes(Runs.front().glyphIndexes());
    Entry = TEntry{Runs.front().glyphIndexes().front(), static_cast<float>(Advance.front().x()), FontIndex(Raw), TState::Lay};
    Learnt.push_back(&Entry);
  }
  if (Learnt.empty()) return;
  TGlyphLine Line;
  if (!Lay(Text, Line)) {
    // Other characters of the text need shaping: there is nothing to compare with, and the
    // new ones wait for another text.
    for (TEntry* Entry : Learnt) Entry->State = TState::Learn;
    return;
  }
  // What the table lays out must be what shaping gave, glyph by glyph, on one baseline;
  // characters that lay out otherwise are always shaped.
  bool Same = Shaped.lineCount() == 1 && Line.Ascent == Shaped.lineAt(0).ascent();
  struct TPlaced {
    qreal X;
    quint32 Glyph;
    quint16 Font;
    auto operator<=>(const TPlaced&) const = default;
  };
  std::vector<TPlaced> FromShaping, FromTable;
  for (const QGlyphRun& Run : Shaped.glyphRuns()) {
    const QList<quint32> Glyphs = Run.glyphIndexes();
    const QList<QPointF> Positions = Run.positions();
    const quint16 Font = FontIndex(Run.rawFont());
    for (qsizetype G = 0; G < Glyphs.size(); ++G) {
      FromShaping.push_back({Positions[G].x(), Glyphs[G], Font});
      Same = Same && Positions[G].y() == Line.Ascent;
    }
  }
  for (qsizetype G = 0; Same && G < Line.Glyphs.size(); ++G)
    FromTable.push_back({Line.Positions[G].x(), Line.Glyphs[G], Line.Fonts[G]});
  std::sort(FromShaping.begin(), FromShaping.end());
  if (Same && FromShaping == FromTable) return;
  for (TEntry* Entry : Learnt) Entry->State = TState::Shape;
}

}  // namespace vcl::backend
