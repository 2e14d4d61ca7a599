#include "Collation.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include "src/rtl/LocaleCompare.h"

namespace vcl::backend {

namespace {

// A collator is costly to make and a sort compares often: one per thread and case mode,
// made again when the default locale has changed.
struct TCachedCollator {
  QLocale Locale;
  QCollator Collator;
  bool Made = false;
};

int CompareByLocale(const AnsiString& S1, const AnsiString& S2, bool IgnoreCase) {
  thread_local TCachedCollator Cache[2];
  TCachedCollator& Cached = Cache[IgnoreCase ? 1 : 0];
  const QLocale Current;
  if (!Cached.Made || Cached.Locale != Current) {
    Cached.Collator = QCollator(Current);
    Cached.Collator.setCaseSensitivity(IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    Cached.Locale = Current;
    Cached.Made = true;
  }
  const int Result = Cached.Collator.compare(QString::fromUtf8(S1.data(), static_cast<qsizetype>(S1.size())),
                                             QString::fromUtf8(S2.data(), static_cast<qsizetype>(S2.size())));
  return Result < 0 ? -1 : Result > 0 ? 1 : 0;
}

}  // namespace

void InstallLocaleCompare() { rtl::SetLocaleCompare(&CompareByLocale); }

}  // namespace vcl::backend
