#pragma once
// The benchmark's cards: those of `ostrel-cards generate`, made in chunks of their own seed
// so that a side never holds a second copy of all of them.

#include <cstdint>
#include <string>
#include <vector>

#include "Ostrel.h"

namespace bench {

// Appends Count generated cards to Items.
void AddCards(ostrel::TOstrelItems& Items, int Count);

// The same cards as plain strings, for the peer's model.
struct TPlainCard {
  std::string Caption;
  std::vector<std::string> Lines;
};
std::vector<TPlainCard> PlainCards(int Count);

}  // namespace bench
