// Sort keys without the window system: CompareStr's and CompareText's order, and no key
// the beginning of another.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "SysUtils.h"

using namespace vcl;

namespace {

int Sign(int Value) { return (Value > 0) - (Value < 0); }

TEST(OrdinalKeys, KeysOrderAsTheirComparisonsAndNoneBeginsAnother) {
  // Short texts of few bytes, so that prefixes, zero bytes and letters in both cases meet.
  const char Bytes[] = {'\0', '\x01', 'A', 'a', 'Z', 'z', '[', '\xFF'};
  std::mt19937 Random(7);
  std::uniform_int_distribution<int> Length(0, 4), Byte(0, sizeof(Bytes) - 1);
  auto Text = [&] {
    std::string Result;
    for (int N = Length(Random); N > 0; --N) Result += Bytes[Byte(Random)];
    return Result;
  };
  TAnsiTextKeys TextKeys;  // no window system here: CompareText's keys
  for (int I = 0; I < 4000; ++I) {
    const std::string A = Text(), B = Text();
    AnsiString OrdinalA, OrdinalB, TextA, TextB;
    AppendOrdinalKey(A, OrdinalA);
    AppendOrdinalKey(B, OrdinalB);
    TextKeys.AppendKey(A, TextA);
    TextKeys.AppendKey(B, TextB);
    ASSERT_EQ(Sign(CompareStr(OrdinalA, OrdinalB)), Sign(CompareStr(A, B))) << I;
    ASSERT_EQ(Sign(CompareStr(TextA, TextB)), Sign(CompareText(A, B))) << I;
    if (A != B) {
      ASSERT_EQ(Sign(CompareStr(OrdinalA + "\xFF", OrdinalB)), Sign(CompareStr(A, B))) << I;
    }
  }
}

}  // namespace
