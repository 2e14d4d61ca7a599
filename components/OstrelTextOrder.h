#pragma once
// The order of cards by their texts, compared byte by byte as CompareStr does.

#include <cstdint>
#include <string_view>
#include <vector>

namespace ostrel {

// A card's text as the sort by text reads it: its first bytes as numbers that compare as
// the bytes do (zero-filled past the end), so that most comparisons decide without
// reaching the text; the rest of the text only for the texts that share them.
struct TTextKey {
  static constexpr std::size_t Words = 3;
  static constexpr std::uint32_t Known = Words * 8;  // bytes the words hold
  std::uint64_t Word[Words];
  const char* Bytes;
  std::uint32_t Length;
  std::uint32_t Slot;  // where the card stood before the sort
};

// The key of Text, which must outlive it.
TTextKey KeyOf(std::string_view Text, std::uint32_t Slot);

// The ordinal comparison of the two texts: -1, 0 or 1.
int CompareKeys(const TTextKey& A, const TTextKey& B);

// Puts Keys in the order of their texts. Equal texts end in no particular order, as any
// sort that only compares may leave them.
void SortKeys(std::vector<TTextKey>& Keys);

}  // namespace ostrel
