// Sort keys: made once per text, compared as bytes, for sorts that would otherwise compare
// the same texts by locale millions of times.
#include <atomic>

#include "LocaleCompare.h"
#include "SysUtils.h"

namespace vcl {

namespace {

std::atomic<rtl::TLocaleKeys> LocaleKeys{nullptr};

// Bytes, each through Map, with a zero written as 0 255 and the end as 0 0: the end then
// compares below every byte that could follow it, so a shorter text comes first, as in
// CompareStr.
template <class TMap>
void AppendEscaped(std::string_view Bytes, AnsiString& Key, TMap Map) {
  Key.reserve(Key.size() + Bytes.size() + 2);
  for (const char Byte : Bytes) {
    const char Mapped = Map(Byte);
    Key += Mapped;
    if (Mapped == '\0') Key += '\xFF';
  }
  Key += '\0';
  Key += '\0';
}

}  // namespace

void rtl::SetLocaleKeys(TLocaleKeys Make) { LocaleKeys = Make; }

TAnsiTextKeys::TAnsiTextKeys() {
  if (const rtl::TLocaleKeys Make = LocaleKeys) FMaker = Make();
}

TAnsiTextKeys::~TAnsiTextKeys() = default;

void TAnsiTextKeys::AppendKey(std::string_view Text, AnsiString& Key) {
  if (FMaker) return FMaker->AppendKey(Text, Key);
  // CompareText: a to z as their small letters, every other byte as it is.
  AppendEscaped(Text, Key, [](char Byte) { return Byte >= 'A' && Byte <= 'Z' ? static_cast<char>(Byte - 'A' + 'a') : Byte; });
}

void AppendOrdinalKey(std::string_view Bytes, AnsiString& Key) {
  AppendEscaped(Bytes, Key, [](char Byte) { return Byte; });
}

}  // namespace vcl
