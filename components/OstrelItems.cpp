// The card list: adding, deleting, clearing, batches and sorting.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

#include "Forms.h"
#include "Ostrel.h"
#include "OstrelTextOrder.h"

namespace ostrel {

namespace {

// The control whose cards the application's comparison is sorting. TList::Sort takes a
// comparison without context, so CompareByEvent finds the control here.
TOstrel* SortingTable = nullptr;

// Whether no card compares above the next, so that the list already is in an order a sort
// may give (cards that compare equal may end in any order): a list kept in order, as a file
// saved sorted, is then only looked over. A pair out of order ends the look at once.
bool InOrder(const TList& List, TListSortCompare Compare) {
  for (int I = 1; I < List.GetCount(); ++I)
    if (Compare(List.Get(I - 1), List.Get(I)) > 0) return false;
  return true;
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
  ReleaseArena();
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
  Item->FSubItems.ReplaceEntry(0, S);
  Item->SetData(Data);
  return Attach(std::move(Item), Index);
}

TOstrelItem* TOstrelItems::Attach(std::unique_ptr<TOstrelItem> Item, int Index) {
  CheckNotSorting();
  Item->FAttached = true;
  Item->RememberSlot(FCleared + Index);
  if (Index == GetCount())
    FList.Add(Item.get());
  else
    FList.Insert(FCleared + Index, Item.get());
  TOstrelItem* Result = Item.release();
  StructureChanged(Index, 0, 1);
  if (GetCount() == 1 && FTable) FTable->FSelection.PutFocused(Result, false);
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
  if (FTable) FTable->FLayout.ItemsRearranging();
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
    ReleaseArena();
    StructureChanged();
    if (FTable) {
      FTable->FSelection.PutSelected(nullptr, false);
      FTable->FSelection.PutFocused(nullptr, false);
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

void TOstrelItems::Sort() { SortCards(nullptr); }

void TOstrelItems::SortCards(std::vector<TTextKey>* TextKeys) {
  CheckNotSorting();
  if (FCleared > 0) {
    // Sorting from an OnDeletion handler during Clear: drop the emptied slots first.
    std::vector<void*> Live;
    for (int I = FCleared; I < FList.GetCount(); ++I) Live.push_back(FList.Get(I));
    FList.Clear();
    for (void* Item : Live) FList.Add(Item);
    FCleared = 0;
  }
  if (FTable) FTable->FLayout.ItemsRearranging();
  FSorting = true;
  try {
    if (FTable && FTable->FOnItemSortKey) {
      SortByItemKeys();
    } else if (FTable && FTable->FCustomSort && FTable->FOnSortItems) {
      // A comparison may sort another control's cards; each sort keeps its own table.
      struct TRestore {
        TOstrel* Outer;
        ~TRestore() { SortingTable = Outer; }
      } Restore{std::exchange(SortingTable, FTable)};
      if (!InOrder(FList, CompareByEvent)) FList.Sort(CompareByEvent);
    } else {
      SortByText(TextKeys);
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

// The texts are read once into keys, which are sorted on their own; the cards then take
// the order of their keys.
void TOstrelItems::SortByText(std::vector<TTextKey>* Known) {
  const int Count = FList.GetCount();
  void* const* Slots = FList.GetList();
  std::vector<TTextKey> Read;
  std::vector<TTextKey>& Keys = Known && Known->size() == static_cast<std::size_t>(Count) ? *Known : Read;
  if (&Keys == &Read) {
    Read.reserve(static_cast<std::size_t>(Count));
    for (int I = 0; I < Count; ++I) {
      PrefetchAhead(Slots, I, Count);
      Read.push_back(KeyOf(static_cast<const TOstrelItem*>(Slots[I])->FSubItems.Entry(0), static_cast<std::uint32_t>(I)));
    }
  }
  SortKeys(Keys);
  TakeOrderOf(Keys);
}

void TOstrelItems::TakeOrderOf(const std::vector<TTextKey>& Keys) {
  void* const* Slots = FList.GetList();
  const std::size_t Count = Keys.size();
  std::vector<void*> Sorted(Count);
  for (std::size_t I = 0; I < Count; ++I) Sorted[I] = Slots[Keys[I].Slot];
  for (std::size_t I = 0; I < Count; ++I) FList.Put(static_cast<int>(I), Sorted[I]);
}

// The copies are made before this list is cleared: the source may be this list, and the
// OnDeletion handlers that the clearing runs must not change what is copied. The result
// is what writing the source as a card stream and reading it back gives.
void TOstrelItems::Assign(TPersistent* Source) {
  auto* Items = dynamic_cast<TOstrelItems*>(Source);
  if (!Items) return TPersistent::Assign(Source);
  TCardArena Fresh;  // outlives the copies, whose strings it holds until they are attached
  std::vector<std::unique_ptr<TOstrelItem>> Copies;
  Copies.reserve(static_cast<std::size_t>(Items->GetCount()));
  std::vector<std::string_view> Lines;
  const int Count = Items->GetCount();
  std::vector<TTextKey> TextKeys;
  TextKeys.reserve(static_cast<std::size_t>(Count));
  void* const* Slots = Items->FList.GetList() + Items->FCleared;
  for (int I = 0; I < Count; ++I) {
    PrefetchAhead(Slots, I, Count);
    Copies.push_back(std::make_unique<TOstrelItem>(this));
    Copies.back()->CopyStoredFields(*static_cast<const TOstrelItem*>(Slots[I]), Fresh, Lines);
    // The copy's text is at hand now; the sort would fetch it again from all over the heap.
    TextKeys.push_back(KeyOf(Copies.back()->FSubItems.Entry(0), static_cast<std::uint32_t>(I)));
  }
  const TUpdateGuard Batch(*this);
  Clear();
  FArena.Adopt(std::move(Fresh));
  AttachAll(Copies);
  // The list now holds exactly the copies, in the order of their keys' slots.
  SortCards(&TextKeys);
}

void TOstrelItems::AttachAll(std::vector<std::unique_ptr<TOstrelItem>>& Cards) {
  CheckNotSorting();
  if (Cards.empty()) return;
  const bool WasEmpty = GetCount() == 0;
  FList.SetCapacity(FList.GetCount() + static_cast<int>(Cards.size()));
  for (auto& Card : Cards) {
    Card->FAttached = true;
    Card->RememberSlot(FList.GetCount());
    FList.Add(Card.release());
  }
  Cards.clear();
  StructureChanged();
  if (WasEmpty && FTable) FTable->FSelection.PutFocused(GetItemFromIndex(0), false);
}

void TOstrelItems::ReleaseArena() noexcept {
  try {
    for (TOstrelItem* Item : FUnlinking) Item->FSubItems.LeaveArena();
  } catch (...) {
    // No room to move their strings: the arena stays, for ever rather than too short.
    (new TCardArena)->Adopt(std::move(FArena));
    return;
  }
  FArena.Release();
}

// The cards lie scattered over the heap: each is asked for a few steps ahead, and its
// block a little later.
void TOstrelItems::PrefetchAhead(void* const* Slots, int I, int Count) {
  constexpr int CardAhead = 16, BlockAhead = 8;
  auto Card = [&](int At) { return static_cast<const TOstrelItem*>(Slots[At]); };
  if (I + CardAhead < Count) Card(I + CardAhead)->FSubItems.PrefetchCount();
  if (I + BlockAhead < Count) Card(I + BlockAhead)->FSubItems.PrefetchBlock();
}

void TOstrelItems::Relayout() {
  if (FTable && !FTable->HasState(csDestroying)) FTable->RelayoutChange();
}

void TOstrelItems::CheckNotSorting() const {
  if (FSorting) throw EListError(CardsChangedWhileSorting);
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
  if (FTable) FTable->FLayout.ItemsChanged();
}

void TOstrelItems::StructureChanged(int At, int Removed, int Inserted) {
  if (!FTable) return;
  if (FClearing)
    FTable->FLayout.ItemsChanged();
  else
    FTable->FLayout.ItemsChanged(At, Removed, Inserted);
}

}  // namespace ostrel
