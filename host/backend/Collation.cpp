#include "Collation.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <QStringDecoder>
#include <QVarLengthArray>

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

// Text as UTF-16 in Buffer, with the replacement character for bytes that are not UTF-8.
QStringView Decoded(const AnsiString& Text, QVarLengthArray<QChar, 256>& Buffer) {
  Buffer.resize(static_cast<qsizetype>(Text.size()));  // never more units than bytes
  QStringDecoder Decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
  const QChar* End = Decoder.appendToBuffer(Buffer.data(), QByteArrayView(Text.data(), static_cast<qsizetype>(Text.size())));
  return QStringView(Buffer.data(), End - Buffer.data());
}

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
  // A sort compares millions of times: the texts are decoded into buffers kept for the
  // next comparison rather than into new strings.
  thread_local QVarLengthArray<QChar, 256> Text1, Text2;
  const int Result = Cached.Collator.compare(Decoded(S1, Text1), Decoded(S2, Text2));
  return Result < 0 ? -1 : Result > 0 ? 1 : 0;
}

}  // namespace

void InstallLocaleCompare() { rtl::SetLocaleCompare(&CompareByLocale); }

}  // namespace vcl::backend
