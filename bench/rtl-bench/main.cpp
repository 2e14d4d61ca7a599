// Prints how long the run-time library's hot paths take at the sizes a million-card file
// brings: TList::Sort, TStringList text splitting and joining, and many tiny file reads.
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

#include "Classes.h"

using namespace vcl;

namespace {

constexpr int Million = 1000000;

template <class F>
double Seconds(F&& Work) {
  const auto Start = std::chrono::steady_clock::now();
  Work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

int ByValue(void* A, void* B) {
  const auto X = reinterpret_cast<std::uintptr_t>(A), Y = reinterpret_cast<std::uintptr_t>(B);
  return X < Y ? -1 : X > Y ? 1 : 0;
}

std::mt19937 Rng(1);
int ByCoin(void*, void*) { return static_cast<int>(Rng() % 3) - 1; }
int AlwaysLess(void*, void*) { return -1; }
int AlwaysGreater(void*, void*) { return 1; }

void BenchSort() {
  const char* Orders[] = {"random", "sorted", "reversed", "all equal"};
  for (int Order = 0; Order < 4; ++Order) {
    TList List;
    List.SetCapacity(Million);
    for (int I = 0; I < Million; ++I) {
      const std::uintptr_t Value = Order == 0 ? Rng() : Order == 1 ? I : Order == 2 ? Million - I : 7;
      List.Add(reinterpret_cast<void*>(Value));
    }
    std::printf("TList::Sort, 1,000,000 %-10s items: %7.3f s\n", Orders[Order], Seconds([&] { List.Sort(ByValue); }));
  }
  TList List;
  for (int I = 0; I < Million; ++I) List.Add(reinterpret_cast<void*>(static_cast<std::uintptr_t>(I)));
  std::printf("TList::Sort, 1,000,000 items, random answers: %7.3f s\n", Seconds([&] { List.Sort(ByCoin); }));
  std::printf("TList::Sort, 1,000,000 items, always -1:      %7.3f s\n", Seconds([&] { List.Sort(AlwaysLess); }));
  std::printf("TList::Sort, 1,000,000 items, always 1:       %7.3f s\n", Seconds([&] { List.Sort(AlwaysGreater); }));
}

void BenchStrings() {
  const AnsiString Text = "Phone=+39 06 1234567\r\nCity=Rome\r\nMail=someone@example.org\r\n";
  TStringList List;
  AnsiString Joined;
  const double Split = Seconds([&] {
    for (int I = 0; I < Million; ++I) List.SetTextStr(Text);
  });
  const double Join = Seconds([&] {
    for (int I = 0; I < Million; ++I) Joined = List.GetTextStr();
  });
  std::printf("TStringList::SetTextStr, 1,000,000 three-line texts: %7.3f s\n", Split);
  std::printf("TStringList::GetTextStr, 1,000,000 three-line texts: %7.3f s\n", Join);
}

void BenchFileReads() {
  char Name[] = "/tmp/rtl-bench-XXXXXX";
  const int Fd = mkstemp(Name);
  if (Fd < 0) return;
  close(Fd);
  constexpr long Records = Million;
  {
    TMemoryStream Memory;
    const std::int32_t Value = 200;
    const Byte Flag = 1;
    for (long I = 0; I < Records; ++I) {
      Memory.WriteBuffer(&Value, 4);
      Memory.WriteBuffer(&Flag, 1);
    }
    Memory.SaveToFile(Name);
  }
  long Sum = 0;
  const double Read = Seconds([&] {
    TFileStream Stream(Name, fmOpenRead);
    std::int32_t Value = 0;
    Byte Flag = 0;
    for (long I = 0; I < Records; ++I) {
      Stream.ReadBuffer(&Value, 4);
      Stream.ReadBuffer(&Flag, 1);
      Sum += Value + Flag;
    }
  });
  std::printf("TFileStream::ReadBuffer, 2,000,000 reads of 1 and 4 bytes: %7.3f s (checksum %ld)\n", Read, Sum);
  unlink(Name);
}

}  // namespace

int main() {
  BenchSort();
  BenchStrings();
  BenchFileReads();
}
