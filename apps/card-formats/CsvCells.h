#pragma once
// What the CSV reader and writer agree on beyond RFC 4180: the line-order column and the
// apostrophe that keeps a spreadsheet from taking a cell for a formula (see Csv.h).

#include <string>
#include <string_view>

namespace cards::csv {

inline constexpr std::string_view OrderHeader = "Ostrel line order";

// A spreadsheet takes a cell that starts (after any apostrophes) with one of these for a
// formula.
inline bool StartsLikeFormula(std::string_view Cell) {
  const std::size_t First = Cell.find_first_not_of('\'');
  return First != std::string_view::npos && std::string_view("=+-@\t\r").find(Cell[First]) != std::string_view::npos;
}

// Digits, spaces and + - ( ) / . only: a phone number, which stays readable as it is.
inline bool IsPhoneNumber(std::string_view Cell) {
  return Cell.find_first_not_of("0123456789 +-()/.") == std::string_view::npos;
}

// The cell as the writer writes it: an apostrophe before one a spreadsheet would evaluate.
inline bool NeedsApostrophe(std::string_view Cell) { return StartsLikeFormula(Cell) && !IsPhoneNumber(Cell); }

// The cell as the reader takes it: the writer's apostrophe off.
inline std::string_view Unneutralised(std::string_view Cell) {
  return Cell.starts_with('\'') && StartsLikeFormula(Cell) ? Cell.substr(1) : Cell;
}

}  // namespace cards::csv
