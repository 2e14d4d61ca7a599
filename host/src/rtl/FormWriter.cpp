// TWriter: a root and its children as form text.
#include <charconv>
#include <cmath>

#include "Classes.h"
#include "TypInfo.h"

namespace vcl {

namespace {

constexpr size_t StringChunk = 64;  // bytes of a string per line
constexpr size_t BinaryChunk = 32;  // bytes of binary data per line

AnsiString Spaces(int Count) { return AnsiString(static_cast<size_t>(Count), ' '); }

// Printable bytes in quotes ('' for a quote), control bytes as #nn; bytes from 128 on stay
// as they are, so UTF-8 text stays readable.
AnsiString QuoteChunk(const AnsiString& S, size_t Begin, size_t End) {
  AnsiString Result;
  bool InQuote = false;
  for (size_t I = Begin; I < End; ++I) {
    const auto C = static_cast<unsigned char>(S[I]);
    if (C >= 32 && C != 127) {
      if (!InQuote) Result += '\'';
      InQuote = true;
      Result += C == '\'' ? AnsiString("''") : AnsiString(1, static_cast<char>(C));
    } else {
      if (InQuote) Result += '\'';
      InQuote = false;
      Result += '#' + IntToStr(C);
    }
  }
  if (InQuote) Result += '\'';
  return Result.empty() ? AnsiString("''") : Result;
}

// A long string goes on lines of its own, joined with "+", never cut inside a UTF-8 character.
AnsiString QuoteString(const AnsiString& S, int Indent) {
  if (S.size() <= StringChunk) return QuoteChunk(S, 0, S.size());
  AnsiString Result;
  for (size_t Begin = 0; Begin < S.size();) {
    size_t End = std::min(S.size(), Begin + StringChunk);
    while (End < S.size() && (static_cast<unsigned char>(S[End]) & 0xC0) == 0x80) ++End;
    Result += (Begin == 0 ? "\n" : " +\n") + Spaces(Indent) + QuoteChunk(S, Begin, End);
    Begin = End;
  }
  return Result;
}

AnsiString FloatText(double Value) {
  if (!std::isfinite(Value)) throw EWriteError("Cannot write the floating point value " + std::to_string(Value));
  char Buffer[32];
  auto [End, Error] = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
  return AnsiString(Buffer, End);
}

AnsiString OrdinalText(const TPropInfo& Prop, long long Value) {
  AnsiString Ident;
  switch (Prop.Kind) {
    case TTypeKind::tkInteger:
      return IntegerValueToIdent(Prop.TypeName, Value, Ident) ? Ident : IntToStr(Value);
    case TTypeKind::tkEnumeration:
      Ident = GetEnumName(Prop, Value);
      return Ident.empty() ? IntToStr(Value) : Ident;
    default: return SetToString(Prop, Value);
  }
}

const void* ObjectAddress(const TObject* Object) { return dynamic_cast<const void*>(Object); }

}  // namespace

TWriter::TWriter() = default;

TWriter::~TWriter() = default;

void TWriter::WriteRootComponent(TComponent* Root, TComponent* AncestorRoot) {
  FText.clear();
  FWritten.clear();
  FRoot = Root;
  FAncestorRoot = AncestorRoot;
  const TComponentState Saved = Root->GetComponentState();
  Root->SetComponentState(Saved | csWriting);
  try {
    WriteComponent(Root, AncestorRoot, 0);
  } catch (...) {
    Root->SetComponentState(Saved);
    throw;
  }
  Root->SetComponentState(Saved);
}

// A component that the ancestor form also has is "inherited" and stores only what differs.
void TWriter::WriteComponent(TComponent* Component, TComponent* Ancestor, int Indent) {
  FWritten.insert(Component);
  FText += Spaces(Indent) + (Ancestor != nullptr ? "inherited " : "object ");
  if (!Component->GetName().empty()) FText += Component->GetName() + ": ";
  FText += Component->ClassName() + "\n";
  WriteProperties(Component, Ancestor, {}, Indent + 2);
  Component->GetChildren(
      [&](TComponent* Child) {
        if (FWritten.count(Child) != 0) return;  // a parent cycle must not loop
        TComponent* AncestorChild = nullptr;
        if (FAncestorRoot != nullptr && !Child->GetName().empty()) {
          AncestorChild = FAncestorRoot->FindComponent(Child->GetName());
          if (AncestorChild != nullptr && AncestorChild->ClassInfo() != Child->ClassInfo()) AncestorChild = nullptr;
        }
        WriteComponent(Child, AncestorChild, Indent + 2);
      },
      FRoot);
  FText += Spaces(Indent) + "end\n";
}

void TWriter::WriteProperties(TPersistent* Instance, TPersistent* Ancestor, const AnsiString& Prefix, int Indent) {
  // An inherited form's root is of a class derived from its ancestor's: each property is
  // compared with the ancestor's where the ancestor's class has that very property.
  const TClassInfo* Info = Instance->ClassInfo();
  const TClassInfo* AncestorInfo = Ancestor != nullptr ? Ancestor->ClassInfo() : nullptr;
  if (Info == nullptr || AncestorInfo == nullptr || !Info->InheritsFrom(AncestorInfo)) Ancestor = nullptr;
  if (Info != nullptr)
    for (const TPropInfo* Prop : Info->Properties()) {
      if (!Prop->IsStored(Instance)) continue;
      const bool Shared = Ancestor != nullptr && AncestorInfo->FindProperty(Prop->Name) == Prop;
      WriteProperty(Instance, Shared ? Ancestor : nullptr, *Prop, Prefix, Indent);
    }
  FPrefix = Prefix;
  FIndent = Indent;
  FAncestor = Ancestor;
  Instance->DefineProperties(this);
  FAncestor = nullptr;
}

void TWriter::WriteProperty(TPersistent* Instance, TPersistent* Ancestor, const TPropInfo& Prop,
                            const AnsiString& Prefix, int Indent) {
  const AnsiString Name = Prefix + Prop.Name;
  auto Line = [&](const AnsiString& Value) { FText += Spaces(Indent) + Name + " = " + Value + "\n"; };
  switch (Prop.Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkSet: {
      const long long Value = Prop.GetOrd(Instance);
      if (Ancestor != nullptr ? Value == Prop.GetOrd(Ancestor) : Prop.OrdDefault == Value) return;
      return Line(OrdinalText(Prop, Value));
    }
    case TTypeKind::tkFloat: {
      const double Value = Prop.GetFloat(Instance);
      if (Ancestor != nullptr ? Value == Prop.GetFloat(Ancestor) : Prop.FloatDefault == Value) return;
      return Line(FloatText(Value));
    }
    case TTypeKind::tkString: {
      const AnsiString Value = Prop.GetStr(Instance);
      if (Ancestor != nullptr ? Value == Prop.GetStr(Ancestor) : Prop.StrDefault == Value) return;
      return Line(QuoteString(Value, Indent + 2));
    }
    case TTypeKind::tkClass: {
      TPersistent* Object = Prop.GetObject(Instance);
      if (Object == nullptr) return;
      if (auto* Collection = dynamic_cast<TCollection*>(Object)) return WriteCollection(Collection, Name, Indent);
      return WriteProperties(Object, Ancestor != nullptr ? Prop.GetObject(Ancestor) : nullptr, Name + ".", Indent);
    }
    case TTypeKind::tkComponent: {
      TComponent* Value = Prop.GetComponent(Instance);
      const AnsiString Reference = ReferenceName(Value, FRoot);
      if (Value != nullptr && Reference.empty()) return;  // nothing the reader could find
      if (Ancestor != nullptr ? Reference == ReferenceName(Prop.GetComponent(Ancestor), FAncestorRoot) : Value == nullptr)
        return;
      return Line(Reference.empty() ? AnsiString("nil") : Reference);
    }
    case TTypeKind::tkMethod: {
      // Only a handler of the form being written has a name in its text.
      const TMethod Value = Prop.GetMethod(Instance);
      if (Value && (Value.Data != ObjectAddress(FRoot) || Value.MethodName.empty())) return;
      const AnsiString Method = Value ? Value.MethodName : AnsiString();
      if (Ancestor != nullptr ? Method == Prop.GetMethod(Ancestor).MethodName : Method.empty()) return;
      return Line(Method.empty() ? AnsiString("nil") : Method);
    }
  }
}

AnsiString TWriter::ReferenceName(TComponent* Component, TComponent* Root) const {
  if (Component == nullptr || Root == nullptr) return {};
  if (Component == Root) return Root->GetName();
  return Component->GetOwner() == Root ? Component->GetName() : AnsiString();
}

void TWriter::DefineProperty(const AnsiString& Name, TReaderProc, TWriterProc WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  FText += Spaces(FIndent) + FPrefix + Name + " = ";
  WriteData(this);
  FText += "\n";
}

void TWriter::DefineBinaryProperty(const AnsiString& Name, TStreamProc, TStreamProc WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  TMemoryStream Stream;
  WriteData(&Stream);
  static constexpr char Hex[] = "0123456789ABCDEF";
  const auto Size = static_cast<size_t>(Stream.GetSize());
  const Byte* Bytes = Stream.Memory();
  FText.reserve(FText.size() + Size * 2 + Size / BinaryChunk * (static_cast<size_t>(FIndent) + 3) + 64);
  FText += Spaces(FIndent) + FPrefix + Name + " = {";
  for (size_t I = 0; I < Size; ++I) {
    if (I % BinaryChunk == 0) FText += "\n" + Spaces(FIndent + 2);
    FText += Hex[Bytes[I] >> 4];
    FText += Hex[Bytes[I] & 15];
  }
  FText += "}\n";
}

// Inside a list every value takes a line of its own.
void TWriter::BeginValue() {
  if (FListDepth > 0) FText += "\n" + Spaces(FIndent + 2 * FListDepth);
}

void TWriter::WriteInteger(long long Value) {
  BeginValue();
  FText += IntToStr(Value);
}

void TWriter::WriteFloat(double Value) {
  BeginValue();
  FText += FloatText(Value);
}

void TWriter::WriteString(const AnsiString& Value) {
  BeginValue();
  FText += QuoteString(Value, FIndent + 2 * FListDepth + 2);
}

void TWriter::WriteIdent(const AnsiString& Ident) {
  BeginValue();
  FText += Ident;
}

void TWriter::WriteBoolean(bool Value) { WriteIdent(Value ? "True" : "False"); }

void TWriter::WriteListBegin() {
  BeginValue();
  FText += "(";
  ++FListDepth;
}

void TWriter::WriteListEnd() {
  --FListDepth;
  FText += ")";
}

AnsiString WriteComponentText(TComponent* Root, TComponent* AncestorRoot) {
  TWriter Writer;
  Writer.WriteRootComponent(Root, AncestorRoot);
  return Writer.GetText();
}

// An empty collection is not written; a form read into a new instance starts without items.
void TWriter::WriteCollection(TCollection* Collection, const AnsiString& Name, int Indent) {
  if (Collection->GetCount() == 0) return;
  FText += Spaces(Indent) + Name + " = <";
  for (int I = 0; I < Collection->GetCount(); ++I) {
    FText += "\n" + Spaces(Indent + 2) + "item\n";
    WriteProperties(Collection->GetItem(I), nullptr, {}, Indent + 4);
    FText += Spaces(Indent + 2) + "end";
  }
  FText += ">\n";
}

}  // namespace vcl
