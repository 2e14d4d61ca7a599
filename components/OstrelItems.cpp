// The card list: adding, deleting, clearing, batches and sorting.

#include <algorithm>
#include <memory>
#include <utility>

#include "Forms.h"
#include "Ostrel.h"

namespace ostrel {

namespace {

// The control whose cards the application's comparison is sorting. TList::Sort takes a
// comparison without context, so CompareByEvent finds the control here.
TOstrel* SortingTable = nullptr;

int CompareByText(void* Item1, void* Item2) {
  const int Result =
      CompareStr(static_cast<TOstrelItem*>(Item1)->GetText(), static_cast<TOstrelItem*>(Item2)->GetText());
  return Result < 0 ? -1 : (Result > 0 ? 1 : 0);
}

int CompareByEvent(void* Item1, void* Item2) {
  int CompareResult = 0;
  SortingTable->GetOnSortItems()(SortingTable, static_cast<TOstrelItem*>(Item1), static_cast<TOstrelItem*>(Item2),
                                 CompareResult);
  return CompareResult;
}

}  // namespace

TOstrelItems::TOstrelItems(TOstrel* ATable) : FTable(ATable) {}

TOstrelItems::~TOstrelItems() {
  try {
    Clear();
  } catch (...) {
    try {
      if (Application) Application->HandleException(FTable);
    } catch (...) {
    }
  }
  // Cards whose deletion a handler interrupted by destroying the list finish without it.
  for (TOstrelItem* Item : FUnlinking) Item->FOwner = nullptr;
}

TOstrelItem* TOstrelItems::GetItemFromIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EListError(Format(Consts::SListIndexError, {Index}));
  return static_cast<TOstrelItem*>(FList.Get(FCleared + Index));
}

void TOstrelItems::SetItem(int Index, TOstrelItem* Value) { GetItemFromIndex(Index)->Assign(Value); }

TOstrelItem* TOstrelItems::GetFirstItem() const { return GetCount() > 0 ? GetItemFromIndex(0) : nullptr; }

TOstrelItem* TOstrelItems::GetLastItem() const { return GetCount() > 0 ? GetItemFromIndex(GetCount() - 1) : nullptr; }

HWND TOstrelItems::GetHandle() const { return FTable->GetHandle(); }

TOstrelItem* TOstrelItems::Add(const AnsiString& S) { return AddObject(S, nullptr); }

TOstrelItem* TOstrelItems::AddObject(const AnsiString& S, void* Data) { return NewItem(GetCount(), S, Data); }

TOstrelItem* TOstrelItems::Insert(int Index, const AnsiString& S) { return InsertObject(Index, S, nullptr); }

TOstrelItem* TOstrelItems::InsertObject(int Index, const AnsiString& S, void* Data) {
  if (Index < 0 || Index > GetCount()) throw EListError(Format(Consts::SListIndexError, {Index}));
  return NewItem(Index, S, Data);
}

TOstrelItem* TOstrelItems::NewItem(int Index, const AnsiString& S, void* Data) {
  CheckNotSorting();
  auto Item = std::make_unique<TOstrelItem>(this);
  Item->FText = S;
  Item->SetData(Data);
  Item->FAttached = true;
  Item->FSlotHint = FCleared + Index;
  if (Index == GetCount())
    FList.Add(Item.get());
  else
    FList.Insert(FCleared + Index, Item.get());
  TOstrelItem* Result = Item.release();
  StructureChanged(Index, 0, 1);
  if (GetCount() == 1 && FTable) FTable->PutFocused(Result, false);
  if (FUpdateCount != 0) return Result;
  if (FTable && FTable->FSorted)
    Sort();
  else
    Relayout();
  return Result;
}

void TOstrelItems::Delete(TOstrelItem* Item) {
  if (Item) Item->Delete();
}

