// TList: a list of pointers; its sort is the quicksort of ListSort.h.
#include <utility>

#include "Classes.h"
#include "ListSort.h"

namespace vcl {

namespace {

[[noreturn]] void ListIndexError(int Index) { throw EListError(Format(Consts::SListIndexError, {Index})); }

}  // namespace

TList::~TList() = default;

int TList::Add(void* Item) {
  FItems.push_back(Item);
  return GetCount() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > GetCount()) ListIndexError(Index);
  FItems.insert(FItems.begin() + Index, Item);
}

void* TList::Get(int Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  return FItems[static_cast<size_t>(Index)];
}

void TList::Put(int Index, void* Item) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  FItems[static_cast<size_t>(Index)] = Item;
}

void TList::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  FItems.erase(FItems.begin() + Index);
}

int TList::IndexOf(void* Item) const {
  for (size_t I = 0; I < FItems.size(); ++I)
    if (FItems[I] == Item) return static_cast<int>(I);
  return -1;
}

int TList::Remove(void* Item) {
  const int Index = IndexOf(Item);
  if (Index >= 0) Delete(Index);
  return Index;
}

void* TList::First() const { return Get(0); }

void* TList::Last() const { return Get(GetCount() - 1); }

void TList::Clear() {
  FItems.clear();
  FItems.shrink_to_fit();
}

void TList::Sort(TListSortCompare Compare) { SortItems(FItems.data(), GetCount(), Compare); }

void TList::SetCapacity(int NewCapacity) {
  if (NewCapacity < GetCount()) ListIndexError(NewCapacity);
  FItems.reserve(static_cast<size_t>(NewCapacity));
}

void TList::Exchange(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= GetCount()) ListIndexError(Index1);
  if (Index2 < 0 || Index2 >= GetCount()) ListIndexError(Index2);
  std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
}

}  // namespace vcl
