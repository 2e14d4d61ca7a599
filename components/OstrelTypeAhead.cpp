// Type-ahead: characters come a byte at a time; a pause of over a second starts a new
// search. Control characters end the search; a space counts only after a letter.

#include "OstrelTypeAhead.h"

#include <chrono>

#include "CaseFold.h"
#include "Messages.h"

namespace ostrel {

void TTypeAhead::KeyDown(unsigned Key) {
  if (Key < vcl::VK_SPACE || (Key > vcl::VK_SPACE && Key < '0')) Reset();
}

std::uint64_t TTypeAhead::Now() const {
  if (FClock) return FClock();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

std::optional<std::u32string> TTypeAhead::Type(char Byte) {
  const auto Code = static_cast<unsigned char>(Byte);
  if (Code < 0x20 || Code == 0x7F || (Code == ' ' && FText.empty())) {
    Reset();
    return std::nullopt;
  }
  const std::uint64_t Time = Now();
  if (Time - FTime > MaxPause) Reset();
  FTime = Time;
  FText += Byte;
  if (!EndsOnCharacter(FText)) return std::nullopt;
  return FoldCase(FText);
}

bool TTypeAhead::Matches(std::string_view Caption, const std::u32string& Wanted) {
  // A character has at most four bytes: the start of a caption is enough to fold.
  return FoldCase(Caption.substr(0, Wanted.size() * 4)).starts_with(Wanted);
}

}  // namespace ostrel
