#pragma once
// The least work that reading a card file can do: read the file and copy every field into
// plain strings, splitting the sub-items into lines, without building cards. The card
// loader's time is measured against it.

#include <cstdint>
#include <string>
#include <vector>

struct TPlainCard {
  std::string Text;
  std::uint32_t Data = 0;
  std::vector<std::string> SubItems;
  bool ShowHint = true;
  std::string Hint;
};

// Throws std::runtime_error on a file that ends early.
std::vector<TPlainCard> ParseCardFilePlainly(const std::string& FileName);
