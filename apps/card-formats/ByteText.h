#pragma once
// Card strings are bytes; JSON strings are UTF-8. These helpers decide which bytes can be
// a JSON string as they are and carry the others as base64.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cards {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view Bytes);
// The length of the well-formed UTF-8 sequence at P (before End), or 0 when there is none.
std::size_t Utf8SequenceAt(const unsigned char* P, const unsigned char* End);

std::string EncodeBase64(std::string_view Bytes);
// Standard alphabet with padding; nothing when Text is not such base64.
std::optional<std::string> DecodeBase64(std::string_view Text);

}  // namespace cards
