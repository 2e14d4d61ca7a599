#include "BenchCards.h"

#include <array>

namespace bench {

namespace {

constexpr std::array<const char*, 12> FirstNames{"Anna",  "Boris", "Chloé", "Dmitri", "Elena", "Farid",
                                                 "Greta", "Hiro",  "Inès",  "Jonas",  "Katya", "Luis"};
constexpr std::array<const char*, 10> LastNames{"Albers",  "Brandt", "Castillo", "Dubois",  "Eriksen",
                                                "Fischer", "García", "Horvat",   "Ivanova", "Jensen"};
constexpr std::array<const char*, 8> Cities{"Lisbon", "Oslo", "Kraków", "Lyon", "Tallinn", "Porto", "Graz", "Ghent"};

template <std::size_t N>
const char* Pick(const std::array<const char*, N>& Names, int Index) {
  return Names[static_cast<std::size_t>(Index)];
}

}  // namespace

// splitmix64: the same sequence on every standard library.
std::uint64_t TCardGenerator::Random() {
  std::uint64_t Z = (FState += 0x9E3779B97F4A7C15ull);
  Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
  Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
  return Z ^ (Z >> 31);
}

std::string TCardGenerator::Digits(int N) {
  std::string S;
  for (int I = 0; I < N; ++I) S += static_cast<char>('0' + Below(10));
  return S;
}

void TCardGenerator::Next(TBenchCard& Card) {
  const char* First = Pick(FirstNames, Below(static_cast<int>(FirstNames.size())));
  const char* Last = Pick(LastNames, Below(static_cast<int>(LastNames.size())));
  Card.Caption = std::string(Last) + ", " + First;
  Card.Lines.clear();
  const int Lines = Below(7);
  for (int I = 0; I < Lines; ++I) {
    switch (Below(5)) {
      case 0: Card.Lines.push_back("Phone=+" + Digits(11)); break;
      case 1: Card.Lines.push_back("Mobile=+" + Digits(11)); break;
      case 2: Card.Lines.push_back(std::string("Mail=") + First + "@example.org"); break;
      case 3: Card.Lines.push_back(std::string("City=") + Pick(Cities, Below(static_cast<int>(Cities.size())))); break;
      default: Card.Lines.push_back("Met at the " + Digits(4) + " fair"); break;
    }
  }
}

}  // namespace bench
