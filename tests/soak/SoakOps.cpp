// Drawing, naming and reading back soak operations.

#include "SoakOps.h"

#include <sstream>

namespace soak {

namespace {

struct TKindInfo {
  const char* Name;
  int Weight;  // relative frequency
};

constexpr TKindInfo Kinds[] = {
    {"Add", 12},          {"Insert", 5},         {"Delete", 6},         {"Clear", 1},
    {"Sort", 2},          {"CustomSort", 2},     {"AssignCopy", 1},     {"AssignSelf", 1},
    {"Save", 1},          {"Load", 1},           {"BeginBatch", 2},     {"EndBatch", 3},
    {"Property", 8},      {"BorderStyle", 1},    {"Ctl3D", 1},          {"RightToLeft", 1},
    {"SelectByCode", 4},  {"FocusByCode", 3},    {"Unselect", 1},       {"SelectByLetter", 2},
    {"ChangeText", 3},    {"ChangeLines", 3},    {"Key", 8},            {"Type", 3},
    {"Press", 4},         {"Release", 3},        {"Click", 6},          {"DoubleClick", 2},
    {"Move", 5},          {"DragDivider", 2},    {"Wheel", 3},          {"EditByCode", 4},
    {"EndEditByCode", 2}, {"ClickToEdit", 4},    {"HoverForHint", 3},   {"Leave", 1},
    {"Resize", 2},        {"FireTimer", 3},      {"PostHideEditor", 2}, {"ProcessMessages", 3},
    {"ScrollMessage", 2}, {"FocusView", 2},      {"FocusElsewhere", 1}, {"BarClick", 3},
    {"BarProperty", 1},   {"BarLink", 1},
};
static_assert(std::size(Kinds) == static_cast<std::size_t>(TOpKind::Count), "a name and weight per kind");

}  // namespace

TOps Generate(std::uint64_t Seed, int Count) {
  std::mt19937_64 Rng(Seed);
  std::vector<int> Weights;
  for (const TKindInfo& K : Kinds) Weights.push_back(K.Weight);
  std::discrete_distribution<int> PickKind(Weights.begin(), Weights.end());
  TOps Ops;
  Ops.reserve(static_cast<std::size_t>(Count));
  for (int I = 0; I < Count; ++I) {
    TOp Op;
    Op.Kind = static_cast<TOpKind>(PickKind(Rng));
    Op.A = static_cast<std::uint32_t>(Rng());
    Op.B = static_cast<std::uint32_t>(Rng());
    Op.C = static_cast<std::uint32_t>(Rng());
    Op.Mischief = static_cast<std::uint32_t>(Rng());
    Ops.push_back(Op);
  }
  return Ops;
}

const char* KindName(TOpKind Kind) { return Kinds[static_cast<int>(Kind)].Name; }

std::string Format(const TOp& Op) {
  std::ostringstream S;
  S << KindName(Op.Kind) << ' ' << Op.A << ' ' << Op.B << ' ' << Op.C << ' ' << Op.Mischief;
  return S.str();
}

bool Parse(const std::string& Line, TOp& Op) {
  std::istringstream S(Line);
  std::string Name;
  if (!(S >> Name)) return false;
  for (int K = 0; K < static_cast<int>(TOpKind::Count); ++K) {
    if (Name != Kinds[K].Name) continue;
    Op.Kind = static_cast<TOpKind>(K);
    return static_cast<bool>(S >> Op.A >> Op.B >> Op.C >> Op.Mischief);
  }
  return false;
}

}  // namespace soak
