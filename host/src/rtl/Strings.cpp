// TStrings and TStringList.
#include <cstring>

#include "Classes.h"
#include "LineBlock.h"

namespace vcl {


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
  const TUpdateGuard Batch(*this);
  Clear();
  SplitTextLines(Value, [this](const char* Start, size_t Length) { Add(AnsiString(Start, Length)); });
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
  const TUpdateGuard Batch(*this);
  Clear();
  SetCapacity(Strings->GetCount());  // filled in one go: no spare room
  AddStrings(Strings);
}

void TStrings::AddStrings(const TStrings* Strings) {
  const TUpdateGuard Batch(*this);
  for (int I = 0; I < Strings->GetCount(); ++I) AddObject(Strings->Get(I), Strings->GetObject(I));
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
  {
    const TUpdateGuard Batch(*this);
    Clear();
    while (!Reader->EndOfList()) Add(Reader->ReadString());
  }
  Reader->ReadListEnd();
}

void TStrings::WriteData(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int I = 0; I < GetCount(); ++I) Writer->WriteString(Get(I));
  Writer->WriteListEnd();
}

// ---------------------------------------------------------------- TStringList

struct TStringList::TRarelyUsed {
  std::vector<void*> Objects;  // empty until an object is set, then one per line
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;
};

TStringList::TStringList() = default;

TStringList::~TStringList() = default;

TStringList::TRarelyUsed& TStringList::RarelyUsed() {
  if (!FRare) FRare = std::make_unique<TRarelyUsed>();
  return *FRare;
}

bool TStringList::HasObjects() const { return FRare && !FRare->Objects.empty(); }

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= FCount) throw EStringListError(Format(Consts::SListIndexError, {Index}));
}

AnsiString TStringList::Get(int Index) const {
  CheckIndex(Index);
  return AnsiString(detail::LineAt(FLines.get(), Index));
}

void TStringList::Put(int Index, const AnsiString& S) {
  CheckIndex(Index);
  Changing();
  detail::ReplaceLine(FLines, FCount, Index, S);
  Changed();
}

void* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return HasObjects() ? FRare->Objects[static_cast<size_t>(Index)] : nullptr;
}

void TStringList::PutObject(int Index, void* Object) {
  CheckIndex(Index);
  // The first object makes room for one per line; a null one needs none.
  if (Object != nullptr && !HasObjects()) RarelyUsed().Objects.resize(static_cast<size_t>(FCount));
  Changing();
  if (HasObjects()) FRare->Objects[static_cast<size_t>(Index)] = Object;
  Changed();
}

void TStringList::Clear() {
  if (FCount == 0) return;
  Changing();
  // As the classic list, a cleared list gives its room back.
  FLines.reset();
  FCount = 0;
  if (FRare) std::vector<void*>().swap(FRare->Objects);
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  detail::EraseLine(*FLines, FCount, Index);
  --FCount;
  if (HasObjects()) FRare->Objects.erase(FRare->Objects.begin() + Index);
  Changed();
}

void TStringList::Insert(int Index, const AnsiString& S) {
  if (Index < 0 || Index > FCount) throw EStringListError(Format(Consts::SListIndexError, {Index}));
  Changing();
  // Room for the object first, so that lines and objects stay the same length.
  if (HasObjects()) FRare->Objects.reserve(FRare->Objects.size() + 1);
  detail::InsertLine(FLines, FCount, Index, S);
  ++FCount;
  if (HasObjects()) FRare->Objects.insert(FRare->Objects.begin() + Index, nullptr);
  Changed();
}

AnsiString TStringList::GetTextStr() const {
  AnsiString Result;
  Result.reserve(detail::ByteCount(FLines.get(), FCount) + 2 * static_cast<size_t>(FCount));
  for (int I = 0; I < FCount; ++I) {
    Result += detail::LineAt(FLines.get(), I);
    Result += "\r\n";
  }
  return Result;
}

void TStringList::SetTextStr(const AnsiString& Value) {
  const TUpdateGuard Batch(*this);
  // Exactly the lines and bytes: loaded lists keep no spare room.
  size_t Lines = 0, Bytes = 0;
  SplitTextLines(Value, [&](const char*, size_t Length) {
    ++Lines;
    Bytes += Length;
  });
  detail::TLineBlockPtr Block = detail::Resized(nullptr, 0, Lines, Bytes);
  int Count = 0;
  SplitTextLines(Value, [&](const char* Start, size_t Length) {
    detail::InsertLine(Block, Count, Count, std::string_view(Start, Length));
    ++Count;
  });
  FLines = std::move(Block);
  FCount = Count;
  if (FRare) std::vector<void*>().swap(FRare->Objects);
}

int TStringList::GetCapacity() const { return detail::LineCapacity(FLines.get()); }

void TStringList::SetCapacity(int NewCapacity) {
  if (NewCapacity < FCount) throw EStringListError(Format(Consts::SListCapacityError, {NewCapacity}));
  if (NewCapacity == GetCapacity()) return;
  const size_t Bytes = FLines ? FLines->ByteCapacity : 0;
  FLines = detail::Resized(FLines.get(), FCount, static_cast<size_t>(NewCapacity), Bytes);
}

void TStringList::Assign(TPersistent* Source) {
  auto* List = dynamic_cast<TStringList*>(Source);
  if (List == nullptr || List == this) return TStrings::Assign(Source);
  const TUpdateGuard Batch(*this);
  detail::TLineBlockPtr Lines =
      detail::Resized(List->FLines.get(), List->FCount, static_cast<size_t>(List->FCount),
                      detail::ByteCount(List->FLines.get(), List->FCount));
  std::vector<void*> Objects;
  if (List->HasObjects()) Objects = List->FRare->Objects;
  if (!Objects.empty() || FRare) RarelyUsed().Objects.swap(Objects);
  FLines = std::move(Lines);
  FCount = List->FCount;
}

const TNotifyEvent& TStringList::GetOnChange() const {
  static const TNotifyEvent None;
  return FRare ? FRare->OnChange : None;
}

void TStringList::SetOnChange(TNotifyEvent Value) {
  if (Value || FRare) RarelyUsed().OnChange = std::move(Value);
}

const TNotifyEvent& TStringList::GetOnChanging() const {
  static const TNotifyEvent None;
  return FRare ? FRare->OnChanging : None;
}

void TStringList::SetOnChanging(TNotifyEvent Value) {
  if (Value || FRare) RarelyUsed().OnChanging = std::move(Value);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0 && FRare && FRare->OnChange) FRare->OnChange(this);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0 && FRare && FRare->OnChanging) FRare->OnChanging(this);
}

}  // namespace vcl
