#pragma once
// Bytes of old address books to UTF-8: the character sets that phones and mail programs
// name, and the quoted-printable transfer encoding of vCard 2.1.

#include <string>
#include <string_view>

namespace cards {

// Text in the named character set as UTF-8. Without a set, or when the bytes do not fit the
// one named, well-formed UTF-8 stays as it is and anything else is read as Windows-1252,
// the set of the programs that wrote such files: text is never dropped.
std::string ToUtf8(std::string_view Bytes, std::string_view Charset = {});

// "=XX" as the byte XX; a "=" that starts no such pair stays as it is.
std::string DecodeQuotedPrintable(std::string_view Text);

}  // namespace cards
