// String helpers and Format.
#include "SysUtils.h"

#include <atomic>
#include <charconv>
#include <climits>

#include "LocaleCompare.h"

namespace vcl {

namespace {

[[noreturn]] void FormatError(const AnsiString& Fmt) { throw EConvertError(Format(Consts::SInvalidFormat, {Fmt})); }

AnsiString Pad(AnsiString Text, int Width, bool LeftAlign) {
  if (Width <= static_cast<int>(Text.size())) return Text;
  const AnsiString Fill(static_cast<size_t>(Width) - Text.size(), ' ');
  return LeftAlign ? Text + Fill : Fill + Text;
}

AnsiString FormatInteger(long long Value, char Conversion, int Precision) {
  char Buffer[32];
  const bool Hex = Conversion == 'x' || Conversion == 'X';
  // Only %d is signed: %u and %x show the value's bits as an unsigned number.
  const bool Negative = Conversion == 'd' && Value < 0;
  const auto Bits = static_cast<unsigned long long>(Value);
  const unsigned long long Magnitude = Negative ? 0ULL - Bits : Bits;
  auto [End, Error] = std::to_chars(Buffer, Buffer + sizeof Buffer, Magnitude, Hex ? 16 : 10);
  AnsiString Digits(Buffer, End);
  if (Conversion == 'X' || Conversion == 'x') Digits = UpperCase(Digits);  // classic Format writes hex in capitals
  if (Precision > static_cast<int>(Digits.size()))
    Digits.insert(0, static_cast<size_t>(Precision) - Digits.size(), '0');
  return Negative ? "-" + Digits : Digits;
}

}  // namespace

// %[-][width][.precision](d|u|x|s), and %%.
AnsiString Format(const AnsiString& Fmt, std::initializer_list<TVarRec> Args) {
  AnsiString Result;
  Result.reserve(Fmt.size() + 16);
  auto Arg = Args.begin();
  for (size_t I = 0; I < Fmt.size(); ++I) {
    if (Fmt[I] != '%') {
      Result += Fmt[I];
      continue;
    }
    if (++I >= Fmt.size()) FormatError(Fmt);
    if (Fmt[I] == '%') {
      Result += '%';
      continue;
    }
    const bool LeftAlign = Fmt[I] == '-';
    if (LeftAlign) ++I;
    int Width = 0, Precision = -1;
    while (I < Fmt.size() && Fmt[I] >= '0' && Fmt[I] <= '9' && Width < 1000) Width = Width * 10 + (Fmt[I++] - '0');
    if (I < Fmt.size() && Fmt[I] == '.') {
      Precision = 0;
      while (++I < Fmt.size() && Fmt[I] >= '0' && Fmt[I] <= '9' && Precision < 1000)
        Precision = Precision * 10 + (Fmt[I] - '0');
    }
    if (I >= Fmt.size() || Arg == Args.end()) FormatError(Fmt);
    const char Conversion = Fmt[I];
    AnsiString Text;
    if (Conversion == 'd' || Conversion == 'u' || Conversion == 'x' || Conversion == 'X') {
      const long long* Value = std::get_if<long long>(&*Arg);
      if (Value == nullptr) FormatError(Fmt);
      Text = FormatInteger(*Value, Conversion, Precision);
    } else if (Conversion == 's') {
      const AnsiString* Value = std::get_if<AnsiString>(&*Arg);
      if (Value == nullptr) FormatError(Fmt);
      Text = Precision >= 0 ? Value->substr(0, static_cast<size_t>(Precision)) : *Value;
    } else {
      FormatError(Fmt);
    }
    ++Arg;
    Result += Pad(std::move(Text), Width, LeftAlign);
  }
  return Result;
}

AnsiString UpperCase(const AnsiString& S) {
  AnsiString Result = S;
  for (char& C : Result)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  return Result;
}

AnsiString LowerCase(const AnsiString& S) {
  AnsiString Result = S;
  for (char& C : Result)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Result;
}

AnsiString IntToStr(long long Value) {
  char Buffer[24];
  auto [End, Error] = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
  return AnsiString(Buffer, End);
}

// Decimal or hexadecimal ("$1F", "0x1F"), an optional sign, leading blanks; 32-bit range.
int StrToInt(const AnsiString& S) {
  size_t I = 0;
  while (I < S.size() && S[I] == ' ') ++I;
  bool Negative = false;
  if (I < S.size() && (S[I] == '-' || S[I] == '+')) Negative = S[I++] == '-';
  int Base = 10;
  if (I < S.size() && S[I] == '$') {
    Base = 16;
    ++I;
  } else if (I + 1 < S.size() && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X')) {
    Base = 16;
    I += 2;
  }
  unsigned long long Magnitude = 0;
  const char* First = S.data() + I;
  const char* Last = S.data() + S.size();
  auto [End, Error] = std::from_chars(First, Last, Magnitude, Base);
  const unsigned long long Limit = Base == 16 ? 0xFFFFFFFFULL : (Negative ? 0x80000000ULL : 0x7FFFFFFFULL);
  if (First == Last || Error != std::errc() || End != Last || Magnitude > Limit)
    throw EConvertError(Format(Consts::SInvalidInteger, {CutForMessage(S)}));
  const auto Bits = static_cast<std::uint32_t>(Magnitude);
  const auto Value = static_cast<std::int32_t>(Negative ? 0U - Bits : Bits);
  return Value;
}

int CompareStr(const AnsiString& S1, const AnsiString& S2) { return S1.compare(S2); }

int CompareText(const AnsiString& S1, const AnsiString& S2) { return LowerCase(S1).compare(LowerCase(S2)); }

namespace {
std::atomic<rtl::TLocaleCompare> LocaleCompare{nullptr};
}  // namespace

void rtl::SetLocaleCompare(TLocaleCompare Compare) { LocaleCompare = Compare; }

int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2) {
  const rtl::TLocaleCompare Compare = LocaleCompare;
  const int Result = Compare ? Compare(S1, S2, false) : 0;
  return Result != 0 ? Result : CompareStr(S1, S2);
}

int AnsiCompareText(const AnsiString& S1, const AnsiString& S2) {
  const rtl::TLocaleCompare Compare = LocaleCompare;
  return Compare ? Compare(S1, S2, true) : CompareText(S1, S2);
}

AnsiString CutForMessage(const AnsiString& S, size_t MaxChars) {
  size_t Chars = 0;
  for (size_t I = 0; I < S.size(); ++I) {
    if ((static_cast<unsigned char>(S[I]) & 0xC0) == 0x80) continue;  // inside a character
    if (Chars++ == MaxChars) return S.substr(0, I) + "\u2026";
  }
  return S;
}

bool SameText(const AnsiString& S1, const AnsiString& S2) {
  if (S1.size() != S2.size()) return false;
  for (size_t I = 0; I < S1.size(); ++I) {
    char A = S1[I], B = S2[I];
    if (A >= 'A' && A <= 'Z') A = static_cast<char>(A - 'A' + 'a');
    if (B >= 'A' && B <= 'Z') B = static_cast<char>(B - 'A' + 'a');
    if (A != B) return false;
  }
  return true;
}

bool IsValidIdent(const AnsiString& Ident) {
  auto Alpha = [](char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || C == '_'; };
  if (Ident.empty() || !Alpha(Ident[0])) return false;
  for (char C : Ident)
    if (!Alpha(C) && !(C >= '0' && C <= '9')) return false;
  return true;
}

}  // namespace vcl
