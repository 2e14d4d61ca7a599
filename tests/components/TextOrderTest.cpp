// Sorting texts by their bytes: against a plain comparison sort, on lists long enough to
// be dealt into buckets by two bytes, then by one, down to buckets compared whole.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "OstrelTextOrder.h"

using namespace ostrel;

namespace {

std::string Ordinal(const TTextKey& Key) { return std::string(Key.Bytes, Key.Length); }

// Texts drawn from a small alphabet with zero and high bytes, lengths around the bytes a
// key holds, shared beginnings and many namesakes.
std::vector<std::string> Texts(std::size_t Count, const char* Kind) {
  const std::string Kinds = Kind;
  std::vector<std::string> Result;
  std::uint64_t State = 11;
  auto Next = [&](std::uint64_t Below) {
    State = State * 6364136223846793005ull + 1442695040888963407ull;
    return (State >> 33) % Below;
  };
  const std::string Alphabet("\0\x01" "aAbz\x7f\x80\xff", 9);
  for (std::size_t I = 0; I < Count; ++I) {
    if (Kinds == "namesakes") {
      Result.push_back("Name " + std::to_string(Next(300)));
      continue;
    }
    // One beginning shared by all: every byte the key holds deals nothing.
    std::string Text = Kinds == "one long beginning" ? std::string(30, 'p') : std::string();
    const std::size_t Length = Next(34);
    for (std::size_t K = 0; K < Length; ++K) Text += Alphabet[Next(Kinds == "few bytes" ? 3 : Alphabet.size())];
    Result.push_back(Text);
  }
  return Result;
}

}  // namespace

TEST(TextOrder, SortedKeysAreTheTextsInOrdinalOrderEachOnce) {
  for (const char* Kind : {"varied", "few bytes", "namesakes", "one long beginning"}) {
    for (std::size_t Count : {std::size_t{0}, std::size_t{1}, std::size_t{31}, std::size_t{5000},
                              std::size_t{70000}}) {
      SCOPED_TRACE(std::string(Kind) + ", " + std::to_string(Count));
      const std::vector<std::string> Source = Texts(Count, Kind);
      std::vector<TTextKey> Keys;
      for (std::size_t I = 0; I < Source.size(); ++I) Keys.push_back(KeyOf(Source[I], static_cast<std::uint32_t>(I)));
      SortKeys(Keys);
      std::vector<std::string> Expected = Source;
      std::sort(Expected.begin(), Expected.end());  // std::string compares as unsigned bytes
      std::vector<std::string> Got;
      std::vector<bool> Seen(Source.size());
      for (const TTextKey& Key : Keys) {
        Got.push_back(Ordinal(Key));
        ASSERT_FALSE(Seen[Key.Slot]) << "slot " << Key.Slot << " twice";
        Seen[Key.Slot] = true;
        ASSERT_EQ(Source[Key.Slot], Got.back());
      }
      ASSERT_EQ(Got, Expected);
    }
  }
}

TEST(TextOrder, KeysCompareAsTheirBytes) {
  const std::string Zero("a\0", 2), Long1(30, 'x'), Long2 = std::string(29, 'x') + 'y';
  struct TRow {
    std::string A, B;
    int Expected;
  } Rows[] = {{"a", Zero, -1},     {Zero, "a\x01", -1}, {"\xff", "a", 1},  {Long1, Long2, -1},
              {Long1, Long1, 0},   {"", "", 0},         {"", std::string(1, '\0'), -1},    {Long1 + "a", Long1, 1}};
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.A + " / " + Row.B);
    EXPECT_EQ(CompareKeys(KeyOf(Row.A, 0), KeyOf(Row.B, 1)), Row.Expected);
    EXPECT_EQ(CompareKeys(KeyOf(Row.B, 0), KeyOf(Row.A, 1)), -Row.Expected);
  }
}
