#pragma once
// Card lines hold no line breaks, while vCard and CSV values may: CR LF, CR and LF each
// count as one break.

#include <string>
#include <string_view>
#include <vector>

namespace cards {

// The pieces between the breaks; a value without breaks is one piece.
std::vector<std::string> SplitBreaks(std::string_view Value);
// The value with each break replaced by ", ".
std::string OneLine(std::string_view Value);

}  // namespace cards
