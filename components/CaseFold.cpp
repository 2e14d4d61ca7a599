#include "CaseFold.h"

namespace ostrel {

namespace {

// Length of the sequence that Lead starts, or 0 for a byte that starts none.
int SequenceLength(unsigned char Lead) {
  if (Lead < 0x80) return 1;
  if ((Lead & 0xE0) == 0xC0) return Lead >= 0xC2 ? 2 : 0;
  if ((Lead & 0xF0) == 0xE0) return 3;
  if ((Lead & 0xF8) == 0xF0) return Lead <= 0xF4 ? 4 : 0;
  return 0;
}

bool InRange(char32_t C, char32_t First, char32_t Last) { return C >= First && C <= Last; }

// Pairs where the capital is the even (or, with Odd, the odd) code point of the pair.
char32_t PairedSmall(char32_t C, bool Odd) { return (C % 2 == 1) == Odd ? C + 1 : C; }

char32_t Fold(char32_t C) {
  if (InRange(C, 'A', 'Z')) return C + 0x20;
  if (C < 0xC0) return C;
  // Latin-1 and Latin Extended-A.
  if (InRange(C, 0xC0, 0xDE) && C != 0xD7) return C + 0x20;
  if (C == 0x130) return 'i';  // capital I with dot above, Turkish
  if (C == 0x178) return 0xFF;
  if (C == 0x17F) return 's';
  if (InRange(C, 0x100, 0x12F) || InRange(C, 0x132, 0x137) || InRange(C, 0x14A, 0x177)) return PairedSmall(C, false);
  if (InRange(C, 0x139, 0x148) || InRange(C, 0x179, 0x17E)) return PairedSmall(C, true);
  // Greek: capitals, capitals with tonos, and the final sigma.
  if (InRange(C, 0x391, 0x3A9) && C != 0x3A2) return C + 0x20;
  if (C == 0x386) return 0x3AC;
  if (InRange(C, 0x388, 0x38A)) return C + 0x25;
  if (C == 0x38C) return 0x3CC;
  if (InRange(C, 0x38E, 0x38F)) return C + 0x3F;
  if (C == 0x3C2) return 0x3C3;
  // Cyrillic.
  if (InRange(C, 0x410, 0x42F)) return C + 0x20;
  if (InRange(C, 0x400, 0x40F)) return C + 0x50;
  if (InRange(C, 0x460, 0x481) || InRange(C, 0x48A, 0x4BF) || InRange(C, 0x4D0, 0x4FF)) return PairedSmall(C, false);
  if (C == 0x4C0) return 0x4CF;
  if (InRange(C, 0x4C1, 0x4CE)) return PairedSmall(C, true);
  return C;
}

}  // namespace

std::u32string FoldCase(std::string_view Text) {
  std::u32string Folded;
  Folded.reserve(Text.size());
  std::size_t I = 0;
  while (I < Text.size()) {
    const auto Lead = static_cast<unsigned char>(Text[I]);
    const int Length = SequenceLength(Lead);
    char32_t Code = Length == 1 ? Lead : Length == 2 ? (Lead & 0x1F) : Length == 3 ? (Lead & 0x0F) : (Lead & 0x07);
    bool Valid = Length > 0 && I + static_cast<std::size_t>(Length) <= Text.size();
    for (int K = 1; Valid && K < Length; ++K) {
      const auto Next = static_cast<unsigned char>(Text[I + static_cast<std::size_t>(K)]);
      Valid = (Next & 0xC0) == 0x80;
      Code = (Code << 6) | (Next & 0x3F);
    }
    if (!Valid) {
      Folded += static_cast<char32_t>(0xDC00 + Lead);
      ++I;
      continue;
    }
    Folded += Fold(Code);
    I += static_cast<std::size_t>(Length);
  }
  return Folded;
}

bool EndsOnCharacter(std::string_view Text) {
  // Look back over at most three continuation bytes for the lead byte.
  for (std::size_t Back = 1; Back <= 4 && Back <= Text.size(); ++Back) {
    const auto Byte = static_cast<unsigned char>(Text[Text.size() - Back]);
    if ((Byte & 0xC0) == 0x80) continue;
    const int Length = SequenceLength(Byte);
    return Length == 0 || static_cast<std::size_t>(Length) <= Back;
  }
  return true;
}

}  // namespace ostrel
