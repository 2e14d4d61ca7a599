#pragma once
// The lines of a string list packed into one allocation: a small header, the end offset of
// every line, then the bytes of all lines one after another. A list of a few short lines (a
// card's sub-items) so costs one small block, where a string object per line would cost 32
// bytes each and a heap block for every line longer than 15 bytes. Offsets are 32 bits: a
// list holds up to 4 GiB of text. The list keeps its line count; the functions take it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Classes.h"

namespace vcl::detail {

struct TLineBlock {
  std::uint32_t LineCapacity;
  std::uint32_t ByteCapacity;
  // Followed by std::uint32_t Ends[LineCapacity] (one past each line's last byte) and
  // char Bytes[ByteCapacity].
  std::uint32_t* Ends() { return reinterpret_cast<std::uint32_t*>(this + 1); }
  const std::uint32_t* Ends() const { return reinterpret_cast<const std::uint32_t*>(this + 1); }
  char* Bytes() { return reinterpret_cast<char*>(Ends() + LineCapacity); }
  const char* Bytes() const { return reinterpret_cast<const char*>(Ends() + LineCapacity); }
};

using TLineBlockPtr = std::unique_ptr<TLineBlock, TFreeLineBlock>;

int LineCapacity(const TLineBlock* Block);
std::size_t ByteCount(const TLineBlock* Block, int Count);
// Line Index of Count lines; the caller checks the index.
std::string_view LineAt(const TLineBlock* Block, int Index);
// A block of the given capacities with the Count lines of Block; null for no room at all.
// The capacities must hold what is there.
TLineBlockPtr Resized(const TLineBlock* Block, int Count, std::size_t Lines, std::size_t Bytes);
// Each changes Block in place, or replaces it by a larger one when it lacks room; on failure
// (EOutOfMemory past 4 GiB, std::bad_alloc) Block is as it was.
void InsertLine(TLineBlockPtr& Block, int Count, int Index, std::string_view S);
void ReplaceLine(TLineBlockPtr& Block, int Count, int Index, std::string_view S);
void EraseLine(TLineBlock& Block, int Count, int Index);

}  // namespace vcl::detail
