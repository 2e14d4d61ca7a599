// Packed string-list lines: the block's growth and the moves that insert, replace and erase.
#include "LineBlock.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace vcl {

namespace detail {

namespace {

constexpr std::size_t MaxBytes = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t MaxLines = std::numeric_limits<int>::max();

std::size_t LineStart(const TLineBlock& Block, int Index) { return Index == 0 ? 0 : Block.Ends()[Index - 1]; }

// Room for Needed, growing by half at least so that adding line by line stays linear.
std::size_t Grown(std::size_t Capacity, std::size_t Needed, std::size_t Limit) {
  if (Needed > Limit) throw EOutOfMemory(Consts::SOutOfMemory);
  if (Needed <= Capacity) return Capacity;
  return std::min(Limit, std::max(Needed, Capacity + Capacity / 2));
}

// Makes sure Block can take one more line (when Lines says so) and Extra more bytes.
void Reserve(TLineBlockPtr& Block, int Count, std::size_t AddedLines, std::size_t ExtraBytes) {
  const std::size_t LineRoom = static_cast<std::size_t>(LineCapacity(Block.get()));
  const std::size_t ByteRoom = Block ? Block->ByteCapacity : 0;
  const std::size_t Lines = Grown(LineRoom, static_cast<std::size_t>(Count) + AddedLines, MaxLines);
  const std::size_t Bytes = Grown(ByteRoom, ByteCount(Block.get(), Count) + ExtraBytes, MaxBytes);
  if (Lines != LineRoom || Bytes != ByteRoom) Block = Resized(Block.get(), Count, Lines, Bytes);
}

}  // namespace

int LineCapacity(const TLineBlock* Block) { return Block ? static_cast<int>(Block->LineCapacity) : 0; }

std::size_t ByteCount(const TLineBlock* Block, int Count) { return Count == 0 ? 0 : Block->Ends()[Count - 1]; }

std::string_view LineAt(const TLineBlock* Block, int Index) {
  const std::size_t Start = LineStart(*Block, Index);
  return std::string_view(Block->Bytes() + Start, Block->Ends()[Index] - Start);
}

TLineBlockPtr Resized(const TLineBlock* Block, int Count, std::size_t Lines, std::size_t Bytes) {
  if (Lines > MaxLines || Bytes > MaxBytes) throw EOutOfMemory(Consts::SOutOfMemory);
  if (Lines == 0 && Bytes == 0) return nullptr;
  void* Memory = std::malloc(sizeof(TLineBlock) + Lines * sizeof(std::uint32_t) + Bytes);
  if (!Memory) throw std::bad_alloc();
  TLineBlockPtr Result(new (Memory) TLineBlock{static_cast<std::uint32_t>(Lines), static_cast<std::uint32_t>(Bytes)});
  if (Count > 0) {
    std::memcpy(Result->Ends(), Block->Ends(), static_cast<std::size_t>(Count) * sizeof(std::uint32_t));
    std::memcpy(Result->Bytes(), Block->Bytes(), ByteCount(Block, Count));
  }
  return Result;
}

void InsertLine(TLineBlockPtr& Block, int Count, int Index, std::string_view S) {
  Reserve(Block, Count, 1, S.size());
  std::uint32_t* Ends = Block->Ends();
  char* Bytes = Block->Bytes();
  const std::size_t Start = LineStart(*Block, Index);
  std::memmove(Bytes + Start + S.size(), Bytes + Start, ByteCount(Block.get(), Count) - Start);
  if (!S.empty()) std::memcpy(Bytes + Start, S.data(), S.size());
  for (int I = Count; I > Index; --I) Ends[I] = Ends[I - 1] + static_cast<std::uint32_t>(S.size());
  Ends[Index] = static_cast<std::uint32_t>(Start + S.size());
}

void ReplaceLine(TLineBlockPtr& Block, int Count, int Index, std::string_view S) {
  const std::size_t Old = LineAt(Block.get(), Index).size();
  if (S.size() > Old) Reserve(Block, Count, 0, S.size() - Old);
  std::uint32_t* Ends = Block->Ends();
  char* Bytes = Block->Bytes();
  const std::size_t Start = LineStart(*Block, Index);
  std::memmove(Bytes + Start + S.size(), Bytes + Start + Old, ByteCount(Block.get(), Count) - Start - Old);
  if (!S.empty()) std::memcpy(Bytes + Start, S.data(), S.size());
  // Unsigned arithmetic wraps, so adding the difference works for shorter lines too.
  const std::uint32_t Delta = static_cast<std::uint32_t>(S.size() - Old);
  for (int I = Index; I < Count; ++I) Ends[I] += Delta;
}

void EraseLine(TLineBlock& Block, int Count, int Index) {
  std::uint32_t* Ends = Block.Ends();
  char* Bytes = Block.Bytes();
  const std::size_t Start = LineStart(Block, Index);
  const std::uint32_t Length = Ends[Index] - static_cast<std::uint32_t>(Start);
  std::memmove(Bytes + Start, Bytes + Ends[Index], ByteCount(&Block, Count) - Ends[Index]);
  for (int I = Index; I + 1 < Count; ++I) Ends[I] = Ends[I + 1] - Length;
}

}  // namespace detail

void detail::TFreeLineBlock::operator()(TLineBlock* Block) const { std::free(Block); }

}  // namespace vcl
