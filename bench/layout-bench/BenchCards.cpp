#include "BenchCards.h"

#include <algorithm>

#include "ContactGenerator.h"

namespace bench {

namespace {

constexpr int ChunkSize = 10000;
constexpr std::uint64_t Seed = 20240611;

// Calls Make(first, count) for consecutive chunks of Count.
template <class F>
void ForEachChunk(int Count, F&& Make) {
  for (int First = 0, Chunk = 0; First < Count; First += ChunkSize, ++Chunk)
    Make(static_cast<std::uint64_t>(Chunk), std::min(ChunkSize, Count - First));
}

}  // namespace

void AddCards(ostrel::TOstrelItems& Items, int Count) {
  Items.BeginUpdate();
  ForEachChunk(Count, [&](std::uint64_t Chunk, int N) { cards::GenerateContacts(Items, N, Seed + Chunk); });
  Items.EndUpdate();
}

std::vector<TPlainCard> PlainCards(int Count) {
  std::vector<TPlainCard> Cards;
  Cards.reserve(static_cast<std::size_t>(Count));
  ostrel::TOstrel Scratch(nullptr);
  ostrel::TOstrelItems& Items = *Scratch.GetItems();
  ForEachChunk(Count, [&](std::uint64_t Chunk, int N) {
    cards::GenerateContacts(Items, N, Seed + Chunk);
    for (int I = 0; I < Items.GetCount(); ++I) {
      const ostrel::TOstrelItem* Item = Items[I];
      TPlainCard& Card = Cards.emplace_back();
      Card.Caption = Item->GetText();
      for (int L = 0; L < Item->GetSubItems()->GetCount(); ++L) Card.Lines.push_back(Item->GetSubItems()->Get(L));
    }
    Items.Clear();
  });
  return Cards;
}

}  // namespace bench
