// A card's block, in one of two shapes. Both start with a 16-bit flags word and hold the
// end offset of every entry (caption, hint, then each line) followed by the bytes of all
// entries one after another.
//   packed, in an arena, exactly as large as its content: the offsets are 16 bits when the
//   bytes fit in 64 KiB (the usual card), else 32 bits after two bytes of padding;
//   on the heap, with room to grow: two bytes of padding, the 32-bit capacities for
//   entries and bytes, then that many 32-bit offsets and bytes.

#include "OstrelCardStore.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_map>

namespace ostrel {

using namespace vcl;

namespace {

constexpr std::uint16_t Wide = 1;  // 32-bit offsets
constexpr std::uint16_t Heap = 2;  // the card's own, with capacities
constexpr std::size_t HeapHeader = 12;
constexpr std::size_t NarrowLimit = std::numeric_limits<std::uint16_t>::max();
constexpr std::size_t ByteLimit = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t EntryLimit = std::numeric_limits<std::int32_t>::max() / 4;

constexpr std::size_t LargestChunk = 1 << 20;

template <class T>
T Load(const std::byte* At) {
  T Value;
  std::memcpy(&Value, At, sizeof(T));
  return Value;
}

std::uint16_t FlagsOf(const std::byte* Block) { return Load<std::uint16_t>(Block); }

std::uint32_t HeapEntryCapacity(const std::byte* Block) { return Load<std::uint32_t>(Block + 4); }
std::uint32_t HeapByteCapacity(const std::byte* Block) { return Load<std::uint32_t>(Block + 8); }
std::uint32_t* HeapEnds(std::byte* Block) { return reinterpret_cast<std::uint32_t*>(Block + HeapHeader); }
char* HeapBytes(std::byte* Block) {
  return reinterpret_cast<char*>(Block + HeapHeader + 4 * std::size_t{HeapEntryCapacity(Block)});
}

// Where the offsets and the bytes of a block of Entries entries lie.
struct TBlockView {
  const std::byte* Ends;
  bool WideEnds;
  const char* Bytes;

