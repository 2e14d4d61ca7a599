#pragma once
// Timing helpers shared by both sides.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <utility>
#include <vector>

namespace bench {

// Median of Runs timings of Work, in milliseconds; Prepare runs untimed before each.
template <class P, class F>
double MedianMs(int Runs, P&& Prepare, F&& Work) {
  std::vector<double> Times;
  for (int I = 0; I < Runs; ++I) {
    Prepare();
    const auto Start = std::chrono::steady_clock::now();
    Work();
    Times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count());
  }
  std::sort(Times.begin(), Times.end());
  return Times[Times.size() / 2];
}

template <class F>
double MedianMs(int Runs, F&& Work) {
  return MedianMs(Runs, [] {}, Work);
}

// Random points of the view, the same for both sides.
inline std::vector<std::pair<int, int>> HitPoints(int Count, int Width, int Height) {
  std::vector<std::pair<int, int>> Points;
  std::uint64_t State = 12345;
  for (int I = 0; I < Count; ++I) {
    State = State * 6364136223846793005ull + 1442695040888963407ull;
    Points.emplace_back(static_cast<int>((State >> 33) % static_cast<std::uint64_t>(Width)),
                        static_cast<int>((State >> 13) % static_cast<std::uint64_t>(Height)));
  }
  return Points;
}

}  // namespace bench
