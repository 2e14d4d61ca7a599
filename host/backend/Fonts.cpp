// Framework fonts as Qt fonts.

#include "Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace vcl::backend {

namespace {

QString FamilyOrSans(const AnsiString& Name) {
  const QString Family = QString::fromUtf8(Name.c_str());
  if (!Family.isEmpty() && QFontDatabase::hasFamily(Family)) return Family;
  QFont Sans;
  Sans.setStyleHint(QFont::SansSerif);
  return QFontInfo(Sans).family();
}

}  // namespace

QFont QtFontOf(const TFont& Font) {
  QFont Result(FamilyOrSans(Font.GetName()));
  // Crisp pixels as the classic bitmap fonts had; it also keeps pixel tests exact.
  Result.setStyleStrategy(QFont::NoAntialias);
  Result.setBold(Font.GetStyle().Contains(fsBold));
  Result.setItalic(Font.GetStyle().Contains(fsItalic));
  Result.setUnderline(Font.GetStyle().Contains(fsUnderline));
  Result.setStrikeOut(Font.GetStyle().Contains(fsStrikeOut));
  if (Font.GetPitch() == fpFixed) Result.setFixedPitch(true);
  const int Height = Font.GetHeight();
  constexpr int DefaultPixels = 11;
  if (Height <= 0) {
    Result.setPixelSize(Height < 0 ? -Height : DefaultPixels);
  } else {
    // A cell height: the largest character height whose line fits in it.
    int Pixels = std::max(Height, 1);
    for (Result.setPixelSize(Pixels); Pixels > 1 && QFontMetrics(Result).height() > Height;) Result.setPixelSize(--Pixels);
  }
  return Result;
}

}  // namespace vcl::backend
