#pragma once
// The operations of the soak: what a program and a person can do to a card view and its
// letter bar. An operation carries its own random numbers (what it acts on, where, how) and
// the seed of the mischief its handlers get up to, so a sequence replays the same with any
// of its operations left out, which is what shrinking a failure needs.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace soak {

enum class TOpKind : int {
  Add, Insert, Delete, Clear, Sort, CustomSort, AssignCopy, AssignSelf, Save, Load,
  BeginBatch, EndBatch, Property, BorderStyle, Ctl3D, RightToLeft, SelectByCode, FocusByCode,
  Unselect, SelectByLetter, ChangeText, ChangeLines, Key, Type, Press, Release, Click,
  DoubleClick, Move, DragDivider, Wheel, EditByCode, EndEditByCode, ClickToEdit, HoverForHint,
  Leave, Resize, FireTimer, PostHideEditor, ProcessMessages, ScrollMessage, FocusView,
  FocusElsewhere, BarClick, BarProperty, BarLink,
  Count
};

struct TOp {
  TOpKind Kind = TOpKind::Add;
  std::uint32_t A = 0, B = 0, C = 0;  // the operation's own choices
  std::uint32_t Mischief = 0;         // seeds what the handlers do during this operation
};

using TOps = std::vector<TOp>;

// Count operations drawn from Seed; every kind comes up, the common ones more often.
TOps Generate(std::uint64_t Seed, int Count);

const char* KindName(TOpKind Kind);
// One line per operation, "Name A B C Mischief", which Parse reads back.
std::string Format(const TOp& Op);
// False on a line that names no operation.
bool Parse(const std::string& Line, TOp& Op);

}  // namespace soak