  TBlockView(const std::byte* Block, int Entries) {
    const std::uint16_t Flags = FlagsOf(Block);
    WideEnds = (Flags & Wide) != 0;
    if (Flags & Heap) {
      Ends = Block + HeapHeader;
      Bytes = reinterpret_cast<const char*>(Ends + 4 * std::size_t{HeapEntryCapacity(Block)});
    } else {
      Ends = Block + (WideEnds ? 4 : 2);
      Bytes = reinterpret_cast<const char*>(Ends + (WideEnds ? 4 : 2) * static_cast<std::size_t>(Entries));
    }
  }
  std::uint32_t End(int K) const {
    return WideEnds ? Load<std::uint32_t>(Ends + 4 * static_cast<std::size_t>(K))
                    : Load<std::uint16_t>(Ends + 2 * static_cast<std::size_t>(K));
  }
  std::uint32_t Begin(int K) const { return K == 0 ? 0 : End(K - 1); }
};

std::size_t Grown(std::size_t Capacity, std::size_t Needed) {
  return Needed <= Capacity ? Capacity : std::max(Needed, Capacity + Capacity / 2);
}

std::byte* NewHeapBlock(std::size_t Entries, std::size_t Bytes) {
  auto* Block = static_cast<std::byte*>(::operator new(HeapHeader + 4 * Entries + Bytes));
  const std::uint16_t Header[2] = {Wide | Heap, 0};
  const std::uint32_t Capacities[2] = {static_cast<std::uint32_t>(Entries), static_cast<std::uint32_t>(Bytes)};
  std::memcpy(Block, Header, sizeof(Header));
  std::memcpy(Block + 4, Capacities, sizeof(Capacities));
  return Block;
}

// A block in Arena for Entries entries of Bytes bytes in all, its flags written; its ends
// follow the flags, then its bytes.
std::byte* NewPackedBlock(TCardArena& Arena, std::size_t Entries, std::size_t Bytes, bool WideEnds) {
  const std::size_t Width = WideEnds ? 4 : 2;
  std::byte* Block = Arena.Allocate(Width + Width * Entries + Bytes, Width);
  const std::uint16_t Header[2] = {static_cast<std::uint16_t>(WideEnds ? Wide : 0), 0};
  std::memcpy(Block, Header, Width);
  return Block;
}

// Stores End as entry K's end among Ends, 32 or 16 bits wide.
void PutEnd(std::byte* Ends, std::size_t K, std::uint32_t End, bool WideEnds) {
  if (WideEnds) {
    std::memcpy(Ends + 4 * K, &End, 4);
  } else {
    const auto Short = static_cast<std::uint16_t>(End);
    std::memcpy(Ends + 2 * K, &Short, 2);
  }
}

void FreeBlock(std::byte* Block) {
  if (Block && (FlagsOf(Block) & Heap)) ::operator delete(Block);
}

// Objects beside lines, for the few sub-item lists that have any. Never destroyed, so
// that cards of static objects may still ask it while the program ends.
using TObjectTable = std::unordered_map<const TOstrelSubItems*, std::vector<void*>>;
TObjectTable& ObjectTable() {
  static auto* Table = new TObjectTable;
  return *Table;
}

std::vector<void*>* ObjectsOf(const TOstrelSubItems* Lines) {
  TObjectTable& Table = ObjectTable();
  if (Table.empty()) return nullptr;
  const auto Found = Table.find(Lines);
  return Found == Table.end() ? nullptr : &Found->second;
}

}  // namespace

// ------------------------------------------------------------------ arena

std::byte* TCardArena::Allocate(std::size_t Bytes, std::size_t Align) {
  auto Padding = [&] { return (0 - reinterpret_cast<std::uintptr_t>(FNext)) & (std::uintptr_t{Align} - 1); };
  if (!FNext || static_cast<std::size_t>(FEnd - FNext) < Padding() + Bytes) {
    const std::size_t Size = std::max(Bytes + Align, FChunkSize);
    FChunkSize = std::min(LargestChunk, 2 * FChunkSize);
    FChunks.push_back(std::make_unique_for_overwrite<std::byte[]>(Size));
    FNext = FChunks.back().get();
    FEnd = FNext + Size;
  }
  std::byte* Result = FNext + Padding();
  FNext = Result + Bytes;
  return Result;
}

void TCardArena::Release() {
  FChunks.clear();
  FChunks.shrink_to_fit();
  FNext = FEnd = nullptr;
  FChunkSize = FirstChunk;
}

void TCardArena::Adopt(TCardArena&& Other) {
  for (auto& Chunk : Other.FChunks) FChunks.push_back(std::move(Chunk));
  if (Other.FNext) {
    FNext = Other.FNext;
    FEnd = Other.FEnd;
  }
  Other.FChunks.clear();
  Other.FNext = Other.FEnd = nullptr;
}

// ------------------------------------------------------------------ sub-items

TOstrelSubItems::~TOstrelSubItems() {
  FreeBlock(FBlock);
  ForgetObjects();
}

void TOstrelSubItems::CheckIndex(int Index) const {
  if (Index < 0 || Index >= FCount) throw EStringListError(Format(Consts::SListIndexError, {Index}));
}

std::string_view TOstrelSubItems::Entry(int K) const {
  if (!FBlock) return {};
  const TBlockView View(FBlock, EntryCount());
  const std::uint32_t Begin = View.Begin(K);
  return {View.Bytes + Begin, View.End(K) - Begin};
}

AnsiString TOstrelSubItems::Get(int Index) const { return AnsiString(GetLine(Index)); }

std::string_view TOstrelSubItems::GetLine(int Index) const {
  CheckIndex(Index);
  return Entry(FirstLine + Index);
}

void TOstrelSubItems::Put(int Index, const AnsiString& S) {
  CheckIndex(Index);
  ReplaceEntry(FirstLine + Index, S);
}

void* TOstrelSubItems::GetObject(int Index) const {
  CheckIndex(Index);
  const std::vector<void*>* Objects = ObjectsOf(this);
  return Objects ? (*Objects)[static_cast<std::size_t>(Index)] : nullptr;
}

void TOstrelSubItems::PutObject(int Index, void* Object) {
  CheckIndex(Index);
  std::vector<void*>* Objects = ObjectsOf(this);
  if (!Objects) {
    if (!Object) return;
    Objects = &ObjectTable()[this];
    Objects->resize(static_cast<std::size_t>(FCount));
  }
  (*Objects)[static_cast<std::size_t>(Index)] = Object;
}

void TOstrelSubItems::ForgetObjects() {
  if (ObjectsOf(this)) ObjectTable().erase(this);
}

void TOstrelSubItems::Clear() {
  if (FCount == 0) return;
  Pack(nullptr, Entry(0), Entry(1), {});
}

void TOstrelSubItems::Delete(int Index) {
  CheckIndex(Index);
  EraseEntry(FirstLine + Index);
  if (std::vector<void*>* Objects = ObjectsOf(this)) Objects->erase(Objects->begin() + Index);
}

void TOstrelSubItems::Insert(int Index, const AnsiString& S) {
  if (Index < 0 || Index > FCount) throw EStringListError(Format(Consts::SListIndexError, {Index}));
  if (std::vector<void*>* Objects = ObjectsOf(this)) Objects->reserve(Objects->size() + 1);
  InsertEntry(FirstLine + Index, S);
  if (std::vector<void*>* Objects = ObjectsOf(this)) Objects->insert(Objects->begin() + Index, nullptr);
}

AnsiString TOstrelSubItems::GetTextStr() const {
  AnsiString Result;
  GetTextInto(Result);
  return Result;
}

void TOstrelSubItems::GetTextInto(AnsiString& Result) const {
  Result.clear();
  if (FCount == 0) return;
  const TBlockView View(FBlock, EntryCount());
  Result.resize(View.End(EntryCount() - 1) - View.End(FirstLine - 1) + 2 * static_cast<std::size_t>(FCount));
  char* Out = Result.data();
  for (int K = FirstLine; K < EntryCount(); ++K) {
    const std::uint32_t Begin = View.Begin(K), Length = View.End(K) - Begin;
    std::memcpy(Out, View.Bytes + Begin, Length);
    Out[Length] = '\r';
    Out[Length + 1] = '\n';
    Out += Length + 2;
  }
}

void TOstrelSubItems::SetTextStr(const AnsiString& Value) { Pack(nullptr, Entry(0), Entry(1), Value); }

void TOstrelSubItems::MakeRoom(std::size_t Entries, std::size_t Bytes) {
  if (Entries > EntryLimit || Bytes > ByteLimit) throw EOutOfMemory(Consts::SOutOfMemory);
  const int Count = EntryCount();
  // Never less than is there: the content moves over whole before the change is made.
  const std::size_t Current = FBlock ? TBlockView(FBlock, Count).End(Count - 1) : 0;
  Entries = std::max(Entries, static_cast<std::size_t>(Count));
  Bytes = std::max(Bytes, Current);
  const bool Own = FBlock && (FlagsOf(FBlock) & Heap);
  const std::size_t EntryCapacity = Own ? HeapEntryCapacity(FBlock) : 0;
  const std::size_t ByteCapacity = Own ? HeapByteCapacity(FBlock) : 0;
  if (Own && Entries <= EntryCapacity && Bytes <= ByteCapacity) return;
  std::byte* Block = NewHeapBlock(std::max(Grown(EntryCapacity, Entries), std::size_t{FirstLine}),
                                  std::min(Grown(ByteCapacity, Bytes), ByteLimit));
  std::uint32_t* Ends = HeapEnds(Block);
  if (FBlock) {
    const TBlockView View(FBlock, Count);
    for (int K = 0; K < Count; ++K) Ends[K] = View.End(K);
    std::memcpy(HeapBytes(Block), View.Bytes, View.End(Count - 1));
  } else {
    std::fill(Ends, Ends + Count, 0u);
  }
  FreeBlock(FBlock);
  FBlock = Block;
}

// S never lies in this block: callers pass strings of their own.
void TOstrelSubItems::ReplaceEntry(int K, std::string_view S) {
  const std::string_view Old = Entry(K);
  if (Old.empty() && S.empty()) return;
  const int Count = EntryCount();
  const std::size_t Total = FBlock ? TBlockView(FBlock, Count).End(Count - 1) : 0;
  MakeRoom(static_cast<std::size_t>(Count), Total - Old.size() + S.size());
  std::uint32_t* Ends = HeapEnds(FBlock);
  char* Bytes = HeapBytes(FBlock);
  const std::uint32_t Begin = K == 0 ? 0 : Ends[K - 1];
  const std::uint32_t End = Ends[K];
  std::memmove(Bytes + Begin + S.size(), Bytes + End, Total - End);
  if (!S.empty()) std::memcpy(Bytes + Begin, S.data(), S.size());
  const std::uint32_t Delta = static_cast<std::uint32_t>(S.size()) - (End - Begin);  // modulo 2^32
  for (int J = K; J < Count; ++J) Ends[J] += Delta;
}

void TOstrelSubItems::InsertEntry(int K, std::string_view S) {
  const int Count = EntryCount();
  const std::size_t Total = FBlock ? TBlockView(FBlock, Count).End(Count - 1) : 0;
  MakeRoom(static_cast<std::size_t>(Count) + 1, Total + S.size());
  std::uint32_t* Ends = HeapEnds(FBlock);
  std::memmove(Ends + K + 1, Ends + K, static_cast<std::size_t>(Count - K) * sizeof(std::uint32_t));
  Ends[K] = K == 0 ? 0 : Ends[K - 1];
  ++FCount;
  ++FChanges;
  ReplaceEntry(K, S);  // the room is there: nothing can fail now
}

void TOstrelSubItems::EraseEntry(int K) {
  const int Count = EntryCount();
  MakeRoom(static_cast<std::size_t>(Count), TBlockView(FBlock, Count).End(Count - 1));
  ReplaceEntry(K, {});
  std::uint32_t* Ends = HeapEnds(FBlock);
  std::memmove(Ends + K, Ends + K + 1, static_cast<std::size_t>(Count - K - 1) * sizeof(std::uint32_t));
  --FCount;
  ++FChanges;
}

void TOstrelSubItems::Pack(TCardArena* Arena, std::string_view Caption, std::string_view Hint,
                           std::string_view LinesText) {
  std::vector<std::string_view> Lines;
  Pack(Arena, Caption, Hint, LinesText, Lines);
}

void TOstrelSubItems::Pack(TCardArena* Arena, std::string_view Caption, std::string_view Hint,
                           std::string_view LinesText, std::vector<std::string_view>& Lines) {
  Lines.clear();
  SplitTextLines(LinesText, [&](const char* Start, std::size_t Length) { Lines.emplace_back(Start, Length); });
  PackLines(Arena, Caption, Hint, Lines);
}

void TOstrelSubItems::CopyPacked(const TOstrelSubItems& Source, TCardArena& Arena,
                                 std::vector<std::string_view>& Lines) {
  Lines.clear();
  if (!Source.FBlock) return PackLines(&Arena, {}, {}, Lines);
  const int Entries = Source.EntryCount();
  const TBlockView From(Source.FBlock, Entries);
  const std::uint32_t Bytes = From.End(Entries - 1);
  // The lines lie one after another: one look over their bytes tells whether any would
  // come back as more than one line.
  const std::uint32_t LinesBegin = From.End(FirstLine - 1);
  const std::string_view Text(From.Bytes + LinesBegin, Bytes - LinesBegin);
  auto Holds = [&](char C) { return !Text.empty() && std::memchr(Text.data(), C, Text.size()); };
  if (Holds('\r') || Holds('\n') || Holds('\0'))
    return Pack(&Arena, Source.Entry(0), Source.Entry(1), Source.GetTextStr(), Lines);
  if (Bytes == 0 && Source.FCount == 0) return PackLines(&Arena, {}, {}, Lines);
  // The same entries in the same order: the ends keep their values, in the width a packed
  // block of these bytes takes, and the bytes move over in one piece.
  const bool WideEnds = Bytes > NarrowLimit;
  const std::size_t Width = WideEnds ? 4 : 2;
  const auto Count = static_cast<std::size_t>(Entries);
  std::byte* Block = NewPackedBlock(Arena, Count, Bytes, WideEnds);
  std::byte* Ends = Block + Width;
  for (std::size_t K = 0; K < Count; ++K) PutEnd(Ends, K, From.End(static_cast<int>(K)), WideEnds);
  std::memcpy(Ends + Width * Count, From.Bytes, Bytes);
  TakeBlock(Block, Source.FCount);
}

void TOstrelSubItems::PackLines(TCardArena* Arena, std::string_view Caption, std::string_view Hint,
                                const std::vector<std::string_view>& Lines) {
  std::size_t Bytes = Caption.size() + Hint.size();
  for (std::string_view Line : Lines) Bytes += Line.size();
  const std::size_t Entries = FirstLine + Lines.size();
  if (Entries > EntryLimit || Bytes > ByteLimit) throw EOutOfMemory(Consts::SOutOfMemory);
  std::byte* Block = nullptr;
  if (Bytes > 0 || !Lines.empty()) {
    const bool WideEnds = !Arena || Bytes > NarrowLimit;
    const std::size_t Width = WideEnds ? 4 : 2;
    Block = Arena ? NewPackedBlock(*Arena, Entries, Bytes, WideEnds) : NewHeapBlock(Entries, Bytes);
    std::byte* EndsAt = Block + (Arena ? Width : HeapHeader);
    char* Out = reinterpret_cast<char*>(EndsAt + Width * Entries);
    std::uint32_t End = 0;
    std::size_t K = 0;
    auto Add = [&](std::string_view S) {
      if (!S.empty()) std::memcpy(Out + End, S.data(), S.size());
      End += static_cast<std::uint32_t>(S.size());
      PutEnd(EndsAt, K++, End, WideEnds);
    };
    Add(Caption);
    Add(Hint);
    for (std::string_view Line : Lines) Add(Line);
  }
  TakeBlock(Block, static_cast<int>(Lines.size()));
}

void TOstrelSubItems::TakeBlock(std::byte* Block, int Count) {
  FreeBlock(FBlock);
  FBlock = Block;
  if (FCount != Count) ++FChanges;
  FCount = Count;
  ForgetObjects();
}

void TOstrelSubItems::LeaveArena() {
  if (!FBlock || (FlagsOf(FBlock) & Heap)) return;
  const int Count = EntryCount();
  MakeRoom(static_cast<std::size_t>(Count), TBlockView(FBlock, Count).End(Count - 1));
}

}  // namespace ostrel
