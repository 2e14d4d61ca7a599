// The editors the inspector uses for a property of each kind when no other is registered.

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "DesignIntf.h"
#include "Graphics.h"

namespace vcl {

namespace {

[[noreturn]] void InvalidValue(const AnsiString& Text) {
  throw EPropertyError("Invalid property value: '" + CutForMessage(Text) + "'");
}

AnsiString Trim(const AnsiString& S) {
  size_t First = 0, Last = S.size();
  while (First < Last && std::isspace(static_cast<unsigned char>(S[First]))) ++First;
  while (Last > First && std::isspace(static_cast<unsigned char>(S[Last - 1]))) --Last;
  return S.substr(First, Last - First);
}

// A whole decimal number ("-12") or "$" and hexadecimal digits, as form text writes them.
bool ParseNumber(const AnsiString& Text, long long& Value) {
  const bool Hex = !Text.empty() && Text[0] == '$';
  const char* Digits = Text.c_str() + (Hex ? 1 : 0);
  if (*Digits == '\0' || std::isspace(static_cast<unsigned char>(*Digits)) || (Hex && (*Digits == '-' || *Digits == '+')))
    return false;
  char* End = nullptr;
  errno = 0;
  Value = Hex ? static_cast<long long>(std::strtoull(Digits, &End, 16)) : std::strtoll(Digits, &End, 10);
  return errno == 0 && *End == '\0';
}

}  // namespace

// ---------------------------------------------------------------- integers and colours

AnsiString TIntegerProperty::GetValue() { return OrdToText(GetOrdValue()); }

void TIntegerProperty::SetValue(const AnsiString& Value) {
  long long Ord = 0;
  if (!TextToOrd(Trim(Value), Ord)) InvalidValue(Value);
  SetOrdValue(Ord);  // the property refuses a number outside its range
}

AnsiString TIntegerProperty::OrdToText(long long Value) {
  AnsiString Ident;
  const TPropInfo* Prop = GetPropInfo();
  if (Prop != nullptr && IntegerValueToIdent(Prop->TypeName, Value, Ident)) return Ident;
  return IntToStr(Value);
}

bool TIntegerProperty::TextToOrd(const AnsiString& Text, long long& Value) {
  const TPropInfo* Prop = GetPropInfo();
  if (Prop != nullptr && IdentToIntegerValue(Prop->TypeName, Text, Value)) return true;
  return ParseNumber(Text, Value);
}

AnsiString TColorProperty::OrdToText(long long Value) {
  AnsiString Ident;
  if (ColorToIdent(Value, Ident)) return Ident;
  return Format("$%.8x", {static_cast<long long>(static_cast<std::uint32_t>(Value))});
}

bool TColorProperty::TextToOrd(const AnsiString& Text, long long& Value) {
  return IdentToColor(Text, Value) || ParseNumber(Text, Value);
}

void TColorProperty::GetValues(const std::function<void(const AnsiString&)>& Proc) { GetColorValues(Proc); }

// ---------------------------------------------------------------- enumerations and sets

AnsiString TEnumProperty::GetValue() { return GetEnumName(*GetPropInfo(), GetOrdValue()); }

void TEnumProperty::GetValues(const std::function<void(const AnsiString&)>& Proc) {
  const TPropInfo* Prop = GetPropInfo();
  if (Prop != nullptr && Prop->Names)
    for (const AnsiString& Name : *Prop->Names) Proc(Name);
}

void TEnumProperty::SetValue(const AnsiString& Value) {
  const long long Ord = GetEnumValue(*GetPropInfo(), Trim(Value));
  if (Ord < 0) InvalidValue(Value);
  SetOrdValue(Ord);
}

AnsiString TSetProperty::GetValue() { return SetToString(*GetPropInfo(), GetOrdValue()); }

void TSetProperty::SetValue(const AnsiString& Value) {
  const AnsiString Text = Trim(Value);
  if (Text.size() < 2 || Text.front() != '[' || Text.back() != ']') InvalidValue(Value);
  const AnsiString Inner = Trim(Text.substr(1, Text.size() - 2));
  long long Bits = 0;
  size_t Start = 0;
  while (!Inner.empty()) {
    const size_t Comma = Inner.find(',', Start);
    const AnsiString Element = Trim(Inner.substr(Start, Comma == AnsiString::npos ? AnsiString::npos : Comma - Start));
    const long long Ord = GetEnumValue(*GetPropInfo(), Element);
    if (Ord < 0 || Ord >= 63 || (Bits & (1LL << Ord)) != 0) InvalidValue(Value);
    Bits |= 1LL << Ord;
    if (Comma == AnsiString::npos) break;
    Start = Comma + 1;
  }
  SetOrdValue(Bits);
}

// ---------------------------------------------------------------- objects

AnsiString TClassProperty::GetValue() {
  const TPropInfo* Prop = GetPropInfo();
  TPersistent* Value = GetObjectValue();
  const AnsiString Name = Value != nullptr ? Value->ClassName() : Prop->ClassOf ? Prop->ClassOf().ClassName() : "";
  return "(" + Name + ")";
}

void TClassProperty::GetProperties(const std::function<void(std::unique_ptr<TPropertyEditor>)>& Proc) {
  std::vector<TPersistent*> Values;
  for (int I = 0; I < PropCount(); ++I) {
    const TEntry& E = Entry(I);
    TPersistent* Value = E.Prop->GetObject(E.Instance);
    if (Value == nullptr) return;
    Values.push_back(Value);
  }
  for (auto& Editor : GetComponentProperties(Values, Designer())) Proc(std::move(Editor));
}

// ---------------------------------------------------------------- references and events

namespace {

// The components of the designed form: the form itself and those it owns.
void ForEachDesignedComponent(const IFormDesignerRef& Designer, const std::function<void(TComponent*)>& Proc) {
  TComponent* Root = Designer ? Designer->GetRoot() : nullptr;
  if (Root == nullptr) return;
  Proc(Root);
  for (int I = 0; I < Root->GetComponentCount(); ++I) Proc(Root->GetComponent(I));
}

bool FitsProperty(const TPropInfo& Prop, TComponent* Component) {
  return !Prop.ClassOf || Component->InheritsFrom(&Prop.ClassOf());
}

}  // namespace

AnsiString TComponentProperty::GetValue() {
  TComponent* Value = GetComponentValue();
  return Value != nullptr ? Value->GetName() : AnsiString();
}

void TComponentProperty::GetValues(const std::function<void(const AnsiString&)>& Proc) {
  const TPropInfo& Prop = *GetPropInfo();
  ForEachDesignedComponent(Designer(), [&](TComponent* C) {
    if (!C->GetName().empty() && FitsProperty(Prop, C)) Proc(C->GetName());
  });
}

void TComponentProperty::SetValue(const AnsiString& Value) {
  const AnsiString Name = Trim(Value);
  if (Name.empty()) return SetComponentValue(nullptr);
  TComponent* Found = nullptr;
  ForEachDesignedComponent(Designer(), [&](TComponent* C) {
    if (Found == nullptr && SameText(C->GetName(), Name) && FitsProperty(*GetPropInfo(), C)) Found = C;
  });
  if (Found == nullptr) InvalidValue(Value);
  SetComponentValue(Found);
}

void TMethodProperty::SetValue(const AnsiString& Value) {
  const AnsiString Name = Trim(Value);
  if (!Name.empty() && !IsValidIdent(Name)) InvalidValue(Value);
  TComponent* Root = Designer() ? Designer()->GetRoot() : nullptr;
  WriteAll([&](const TEntry& E) { SetMethodProp(E.Instance, *E.Prop, Root, Name); });
}

}  // namespace vcl
