#pragma once
// Realistic, varied contact cards for demos and benchmarks: names in Latin script with
// accents, Cyrillic, Greek, CJK and Arabic, phone numbers, mail addresses, cities, notes
// and hints. The same seed gives the same cards on every machine and library version.

#include <cstdint>

#include "Ostrel.h"

namespace cards {

// splitmix64: small, fast and fully specified, unlike the standard distributions.
class TSplitMix64 {
public:
  explicit TSplitMix64(std::uint64_t Seed) : FState(Seed) {}
  std::uint64_t Next();
  // 0 to Bound - 1; Bound must be positive.
  std::uint32_t Below(std::uint32_t Bound) { return static_cast<std::uint32_t>(Next() % Bound); }

private:
  std::uint64_t FState;
};

// Appends Count cards to Items inside one batch.
void GenerateContacts(ostrel::TOstrelItems& Items, int Count, std::uint64_t Seed);

}  // namespace cards
