#pragma once
// The form designer as design-time code sees it: the designer of the edited form, property
// editors (what the object inspector shows and edits for one property), component editors
// (a component's verbs and its double-click action), and their registration.
//
// A package's Register function calls, for example:
//
//   RegisterComponents("Velmora", {&TOstrel::StaticClassInfo()});
//   RegisterPropertyEditor(TypeInfo<TOstrelItems>(), nullptr, "", NewPropertyEditor<TItemsProperty>);
//   RegisterComponentEditor(&TOstrel::StaticClassInfo(), NewComponentEditor<TItemsEditor>);

#include <functional>
#include <memory>
#include <vector>

#include "Classes.h"
#include "TypInfo.h"
#include "Types.h"

namespace vcl {

class TMenuItem;

// ---------------------------------------------------------------- the designer

// The designer of the form being edited. Editors hold it through a counted reference
// (IFormDesignerRef), so that it stays alive while a dialog of theirs is open.
class IFormDesigner {
public:
  virtual ~IFormDesigner() = default;
  // Marks the designed form as changed, so that it is saved again.
  virtual void Modified() = 0;
  // The designed form (the root of the components being edited); null when there is none.
  // Component references and event handlers are looked up in it.
  virtual TComponent* GetRoot() { return nullptr; }
};

using IFormDesignerRef = std::shared_ptr<IFormDesigner>;

// ---------------------------------------------------------------- property editors

// What the object inspector offers for a property.
enum TPropertyAttribute {
  paValueList,      // GetValues lists the values to choose from
  paSubProperties,  // GetProperties gives editors of the value's own properties
  paDialog,         // a button beside the value calls Edit
  paMultiSelect,    // shown when several components are selected
  paAutoUpdate,     // SetValue on every keystroke
  paSortList,       // the value list is shown sorted
  paReadOnly,       // the value text cannot be typed
  paRevertable,     // the value can be reset to its inherited one
};
using TPropertyAttributes = TSet<TPropertyAttribute>;

// A property's type as a registration names it: a class, standing for it and every class
// derived from it, or a type by the name its properties carry ("Integer", "TColor",
// "Boolean", "String", "TCursor").
struct TTypeInfo {
  const TClassInfo* ClassType = nullptr;
  AnsiString Name;
};
// The type of a class with its own class info; EPropertyError for a class that has none.
TTypeInfo ClassTypeInfo(const TClassInfo& Info, const std::type_info& Type);
template <class T>
TTypeInfo TypeInfo() {
  return ClassTypeInfo(T::StaticClassInfo(), typeid(T));
}
inline TTypeInfo TypeInfo(const AnsiString& TypeName) { return TTypeInfo{nullptr, TypeName}; }

// Edits one property of the selected components (all of them when they agree, the first
// one otherwise). The designer creates one, fills its entries with SetPropEntry, calls
// Initialize, and frees it when the selection changes. The virtual operations below are in
// their classic order; the generic editors after this class override them by kind.
class TPropertyEditor : public TObject {
public:
  // ADesigner may be empty (no form is being designed: Modified tells nobody).
  TPropertyEditor(IFormDesignerRef ADesigner, int APropCount);

  virtual void Activate() {}
  // Whether every selected component has the same value (compared by GetValue).
  virtual bool AllEqual();
  virtual bool AutoFill() { return GetAttributes().Contains(paValueList); }
  // The action of the button beside the value (paDialog); nothing by default.
  virtual void Edit() {}
  virtual TPropertyAttributes GetAttributes() { return {paRevertable}; }
  // The longest text the inspector lets one type; 255 by default.
  virtual int GetEditLimit() { return 255; }
  virtual AnsiString GetName();
  // Editors of the value's own properties (paSubProperties); none by default.
  virtual void GetProperties(const std::function<void(std::unique_ptr<TPropertyEditor>)>& Proc) {}
  // The value as the inspector shows it; empty by default.
  virtual AnsiString GetValue() { return {}; }
  // The values of the drop-down list (paValueList); none by default.
  virtual void GetValues(const std::function<void(const AnsiString&)>& Proc) {}
  virtual void Initialize() {}
  // Sets the value from the inspector's text; nothing by default. The generic editors raise
  // EPropertyError "Invalid property value" for text that is not a value of the property.
  virtual void SetValue(const AnsiString& Value) {}

