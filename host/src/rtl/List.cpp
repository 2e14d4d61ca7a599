// TList: a list of pointers, and its quicksort.
#include <utility>

#include "Classes.h"

namespace vcl {

namespace {

[[noreturn]] void ListIndexError(int Index) { throw EListError(Format(Consts::SListIndexError, {Index})); }

// Short ranges: insertion sort. The inner loop stops at the range's start whatever
// Compare answers, so it ends and keeps every element; the element being placed is put
// back before an exception from Compare leaves, so that nothing is lost or doubled.
void InsertionSort(void** Items, int Lo, int Hi, TListSortCompare Compare) {
  for (int I = Lo + 1; I <= Hi; ++I) {
    void* Item = Items[I];
    int J = I;
    try {
      while (J > Lo && Compare(Items[J - 1], Item) > 0) {
        Items[J] = Items[J - 1];
        --J;
      }
    } catch (...) {
      Items[J] = Item;
      throw;
    }
    Items[J] = Item;
  }
}

// Heapsort: every index it touches is computed from the range's size, so any Compare is
// safe, and it needs O(n log n) comparisons whatever Compare answers.
void HeapSort(void** Items, int Count, TListSortCompare Compare) {
  auto SiftDown = [&](int Root, int Size) {
    for (;;) {
      int Child = 2 * Root + 1;
      if (Child >= Size) return;
      if (Child + 1 < Size && Compare(Items[Child], Items[Child + 1]) < 0) ++Child;
      if (Compare(Items[Root], Items[Child]) >= 0) return;
      std::swap(Items[Root], Items[Child]);
      Root = Child;
    }
  };
  for (int I = Count / 2 - 1; I >= 0; --I) SiftDown(I, Count);
  for (int End = Count - 1; End > 0; --End) {
    std::swap(Items[0], Items[End]);
    SiftDown(0, End);
  }
}

// Hoare quicksort with a median-of-three pivot copied out of the array. Every scan is
// bounded by the range, elements only move by swaps, and each pass leaves two strictly
// smaller ranges, so an inconsistent Compare can spoil the order but nothing else. A
// comparison that keeps the partitions lopsided (always -1) runs out of depth and the
// rest goes to HeapSort, so the sort stays O(n log n).
void QuickSort(void** Items, int Lo, int Hi, TListSortCompare Compare, int DepthLimit) {
  constexpr int SmallRange = 16;
  while (Hi - Lo >= SmallRange) {
    if (DepthLimit-- == 0) return HeapSort(Items + Lo, Hi - Lo + 1, Compare);
    const int Mid = Lo + (Hi - Lo) / 2;
    if (Compare(Items[Mid], Items[Lo]) < 0) std::swap(Items[Mid], Items[Lo]);
    if (Compare(Items[Hi], Items[Mid]) < 0) {
      std::swap(Items[Hi], Items[Mid]);
      if (Compare(Items[Mid], Items[Lo]) < 0) std::swap(Items[Mid], Items[Lo]);
    }
    void* const Pivot = Items[Mid];
    int I = Lo, J = Hi;
    do {
      while (I <= Hi && Compare(Items[I], Pivot) < 0) ++I;
      while (J >= Lo && Compare(Items[J], Pivot) > 0) --J;
      if (I <= J) {
        std::swap(Items[I], Items[J]);
        ++I;
        --J;
      }
    } while (I <= J);
    // Only an inconsistent Compare can leave a side as large as the whole range.
    if (J >= Hi) J = Hi - 1;
    if (I <= Lo) I = Lo + 1;
    // Recurse into the smaller side, loop on the larger: the stack stays logarithmic.
    if (J - Lo < Hi - I) {
      QuickSort(Items, Lo, J, Compare, DepthLimit);
      Lo = I;
    } else {
      QuickSort(Items, I, Hi, Compare, DepthLimit);
      Hi = J;
    }
  }
  if (Lo < Hi) InsertionSort(Items, Lo, Hi, Compare);
}

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

void TList::Sort(TListSortCompare Compare) {
  int DepthLimit = 0;
  for (int N = GetCount(); N > 1; N >>= 1) DepthLimit += 2;
  if (GetCount() > 1) QuickSort(FItems.data(), 0, GetCount() - 1, Compare, DepthLimit);
}

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
