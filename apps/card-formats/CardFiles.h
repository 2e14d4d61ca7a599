#pragma once
// Card files read whole by the programs, which may save them again. The card list reads as
// many cards as the file's count says and leaves the rest of the stream alone, as a stream
// holding more after the cards needs; a program that replaces the file on save would then
// drop the rest without a word, so the programs refuse such a file instead.

#include <cstdint>

#include "Classes.h"

namespace cards {

// The card count of a card file's header. EOstrelReadError (with no file name) for a
// negative count, which would read as no cards at all.
int ReadCardCount(vcl::TStream* In);
// EOstrelReadError (with no file name) when In has a byte left after the last card.
void ExpectEndOfCards(vcl::TStream* In);

}  // namespace cards
