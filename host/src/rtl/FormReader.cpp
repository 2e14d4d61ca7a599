// TReader: form text into an existing root and the components it describes.
#include <unordered_set>

#include "Classes.h"
#include "FormParser.h"
#include "TypInfo.h"

namespace vcl {

namespace {

constexpr int MaxNesting = 200;
constexpr TComponentState ReadingState = csLoading | csReading;

bool IsObjectKeyword(const TFormParser& P) {
  return P.IsSymbol("object") || P.IsSymbol("inherited") || P.IsSymbol("inline");
}

// Context names what was read (a component, a property) in the input's words: cut short,
// as is every piece of input a message quotes.
[[noreturn]] void ReadError(const AnsiString& Context, int Line, const AnsiString& Message) {
  throw EReadError("Error reading " + CutForMessage(Context) + " on line " + IntToStr(Line) + ": " + Message);
}

}  // namespace

struct TReader::TState {
  // A component reference resolved once every component of the text exists.
  struct TFixup {
    TObject* Instance;
    const TPropInfo* Prop;
    AnsiString Name;
    AnsiString Context;
    int Line;
  };
  std::vector<TComponent*> Created;  // by this read, in creation order
  std::vector<TComponent*> Loaded;   // every component read, the root first
  std::vector<TFixup> Fixups;
  AnsiString PropName;  // the defined property DefineProperties is asked for
  bool PropFound = false;
};

struct TReaderImpl {
  struct THeader {
    AnsiString Keyword, Name, ClassName;
    int Line = 0;
  };

  static THeader ReadHeader(TFormParser& P) {
    THeader H;
    H.Line = P.Line();
    if (!IsObjectKeyword(P)) P.ErrorExpected("'object'");
    H.Keyword = LowerCase(P.SkipSymbol());
    const AnsiString First = P.SkipSymbol();
    if (P.IsChar(':')) {
      P.Next();
      H.Name = First;
      H.ClassName = P.SkipSymbol();
    } else {
      H.ClassName = First;
    }
    if (P.IsChar('[')) {  // the position of an inherited component: not needed here
      P.Next();
      if (P.Token() != TFormParser::toInteger) P.ErrorExpected("Integer");
      P.Next();
      P.SkipChar(']');
    }
    return H;
  }

  static void StartReading(TReader& R, TComponent* Component) {
    Component->SetComponentState(Component->GetComponentState() | ReadingState);
    R.FState->Loaded.push_back(Component);
  }

  static void ReadRoot(TReader& R, TComponent* Root) {
    TFormParser& P = *R.FParser;
    const THeader H = ReadHeader(P);
    bool ClassMatches = SameText(Root->ClassName(), H.ClassName);
    for (const TClassInfo* Info = Root->ClassInfo(); Info != nullptr && !ClassMatches; Info = Info->Parent())
      ClassMatches = SameText(Info->ClassName(), H.ClassName);
    if (!ClassMatches) ReadError(H.Name, H.Line, "the root is a " + Root->ClassName() + ", not a " + CutForMessage(H.ClassName));
    StartReading(R, Root);
    if (Root->GetName().empty() && !H.Name.empty()) SetName(Root, H.Name, H.Line);
    ReadBody(R, Root, 0);
    if (P.Token() != TFormParser::toEOF) P.ErrorExpected("End of text");
    for (const TReader::TState::TFixup& Fixup : R.FState->Fixups) ResolveFixup(R, Fixup);
    if (R.FRequireFields) CheckFieldsFilled(Root, H);
  }

  static void CheckFieldsFilled(TComponent* Root, const THeader& H) {
    for (const TClassInfo* Info = Root->ClassInfo(); Info != nullptr; Info = Info->Parent())
      for (const TFieldEntry& Field : Info->Fields())
        if (Field.Get(Root) == nullptr)
          ReadError(H.Name.empty() ? H.ClassName : H.Name, H.Line,
                    "the description has no component for the field " + Field.Name + " of " + Root->ClassName());
  }

  static void SetName(TComponent* Component, const AnsiString& Name, int Line) {
    try {
      Component->SetName(Name);
    } catch (const EComponentError& E) {
      ReadError(Name, Line, E.Message());
    }
  }

  // Properties first, then nested objects, then "end".
  static void ReadBody(TReader& R, TComponent* Instance, int Depth) {
    TFormParser& P = *R.FParser;
    while (P.Token() == TFormParser::toSymbol && !IsObjectKeyword(P) && !P.IsSymbol("end")) ReadProperty(R, Instance);
    while (IsObjectKeyword(P)) {
      if (Depth >= MaxNesting) P.Error("Objects nested too deeply");
      ReadChild(R, Instance, Depth + 1);
    }
    if (!P.IsSymbol("end")) P.ErrorExpected("'end'");
    P.Next();
  }