  // The designer the editor reports to (may be empty).
  const IFormDesignerRef& Designer() const { return FDesigner; }
  // Tells the designer that the designed form changed.
  void Modified();

  void SetPropEntry(int Index, TPersistent* Instance, const TPropInfo* PropInfo);  // 0..PropCount-1
  int PropCount() const { return static_cast<int>(FEntries.size()); }
  TPersistent* GetComponent(int Index) const;  // EListError outside 0..PropCount-1
  const TPropInfo* GetPropInfo() const { return FEntries.empty() ? nullptr : FEntries[0].Prop; }

  // The first component's value; an object property gives the object's address as an
  // integer, as the classic call does. The setters write every selected component and
  // report the change to the designer.
  long long GetOrdValue() const;
  void SetOrdValue(long long Value);
  AnsiString GetStrValue() const;
  void SetStrValue(const AnsiString& Value);
  TPersistent* GetObjectValue() const;
  TComponent* GetComponentValue() const;
  void SetComponentValue(TComponent* Value);
  TMethod GetMethodValue() const;

protected:
  struct TEntry {
    TPersistent* Instance = nullptr;
    const TPropInfo* Prop = nullptr;
  };
  const TEntry& Entry(int Index) const;
  // Runs Write on every selected component, then reports the change once.
  void WriteAll(const std::function<void(const TEntry&)>& Write);

private:
  IFormDesignerRef FDesigner;
  std::vector<TEntry> FEntries;
};

// A factory of one editor class, as the registrations take it.
using TPropertyEditorClass = std::unique_ptr<TPropertyEditor> (*)(const IFormDesignerRef& Designer, int PropCount);
template <class T>
std::unique_ptr<TPropertyEditor> NewPropertyEditor(const IFormDesignerRef& Designer, int PropCount) {
  return std::make_unique<T>(Designer, PropCount);
}

// Integers, written in decimal (or as an identifier when the type registered some, as
// TCursor does); text that is not a number or is out of the property's range is refused.
class TIntegerProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paRevertable}; }
  AnsiString GetValue() override;
  void SetValue(const AnsiString& Value) override;

protected:
  // The property's value as text, and text as a value (false when it is none).
  virtual AnsiString OrdToText(long long Value);
  virtual bool TextToOrd(const AnsiString& Text, long long& Value);
};

// Colours: a colour that has a name shows it ("clBtnFace"), any other one its hexadecimal
// "$00BBGGRR"; names, decimal and $hex are accepted. The value list holds the named colours.
class TColorProperty : public TIntegerProperty {
public:
  using TIntegerProperty::TIntegerProperty;
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paRevertable}; }
  void GetValues(const std::function<void(const AnsiString&)>& Proc) override;

protected:
  AnsiString OrdToText(long long Value) override;
  bool TextToOrd(const AnsiString& Text, long long& Value) override;
};

// Enumerations, booleans (the enumeration False, True) included: the value's name.
class TEnumProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paSortList, paRevertable}; }
  AnsiString GetValue() override;
  void GetValues(const std::function<void(const AnsiString&)>& Proc) override;
  void SetValue(const AnsiString& Value) override;
};

// Sets, written "[akLeft, akTop]"; the elements may come in any order, each at most once.
class TSetProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paRevertable}; }
  AnsiString GetValue() override;
  void SetValue(const AnsiString& Value) override;
};

class TStringProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paRevertable}; }
  int GetEditLimit() override { return 32767; }
  AnsiString GetValue() override { return GetStrValue(); }
  void SetValue(const AnsiString& Value) override { SetStrValue(Value); }
};

