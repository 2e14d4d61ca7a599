// Both the comparison and the sort keys come from one ICU collator, set up as Qt's
// QCollator sets up its own, so that a sort by keys and a sort by comparison cannot
// disagree. The C locale has no collation: texts compare by their UTF-16 code units, as
// QCollator compares them there.

#include "Collation.h"

#include <unicode/ucol.h>

#include <QLocale>
#include <QString>
#include <QStringDecoder>
#include <QVarLengthArray>
#include <algorithm>
#include <memory>

#include "SysUtils.h"
#include "src/rtl/LocaleCompare.h"

namespace vcl::backend {

namespace {

struct TCloseCollator {
  void operator()(UCollator* Collator) const { ucol_close(Collator); }
};
using TCollator = std::unique_ptr<UCollator, TCloseCollator>;

// The locale's collator, or null for the C locale. IgnoreCase compares at the second
// strength: letters and their marks count, case does not.
TCollator OpenCollator(const QLocale& Locale, bool IgnoreCase) {
  if (Locale.language() == QLocale::C) return nullptr;
  const QByteArray Name = Locale.bcp47Name().replace(u'-', u'_').toLatin1();
  UErrorCode Status = U_ZERO_ERROR;
  TCollator Collator(ucol_open(Name.constData(), &Status));
  if (U_FAILURE(Status)) return nullptr;
  // Each attribute on its own: one that a locale refuses leaves the others set.
  auto Set = [&](UColAttribute Attribute, UColAttributeValue Value) {
    Status = U_ZERO_ERROR;
    ucol_setAttribute(Collator.get(), Attribute, Value, &Status);
  };
  Set(UCOL_NORMALIZATION_MODE, UCOL_ON);
  Set(UCOL_STRENGTH, IgnoreCase ? UCOL_SECONDARY : UCOL_DEFAULT_STRENGTH);
  Set(UCOL_NUMERIC_COLLATION, UCOL_OFF);
  Set(UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE);
  return Collator;
}

using TUnits = QVarLengthArray<QChar, 256>;

// Text as UTF-16 in Buffer, with the replacement character for bytes that are not UTF-8.
QStringView Decoded(std::string_view Text, TUnits& Buffer) {
  Buffer.resize(static_cast<qsizetype>(Text.size()));  // never more units than bytes
  // Names are mostly ASCII, whose bytes are their units: a sort decodes a million of them.
  if (std::all_of(Text.begin(), Text.end(), [](char Byte) { return static_cast<unsigned char>(Byte) < 0x80; })) {
    std::copy(Text.begin(), Text.end(), Buffer.data());
    return QStringView(Buffer.data(), Buffer.size());
  }
  QStringDecoder Decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
  const QChar* End = Decoder.appendToBuffer(Buffer.data(), QByteArrayView(Text.data(), static_cast<qsizetype>(Text.size())));
  return QStringView(Buffer.data(), End - Buffer.data());
}

const UChar* UnitsOf(QStringView Text) { return reinterpret_cast<const UChar*>(Text.utf16()); }

// A collator is costly to make and a sort compares often: one per thread and case mode,
// made again when the default locale has changed.
struct TCachedCollator {
  QLocale Locale;
  TCollator Collator;
  bool Made = false;
};

int CompareByLocale(const AnsiString& S1, const AnsiString& S2, bool IgnoreCase) {
  thread_local TCachedCollator Cache[2];
  TCachedCollator& Cached = Cache[IgnoreCase ? 1 : 0];
  const QLocale Current;
  if (!Cached.Made || Cached.Locale != Current) {
    Cached.Collator = OpenCollator(Current, IgnoreCase);
    Cached.Locale = Current;
    Cached.Made = true;
  }
  // A sort compares millions of times: the texts are decoded into buffers kept for the
  // next comparison rather than into new strings.
  thread_local TUnits Text1, Text2;
  const QStringView A = Decoded(S1, Text1), B = Decoded(S2, Text2);
  const int Result = Cached.Collator
                         ? ucol_strcoll(Cached.Collator.get(), UnitsOf(A), static_cast<int32_t>(A.size()), UnitsOf(B),
                                        static_cast<int32_t>(B.size()))
                         : A.compare(B, IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
  return Result < 0 ? -1 : Result > 0 ? 1 : 0;
}

class TCollationKeys : public rtl::TLocaleKeyMaker {
public:
  TCollationKeys() : FCollator(OpenCollator(QLocale(), true)) {}

  void AppendKey(std::string_view Text, AnsiString& Key) override {
    const QStringView Units = Decoded(Text, FUnits);
    if (!FCollator) return AppendFoldedUnits(Units, Key);
    // ICU's keys end in their only zero byte, so none is the beginning of another.
    const std::size_t Start = Key.size();
    const auto Length = static_cast<int32_t>(Units.size());
    std::size_t Room = 4 * Units.size() + 16;  // most keys fit at the first try
    for (;;) {
      Key.resize(Start + Room);
      const int32_t Made = ucol_getSortKey(FCollator.get(), UnitsOf(Units), Length,
                                           reinterpret_cast<uint8_t*>(Key.data() + Start), static_cast<int32_t>(Room));
      if (static_cast<std::size_t>(Made) <= Room) {
        Key.resize(Start + static_cast<std::size_t>(Made));
        return;
      }
      Room = static_cast<std::size_t>(Made);
    }
  }

private:
  // The C locale's comparison without case folds each character and compares the code
  // units: the folded units, high byte first, compare as bytes the same way. A low
  // surrogate is folded with its pair, as Qt folds it; the high one stays as it is.
  void AppendFoldedUnits(QStringView Units, AnsiString& Key) {
    FFolded.clear();
    char16_t High = 0;
    for (const QChar Unit : Units) {
      char16_t Folded = Unit.toCaseFolded().unicode();
      if (QChar::isHighSurrogate(High) && Unit.isLowSurrogate())
        Folded = QChar::lowSurrogate(QChar::toCaseFolded(QChar::surrogateToUcs4(High, Unit.unicode())));
      High = Unit.unicode();
      FFolded += static_cast<char>(Folded >> 8);
      FFolded += static_cast<char>(Folded & 0xFF);
    }
    AppendOrdinalKey(FFolded, Key);
  }

  TCollator FCollator;
  TUnits FUnits;
  AnsiString FFolded;
};

std::unique_ptr<rtl::TLocaleKeyMaker> MakeCollationKeys() { return std::make_unique<TCollationKeys>(); }

}  // namespace

void InstallLocaleCompare() {
  rtl::SetLocaleCompare(&CompareByLocale);
  rtl::SetLocaleKeys(&MakeCollationKeys);
}

}  // namespace vcl::backend
