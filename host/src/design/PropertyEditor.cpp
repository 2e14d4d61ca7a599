// The property editor base: its selected components, their values and the designer.

#include <cstdint>

#include "DesignIntf.h"

namespace vcl {

TTypeInfo ClassTypeInfo(const TClassInfo& Info, const std::type_info& Type) {
  // A class without its own class info would stand for its ancestor and match far too much.
  if (Info.TypeId() != Type)
    throw EPropertyError("The class has no class info of its own and cannot name a property type");
  return TTypeInfo{&Info, Info.ClassName()};
}

TPropertyEditor::TPropertyEditor(IFormDesignerRef ADesigner, int APropCount)
    : FDesigner(std::move(ADesigner)), FEntries(static_cast<size_t>(APropCount > 0 ? APropCount : 0)) {}

bool TPropertyEditor::AllEqual() {
  if (PropCount() <= 1) return true;
  // GetValue reads the first component; compare each one by making it the first in turn.
  const TEntry First = FEntries[0];
  struct TRestore {
    TEntry& Slot;
    TEntry Saved;
    ~TRestore() { Slot = Saved; }
  } Restore{FEntries[0], First};
  const AnsiString FirstValue = GetValue();
  for (size_t I = 1; I < FEntries.size(); ++I) {
    FEntries[0] = FEntries[I];
    if (GetValue() != FirstValue) return false;
  }
  return true;
}

AnsiString TPropertyEditor::GetName() {
  const TPropInfo* Prop = GetPropInfo();
  return Prop != nullptr ? Prop->Name : AnsiString();
}

void TPropertyEditor::Modified() {
  if (FDesigner) FDesigner->Modified();
}

void TPropertyEditor::SetPropEntry(int Index, TPersistent* Instance, const TPropInfo* PropInfo) {
  if (Index < 0 || Index >= PropCount()) throw EListError(Format(Consts::SListIndexError, {static_cast<long long>(Index)}));
  FEntries[static_cast<size_t>(Index)] = TEntry{Instance, PropInfo};
}

const TPropertyEditor::TEntry& TPropertyEditor::Entry(int Index) const {
  if (Index < 0 || Index >= PropCount() || FEntries[static_cast<size_t>(Index)].Prop == nullptr)
    throw EListError(Format(Consts::SListIndexError, {static_cast<long long>(Index)}));
  return FEntries[static_cast<size_t>(Index)];
}

TPersistent* TPropertyEditor::GetComponent(int Index) const { return Entry(Index).Instance; }

void TPropertyEditor::WriteAll(const std::function<void(const TEntry&)>& Write) {
  for (int I = 0; I < PropCount(); ++I) Write(Entry(I));
  Modified();
}

namespace {
[[noreturn]] void WrongKind(const TPropInfo& Prop) { throw EPropertyError(Prop.Name + ": not a value of this kind"); }
}  // namespace

long long TPropertyEditor::GetOrdValue() const {
  const TEntry& E = Entry(0);
  if (E.Prop->GetOrd) return E.Prop->GetOrd(E.Instance);
  if (E.Prop->GetObject) return static_cast<long long>(reinterpret_cast<std::intptr_t>(E.Prop->GetObject(E.Instance)));
  WrongKind(*E.Prop);
}

void TPropertyEditor::SetOrdValue(long long Value) {
  WriteAll([Value](const TEntry& E) {
    if (!E.Prop->SetOrd) WrongKind(*E.Prop);
    E.Prop->SetOrd(E.Instance, Value);
  });
}

AnsiString TPropertyEditor::GetStrValue() const {
  const TEntry& E = Entry(0);
  if (!E.Prop->GetStr) WrongKind(*E.Prop);
  return E.Prop->GetStr(E.Instance);
}

void TPropertyEditor::SetStrValue(const AnsiString& Value) {
  WriteAll([&Value](const TEntry& E) {
    if (!E.Prop->SetStr) WrongKind(*E.Prop);
    E.Prop->SetStr(E.Instance, Value);
  });
}

TPersistent* TPropertyEditor::GetObjectValue() const {
  const TEntry& E = Entry(0);
  if (!E.Prop->GetObject) WrongKind(*E.Prop);
  return E.Prop->GetObject(E.Instance);
}

TComponent* TPropertyEditor::GetComponentValue() const {
  const TEntry& E = Entry(0);
  if (!E.Prop->GetComponent) WrongKind(*E.Prop);
  return E.Prop->GetComponent(E.Instance);
}

void TPropertyEditor::SetComponentValue(TComponent* Value) {
  WriteAll([Value](const TEntry& E) {
    if (!E.Prop->SetComponent) WrongKind(*E.Prop);
    E.Prop->SetComponent(E.Instance, Value);
  });
}

TMethod TPropertyEditor::GetMethodValue() const {
  const TEntry& E = Entry(0);
  if (!E.Prop->GetMethod) WrongKind(*E.Prop);
  return E.Prop->GetMethod(E.Instance);
}

// ---------------------------------------------------------------- TComponentEditor

TComponentEditor::TComponentEditor(TComponent* AComponent, IFormDesignerRef ADesigner)
    : FComponent(AComponent), FDesigner(std::move(ADesigner)) {}

void TComponentEditor::Edit() {
  if (GetVerbCount() > 0) ExecuteVerb(0);
}

}  // namespace vcl
