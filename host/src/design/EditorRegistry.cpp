// Property and component editor registrations, and the lookups the designer makes.

#include <optional>
#include <tuple>

#include "DesignIntf.h"

namespace vcl {

namespace {

struct TPropertyEditorEntry {
  TTypeInfo Type;
  const TClassInfo* ComponentClass;
  AnsiString PropertyName;
  TPropertyEditorClass EditorClass;
};

struct TComponentEditorEntry {
  const TClassInfo* ComponentClass;
  TComponentEditorClass EditorClass;
};

std::vector<TPropertyEditorEntry>& PropertyEditors() {
  static std::vector<TPropertyEditorEntry> Entries;
  return Entries;
}

std::vector<TComponentEditorEntry>& ComponentEditors() {
  static std::vector<TComponentEditorEntry> Entries;
  return Entries;
}

// How many steps up from Class lies Ancestor; none when it is not an ancestor.
std::optional<int> Distance(const TClassInfo* Class, const TClassInfo* Ancestor) {
  int Steps = 0;
  for (const TClassInfo* Info = Class; Info != nullptr; Info = Info->Parent(), ++Steps)
    if (Info == Ancestor) return Steps;
  return std::nullopt;
}

// How far the registered type lies from the property's type; none when it does not fit.
std::optional<int> TypeDistance(const TTypeInfo& Type, const TPropInfo& Prop) {
  if (Type.ClassType != nullptr) return Prop.ClassOf ? Distance(&Prop.ClassOf(), Type.ClassType) : std::nullopt;
  return SameText(Type.Name, Prop.TypeName) ? std::optional<int>(0) : std::nullopt;
}

TPropertyEditorClass GenericEditorClass(const TPropInfo& Prop) {
  switch (Prop.Kind) {
    case TTypeKind::tkInteger:
      return SameText(Prop.TypeName, "TColor") ? NewPropertyEditor<TColorProperty> : NewPropertyEditor<TIntegerProperty>;
    case TTypeKind::tkEnumeration: return NewPropertyEditor<TEnumProperty>;
    case TTypeKind::tkSet: return NewPropertyEditor<TSetProperty>;
    case TTypeKind::tkString: return NewPropertyEditor<TStringProperty>;
    case TTypeKind::tkClass: return NewPropertyEditor<TClassProperty>;
    case TTypeKind::tkComponent: return NewPropertyEditor<TComponentProperty>;
    case TTypeKind::tkMethod: return NewPropertyEditor<TMethodProperty>;
    case TTypeKind::tkFloat: break;
  }
  // Floats have no editor of their own yet: shown, not edited.
  return NewPropertyEditor<TPropertyEditor>;
}

}  // namespace

void RegisterPropertyEditor(const TTypeInfo& PropertyType, const TClassInfo* ComponentClass,
                            const AnsiString& PropertyName, TPropertyEditorClass EditorClass) {
  if (EditorClass == nullptr || (PropertyType.ClassType == nullptr && PropertyType.Name.empty()))
    throw EComponentError(Consts::SRegisterError);
  PropertyEditors().push_back(TPropertyEditorEntry{PropertyType, ComponentClass, PropertyName, EditorClass});
}

TPropertyEditorClass GetEditorClass(const TPropInfo& Prop, const TClassInfo* ComponentClass) {
  // Compared as (name given, component class nearness, type nearness, registration order).
  using TRank = std::tuple<bool, int, int, size_t>;
  std::optional<TRank> Best;
  TPropertyEditorClass Result = nullptr;
  const auto& Entries = PropertyEditors();
  for (size_t I = 0; I < Entries.size(); ++I) {
    const TPropertyEditorEntry& E = Entries[I];
    const std::optional<int> Type = TypeDistance(E.Type, Prop);
    if (!Type) continue;
    if (!E.PropertyName.empty() && !SameText(E.PropertyName, Prop.Name)) continue;
    int ClassNearness = -1;  // no component class: below any class
    if (E.ComponentClass != nullptr) {
      const std::optional<int> Steps = Distance(ComponentClass, E.ComponentClass);
      if (!Steps) continue;
      ClassNearness = 1000000 - *Steps;
    }
    const TRank Rank{!E.PropertyName.empty(), ClassNearness, -*Type, I};
    if (!Best || Rank > *Best) {
      Best = Rank;
      Result = E.EditorClass;
    }
  }
  return Result != nullptr ? Result : GenericEditorClass(Prop);
}

std::vector<std::unique_ptr<TPropertyEditor>> GetComponentProperties(const std::vector<TPersistent*>& Components,
                                                                     const IFormDesignerRef& Designer) {
  std::vector<std::unique_ptr<TPropertyEditor>> Result;
  if (Components.empty() || Components[0] == nullptr) return Result;
  const TClassInfo* FirstClass = Components[0]->ClassInfo();
  if (FirstClass == nullptr) return Result;
  for (const TPropInfo* Prop : FirstClass->Properties()) {
    std::vector<const TPropInfo*> Props;
    for (TPersistent* Component : Components) {
      const TClassInfo* Info = Component != nullptr ? Component->ClassInfo() : nullptr;
      const TPropInfo* Same = Info != nullptr ? Info->FindProperty(Prop->Name) : nullptr;
      if (Same == nullptr || Same->Kind != Prop->Kind) break;
      Props.push_back(Same);
    }
    if (Props.size() != Components.size()) continue;
    auto Editor = GetEditorClass(*Prop, FirstClass)(Designer, static_cast<int>(Components.size()));
    // Several components: only what the editor allows for a selection.
    if (Components.size() > 1 && !Editor->GetAttributes().Contains(paMultiSelect)) continue;
    for (size_t I = 0; I < Components.size(); ++I) Editor->SetPropEntry(static_cast<int>(I), Components[I], Props[I]);
    Editor->Initialize();
    Result.push_back(std::move(Editor));
  }
  return Result;
}

void RegisterComponentEditor(const TClassInfo* ComponentClass, TComponentEditorClass EditorClass) {
  if (ComponentClass == nullptr || EditorClass == nullptr) throw EComponentError(Consts::SRegisterError);
  ComponentEditors().push_back(TComponentEditorEntry{ComponentClass, EditorClass});
}

std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component, const IFormDesignerRef& Designer) {
  TComponentEditorClass Best = nullptr;
  int BestSteps = 0;
  const TClassInfo* Class = Component != nullptr ? Component->ClassInfo() : nullptr;
  for (const TComponentEditorEntry& E : ComponentEditors()) {
    const std::optional<int> Steps = Distance(Class, E.ComponentClass);
    if (Steps && (Best == nullptr || *Steps <= BestSteps)) {
      Best = E.EditorClass;
      BestSteps = *Steps;
    }
  }
  if (Best == nullptr) return std::make_unique<TComponentEditor>(Component, Designer);
  return Best(Component, Designer);
}

void UnregisterDesignEditors() {
  PropertyEditors().clear();
  ComponentEditors().clear();
}

}  // namespace vcl
