#pragma once
// Where a card keeps its strings: the caption, the hint and the sub-item lines share one
// block, so that a card costs its object and one block. Cards read in bulk (a file, a
// copied list) get their blocks from their list's arena, packed tight and freed all at
// once when the list is emptied; a card changed later moves its block to the heap, where
// it has room to grow.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "Classes.h"

namespace ostrel {

using vcl::AnsiString;
using vcl::TStrings;

// Big chunks handed out in order and freed together.
class TCardArena {
public:
  // Bytes aligned to Align (at most 8), from the current chunk or a new one.
  std::byte* Allocate(std::size_t Bytes, std::size_t Align);
  // Frees every chunk; nothing handed out may be used afterwards.
  void Release();
  // Takes Other's chunks, which then live as long as this arena's.
  void Adopt(TCardArena&& Other);

private:
  std::vector<std::unique_ptr<std::byte[]>> FChunks;
  std::byte* FNext = nullptr;
  std::byte* FEnd = nullptr;
  // Chunks double from a small first one, so that a short list takes little.
  static constexpr std::size_t FirstChunk = 4096;
  std::size_t FChunkSize = FirstChunk;
};

// A card's sub-items, as the TStrings programs use; behind them the block also holds the
// card's caption and hint, which the card reads and writes through its friends' access.
// Objects put beside lines are rare and kept in a side table, so a card pays nothing for
// them. A line may hold any bytes, line breaks included.
class TOstrelSubItems : public TStrings {
public:
  TOstrelSubItems() = default;
  ~TOstrelSubItems() override;
  TOstrelSubItems(const TOstrelSubItems&) = delete;
  TOstrelSubItems& operator=(const TOstrelSubItems&) = delete;

  int GetCount() const override { return FCount; }
  // Asks the processor to fetch what GetCount reads, for a caller about to read the counts
  // of very many cards in turn; it changes nothing.
  void PrefetchCount() const { __builtin_prefetch(&FCount); }
  // The same for the strings.
  void PrefetchBlock() const { __builtin_prefetch(FBlock); }
  AnsiString Get(int Index) const override;  // EStringListError outside the range
  // Line Index without a copy, valid until the lines change; EStringListError outside.
  std::string_view GetLine(int Index) const;
  void Put(int Index, const AnsiString& S) override;  // keeps the line's object
  void* GetObject(int Index) const override;  // null for a line that never had one
  void PutObject(int Index, void* Object) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const AnsiString& S) override;  // 0..Count
  AnsiString GetTextStr() const override;
  // GetTextStr into Result, whose room a caller writing many cards reuses.
  void GetTextInto(AnsiString& Result) const;
  void SetTextStr(const AnsiString& Value) override;

  // Changes of the number of lines of any card so far, in this program: while it stands,
  // the heights the card view read still hold without reading every card again.
  static std::uint64_t Changes() { return FChanges; }

private:
  friend class TOstrelItem;
  friend class TOstrelItems;

  // Entry 0 is the caption, 1 the hint, 2 onward the lines.
  static constexpr int FirstLine = 2;
  int EntryCount() const { return FirstLine + FCount; }
  std::string_view Entry(int K) const;
  void ReplaceEntry(int K, std::string_view S);
  void InsertEntry(int K, std::string_view S);
  void EraseEntry(int K);
  // Room on the heap for Entries entries and Bytes bytes, growing by half at least.
  void MakeRoom(std::size_t Entries, std::size_t Bytes);
  // Replaces everything by Caption, Hint and the lines of LinesText (split as SetTextStr
  // does), in one block from Arena, or from the heap when Arena is null.
  void Pack(TCardArena* Arena, std::string_view Caption, std::string_view Hint, std::string_view LinesText);
  // The same, splitting into Lines, whose room a caller packing many cards reuses.
  void Pack(TCardArena* Arena, std::string_view Caption, std::string_view Hint, std::string_view LinesText,
            std::vector<std::string_view>& Lines);
  // Caption, hint and Lines as they are.
  void PackLines(TCardArena* Arena, std::string_view Caption, std::string_view Hint,
                 const std::vector<std::string_view>& Lines);
  // Everything of Source, packed into Arena, with the lines as GetTextStr and SetTextStr
  // would carry them over (a line holding a line break becomes several).
  void CopyPacked(const TOstrelSubItems& Source, TCardArena& Arena, std::vector<std::string_view>& Lines);
  // Block, holding Count lines, replaces the current one.
  void TakeBlock(std::byte* Block, int Count);
  // A block in an arena becomes the card's own, before the arena goes.
  void LeaveArena();
  void ForgetObjects();
  void CheckIndex(int Index) const;

  int FCount = 0;  // beside the base's update count, where the object has room for it
  std::byte* FBlock = nullptr;
  static inline std::uint64_t FChanges = 0;  // the user-interface thread's only
};

}  // namespace ostrel
