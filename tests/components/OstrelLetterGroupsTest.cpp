// How the letters a to z spread over 1 to 26 letter buttons. The expected captions are
// written out by hand, not computed, so that a change of rounding or precision shows.

#include <gtest/gtest.h>

#include <string>

#include "OstrelLetterGroups.h"

using namespace ostrel;

namespace {

// The captions of all letter buttons of a bar with Count of them, separated by spaces.
std::string CaptionsOf(int Count) {
  std::string Result;
  for (int I = 0; I < Count; ++I) Result += (I ? " " : "") + LetterGroupCaption(LetterGroup(I, Count));
  return Result;
}

TEST(OstrelLetterGroups, CaptionsForEveryNumberOfLetterButtons) {
  const char* const Expected[] = {
      "a-z",
      "a-m n-z",
      "a-i j-q r-z",
      "a-g h-m n-s t-z",  // halves to even: not n-t u-z
      "a-e f-j k-p q-u v-z",
      "a-d e-i j-m n-q r-v w-z",
      "a-d efg h-k l-o p-s tuv w-z",
      "abc d-g hij klm nop qrs t-w xyz",
      "abc def ghi jkl mn opq rst uvw xyz",
      "abc de fgh ij klm nop qr stu vw xyz",
      "ab cde fg hi jkl mn opq rs tu vwx yz",
      "ab cd efg hi jk lm no pq rst uv wx yz",  // single-precision step: not rs tuv
      "ab cd ef gh ij kl mn op qr st uv wx yz",
      "ab cd ef g hi jk lm no pq rs t uv wx yz",
      "ab c de fg hi j kl mn op q rs tu vw x yz",
      "ab c de fg h ij k lm no p qr s tu vw x yz",
      "ab c de f gh i jk l mn o pq r st u vw x yz",
      "a bc d ef g hi j kl m n op q rs t uv w xy z",
      "a bc d e fg h ij k l mn o p qr s tu v w xy z",
      "a bc d e f gh i j kl m n op q r s tu v w xy z",
      "a b cd e f g hi j k l mn o p q rs t u v wx y z",
      "a b cd e f g h i jk l m n o pq r s t u v wx y z",
      "a b c de f g h i j k l mn o p q r s t u vw x y z",
      "a b c d e fg h i j k l m n o p q r st u v w x y z",
      "a b c d e f g h i j k l mn o p q r s t u v w x y z",
      "a b c d e f g h i j k l m n o p q r s t u v w x y z",
  };
  for (int Count = 1; Count <= 26; ++Count) EXPECT_EQ(CaptionsOf(Count), Expected[Count - 1]) << Count << " buttons";
}

TEST(OstrelLetterGroups, GroupsTileTheAlphabetAndStayInsideItForAnyArguments) {
  struct TRow {
    int Index, Count;
    char First, Last;
  };
  const TRow Rows[] = {
      {0, 0, 'a', 'z'},     // no buttons asked: one
      {0, -5, 'a', 'z'},
      {30, 40, 'z', 'z'},   // more than 26 buttons: 26, the index held to the last
      {-1, 26, 'a', 'a'},
      {3, 4, 't', 'z'},
  };
  for (const TRow& Row : Rows) {
    const TLetterGroup G = LetterGroup(Row.Index, Row.Count);
    EXPECT_EQ(std::string() + G.First + G.Last, std::string() + Row.First + Row.Last) << Row.Index << " of " << Row.Count;
  }
  for (int Count = 1; Count <= 26; ++Count) {
    char Next = 'a';
    for (int I = 0; I < Count; ++I) {
      const TLetterGroup G = LetterGroup(I, Count);
      EXPECT_EQ(G.First, Next) << I << " of " << Count;
      EXPECT_LE(G.First, G.Last) << I << " of " << Count;
      Next = static_cast<char>(G.Last + 1);
    }
    EXPECT_EQ(Next, 'z' + 1) << Count;
  }
}

}  // namespace
