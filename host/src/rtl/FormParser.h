#pragma once
// The tokenizer of form text. Every error is an EParserError naming the line.

#include <vector>

#include "Classes.h"

namespace vcl {

class TFormParser {
public:
  enum TToken { toEOF, toSymbol, toString, toInteger, toFloat, toChar };

  explicit TFormParser(const AnsiString& Text);

  TToken Token() const { return FToken; }
  int Line() const { return FTokenLine; }
  const AnsiString& TokenString() const { return FTokenString; }  // a symbol, or a string's bytes
  long long TokenInt() const { return FTokenInt; }
  double TokenFloat() const { return FTokenFloat; }
  bool IsChar(char C) const { return FToken == toChar && FTokenChar == C; }
  bool IsSymbol(const char* Symbol) const;  // a to z without case

  void Next();
  void SkipChar(char C);            // the current token is C, or an error
  AnsiString SkipSymbol();          // an identifier, or an error; its text
  // The bytes of "{ hex }" after the current "{" token; then the token after "}".
  std::vector<Byte> ReadBinary();

  // "<Expected> expected but <found> found on line N".
  [[noreturn]] void ErrorExpected(const AnsiString& Expected) const;
  [[noreturn]] void Error(const AnsiString& Message) const;  // "<Message> on line N"
  AnsiString Describe() const;  // the current token, as an error quotes it

private:
  void ReadStringToken();
  void ReadNumberToken();

  const AnsiString& FText;
  size_t FPos = 0;
  int FLine = 1;
  TToken FToken = toEOF;
  int FTokenLine = 1;
  char FTokenChar = 0;
  AnsiString FTokenString;
  long long FTokenInt = 0;
  double FTokenFloat = 0;
};

}  // namespace vcl
