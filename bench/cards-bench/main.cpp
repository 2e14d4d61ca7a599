// cards-bench: time to load, sort by text, copy (Assign) and save generated contact cards,
// the time to read and parse the same file into plain strings ("parse"), and the heap bytes
// one loaded card takes, strings included. The cards in the generator's order are sorted by
// their captions in the user's language twice: through OnSortItems with AnsiCompareText
// ("sort-compare") and by collation keys ("sort-keys", with the key bytes per card); run it
// with LANG set to a language (de_DE.UTF-8), or the C locale's order is measured.
//   cards-bench [N | --sizes 10000,100000,1000000] [--dir DIR]
// `cards-bench 10000000` measures ten million cards alone (about 6 GB of memory at its peak).

#include <malloc.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "ContactGenerator.h"
#include "Ostrel.h"
#include "PlainParse.h"

using namespace ostrel;

namespace {

constexpr int Repeats = 3;  // the best of a few runs: the machine is shared

double BestMilliseconds(const std::function<void()>& Prepare, const std::function<void()>& Run) {
  double Best = 1e300;
  for (int I = 0; I < Repeats; ++I) {
    Prepare();
    const auto Start = std::chrono::steady_clock::now();
    Run();
    const std::chrono::duration<double, std::milli> Elapsed = std::chrono::steady_clock::now() - Start;
    Best = std::min(Best, Elapsed.count());
  }
  return Best;
}

// Heap blocks and the large allocations malloc maps on their own (the list of card
// pointers, arena chunks): both are memory the cards take.
std::size_t HeapInUse() {
  const struct mallinfo2 Info = mallinfo2();
  return Info.uordblks + Info.hblkhd;
}

void Line(const char* Operation, int Cards, double Ms, const std::string& BytesPerCard = "") {
  std::printf("%s,%d,%.1f,%s\n", Operation, Cards, Ms, BytesPerCard.c_str());
  std::fflush(stdout);
}

void Measure(int Count, const std::filesystem::path& Dir) {
  const std::string File = (Dir / ("cards-" + std::to_string(Count) + ".cards")).string();
  TOstrel Source(nullptr);
  cards::GenerateContacts(*Source.GetItems(), Count, 2024);

  Line("save", Count, BestMilliseconds([] {}, [&] { Source.SaveToFile(File); }));

  std::vector<TPlainCard> Plain;
  Line("parse", Count, BestMilliseconds([&] { Plain = {}; }, [&] { Plain = ParseCardFilePlainly(File); }));
  Plain = {};

  auto Loaded = std::make_unique<TOstrel>(nullptr);
  Line("load", Count,
       BestMilliseconds([&] { Loaded->GetItems()->Clear(); }, [&] { Loaded->LoadFromFile(File); }));

  // Heap taken by the cards alone: a fresh control, measured around one load.
  Loaded.reset();
  auto Measured = std::make_unique<TOstrel>(nullptr);
  malloc_trim(0);
  const std::size_t Before = HeapInUse();
  Measured->LoadFromFile(File);
  const std::size_t After = HeapInUse();
  Line("memory", Count, 0.0, std::to_string((After - Before) / static_cast<std::size_t>(Count)));
  Measured.reset();

  TOstrel Sorted(nullptr);
  Line("sort", Count,
       BestMilliseconds([&] { Sorted.LoadFromFile(File); }, [&] { Sorted.GetItems()->Sort(); }));

  TOstrel ByLanguage(nullptr);
  ByLanguage.SetCustomSort(true);
  ByLanguage.SetOnSortItems([](TObject*, TOstrelItem* Item1, TOstrelItem* Item2, int& Result) {
    Result = AnsiCompareText(Item1->GetText(), Item2->GetText());
  });
  Line("sort-compare", Count,
       BestMilliseconds([&] { ByLanguage.LoadFromFile(File); }, [&] { ByLanguage.GetItems()->Sort(); }));
  std::size_t KeyBytes = 0;
  TAnsiTextKeys Keys;
  TOstrel ByKeys(nullptr);
  ByKeys.SetOnItemSortKey([&](TObject*, TOstrelItem* Item, AnsiString& Key) {
    Keys.AppendKey(Item->GetText(), Key);
    KeyBytes += Key.size();
  });
  auto LoadUnsorted = [&] {
    ByKeys.LoadFromFile(File);
    KeyBytes = 0;
  };
  const double KeysMs = BestMilliseconds(LoadUnsorted, [&] { ByKeys.GetItems()->Sort(); });
  Line("sort-keys", Count, KeysMs, std::to_string(KeyBytes / static_cast<std::size_t>(Count)));

  TOstrel Copy(nullptr);
  Line("assign", Count,
       BestMilliseconds([&] { Copy.GetItems()->Clear(); }, [&] { Copy.SetTableItems(Source.GetItems()); }));
  std::filesystem::remove(File);
}

std::vector<int> ParseSizes(const std::string& Text) {
  std::vector<int> Sizes;
  std::stringstream In(Text);
  for (std::string Part; std::getline(In, Part, ',');) Sizes.push_back(std::stoi(Part));
  return Sizes;
}

}  // namespace

int main(int Argc, char** Argv) {
  std::vector<int> Sizes = {10000, 100000, 1000000};
  std::filesystem::path Dir = std::filesystem::temp_directory_path();
  int First = 1;
  if (Argc > 1 && std::isdigit(static_cast<unsigned char>(Argv[1][0]))) Sizes = ParseSizes(Argv[First++]);
  for (int I = First; I < Argc; I += 2) {
    const std::string Option = Argv[I];
    if (Option == "--sizes" && I + 1 < Argc)
      Sizes = ParseSizes(Argv[I + 1]);
    else if (Option == "--dir" && I + 1 < Argc)
      Dir = Argv[I + 1];
    else {
      std::fprintf(stderr, "usage: cards-bench [N | --sizes N,N,...] [--dir DIR]\n");
      return 2;
    }
  }
  std::printf("operation,cards,ms,bytes_per_card\n");
  for (int Count : Sizes) Measure(Count, Dir);
  return 0;
}
