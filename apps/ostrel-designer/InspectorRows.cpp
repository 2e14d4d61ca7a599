#include "InspectorRows.h"

#include <algorithm>

using namespace vcl;

namespace designer {

namespace {
// Owned objects inside owned objects stop here; no published class nests deeper.
constexpr int MaxDepth = 3;
}  // namespace

void TInspectorRows::Inspect(TPersistent* Component, const IFormDesignerRef& Designer) {
  FRows.clear();
  if (!Component) return;
  std::vector<TRow> Properties, Events;
  for (auto& Editor : GetComponentProperties({Component}, Designer)) AddRows(std::move(Editor), "", Properties, Events);
  FRows = std::move(Properties);
  for (TRow& Row : Events) FRows.push_back(std::move(Row));
}

void TInspectorRows::AddRows(std::unique_ptr<TPropertyEditor> Editor, const AnsiString& Prefix,
                             std::vector<TRow>& Properties, std::vector<TRow>& Events) {
  const TPropInfo* Prop = Editor->GetPropInfo();
  const bool Event = Prop && Prop->Kind == TTypeKind::tkMethod;
  const AnsiString Name = Prefix + Editor->GetName();
  const bool Expand = Editor->GetAttributes().Contains(paSubProperties) &&
                      std::count(Prefix.begin(), Prefix.end(), '.') < MaxDepth;
  std::vector<std::unique_ptr<TPropertyEditor>> Subs;
  if (Expand) Editor->GetProperties([&](std::unique_ptr<TPropertyEditor> Sub) { Subs.push_back(std::move(Sub)); });
  (Event ? Events : Properties).push_back(TRow{Name, Event, std::move(Editor)});
  for (auto& Sub : Subs) AddRows(std::move(Sub), Name + ".", Properties, Events);
}

const TInspectorRows::TRow& TInspectorRows::Row(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(Consts::SListIndexError, {static_cast<long long>(Index)}));
  return FRows[static_cast<std::size_t>(Index)];
}

int TInspectorRows::IndexOf(const AnsiString& Name) const {
  for (int I = 0; I < Count(); ++I)
    if (SameText(FRows[static_cast<std::size_t>(I)].Name, Name)) return I;
  return -1;
}

std::vector<AnsiString> TInspectorRows::Values(int Index) const {
  std::vector<AnsiString> Result;
  if (!Attributes(Index).Contains(paValueList)) return Result;
  Row(Index).Editor->GetValues([&](const AnsiString& Value) { Result.push_back(Value); });
  return Result;
}

void TInspectorRows::SetValue(int Index, const AnsiString& Text) { Row(Index).Editor->SetValue(Text); }

void TInspectorRows::Edit(int Index) { Row(Index).Editor->Edit(); }

void TInspectorRows::CycleValue(int Index) {
  const std::vector<AnsiString> Choices = Values(Index);
  if (Choices.empty()) return;
  const AnsiString Current = Value(Index);
  auto It = std::find_if(Choices.begin(), Choices.end(), [&](const AnsiString& V) { return SameText(V, Current); });
  SetValue(Index, It == Choices.end() || std::next(It) == Choices.end() ? Choices.front() : *std::next(It));
}

}  // namespace designer
