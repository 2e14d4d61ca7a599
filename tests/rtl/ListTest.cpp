// TList: index errors and a quicksort that survives any comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "Classes.h"

using namespace vcl;

namespace {

void* P(std::intptr_t Value) { return reinterpret_cast<void*>(Value); }
std::intptr_t V(void* Item) { return reinterpret_cast<std::intptr_t>(Item); }

int Ascending(void* A, void* B) { return V(A) < V(B) ? -1 : V(A) > V(B) ? 1 : 0; }
int AlwaysLess(void*, void*) { return -1; }
int AlwaysGreater(void*, void*) { return 1; }
std::mt19937& Rng() {
  static std::mt19937 Engine(12345);
  return Engine;
}
int RandomAnswer(void*, void*) { return static_cast<int>(Rng()() % 3) - 1; }

std::vector<std::intptr_t> Contents(const TList& List) {
  std::vector<std::intptr_t> Result;
  for (int I = 0; I < List.GetCount(); ++I) Result.push_back(V(List.Get(I)));
  return Result;
}

}  // namespace

TEST(ListTest, AddInsertDeleteAndIndexErrors) {
  TList List;
  EXPECT_THROW(List.First(), EListError);
  EXPECT_THROW(List.Last(), EListError);
  EXPECT_EQ(List.Add(P(1)), 0);
  EXPECT_EQ(List.Add(P(3)), 1);
  List.Insert(1, P(2));
  List.Insert(3, P(4));  // Count appends
  EXPECT_THROW(List.Insert(5, P(9)), EListError);
  EXPECT_THROW(List.Insert(-1, P(9)), EListError);
  EXPECT_EQ(Contents(List), (std::vector<std::intptr_t>{1, 2, 3, 4}));
  EXPECT_THROW(List.Get(4), EListError);
  EXPECT_THROW(List.Put(-1, P(0)), EListError);
  try {
    List.Get(7);
    FAIL();
  } catch (const EListError& E) {
    EXPECT_EQ(E.Message(), "List index out of bounds (7)");
  }
  List.Put(0, P(10));
  EXPECT_EQ(V(List.First()), 10);
  EXPECT_EQ(V(List.Last()), 4);
  EXPECT_EQ(List.IndexOf(P(3)), 2);
  EXPECT_EQ(List.Remove(P(3)), 2);
  EXPECT_EQ(List.Remove(P(3)), -1);
  List.Delete(0);
  EXPECT_THROW(List.Delete(2), EListError);
  EXPECT_EQ(Contents(List), (std::vector<std::intptr_t>{2, 4}));
  List.Clear();
  EXPECT_EQ(List.GetCount(), 0);
}

TEST(ListTest, SortOrdersWithConsistentComparison) {
  for (int N : {0, 1, 2, 3, 15, 16, 17, 100, 1000}) {
    TList List;
    std::vector<std::intptr_t> Expected;
    for (int I = 0; I < N; ++I) {
      const std::intptr_t Value = static_cast<std::intptr_t>(Rng()() % 50);  // many equal keys
      List.Add(P(Value));
      Expected.push_back(Value);
    }
    List.Sort(Ascending);
    std::sort(Expected.begin(), Expected.end());
    EXPECT_EQ(Contents(List), Expected) << N;
  }
  TList Sorted, Reversed;
  for (int I = 0; I < 1000; ++I) {
    Sorted.Add(P(I));
    Reversed.Add(P(1000 - I));
  }
  Sorted.Sort(Ascending);
  Reversed.Sort(Ascending);
  const auto S = Contents(Sorted), R = Contents(Reversed);
  EXPECT_TRUE(std::is_sorted(S.begin(), S.end()));
  EXPECT_TRUE(std::is_sorted(R.begin(), R.end()));
}

// An application's comparison may contradict itself; the sort must still end and keep
// exactly the elements it was given.
// A comparison that throws after Calls answers, wherever the sort then stands, leaves every
// element in the list exactly once.
TEST(ListTest, AThrowingComparisonLosesAndDoublesNothing) {
  static int CallsLeft = 0;
  auto Throwing = [](void* A, void* B) {
    if (CallsLeft-- == 0) throw EListError("compare");
    return -Ascending(A, B);
  };
  for (const int N : {5, 16, 40, 200}) {
    for (int Calls = 0; Calls < 4 * N; Calls += 1 + Calls / 8) {
      TList List;
      for (int I = 0; I < N; ++I) List.Add(P(I));
      CallsLeft = Calls;
      try {
        List.Sort(Throwing);
      } catch (const EListError&) {
      }
      auto Items = Contents(List);
      std::sort(Items.begin(), Items.end());
      ASSERT_EQ(static_cast<int>(Items.size()), N);
      for (int I = 0; I < N; ++I)
        ASSERT_EQ(Items[static_cast<size_t>(I)], I) << "lost or doubled at size " << N << " after " << Calls << " calls";
    }
  }
}

TEST(ListTest, SortSurvivesInconsistentComparisons) {
  for (TListSortCompare Compare : {AlwaysLess, AlwaysGreater, RandomAnswer}) {
    for (int N = 0; N <= 1000; N += (N < 40 ? 1 : 97)) {
      TList List;
      for (int I = 0; I < N; ++I) List.Add(P(I));
      List.Sort(Compare);
      auto Items = Contents(List);
      ASSERT_EQ(static_cast<int>(Items.size()), N);
      std::sort(Items.begin(), Items.end());
      for (int I = 0; I < N; ++I) ASSERT_EQ(Items[static_cast<size_t>(I)], I) << "lost or duplicated at size " << N;
    }
  }
}