  static void ReadChild(TReader& R, TComponent* Parent, int Depth) {
    TComponent* Root = R.FRoot;
    const THeader H = ReadHeader(*R.FParser);
    const AnsiString Context = H.Name.empty() ? H.ClassName : H.Name;
    TComponent* Child = nullptr;
    if (H.Keyword == "inherited") {
      Child = Root->FindComponent(H.Name);
      if (Child == nullptr) ReadError(Context, H.Line, "Ancestor for '" + CutForMessage(H.Name) + "' not found");
      if (!SameText(Child->ClassName(), H.ClassName))
        ReadError(Context, H.Line, "the ancestor's " + CutForMessage(H.Name) + " is a " + Child->ClassName());
      StartReading(R, Child);
    } else {
      const TClassInfo* Info = Root->ClassInfo() != nullptr ? Root->ClassInfo()->FindFieldClass(H.ClassName) : nullptr;
      if (Info == nullptr) Info = GetClass(H.ClassName);
      if (Info == nullptr)
        throw EClassNotFound(Format(Consts::SClassNotFound, {CutForMessage(H.ClassName)}) + " on line " + IntToStr(H.Line));
      if (!Info->CanCreate()) ReadError(Context, H.Line, "Cannot create an instance of " + CutForMessage(H.ClassName));
      if (!H.Name.empty() && !IsValidIdent(H.Name))
        ReadError(Context, H.Line, Format(Consts::SInvalidName, {CutForMessage(H.Name)}));
      if (Root->FindComponent(H.Name) != nullptr) ReadError(Context, H.Line, Format(Consts::SDuplicateName, {CutForMessage(H.Name)}));
      Child = Info->CreateComponent(Root);
      R.FState->Created.push_back(Child);
      StartReading(R, Child);
      SetName(Child, H.Name, H.Line);
      const TFieldEntry* Field = Root->ClassInfo()->FindField(H.Name);
      if (Field != nullptr && Field->Get(Root) != Child)
        ReadError(Context, H.Line, "the form's field " + CutForMessage(H.Name) + " cannot hold a " + CutForMessage(H.ClassName));
      try {
        Child->SetParentComponent(Parent);
      } catch (const Exception& E) {
        ReadError(Context, H.Line, E.Message());
      }
    }
    ReadBody(R, Child, Depth);
  }

  static void ReadProperty(TReader& R, TComponent* Instance) {
    ReadProperty(R, Instance, Instance->GetName().empty() ? Instance->ClassName() : Instance->GetName());
  }

  // Owner names the instance in error messages ("Columns[1]" for a collection item).
  static void ReadProperty(TReader& R, TPersistent* Instance, const AnsiString& Owner) {
    TFormParser& P = *R.FParser;
    const int Line = P.Line();
    std::vector<AnsiString> Path{P.SkipSymbol()};
    AnsiString PathText = Path.back();
    while (P.IsChar('.')) {
      P.Next();
      Path.push_back(P.SkipSymbol());
      PathText += "." + Path.back();
    }
    P.SkipChar('=');
    const AnsiString Context = Owner + "." + PathText;
    try {
      TPersistent* Target = Instance;
      for (size_t I = 0; I + 1 < Path.size(); ++I) {
        const TPropInfo* Prop = FindProperty(Target, Path[I]);
        if (Prop == nullptr || Prop->Kind != TTypeKind::tkClass) ReadError(Context, Line, "Property does not exist");
        Target = Prop->GetObject(Target);
        if (Target == nullptr) ReadError(Context, Line, "Property " + CutForMessage(Path[I]) + " holds no object");
      }
      if (const TPropInfo* Prop = FindProperty(Target, Path.back())) {
        ReadValue(R, Target, *Prop, Context, Line);
        return;
      }
      R.FState->PropName = Path.back();
      R.FState->PropFound = false;
      R.FAncestor = nullptr;
      R.ReadDefinedProperties(Target);
      if (!R.FState->PropFound) ReadError(Context, Line, "Property does not exist");
    } catch (const EParserError&) {
      throw;
    } catch (const EReadError& E) {
      if (E.Message().rfind("Error reading ", 0) == 0) throw;
      ReadError(Context, Line, E.Message());
    } catch (const Exception& E) {
      ReadError(Context, Line, E.Message());
    }
  }

