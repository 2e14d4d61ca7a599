#pragma once
// Bytes of old address books to UTF-8: the character sets that phones and mail programs
// name, and the quoted-printable transfer encoding of vCard 2.1.

#include <string>
#include <string_view>

#include "ByteSource.h"

namespace cards {

// Text in the named character set as UTF-8. Without a set, or when the bytes do not fit the
// one named, the well-formed UTF-8 in them stays as it is and each other byte is read as
// Windows-1252, the set of the programs that wrote such files: text is never dropped, and
// one stray byte costs only itself. Repaired, when given, tells whether that happened.
std::string ToUtf8(std::string_view Bytes, std::string_view Charset = {}, bool* Repaired = nullptr);

// Well-formed UTF-8 as it is, any other byte as its Windows-1252 character.
std::string RepairUtf8(std::string_view Bytes);

// The text of a source as UTF-8: a UTF-8 byte-order mark is dropped, UTF-16 with a
// byte-order mark (or without one, when its first characters are ASCII) is converted as it
// is read. EFormatError for UTF-32, which no address book writes.
class TUtf8Input final : public TByteSource {
public:
  explicit TUtf8Input(TByteSource& Source) : FSource(Source) {}
  std::size_t Read(char* Into, std::size_t Size) override;
  // "UTF-16LE", "UTF-16BE", or empty for UTF-8 and other 8-bit text.
  const char* Encoding() const { return FEncoding; }
  // Units that were no character (a lone surrogate, an odd last byte): each became U+FFFD.
  std::size_t Replaced() const { return FReplaced; }

private:
  void Sniff();
  std::size_t ReadUtf16(char* Into, std::size_t Size);
  TByteSource& FSource;
  bool FSniffed = false;
  const char* FEncoding = "";
  bool FBigEndian = false;
  std::string FPending;        // bytes read by the sniff or decoded, not yet handed out
  std::size_t FPendingPos = 0;
  std::string FRaw;            // UTF-16 bytes not yet decoded
  std::size_t FReplaced = 0;
};

// "=XX" as the byte XX; a "=" that starts no such pair stays as it is.
std::string DecodeQuotedPrintable(std::string_view Text);

}  // namespace cards
