#pragma once
// What the object inspector lists for one component: a row per published property (the
// properties of an owned object such as Font below it as "Font.Name"), then a row per
// event, each with the registered property editor that gives its value and takes a new one.

#include <memory>
#include <vector>

#include "DesignIntf.h"

namespace designer {

class TInspectorRows {
public:
  // Rows for Component (none for null), with editors that report to Designer.
  void Inspect(vcl::TPersistent* Component, const vcl::IFormDesignerRef& Designer);
  void Clear() { FRows.clear(); }

  int Count() const { return static_cast<int>(FRows.size()); }
  // "Caption", "Font.Name", "OnClick".
  const vcl::AnsiString& Name(int Index) const { return Row(Index).Name; }
  // The row of that name (case ignored), or -1.
  int IndexOf(const vcl::AnsiString& Name) const;
  bool IsEvent(int Index) const { return Row(Index).Event; }
  // The value as the row's editor gives it ("(TOstrelItems)", "clBtnFace", "[akLeft, akTop]").
  vcl::AnsiString Value(int Index) const { return Row(Index).Editor->GetValue(); }
  // Whether a "..." button beside the value runs Edit (paDialog).
  bool HasDialog(int Index) const { return Attributes(Index).Contains(vcl::paDialog); }
  // Whether the value text cannot be typed (the value of an owned object, for example).
  bool IsReadOnly(int Index) const { return Attributes(Index).Contains(vcl::paReadOnly); }
  // The values to choose from (enumerations, booleans, colours, components); may be empty.
  std::vector<vcl::AnsiString> Values(int Index) const;

  // Gives the row's editor Text; EPropertyError (or the component's own error) when the
  // property does not take it, and then nothing changed. The editor reports the change.
  void SetValue(int Index, const vcl::AnsiString& Text);
  // The row's dialog (paDialog): the Items row of a card view opens the items editor.
  void Edit(int Index);
  // The value after the row's current one in Values (the first after the last); how a
  // double click steps through a boolean or an enumeration. Nothing without values.
  void CycleValue(int Index);

private:
  struct TRow {
    vcl::AnsiString Name;
    bool Event = false;
    std::unique_ptr<vcl::TPropertyEditor> Editor;
  };
  const TRow& Row(int Index) const;
  vcl::TPropertyAttributes Attributes(int Index) const { return Row(Index).Editor->GetAttributes(); }
  void AddRows(std::unique_ptr<vcl::TPropertyEditor> Editor, const vcl::AnsiString& Prefix,
               std::vector<TRow>& Properties, std::vector<TRow>& Events);

  std::vector<TRow> FRows;
};

}  // namespace designer