  static const TPropInfo* FindProperty(TPersistent* Instance, const AnsiString& Name) {
    const TClassInfo* Info = Instance->ClassInfo();
    return Info != nullptr ? Info->FindProperty(Name) : nullptr;
  }

  static void ReadValue(TReader& R, TPersistent* Target, const TPropInfo& Prop, const AnsiString& Context, int Line) {
    TFormParser& P = *R.FParser;
    switch (Prop.Kind) {
      case TTypeKind::tkInteger: {
        long long Value = 0;
        if (P.Token() == TFormParser::toInteger) {
          Value = P.TokenInt();
          P.Next();
        } else if (P.Token() == TFormParser::toSymbol) {
          const AnsiString Ident = P.SkipSymbol();
          if (!IdentToIntegerValue(Prop.TypeName, Ident, Value)) ReadError(Context, Line, "Invalid property value " + CutForMessage(Ident));
        } else {
          P.ErrorExpected("Integer");
        }
        Prop.SetOrd(Target, Value);
        break;
      }
      case TTypeKind::tkEnumeration: {
        const AnsiString Ident = P.SkipSymbol();
        const long long Value = GetEnumValue(Prop, Ident);
        if (Value < 0) ReadError(Context, Line, "Invalid property value " + CutForMessage(Ident));
        Prop.SetOrd(Target, Value);
        break;
      }
      case TTypeKind::tkSet: {
        long long Bits = 0;
        P.SkipChar('[');
        while (!P.IsChar(']')) {
          const AnsiString Ident = P.SkipSymbol();
          const long long Element = GetEnumValue(Prop, Ident);
          if (Element < 0 || Element >= 63) ReadError(Context, Line, "Invalid property value " + CutForMessage(Ident));
          Bits |= 1LL << Element;
          if (!P.IsChar(',')) break;
          P.Next();
        }
        P.SkipChar(']');
        Prop.SetOrd(Target, Bits);
        break;
      }
      case TTypeKind::tkFloat: Prop.SetFloat(Target, R.ReadFloat()); break;
      case TTypeKind::tkString: Prop.SetStr(Target, R.ReadString()); break;
      case TTypeKind::tkClass: {
        auto* Collection = dynamic_cast<TCollection*>(Prop.GetObject(Target));
        if (Collection == nullptr || !P.IsChar('<'))
          ReadError(Context, Line, "an object property takes values only for its own properties");
        ReadCollection(R, Collection, Context);
        break;
      }
      case TTypeKind::tkComponent:
        if (P.IsSymbol("nil")) {
          P.Next();
          Prop.SetComponent(Target, nullptr);
        } else {
          AnsiString Name = P.SkipSymbol();
          while (P.IsChar('.')) {
            P.Next();
            Name += "." + P.SkipSymbol();
          }
          R.FState->Fixups.push_back({Target, &Prop, Name, Context, Line});
        }
        break;
      case TTypeKind::tkMethod: {
        const AnsiString Name = P.SkipSymbol();
        SetMethodProp(Target, Prop, R.FRoot, SameText(Name, "nil") ? AnsiString() : Name);
        break;
      }
    }
  }

  // "< item Caption = 'a' end item ... end >": the items replace the collection's.
  static void ReadCollection(TReader& R, TCollection* Collection, const AnsiString& Context) {
    TFormParser& P = *R.FParser;
    P.SkipChar('<');
    const TUpdateGuard Batch(*Collection);
    Collection->Clear();
    while (!P.IsChar('>')) {
      if (!P.IsSymbol("item")) P.ErrorExpected("'item'");
      P.Next();
      TCollectionItem* Item = Collection->Add();
      const AnsiString Owner = Context + "[" + IntToStr(Item->GetIndex()) + "]";
      while (P.Token() == TFormParser::toSymbol && !P.IsSymbol("end")) ReadProperty(R, Item, Owner);
      if (!P.IsSymbol("end")) P.ErrorExpected("'end'");
      P.Next();
    }
    P.Next();
  }

