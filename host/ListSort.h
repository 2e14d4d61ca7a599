#pragma once
// The list's quicksort as a template, so that a caller sorting its own records (a key per
// item, say) gets exactly the order TList::Sort gives for the same comparison answers:
// the algorithm decides only by what Compare answers, so the same answers make the same
// moves, ties included.

#include <utility>

namespace vcl::sorting {

// Short ranges: insertion sort. The inner loop stops at the range's start whatever
// Compare answers, so it ends and keeps every element; the element being placed is put
// back before an exception from Compare leaves, so that nothing is lost or doubled.
template <class T, class TCompare>
void InsertionSort(T* Items, int Lo, int Hi, TCompare& Compare) {
  for (int I = Lo + 1; I <= Hi; ++I) {
    T Item = std::move(Items[I]);
    int J = I;
    try {
      while (J > Lo && Compare(Items[J - 1], Item) > 0) {
        Items[J] = std::move(Items[J - 1]);
        --J;
      }
    } catch (...) {
      Items[J] = std::move(Item);
      throw;
    }
    Items[J] = std::move(Item);
  }
}

// Heapsort: every index it touches is computed from the range's size, so any Compare is
// safe, and it needs O(n log n) comparisons whatever Compare answers.
template <class T, class TCompare>
void HeapSort(T* Items, int Count, TCompare& Compare) {
  using std::swap;
  auto SiftDown = [&](int Root, int Size) {
    for (;;) {
      int Child = 2 * Root + 1;
      if (Child >= Size) return;
      if (Child + 1 < Size && Compare(Items[Child], Items[Child + 1]) < 0) ++Child;
      if (Compare(Items[Root], Items[Child]) >= 0) return;
      swap(Items[Root], Items[Child]);
      Root = Child;
    }
  };
  for (int I = Count / 2 - 1; I >= 0; --I) SiftDown(I, Count);
  for (int End = Count - 1; End > 0; --End) {
    swap(Items[0], Items[End]);
    SiftDown(0, End);
  }
}

// Hoare quicksort with a median-of-three pivot copied out of the array. Every scan is
// bounded by the range, elements only move by swaps, and each pass leaves two strictly
// smaller ranges, so an inconsistent Compare can spoil the order but nothing else. A
// comparison that keeps the partitions lopsided (always -1) runs out of depth and the
// rest goes to HeapSort, so the sort stays O(n log n).
template <class T, class TCompare>
void QuickSort(T* Items, int Lo, int Hi, TCompare& Compare, int DepthLimit) {
  using std::swap;
  constexpr int SmallRange = 16;
  while (Hi - Lo >= SmallRange) {
    if (DepthLimit-- == 0) return HeapSort(Items + Lo, Hi - Lo + 1, Compare);
    const int Mid = Lo + (Hi - Lo) / 2;
    if (Compare(Items[Mid], Items[Lo]) < 0) swap(Items[Mid], Items[Lo]);
    if (Compare(Items[Hi], Items[Mid]) < 0) {
      swap(Items[Hi], Items[Mid]);
      if (Compare(Items[Mid], Items[Lo]) < 0) swap(Items[Mid], Items[Lo]);
    }
    const T Pivot = Items[Mid];
    int I = Lo, J = Hi;
    do {
      while (I <= Hi && Compare(Items[I], Pivot) < 0) ++I;
      while (J >= Lo && Compare(Items[J], Pivot) > 0) --J;
      if (I <= J) {
        swap(Items[I], Items[J]);
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

}  // namespace vcl::sorting

namespace vcl {

// Sorts Count items as TList::Sort does (quicksort, not stable); Compare(A, B) answers
// below 0, 0 or above 0. Any answers are safe: the sort ends and keeps every item.
template <class T, class TCompare>
void SortItems(T* Items, int Count, TCompare Compare) {
  int DepthLimit = 0;
  for (int N = Count; N > 1; N >>= 1) DepthLimit += 2;
  if (Count > 1) sorting::QuickSort(Items, 0, Count - 1, Compare, DepthLimit);
}

}  // namespace vcl
