// Class infos, the class registry, integer identifiers and property helpers.
#include "TypInfo.h"

#include <map>

namespace vcl {

// ---------------------------------------------------------------- TClassInfo

bool TClassInfo::InheritsFrom(const TClassInfo* Ancestor) const {
  for (const TClassInfo* Info = this; Info != nullptr; Info = Info->FParent)
    if (Info == Ancestor) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProperty(const AnsiString& Name) const {
  for (const TPropInfo* Prop : FProperties)
    if (SameText(Prop->Name, Name)) return Prop;
  return nullptr;
}

const TPropInfo* TClassInfo::FindAnyProperty(const AnsiString& Name) const {
  for (const TClassInfo* Info = this; Info != nullptr; Info = Info->FParent)
    for (const auto& Prop : Info->FOwnProperties)
      if (SameText(Prop->Name, Name)) return Prop.get();
  return nullptr;
}

const TMethodEntry* TClassInfo::FindMethod(const AnsiString& Name) const {
  for (const TClassInfo* Info = this; Info != nullptr; Info = Info->FParent)
    for (const TMethodEntry& Method : Info->FMethods)
      if (SameText(Method.Name, Name)) return &Method;
  return nullptr;
}

const TFieldEntry* TClassInfo::FindField(const AnsiString& Name) const {
  for (const TClassInfo* Info = this; Info != nullptr; Info = Info->FParent)
    for (const TFieldEntry& Field : Info->FFields)
      if (SameText(Field.Name, Name)) return &Field;
  return nullptr;
}

const TClassInfo* TClassInfo::FindFieldClass(const AnsiString& ClassName) const {
  for (const TClassInfo* Info = this; Info != nullptr; Info = Info->FParent)
    for (const TFieldEntry& Field : Info->FFields)
      if (Field.FieldClass != nullptr && SameText(Field.FieldClass->ClassName(), ClassName)) return Field.FieldClass;
  return nullptr;
}

TComponent* TClassInfo::CreateComponent(TComponent* Owner) const {
  if (!FCreate) throw EComponentError(Format("Cannot create an instance of %s", {FClassName}));
  return FCreate(Owner);
}

// ---------------------------------------------------------------- builder

TClassInfoBuilderBase::TClassInfoBuilderBase(const char* ClassName, const TClassInfo* Parent,
                                             const std::type_info& TypeId) {
  FInfo.FClassName = ClassName;
  FInfo.FParent = Parent;
  FInfo.FTypeId = &TypeId;
}

TPropInfo& TClassInfoBuilderBase::NewProperty(const char* Name, TTypeKind Kind, const char* TypeName) {
  auto Prop = std::make_unique<TPropInfo>();
  Prop->Name = Name;
  Prop->Kind = Kind;
  Prop->TypeName = TypeName;
  FInfo.FOwnProperties.push_back(std::move(Prop));
  return *FInfo.FOwnProperties.back();
}

TPropInfo& TClassInfoBuilderBase::Last() {
  if (FInfo.FOwnProperties.empty()) throw EPropertyError(FInfo.FClassName + ": no property to modify");
  return *FInfo.FOwnProperties.back();
}

TClassInfoBuilderBase& TClassInfoBuilderBase::Protected() {
  Last().Published = false;
  return *this;
}

TClassInfoBuilderBase& TClassInfoBuilderBase::Publish(std::initializer_list<const char*> Names) {
  return Publish(std::span<const char* const>(Names.begin(), Names.size()));
}

TClassInfoBuilderBase& TClassInfoBuilderBase::Publish(std::span<const char* const> Names) {
  for (const char* Name : Names) {
    const TPropInfo* Inherited = FInfo.FParent != nullptr ? FInfo.FParent->FindAnyProperty(Name) : nullptr;
    if (Inherited == nullptr)
      throw EPropertyError(Format("%s cannot publish %s: no ancestor has it", {FInfo.FClassName, AnsiString(Name)}));
    auto Prop = std::make_unique<TPropInfo>(*Inherited);
    Prop->Published = true;
    FInfo.FOwnProperties.push_back(std::move(Prop));
  }
  return *this;
}

// The streaming order: the parent's list, with redeclared properties replaced in place,
// then this class's new ones.
TClassInfo TClassInfoBuilderBase::Build() {
  std::vector<const TPropInfo*> List;
  if (FInfo.FParent != nullptr) List = FInfo.FParent->FProperties;
  for (const auto& Own : FInfo.FOwnProperties) {
    auto Same = std::find_if(List.begin(), List.end(), [&](const TPropInfo* P) { return SameText(P->Name, Own->Name); });
    if (!Own->Published) {
      if (Same != List.end()) List.erase(Same);
    } else if (Same != List.end()) {
      *Same = Own.get();
    } else {
      List.push_back(Own.get());
    }
  }
  FInfo.FProperties = std::move(List);
  return std::move(FInfo);
}

namespace detail {

void RaiseInvalidValue(const AnsiString& PropName) { throw EPropertyError("Invalid value for property " + PropName); }

void RaiseMethodMismatch(const AnsiString& PropName) {
  throw EPropertyError("The method does not match the signature of event " + PropName);
}

}  // namespace detail

// ---------------------------------------------------------------- registry

namespace {

struct TNameLess {
  bool operator()(const AnsiString& A, const AnsiString& B) const { return UpperCase(A) < UpperCase(B); }
};

std::map<AnsiString, const TClassInfo*, TNameLess>& Registry() {
  static std::map<AnsiString, const TClassInfo*, TNameLess> Classes;
  return Classes;
}

struct TIntegerConsts {
  TIdentToInt IdentToInt;
  TIntToIdent IntToIdent;
};

std::map<AnsiString, TIntegerConsts, TNameLess>& IntegerConsts() {
  static std::map<AnsiString, TIntegerConsts, TNameLess> Consts;
  return Consts;
}

}  // namespace

void RegisterClass(const TClassInfo& Info) {
  const TClassInfo*& Slot = Registry()[Info.ClassName()];
  if (Slot != nullptr && Slot != &Info)
    throw EFilerError(Format("A class named %s already exists", {Info.ClassName()}));
  Slot = &Info;
}

void RegisterClasses(std::initializer_list<const TClassInfo*> Infos) {
  for (const TClassInfo* Info : Infos) RegisterClass(*Info);
}

void UnRegisterClass(const TClassInfo& Info) {
  const auto It = Registry().find(Info.ClassName());
  if (It != Registry().end() && It->second == &Info) Registry().erase(It);
}

const TClassInfo* GetClass(const AnsiString& ClassName) {
  const auto It = Registry().find(ClassName);
  return It == Registry().end() ? nullptr : It->second;
}

const TClassInfo& FindClass(const AnsiString& ClassName) {
  const TClassInfo* Info = GetClass(ClassName);
  if (Info == nullptr) throw EClassNotFound(Format(Consts::SClassNotFound, {CutForMessage(ClassName)}));
  return *Info;
}

void RegisterIntegerConsts(const AnsiString& TypeName, TIdentToInt IdentToInt, TIntToIdent IntToIdent) {
  IntegerConsts()[TypeName] = TIntegerConsts{std::move(IdentToInt), std::move(IntToIdent)};
}

bool IdentToIntegerValue(const AnsiString& TypeName, const AnsiString& Ident, long long& Value) {
  const auto It = IntegerConsts().find(TypeName);
  return It != IntegerConsts().end() && It->second.IdentToInt && It->second.IdentToInt(Ident, Value);
}

bool IntegerValueToIdent(const AnsiString& TypeName, long long Value, AnsiString& Ident) {
  const auto It = IntegerConsts().find(TypeName);
  return It != IntegerConsts().end() && It->second.IntToIdent && It->second.IntToIdent(Value, Ident);
}

// ---------------------------------------------------------------- property helpers

const TPropInfo* GetPropInfo(const TObject* Instance, const AnsiString& PropName) {
  const TClassInfo* Info = Instance != nullptr ? Instance->ClassInfo() : nullptr;
  return Info != nullptr ? Info->FindProperty(PropName) : nullptr;
}

AnsiString GetEnumName(const TPropInfo& Prop, long long Value) {
  if (!Prop.Names || Value < 0 || Value >= static_cast<long long>(Prop.Names->size())) return {};
  return (*Prop.Names)[static_cast<size_t>(Value)];
}

long long GetEnumValue(const TPropInfo& Prop, const AnsiString& Name) {
  if (!Prop.Names) return -1;
  for (size_t I = 0; I < Prop.Names->size(); ++I)
    if (SameText((*Prop.Names)[I], Name)) return static_cast<long long>(I);
  return -1;
}

AnsiString SetToString(const TPropInfo& Prop, long long Bits) {
  AnsiString Result = "[";
  if (Prop.Names)
    for (size_t I = 0; I < Prop.Names->size() && I < 63; ++I)
      if (Bits & (1LL << I)) {
        if (Result.size() > 1) Result += ", ";
        Result += (*Prop.Names)[I];
      }
  return Result + "]";
}

void SetMethodProp(TObject* Instance, const TPropInfo& Prop, TObject* Root, const AnsiString& MethodName) {
  if (Prop.Kind != TTypeKind::tkMethod) throw EPropertyError(Prop.Name + " is not an event");
  if (MethodName.empty()) return Prop.SetMethod(Instance, std::any());
  const TClassInfo* Info = Root != nullptr ? Root->ClassInfo() : nullptr;
  const TMethodEntry* Method = Info != nullptr ? Info->FindMethod(MethodName) : nullptr;
  if (Method == nullptr)
    throw EPropertyError(Format("Method %s not found in %s", {CutForMessage(MethodName), Root != nullptr ? Root->ClassName() : "nil"}));
  if (*Method->Type != *Prop.MethodType)
    throw EPropertyError(Format("Method %s does not match the signature of event %s", {CutForMessage(MethodName), Prop.Name}));
  Prop.SetMethod(Instance, Method->Bind(Root));
}

}  // namespace vcl
