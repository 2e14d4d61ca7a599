#pragma once
// Deterministic contact cards for the benchmark: both sides see the same sequence.

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct TBenchCard {
  std::string Caption;
  std::vector<std::string> Lines;  // "Name=Value" pairs and plain lines, 0 to 6 of them
};

// Hands out cards one by one, so a side can build its own storage without a second copy.
class TCardGenerator {
public:
  explicit TCardGenerator(std::uint64_t Seed) : FState(Seed) {}
  void Next(TBenchCard& Card);

private:
  std::uint64_t Random();
  int Below(int N) { return static_cast<int>(Random() % static_cast<std::uint64_t>(N)); }
  std::string Digits(int N);

  std::uint64_t FState;
};

}  // namespace bench
