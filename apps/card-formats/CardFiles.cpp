#include "CardFiles.h"

#include <string>

#include "Ostrel.h"

namespace cards {

int ReadCardCount(vcl::TStream* In) {
  const int Count = ostrel::TOstrelItems::ReadHeader(In);
  if (Count < 0)
    throw ostrel::EOstrelReadError(vcl::AnsiString(), In->GetPosition() - 4,
                                   "the card count is negative (" + std::to_string(Count) + ")");
  return Count;
}

void ExpectEndOfCards(vcl::TStream* In) {
  const std::int64_t End = In->GetPosition();
  vcl::Byte Next = 0;
  if (In->Read(&Next, 1) == 1)
    throw ostrel::EOstrelReadError(vcl::AnsiString(), End,
                                   "more bytes follow the last card than the card count says; "
                                   "saving would lose them");
}

}  // namespace cards