  // "Name" is a component of the root (or the root); "Root.Name" names the root first.
  static void ResolveFixup(TReader& R, const TReader::TState::TFixup& Fixup) {
    TComponent* Root = R.FRoot;
    AnsiString Name = Fixup.Name;
    const auto Dot = Name.find('.');
    if (Dot != AnsiString::npos) {
      if (!SameText(Name.substr(0, Dot), Root->GetName())) ReadError(Fixup.Context, Fixup.Line, "Component " + CutForMessage(Name) + " not found");
      Name = Name.substr(Dot + 1);
    }
    TComponent* Target = SameText(Name, Root->GetName()) ? Root : Root->FindComponent(Name);
    if (Target == nullptr) ReadError(Fixup.Context, Fixup.Line, "Component " + CutForMessage(Fixup.Name) + " not found");
    try {
      Fixup.Prop->SetComponent(Fixup.Instance, Target);
    } catch (const Exception& E) {
      ReadError(Fixup.Context, Fixup.Line, E.Message());
    }
  }
};

TReader::TReader(const AnsiString& Text) : FParser(nullptr), FState(std::make_unique<TState>()) {
  // The parser reads the text in place; keep a copy so that it outlives the caller's.
  FText = Text;
}

TReader::~TReader() = default;

void TReader::ReadRootComponent(TComponent* Root) {
  FRoot = Root;
  *FState = TState();
  TState& S = *FState;
  try {
    FParser = std::make_unique<TFormParser>(FText);
    TReaderImpl::ReadRoot(*this, Root);
  } catch (...) {
    // Nothing half-built stays: the components this read made go, the others stop loading.
    const std::unordered_set<TComponent*> Created(S.Created.begin(), S.Created.end());
    for (TComponent* Component : S.Loaded)
      if (Created.count(Component) == 0) Component->SetComponentState(Component->GetComponentState() & ~ReadingState);
    for (auto It = S.Created.rbegin(); It != S.Created.rend(); ++It) delete *It;
    S = TState();
    throw;
  }
  for (TComponent* Component : S.Loaded)
    Component->SetComponentState(Component->GetComponentState() & ~ReadingState);
  const std::vector<TComponent*> Loaded = std::move(S.Loaded);
  S = TState();
  for (TComponent* Component : Loaded) Component->Loaded();
}

void TReader::DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc, bool) {
  if (FState->PropFound || !ReadData || !SameText(Name, FState->PropName)) return;
  FState->PropFound = true;
  ReadData(this);
}

void TReader::DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc, bool) {
  if (FState->PropFound || !ReadData || !SameText(Name, FState->PropName)) return;
  FState->PropFound = true;
  const std::vector<Byte> Bytes = FParser->ReadBinary();
  TMemoryStream Stream;
  Stream.WriteBuffer(Bytes.data(), static_cast<long>(Bytes.size()));
  Stream.SetPosition(0);
  ReadData(&Stream);
}

long long TReader::ReadInt64() {
  if (FParser->Token() != TFormParser::toInteger) FParser->ErrorExpected("Integer");
  const long long Value = FParser->TokenInt();
  FParser->Next();
  return Value;
}

int TReader::ReadInteger() {
  const int Line = FParser->Line();
  const long long Value = ReadInt64();
  if (Value < INT32_MIN || Value > INT32_MAX) throw EParserError("Integer out of range on line " + IntToStr(Line));
  return static_cast<int>(Value);
}

double TReader::ReadFloat() {
  double Value = 0;
  if (FParser->Token() == TFormParser::toFloat)
    Value = FParser->TokenFloat();
  else if (FParser->Token() == TFormParser::toInteger)
    Value = static_cast<double>(FParser->TokenInt());
  else
    FParser->ErrorExpected("Number");
  FParser->Next();
  return Value;
}

// A string, continued over lines with "+".
AnsiString TReader::ReadString() {
  if (FParser->Token() != TFormParser::toString) FParser->ErrorExpected("String");
  AnsiString Value = FParser->TokenString();
  FParser->Next();
  while (FParser->IsChar('+')) {
    FParser->Next();
    if (FParser->Token() != TFormParser::toString) FParser->ErrorExpected("String");
    Value += FParser->TokenString();
    FParser->Next();
  }
  return Value;
}

AnsiString TReader::ReadIdent() { return FParser->SkipSymbol(); }

bool TReader::ReadBoolean() {
  if (FParser->IsSymbol("True") || FParser->IsSymbol("False")) return SameText(FParser->SkipSymbol(), "True");
  FParser->ErrorExpected("Boolean");
}

void TReader::ReadListBegin() { FParser->SkipChar('('); }

bool TReader::EndOfList() { return FParser->IsChar(')') || FParser->Token() == TFormParser::toEOF; }

void TReader::ReadListEnd() { FParser->SkipChar(')'); }

void ReadComponentText(const AnsiString& Text, TComponent* Root) {
  TReader Reader(Text);
  Reader.ReadRootComponent(Root);
}

}  // namespace vcl
