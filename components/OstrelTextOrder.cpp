// Sorting texts by their bytes. The keys are first dealt into buckets by their leading
// bytes, a pass that reads them in order; each bucket is then small enough to be sorted by
// comparisons inside the processor's cache. Sorting a million keys by comparisons alone
// sweeps the whole array some twenty times.

#include "OstrelTextOrder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <utility>

namespace ostrel {

namespace {

std::uint64_t BigEndianWord(const char* Bytes, std::size_t Length) {
  // Eight bytes at hand are one load; the copy of fewer would be a call.
  if (Length >= 8 && std::endian::native == std::endian::little) {
    std::uint64_t Value;
    std::memcpy(&Value, Bytes, 8);
    return __builtin_bswap64(Value);
  }
  unsigned char Word[8] = {};
  std::memcpy(Word, Bytes, std::min<std::size_t>(Length, 8));
  std::uint64_t Value = 0;
  for (unsigned char B : Word) Value = Value << 8 | B;
  return Value;
}

// Buckets this small are sorted by comparisons.
constexpr std::size_t BucketSorted = 32;

// The byte of the text at Byte (below TTextKey::Known), zero past its end. Keys with a
// smaller byte there have a smaller text: the bytes before are the same, and a text that
// ends there compares below every longer one.
unsigned ByteAt(const TTextKey& Key, std::uint32_t Byte) {
  return static_cast<unsigned>(Key.Word[Byte / 8] >> (56 - 8 * (Byte % 8))) & 0xFF;
}

// The first two bytes, for the first pass over a long list: one pass deals it into
// buckets small enough to stay in the cache.
unsigned FirstTwoBytes(const TTextKey& Key) { return static_cast<unsigned>(Key.Word[0] >> 48); }

void SortByComparing(TTextKey* Keys, std::size_t Count) {
  std::sort(Keys, Keys + Count, [](const TTextKey& A, const TTextKey& B) { return CompareKeys(A, B) < 0; });
}

void SortFrom(TTextKey* Keys, TTextKey* Spare, std::size_t Count, std::uint32_t Byte);

// Deals Keys[0..Count) into Spare by Digit (below Buckets, counted in Counts), sorts each
// bucket from NextByte on, and puts the result back into Keys.
template <std::size_t Buckets, class TDigit>
void DealAndSort(TTextKey* Keys, TTextKey* Spare, std::size_t Count, std::size_t* Counts, TDigit Digit,
                 std::uint32_t NextByte) {
  std::size_t Sum = 0;
  for (std::size_t D = 0; D < Buckets; ++D) Sum += std::exchange(Counts[D], Sum);
  for (std::size_t I = 0; I < Count; ++I) Spare[Counts[Digit(Keys[I])]++] = Keys[I];
  // Counts now holds each bucket's end.
  std::size_t Begin = 0;
  for (std::size_t D = 0; D < Buckets; ++D) {
    const std::size_t End = Counts[D];
    if (End - Begin > 1) SortFrom(Spare + Begin, Keys + Begin, End - Begin, NextByte);
    std::copy(Spare + Begin, Spare + End, Keys + Begin);
    Begin = End;
  }
}

// Sorts Keys[0..Count), whose texts share their first Byte bytes, using Spare (as long) as
// room to deal them into; the result ends in Keys.
void SortFrom(TTextKey* Keys, TTextKey* Spare, std::size_t Count, std::uint32_t Byte) {
  // Namesakes make buckets of equal texts, which no byte would ever deal.
  if (std::all_of(Keys + 1, Keys + Count, [&](const TTextKey& Key) { return CompareKeys(Key, Keys[0]) == 0; }))
    return;
  std::size_t Counts[256];
  // A byte that all the keys share deals nothing: the next one is looked at.
  for (;; ++Byte) {
    if (Count <= BucketSorted || Byte >= TTextKey::Known) return SortByComparing(Keys, Count);
    std::fill(std::begin(Counts), std::end(Counts), 0);
    for (std::size_t I = 0; I < Count; ++I) ++Counts[ByteAt(Keys[I], Byte)];
    if (std::find(std::begin(Counts), std::end(Counts), Count) == std::end(Counts)) break;
  }
  DealAndSort<256>(Keys, Spare, Count, Counts, [Byte](const TTextKey& Key) { return ByteAt(Key, Byte); }, Byte + 1);
}

}  // namespace

TTextKey KeyOf(std::string_view Text, std::uint32_t Slot) {
  const std::size_t Length = Text.size();
  TTextKey Key{{}, Text.data(), static_cast<std::uint32_t>(Length), Slot};
  for (std::size_t W = 0; W < TTextKey::Words && W * 8 < Length; ++W)
    Key.Word[W] = BigEndianWord(Text.data() + W * 8, Length - W * 8);
  return Key;
}

int CompareKeys(const TTextKey& A, const TTextKey& B) {
  for (std::size_t W = 0; W < TTextKey::Words; ++W)
    if (A.Word[W] != B.Word[W]) return A.Word[W] < B.Word[W] ? -1 : 1;
  constexpr std::uint32_t Known = TTextKey::Known;
  if (A.Length > Known && B.Length > Known) {
    const int Rest = std::memcmp(A.Bytes + Known, B.Bytes + Known, std::min(A.Length, B.Length) - Known);
    if (Rest != 0) return Rest < 0 ? -1 : 1;
  }
  return A.Length == B.Length ? 0 : (A.Length < B.Length ? -1 : 1);
}

void SortKeys(std::vector<TTextKey>& Keys) {
  const std::size_t Count = Keys.size();
  if (Count <= BucketSorted) return SortByComparing(Keys.data(), Count);
  const auto Spare = std::make_unique_for_overwrite<TTextKey[]>(Count);
  // A long list is dealt by two bytes at once: by one, its buckets would still be too large
  // to stay in the cache.
  constexpr std::size_t ByTwoBytes = std::size_t{1} << 16;
  if (Count < ByTwoBytes) return SortFrom(Keys.data(), Spare.get(), Count, 0);
  std::vector<std::size_t> Counts(ByTwoBytes);
  for (const TTextKey& Key : Keys) ++Counts[FirstTwoBytes(Key)];
  DealAndSort<ByTwoBytes>(Keys.data(), Spare.get(), Count, Counts.data(), FirstTwoBytes, 2);
}

}  // namespace ostrel