// Owned objects (fonts, size constraints, ...): the value is "(TFont)", and the object's own
// published properties are edited as sub-properties.
class TClassProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paSubProperties, paReadOnly}; }
  AnsiString GetValue() override;
  void GetProperties(const std::function<void(std::unique_ptr<TPropertyEditor>)>& Proc) override;
};

// References to another component of the designed form, by name; an empty text clears it.
class TComponentProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paSortList, paRevertable}; }
  AnsiString GetValue() override;
  // The names of the designed form's components of the property's class.
  void GetValues(const std::function<void(const AnsiString&)>& Proc) override;
  void SetValue(const AnsiString& Value) override;
};

// Events: the name of the designed form's handler; setting a name binds that published
// method of the form (it must exist and fit the event), an empty text clears the event.
class TMethodProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paSortList, paRevertable}; }
  AnsiString GetValue() override { return GetMethodValue().MethodName; }
  void SetValue(const AnsiString& Value) override;
};

// Registers EditorClass for the properties of type PropertyType (for a class type, also of
// the classes derived from it), on ComponentClass and its descendants (any component when
// null), under the name PropertyName (any name when empty; compared without case).
void RegisterPropertyEditor(const TTypeInfo& PropertyType, const TClassInfo* ComponentClass,
                            const AnsiString& PropertyName, TPropertyEditorClass EditorClass);
// The editor class for Prop on a component of class ComponentClass: of the registrations
// that fit, the most specific one (a property name beats none; then a nearer component
// class beats a farther one or none; then a nearer property type; then the later
// registration); without one, the generic editor of the property's kind.
TPropertyEditorClass GetEditorClass(const TPropInfo& Prop, const TClassInfo* ComponentClass);
// Editors of the published properties that every component of Components has (the first
// component's order), each filled and initialized.
std::vector<std::unique_ptr<TPropertyEditor>> GetComponentProperties(const std::vector<TPersistent*>& Components,
                                                                     const IFormDesignerRef& Designer);

// ---------------------------------------------------------------- component editors

// A component's design-time actions: the verbs of its context menu in the designer, and
// Edit, which a double click on it runs.
class TComponentEditor : public TObject {
public:
  TComponentEditor(TComponent* AComponent, IFormDesignerRef ADesigner);

  // Runs verb 0 when there is one.
  virtual void Edit();
  // Runs verb Index (0..GetVerbCount()-1); nothing by default.
  virtual void ExecuteVerb(int Index) {}
  // The menu text of verb Index; empty by default.
  virtual AnsiString GetVerb(int Index) { return {}; }
  virtual int GetVerbCount() { return 0; }
  // Adjusts the menu entry of verb Index before it is shown; nothing by default.
  virtual void PrepareItem(int Index, TMenuItem* AItem) {}
  // Called when the component is copied; nothing by default.
  virtual void Copy() {}

  TComponent* Component() const { return FComponent; }
  const IFormDesignerRef& GetDesigner() const { return FDesigner; }

private:
  TComponent* FComponent;
  IFormDesignerRef FDesigner;
};

using TComponentEditorClass = std::unique_ptr<TComponentEditor> (*)(TComponent* Component,
                                                                     const IFormDesignerRef& Designer);
template <class T>
std::unique_ptr<TComponentEditor> NewComponentEditor(TComponent* Component, const IFormDesignerRef& Designer) {
  return std::make_unique<T>(Component, Designer);
}

// Registers EditorClass for ComponentClass and its descendants.
void RegisterComponentEditor(const TClassInfo* ComponentClass, TComponentEditorClass EditorClass);
// The editor registered for the nearest class of Component (the later registration among
// equals), or the default editor, which has no verbs.
std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component, const IFormDesignerRef& Designer);

// Forgets every property and component editor registration, as when the environment
// unloads its packages.
void UnregisterDesignEditors();

}  // namespace vcl
