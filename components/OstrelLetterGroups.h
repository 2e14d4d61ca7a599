#pragma once
// How the letter index bar spreads the letters a to z over its letter buttons: evenly, as
// far as whole letters allow, the last group always ending at z. Pure arithmetic, no window.

#include "System.h"

namespace ostrel {

// The letters of one button, as lower-case character codes First to Last.
struct TLetterGroup {
  char First;
  char Last;
};

// Group Index (0-based) of Count letter buttons. Count is clamped to 1..26 and Index to
// 0..Count - 1, so every answer lies within a to z.
TLetterGroup LetterGroup(int Index, int Count);

// A group's caption: its one, two or three letters written out ("a", "ab", "abc"), a longer
// run as first and last letter joined by "-" ("a-e").
vcl::AnsiString LetterGroupCaption(TLetterGroup Group);

}  // namespace ostrel