void TOstrelItems::Clear() {
  CheckNotSorting();
  const bool Outermost = !FClearing;
  if (FTable) FTable->ItemsRearranging();
  BeginUpdate();
  FClearing = true;
  std::exception_ptr First;
  // An OnDeletion handler may destroy the control, and this list with it; the control's
  // destructor then deletes the remaining cards.
  const bool HasTable = FTable != nullptr;
  const std::weak_ptr<char> TableAlive = HasTable ? FTable->LifetimeToken() : std::weak_ptr<char>();
  // Each card leaves the list just before it is deleted, so that an OnDeletion handler
  // sees only the cards still to come; emptying slots from the front keeps this linear.
  while (FCleared < FList.GetCount()) {
    auto* Item = static_cast<TOstrelItem*>(FList.Get(FCleared));
    FList.Put(FCleared, nullptr);
    ++FCleared;
    StructureChanged();
    Item->FTakenOut = true;
    if (Item->FDeleting) continue;  // its own Delete, further up the stack, frees it
    Item->FDeleting = true;
    if (auto Error = Item->Unlink(); Error && !First) First = Error;
    delete Item;
    if (HasTable && TableAlive.expired()) {
      if (First) std::rethrow_exception(First);
      return;
    }
  }
  if (Outermost) {
    FClearing = false;
    FList.Clear();
    FCleared = 0;
    StructureChanged();
    if (FTable) {
      FTable->PutSelected(nullptr, false);
      FTable->PutFocused(nullptr, false);
    }
  }
  try {
    EndUpdate();
  } catch (...) {
    if (!First) throw;
  }
  if (First) std::rethrow_exception(First);
}

void TOstrelItems::BeginUpdate() { ++FUpdateCount; }

void TOstrelItems::EndUpdate() {
  --FUpdateCount;
  if (FUpdateCount == 0) Relayout();
}

void TOstrelItems::Sort() {
  CheckNotSorting();
  if (FCleared > 0) {
    // Sorting from an OnDeletion handler during Clear: drop the emptied slots first.
    std::vector<void*> Live;
    for (int I = FCleared; I < FList.GetCount(); ++I) Live.push_back(FList.Get(I));
    FList.Clear();
    for (void* Item : Live) FList.Add(Item);
    FCleared = 0;
  }
  if (FTable) FTable->ItemsRearranging();
  FSorting = true;
  try {
    if (FTable && FTable->FCustomSort && FTable->FOnSortItems) {
      // A comparison may sort another control's cards; each sort keeps its own table.
      struct TRestore {
        TOstrel* Outer;
        ~TRestore() { SortingTable = Outer; }
      } Restore{std::exchange(SortingTable, FTable)};
      FList.Sort(CompareByEvent);
    } else {
      FList.Sort(CompareByText);
    }
  } catch (...) {
    FSorting = false;
    StructureChanged();
    // The comparison failed part way, after cards may have moved: they are laid out anew.
    if (FUpdateCount == 0) Relayout();
    throw;
  }
  FSorting = false;
  StructureChanged();
  if (FUpdateCount == 0) Relayout();
}

void TOstrelItems::Assign(TPersistent* Source) {
  auto* Items = dynamic_cast<TOstrelItems*>(Source);
  if (!Items) return TPersistent::Assign(Source);
  TMemoryStream Stream;
  BeginUpdate();
  try {
    Items->WriteData(&Stream);
    Stream.SetPosition(0);
    ReadData(&Stream);
    Sort();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TOstrelItems::Relayout() {
  if (FTable && !FTable->HasState(csDestroying)) FTable->RelayoutChange();
}

void TOstrelItems::CheckNotSorting() const {
  if (FSorting) throw EListError("Cards cannot be added or deleted while they are being sorted");
}

int TOstrelItems::SlotOf(const TOstrelItem* Item, int Hint) const {
  void* const* Slots = FList.GetList();
  const int Count = FList.GetCount();
  const void* Wanted = Item;
  Hint = std::clamp(Hint, 0, std::max(Count - 1, 0));
  // Both directions at once, until both ends are reached.
  for (int Below = Hint, Above = Hint + 1; Below >= 0 || Above < Count; --Below, ++Above) {
    if (Below >= 0 && Slots[Below] == Wanted) return Below;
    if (Above < Count && Slots[Above] == Wanted) return Above;
  }
  return -1;
}

void TOstrelItems::StructureChanged() {
  if (FTable) FTable->ItemsChanged();
}

void TOstrelItems::StructureChanged(int At, int Removed, int Inserted) {
  if (!FTable) return;
  if (FClearing)
    FTable->ItemsChanged();
  else
    FTable->ItemsChanged(At, Removed, Inserted);
}

}  // namespace ostrel
