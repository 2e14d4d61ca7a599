#pragma once
// Card lines hold no line breaks, while vCard and CSV values may: CR LF, CR and LF each
// count as one break.

#include <string>
#include <string_view>
#include <vector>

namespace cards {

// Where the first CR or LF of Text is; npos when it has none.
inline std::size_t FindBreak(std::string_view Text) {
  for (std::size_t I = 0; I < Text.size(); ++I)
    if (Text[I] == '\r' || Text[I] == '\n') return I;
  return std::string_view::npos;
}

// The pieces between the breaks; a value without breaks is one piece.
std::vector<std::string> SplitBreaks(std::string_view Value);
// The value with each break replaced by ", ".
std::string OneLine(std::string_view Value);
std::string OneLine(std::string&& Value);

}  // namespace cards
