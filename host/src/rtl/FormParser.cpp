// Tokens of form text: symbols, strings with #nn escapes, integers, floats, punctuation.
#include "FormParser.h"

#include <charconv>
#include <cmath>

namespace vcl {

namespace {

bool IsAlpha(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || C == '_'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }
bool IsHex(char C) { return IsDigit(C) || (C >= 'a' && C <= 'f') || (C >= 'A' && C <= 'F'); }
int HexValue(char C) { return IsDigit(C) ? C - '0' : (C | 0x20) - 'a' + 10; }

void AppendUtf8(AnsiString& S, unsigned long Code) {
  if (Code < 0x800) {
    S += static_cast<char>(0xC0 | (Code >> 6));
  } else {
    if (Code < 0x10000) {
      S += static_cast<char>(0xE0 | (Code >> 12));
    } else {
      S += static_cast<char>(0xF0 | (Code >> 18));
      S += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
    }
    S += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
  }
  S += static_cast<char>(0x80 | (Code & 0x3F));
}

}  // namespace

TFormParser::TFormParser(const AnsiString& Text) : FText(Text) { Next(); }

bool TFormParser::IsSymbol(const char* Symbol) const { return FToken == toSymbol && SameText(FTokenString, Symbol); }

void TFormParser::Next() {
  for (;;) {
    if (FPos >= FText.size()) break;
    const char C = FText[FPos];
    if (C == '\n') {
      ++FLine;
    } else if (C != ' ' && C != '\t' && C != '\r') {
      break;
    }
    ++FPos;
  }
  FTokenLine = FLine;
  FTokenString.clear();
  if (FPos >= FText.size()) {
    FToken = toEOF;
    return;
  }
  const char C = FText[FPos];
  if (IsAlpha(C)) {
    const size_t Start = FPos;
    while (FPos < FText.size() && (IsAlpha(FText[FPos]) || IsDigit(FText[FPos]))) ++FPos;
    FTokenString.assign(FText, Start, FPos - Start);
    FToken = toSymbol;
  } else if (C == '\'' || C == '#') {
    ReadStringToken();
  } else if (IsDigit(C) || C == '$' || (C == '-' && FPos + 1 < FText.size() && (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$'))) {
    ReadNumberToken();
  } else {
    // After "{", ReadBinary takes the hex raw.
    FToken = toChar;
    FTokenChar = C;
    ++FPos;
  }
}

// One string token: quoted runs ('' is a quote) and #nn codes, one after another.
// Codes up to 255 are bytes; larger ones are Unicode code points, stored as UTF-8.
void TFormParser::ReadStringToken() {
  FToken = toString;
  while (FPos < FText.size() && (FText[FPos] == '\'' || FText[FPos] == '#')) {
    if (FText[FPos] == '\'') {
      ++FPos;
      for (;;) {
        if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r') Error("Unterminated string");
        const char C = FText[FPos++];
        if (C != '\'') {
          FTokenString += C;
        } else if (FPos < FText.size() && FText[FPos] == '\'') {
          FTokenString += '\'';
          ++FPos;
        } else {
          break;
        }
      }
    } else {
      ++FPos;
      const bool Hex = FPos < FText.size() && FText[FPos] == '$';
      if (Hex) ++FPos;
      unsigned long Code = 0;
      size_t Digits = 0;
      while (FPos < FText.size() && (Hex ? IsHex(FText[FPos]) : IsDigit(FText[FPos]))) {
        Code = Code * (Hex ? 16 : 10) + static_cast<unsigned long>(HexValue(FText[FPos++]));
        if (Code > 0x10FFFF) Error("Character code out of range");
        ++Digits;
      }
      if (Digits == 0) ErrorExpected("Character code");
      if (Code <= 0xFF)
        FTokenString += static_cast<char>(Code);
      else
        AppendUtf8(FTokenString, Code);
    }
  }
}

// Integers: decimal or $hex, with an optional minus; floats: decimal with "." or an exponent.
void TFormParser::ReadNumberToken() {
  const size_t Start = FPos;
  const bool Negative = FText[FPos] == '-';
  if (Negative) ++FPos;
  if (FText[FPos] == '$') {
    ++FPos;
    const size_t DigitsStart = FPos;
    while (FPos < FText.size() && IsHex(FText[FPos])) ++FPos;
    unsigned long long Value = 0;
    auto [End, Err] = std::from_chars(FText.data() + DigitsStart, FText.data() + FPos, Value, 16);
    if (FPos == DigitsStart) ErrorExpected("Hexadecimal digit");
    if (Err != std::errc() || Value > 0x7FFFFFFFFFFFFFFFULL) Error("Integer out of range");
    FToken = toInteger;
    FTokenInt = Negative ? -static_cast<long long>(Value) : static_cast<long long>(Value);
  } else {
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    bool IsFloat = false;
    if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
      IsFloat = true;
      ++FPos;
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    }
    if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
      size_t P = FPos + 1;
      if (P < FText.size() && (FText[P] == '+' || FText[P] == '-')) ++P;
      if (P < FText.size() && IsDigit(FText[P])) {
        IsFloat = true;
        FPos = P;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
      }
    }
    const char* First = FText.data() + Start;
    const char* Last = FText.data() + FPos;
    if (IsFloat) {
      auto [End, Err] = std::from_chars(First, Last, FTokenFloat);
      if (Err != std::errc() || End != Last || !std::isfinite(FTokenFloat)) Error("Invalid floating point number");
      FToken = toFloat;
    } else {
      auto [End, Err] = std::from_chars(First, Last, FTokenInt);
      if (Err != std::errc() || End != Last) Error("Integer out of range");
      FToken = toInteger;
    }
  }
  FTokenString.assign(FText, Start, FPos - Start);
  if (FPos < FText.size() && (IsAlpha(FText[FPos]) || IsDigit(FText[FPos]))) Error("Invalid number");
}

void TFormParser::SkipChar(char C) {
  if (!IsChar(C)) ErrorExpected(AnsiString("'") + C + "'");
  Next();
}

AnsiString TFormParser::SkipSymbol() {
  if (FToken != toSymbol) ErrorExpected("Identifier");
  AnsiString Symbol = FTokenString;
  Next();
  return Symbol;
}

std::vector<Byte> TFormParser::ReadBinary() {
  if (!IsChar('{')) ErrorExpected("'{'");
  std::vector<Byte> Bytes;
  int High = -1;
  for (;;) {
    if (FPos >= FText.size()) Error("Unterminated binary value");
    const char C = FText[FPos++];
    if (C == '}') break;
    if (C == '\n') {
      ++FLine;
    } else if (IsHex(C)) {
      if (High < 0) {
        High = HexValue(C);
      } else {
        Bytes.push_back(static_cast<Byte>(High * 16 + HexValue(C)));
        High = -1;
      }
    } else if (C != ' ' && C != '\t' && C != '\r') {
      FTokenLine = FLine;
      Error("Invalid binary value");
    }
  }
  if (High >= 0) {
    FTokenLine = FLine;
    Error("Odd number of hexadecimal digits in binary value");
  }
  Next();
  return Bytes;
}

AnsiString TFormParser::Describe() const {
  switch (FToken) {
    case toEOF: return "end of text";
    case toString: return "string";
    case toChar: return AnsiString("'") + FTokenChar + "'";
    default: return "'" + CutForMessage(FTokenString) + "'";
  }
}

void TFormParser::ErrorExpected(const AnsiString& Expected) const {
  Error(Expected + " expected but " + Describe() + " found");
}

void TFormParser::Error(const AnsiString& Message) const {
  throw EParserError(Message + " on line " + IntToStr(FTokenLine));
}

}  // namespace vcl
