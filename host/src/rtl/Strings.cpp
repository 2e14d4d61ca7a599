// TStrings and TStringList.
#include <cstring>

#include "Classes.h"

namespace vcl {

namespace {

// Calls Line(begin, length) for every line of Text: CR LF, lone CR and lone LF end a line,
// a last line without a break counts, a zero byte ends the text.
template <class F>
void SplitLines(const AnsiString& Text, F&& Line) {
  const char* P = Text.data();
  const char* End = P + Text.size();
  if (const void* Zero = std::memchr(P, 0, Text.size())) End = static_cast<const char*>(Zero);
  while (P < End) {
    const char* Start = P;
    while (P < End && *P != '\r' && *P != '\n') ++P;
    Line(Start, static_cast<size_t>(P - Start));
    if (P < End && *P++ == '\r' && P < End && *P == '\n') ++P;
  }
}

}  // namespace

// ---------------------------------------------------------------- TStrings

void TStrings::Put(int Index, const AnsiString& S) {
  void* Object = GetObject(Index);
  Delete(Index);
  Insert(Index, S);
  PutObject(Index, Object);
}

void* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, void*) {}

int TStrings::Add(const AnsiString& S) {
  const int Index = GetCount();
  Insert(Index, S);
  return Index;
}

int TStrings::AddObject(const AnsiString& S, void* Object) {
  const int Index = Add(S);
  PutObject(Index, Object);
  return Index;
}

int TStrings::IndexOf(const AnsiString& S) const {
  for (int I = 0; I < GetCount(); ++I)
    if (Get(I) == S) return I;
  return -1;
}

int TStrings::IndexOfName(const AnsiString& Name) const {
  for (int I = 0; I < GetCount(); ++I) {
    const AnsiString S = Get(I);
    const auto P = S.find('=');
    if (P != AnsiString::npos && P != 0 && S.compare(0, P, Name) == 0) return I;
  }
  return -1;
}

AnsiString TStrings::GetName(int Index) const {
  AnsiString S = Get(Index);
  const auto P = S.find('=');
  if (P == AnsiString::npos) return {};
  S.resize(P);
  return S;
}

AnsiString TStrings::GetValueFromIndex(int Index) const {
  const AnsiString S = Get(Index);
  const auto P = S.find('=');
  return P == AnsiString::npos ? AnsiString() : S.substr(P + 1);
}

AnsiString TStrings::GetValue(const AnsiString& Name) const {
  const int Index = IndexOfName(Name);
  return Index < 0 ? AnsiString() : GetValueFromIndex(Index);
}

void TStrings::SetValue(const AnsiString& Name, const AnsiString& Value) {
  int Index = IndexOfName(Name);
  if (!Value.empty()) {
    if (Index < 0) Index = Add({});
    Put(Index, Name + "=" + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

AnsiString TStrings::GetTextStr() const {
  AnsiString Result;
  for (int I = 0; I < GetCount(); ++I) {
    Result += Get(I);
    Result += "\r\n";
  }
  return Result;
}

void TStrings::SetTextStr(const AnsiString& Value) {
  BeginUpdate();
  try {
    Clear();
    SplitLines(Value, [this](const char* Start, size_t Length) { Add(AnsiString(Start, Length)); });
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TStrings::Equals(const TStrings* Strings) const {
  if (Strings == nullptr || Strings->GetCount() != GetCount()) return false;
  for (int I = 0; I < GetCount(); ++I)
    if (Get(I) != Strings->Get(I)) return false;
  return true;
}

void TStrings::Assign(TPersistent* Source) {
  auto* Strings = dynamic_cast<TStrings*>(Source);
  if (Strings == nullptr) return TPersistent::Assign(Source);
  if (Strings == this) return;
  BeginUpdate();
  try {
    Clear();
    AddStrings(Strings);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::AddStrings(const TStrings* Strings) {
  BeginUpdate();
  try {
    for (int I = 0; I < Strings->GetCount(); ++I) AddObject(Strings->Get(I), Strings->GetObject(I));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  const auto* Ancestor = dynamic_cast<const TStrings*>(Filer->GetAncestor());
  const bool HasData = Ancestor != nullptr ? !Equals(Ancestor) : GetCount() > 0;
  Filer->DefineProperty(
      "Strings", [this](TReader* Reader) { ReadData(Reader); }, [this](TWriter* Writer) { WriteData(Writer); },
      HasData);
}

void TStrings::ReadData(TReader* Reader) {
  Reader->ReadListBegin();
  BeginUpdate();
  try {
    Clear();
    while (!Reader->EndOfList()) Add(Reader->ReadString());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  Reader->ReadListEnd();
}

void TStrings::WriteData(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int I = 0; I < GetCount(); ++I) Writer->WriteString(Get(I));
  Writer->WriteListEnd();
}

// ---------------------------------------------------------------- TStringList

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EStringListError(Format(Consts::SListIndexError, {Index}));
}

AnsiString TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].FString;
}

void TStringList::Put(int Index, const AnsiString& S) {
  CheckIndex(Index);
  Changing();
  FItems[static_cast<size_t>(Index)].FString = S;
  Changed();
}

void* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].FObject;
}

void TStringList::PutObject(int Index, void* Object) {
  CheckIndex(Index);
  Changing();
  FItems[static_cast<size_t>(Index)].FObject = Object;
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  FItems.clear();
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TStringList::Insert(int Index, const AnsiString& S) {
  if (Index < 0 || Index > GetCount()) throw EStringListError(Format(Consts::SListIndexError, {Index}));
  Changing();
  FItems.insert(FItems.begin() + Index, TStringItem{S, nullptr});
  Changed();
}

AnsiString TStringList::GetTextStr() const {
  size_t Size = 0;
  for (const TStringItem& Item : FItems) Size += Item.FString.size() + 2;
  AnsiString Result;
  Result.reserve(Size);
  for (const TStringItem& Item : FItems) {
    Result += Item.FString;
    Result += "\r\n";
  }
  return Result;
}

void TStringList::SetTextStr(const AnsiString& Value) {
  BeginUpdate();
  FItems.clear();
  size_t Lines = 0;
  SplitLines(Value, [&Lines](const char*, size_t) { ++Lines; });
  try {
    FItems.reserve(Lines);
    SplitLines(Value, [this](const char* Start, size_t Length) {
      FItems.push_back(TStringItem{AnsiString(Start, Length), nullptr});
    });
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0 && FOnChange) FOnChange(this);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0 && FOnChanging) FOnChanging(this);
}

}  // namespace vcl
