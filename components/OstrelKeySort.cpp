// Sorting by the keys of OnItemSortKey: each card's key is made once, and the keys are
// sorted as bytes. A sort that compares in the user's language costs some twenty
// comparisons per card among a million, each collating two texts from scattered cards;
// a key costs one collation per card, and comparing keys is comparing bytes.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "Ostrel.h"
#include "OstrelTextOrder.h"

namespace ostrel {

void TOstrelItems::ItemSortKey(TOstrelItem* Item, AnsiString& Key) {
  Key.clear();
  const int Count = FList.GetCount();
  // The handler's Add or Delete is refused as it is during a sort by comparison; a plain
  // delete of a card, which cannot be refused, is found by the count.
  struct TRestore {
    bool& Sorting;
    bool Was;
    ~TRestore() { Sorting = Was; }
  } Restore{FSorting, std::exchange(FSorting, true)};
  FTable->GetOnItemSortKey()(FTable, Item, Key);
  if (FList.GetCount() != Count) throw EListError(CardsChangedWhileSorting);
}

// The keys go one after another into one block; nothing moves until every key is made,
// so a handler that fails leaves the cards as they were. The keys are gone when the sort
// returns.
void TOstrelItems::SortByItemKeys() {
  const int Count = FList.GetCount();
  AnsiString Block, Key;
  std::vector<std::size_t> Ends;
  Ends.reserve(static_cast<std::size_t>(Count));
  bool InOrder = true;
  void* const* Slots = FList.GetList();
  for (int I = 0; I < Count; ++I) {
    PrefetchAhead(Slots, I, Count);  // a handler reads the card's strings
    ItemSortKey(static_cast<TOstrelItem*>(Slots[I]), Key);
    // A list kept in order, as a file saved sorted, needs no sort after its keys.
    const std::size_t Begin = Ends.empty() ? 0 : Ends.back();
    if (InOrder && I > 0) {
      const std::size_t PreviousBegin = Ends.size() > 1 ? Ends[Ends.size() - 2] : 0;
      InOrder = std::string_view(Block).substr(PreviousBegin, Begin - PreviousBegin) <= std::string_view(Key);
    }
    Block += Key;
    Ends.push_back(Block.size());
  }
  if (InOrder) return;
  std::vector<TTextKey> Keys;
  Keys.reserve(static_cast<std::size_t>(Count));
  for (std::size_t I = 0, Begin = 0; I < Ends.size(); Begin = Ends[I++])
    Keys.push_back(KeyOf(std::string_view(Block).substr(Begin, Ends[I] - Begin), static_cast<std::uint32_t>(I)));
  std::vector<std::size_t>().swap(Ends);
  SortKeys(Keys);
  TakeOrderOf(Keys);
}

int TOstrel::FirstCardByKey(char Letter) {
  // The letter's key is that of a card captioned with it alone, a card of no list: the
  // handler's Delete of it does nothing.
  const auto Probe = std::make_unique<TOstrelItem>(FItems.get());
  Probe->SetText(UpperCase(AnsiString(1, Letter)));
  Probe->FDeleting = true;
  AnsiString Wanted, Key;
  FItems->ItemSortKey(Probe.get(), Wanted);
  auto Below = [&](int Index) {
    FItems->ItemSortKey(FItems->GetItemFromIndex(Index), Key);
    return std::string_view(Key) < std::string_view(Wanted);
  };
  const int Count = FItems->GetCount();
  // A sorted list stands in the order of its keys: a few keys find the place.
  if (FSorted) {
    int Low = 0, High = Count;
    while (Low < High) {
      const int Middle = Low + (High - Low) / 2;
      if (Below(Middle))
        Low = Middle + 1;
      else
        High = Middle;
    }
    return Low < Count ? Low : -1;
  }
  for (int I = 0; I < Count; ++I)
    if (!Below(I)) return I;
  return -1;
}

}  // namespace ostrel
