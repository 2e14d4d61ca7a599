// System colours through the application palette, and colours for Qt.

#include <QApplication>
#include <QPalette>

#include "GraphicsBackend.h"
#include "QtEmbedding.h"

namespace vcl {

namespace {

QColor PaletteColor(int Index) {
  const QPalette P = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette(Qt::lightGray);
  switch (Index) {
    case 1: case 12: return P.color(QPalette::Dark);
    case 2: return P.color(QPalette::Highlight);
    case 3: case 11: return P.color(QPalette::Mid);
    case 4: case 15: case 10: case 0: return P.color(QPalette::Button);
    case 5: return P.color(QPalette::Base);
    case 6: case 21: return P.color(QPalette::Shadow);
    case 7: case 8: return P.color(QPalette::Text);
    case 9: return P.color(QPalette::HighlightedText);
    case 13: return P.color(QPalette::Highlight);
    case 14: return P.color(QPalette::HighlightedText);
    case 16: return P.color(QPalette::Dark);
    case 17: case 19: return P.color(QPalette::Disabled, QPalette::Text);
    case 18: return P.color(QPalette::ButtonText);
    case 20: return P.color(QPalette::Light);
    case 22: return P.color(QPalette::Midlight);
    case 23: return P.color(QPalette::ToolTipText);
    case 24: return P.color(QPalette::ToolTipBase);
    default: return QColor(Qt::black);
  }
}

}  // namespace

TColor backend::SystemColorRGB(int Index) {
  const QColor C = PaletteColor(Index);
  return RGB(C.red(), C.green(), C.blue());
}

QColor ToQColor(TColor Color) {
  const TColor C = ColorToRGB(Color);
  return QColor(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF);
}

}  // namespace vcl
