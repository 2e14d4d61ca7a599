#pragma once
// Type-ahead: the bytes a user types toward a caption, kept while they come within a second
// of each other. The card view feeds it keys and looks for the caption it names.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

class TTypeAhead {
public:
  // Milliseconds on a clock that never goes back.
  using TTickClock = std::function<std::uint64_t()>;
  // A pause longer than this (in milliseconds) starts a new search.
  static constexpr std::uint64_t MaxPause = 1000;

  // Times each byte by Clock instead of the system's steady clock; null restores that one.
  void SetClock(TTickClock Clock) { FClock = std::move(Clock); }
  // Forgets what was typed: the next byte starts a new search.
  void Reset() { FText.clear(); }
  // A key that moves, or Tab, Escape, Enter, Backspace, ends the search; letters, digits
  // and the space do not (they come to Type as characters).
  void KeyDown(unsigned Key);
  // Takes one typed byte. Returns the search, folded for comparison, once it ends on a whole
  // character; nothing while a character is incomplete, and nothing (the search ended) for a
  // control character or a space that would start it.
  std::optional<std::u32string> Type(char Byte);
  // Whether Caption starts with a search that Type returned.
  static bool Matches(std::string_view Caption, const std::u32string& Wanted);

private:
  std::uint64_t Now() const;

  TTickClock FClock;
  std::string FText;  // the bytes typed so far, UTF-8
  std::uint64_t FTime = 0;  // when the last of them came
};

}  // namespace ostrel
