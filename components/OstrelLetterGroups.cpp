// Letter groups of the index bar.
//
// Group j of L starts at letter j * 26 / L and the next one where group j + 1 starts, each
// rounded to the nearest letter. Two details decide the borders that fall on or next to a
// half letter, and so the captions people see: the step 26 / L is held in single precision,
// and an exact half goes to the even neighbour. With an exact step twelve buttons would read
// "rs tuv" instead of "rst uv"; with halves rounded upwards four buttons would end "n-t u-z"
// instead of "n-s t-z".

#include "OstrelLetterGroups.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

namespace {

constexpr int LetterCount = 26;

// Round half to even, whatever rounding mode the floating-point environment is in.
int RoundHalfEven(double Value) {
  const double Floor = std::floor(Value);
  const double Fraction = Value - Floor;
  const bool Up = Fraction > 0.5 || (Fraction == 0.5 && std::fmod(Floor, 2.0) != 0.0);
  return static_cast<int>(Up ? Floor + 1.0 : Floor);
}

// The character code at which group Index of a bar with that step starts. A float times a
// small integer plus 97 is exact in double, so only RoundHalfEven rounds.
int GroupStart(int Index, float Step) { return RoundHalfEven(static_cast<double>(Step) * Index + 'a'); }

}  // namespace

TLetterGroup LetterGroup(int Index, int Count) {
  Count = std::clamp(Count, 1, LetterCount);
  Index = std::clamp(Index, 0, Count - 1);
  const float Step = static_cast<float>(static_cast<double>(LetterCount) / Count);
  return TLetterGroup{static_cast<char>(GroupStart(Index, Step)), static_cast<char>(GroupStart(Index + 1, Step) - 1)};
}

vcl::AnsiString LetterGroupCaption(TLetterGroup Group) {
  const int Span = Group.Last - Group.First;
  if (Span >= 0 && Span <= 2) {
    vcl::AnsiString Caption;
    for (char Letter = Group.First; Letter <= Group.Last; ++Letter) Caption += Letter;
    return Caption;
  }
  return vcl::AnsiString{Group.First, '-', Group.Last};
}

}  // namespace ostrel
