#pragma once
// Case folding for type-ahead: UTF-8 text as code points with the capitals of the Latin,
// Greek and Cyrillic alphabets made small, so that "ANNA", "anna" and "Anna" match alike.

#include <string>
#include <string_view>

namespace ostrel {

// Text's code points, folded; a byte that starts no well-formed sequence stands for itself
// (as U+DC00 plus the byte, where no character can be).
std::u32string FoldCase(std::string_view Text);

// Whether Text does not stop inside a multi-byte UTF-8 sequence.
bool EndsOnCharacter(std::string_view Text);

}  // namespace ostrel
