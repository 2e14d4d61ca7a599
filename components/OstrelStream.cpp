// The card stream format: a list is its version (200), its card count and one record per
// card; a record is its version, text, Data (32 bits), sub-items as CR LF text and, from
// version 101 on, the show-hint flag and the hint. Integers are little-endian; a string is
// a 32-bit byte count and the bytes. The same bytes are the form file's "Data" property.

#include <algorithm>
#include <limits>
#include <string>

#include "Ostrel.h"
#include "OstrelStreamBuffers.h"

namespace ostrel {

namespace {

constexpr LongInt StreamVersion = 200;
// Records up to this version end after the sub-items.
constexpr LongInt LastVersionWithoutHint = 100;
// Version, text length, Data and sub-item text length: a record has these bytes at least.
constexpr std::int64_t SmallestRecord = 16;
// A stream that cannot tell its size is read in pieces of this size, so that a length field
// that promises more than is there allocates no more than a piece beyond the real bytes.
constexpr std::size_t StringPiece = 64 * 1024;

// Exactly Count bytes of the field What, or the error that says where the data ended.
void ReadField(TStream* Stream, void* Buffer, long Count, const char* What) {
  if (Stream->Read(Buffer, Count) != Count)
    throw EOstrelReadError(AnsiString(), Stream->GetPosition(), Format("the data ends inside %s", {What}));
}

LongInt ReadInteger(TStream* Stream, const char* What) {
  Byte Bytes[4];
  ReadField(Stream, Bytes, 4, What);
  return static_cast<LongInt>(static_cast<std::uint32_t>(Bytes[0]) | static_cast<std::uint32_t>(Bytes[1]) << 8 |
                              static_cast<std::uint32_t>(Bytes[2]) << 16 |
                              static_cast<std::uint32_t>(Bytes[3]) << 24);
}

void WriteInteger(TStream* Stream, LongInt Value) {
  const auto U = static_cast<std::uint32_t>(Value);
  const Byte Bytes[4] = {static_cast<Byte>(U), static_cast<Byte>(U >> 8), static_cast<Byte>(U >> 16),
                         static_cast<Byte>(U >> 24)};
  Stream->WriteBuffer(Bytes, 4);
}

// Reads a string field into S, whose room is reused; S holds the field only when no error
// was raised.
void ReadStringInto(TStream* Stream, const char* What, AnsiString& S) {
  const LongInt Length = ReadInteger(Stream, What);
  if (Length < 0)
    throw EOstrelReadError(AnsiString(), Stream->GetPosition() - 4, Format("%s has a negative length", {What}));
  S.clear();
  if (Stream->SizeKnown()) {
    const std::int64_t Rest = Stream->GetSize() - Stream->GetPosition();
    if (Length > Rest)
      throw EOstrelReadError(AnsiString(), Stream->GetPosition() - 4,
                             Format("%s of %d bytes is longer than the %d bytes left", {What, Length, Rest}));
    S.resize(static_cast<std::size_t>(Length));
    ReadField(Stream, S.data(), Length, What);
    return;
  }
  for (std::size_t Left = static_cast<std::size_t>(Length); Left > 0;) {
    const std::size_t Piece = std::min(Left, StringPiece);
    const std::size_t Old = S.size();
    S.resize(Old + Piece);
    ReadField(Stream, S.data() + Old, static_cast<long>(Piece), What);
    Left -= Piece;
  }
}

AnsiString ReadString(TStream* Stream, const char* What) {
  AnsiString S;
  ReadStringInto(Stream, What, S);
  return S;
}

// One card record as read, and how far: each field counts once it is complete.
struct TRecord {
  enum TStage { None, Text, Data, SubItems, ShowHint, Hint };
  TStage Complete = None;
  LongInt Version = 0;
  AnsiString TextBytes;
  std::uint32_t DataValue = 0;
  AnsiString SubItemBytes;
  bool ShowHintValue = true;
  AnsiString HintBytes;
  std::vector<std::string_view> Lines;  // room for splitting the sub-items, reused

  // Reads the next record; on an error the fields read so far stay, as Complete says.
  void Read(TStream* Stream) {
    Complete = None;
    ShowHintValue = true;
    Version = ReadInteger(Stream, "a card's version");
    ReadStringInto(Stream, "a card's text", TextBytes);
    Complete = Text;
    DataValue = static_cast<std::uint32_t>(ReadInteger(Stream, "a card's Data"));
    Complete = Data;
    ReadStringInto(Stream, "a card's sub-items", SubItemBytes);
    Complete = SubItems;
    if (Version <= LastVersionWithoutHint) {
      Complete = Hint;
      return;
    }
    Byte Flag = 0;
    ReadField(Stream, &Flag, 1, "a card's show-hint flag");
    ShowHintValue = Flag != 0;
    Complete = ShowHint;
    ReadStringInto(Stream, "a card's hint", HintBytes);
    Complete = Hint;
  }
  std::string_view Field(TStage Stage, const AnsiString& Bytes) const {
    return Complete >= Stage ? std::string_view(Bytes) : std::string_view();
  }
};

}  // namespace

EOstrelReadError::EOstrelReadError(const AnsiString& Source, std::int64_t Offset, const AnsiString& Problem)
    : EReadError(Format(Source.empty() ? "%s%sat byte offset %d: %s" : "%s in %s at byte offset %d: %s",
                        {Consts::SReadError, Source.empty() ? AnsiString(" ") : Source, Offset, Problem})),
      FSource(Source),
      FOffset(Offset),
      FProblem(Problem) {}

AnsiString TOstrelItem::ReadString(TStream* Stream) { return ostrel::ReadString(Stream, "a string"); }

void TOstrelItem::WriteString(std::string_view S, TStream* Stream) {
  // The length field has 31 bits; a longer string cannot be stored.
  if (S.size() > static_cast<std::size_t>(std::numeric_limits<LongInt>::max()))
    throw EWriteError(Consts::SWriteError);
  WriteInteger(Stream, static_cast<LongInt>(S.size()));
  Stream->WriteBuffer(S.data(), static_cast<long>(S.size()));
}

// Each field is stored as soon as it is complete, so that a short stream leaves the card
// with the fields read before the end.
void TOstrelItem::ReadData(TStream* Stream) {
  const LongInt Version = ReadInteger(Stream, "a card's version");
  FSubItems.ReplaceEntry(0, ostrel::ReadString(Stream, "a card's text"));
  FData = StoredData(reinterpret_cast<void*>(static_cast<std::uintptr_t>(
      static_cast<std::uint32_t>(ReadInteger(Stream, "a card's Data")))));
  FSubItems.SetTextStr(ostrel::ReadString(Stream, "a card's sub-items"));
  if (Version <= LastVersionWithoutHint) return;
  Byte ShowHint = 0;
  ReadField(Stream, &ShowHint, 1, "a card's show-hint flag");
  FShowHint = ShowHint != 0;
  FSubItems.ReplaceEntry(1, ostrel::ReadString(Stream, "a card's hint"));
}

// Data keeps its low 32 bits in the stream and comes back zero-extended.
void* TOstrelItem::StoredData(void* Data) {
  return reinterpret_cast<void*>(
      static_cast<std::uintptr_t>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Data))));
}

void TOstrelItem::CopyStoredFields(const TOstrelItem& Source, TCardArena& Arena,
                                   std::vector<std::string_view>& Lines) {
  FSubItems.CopyPacked(Source.FSubItems, Arena, Lines);
  FData = StoredData(Source.FData);
  FShowHint = Source.FShowHint;
}

void TOstrelItem::WriteData(TStream* Stream) const {
  AnsiString Lines;
  WriteRecord(Stream, Lines);
}

void TOstrelItem::WriteRecord(TStream* Stream, AnsiString& Lines) const {
  WriteInteger(Stream, StreamVersion);
  WriteString(FSubItems.Entry(0), Stream);
  WriteInteger(Stream, static_cast<LongInt>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(FData))));
  FSubItems.GetTextInto(Lines);
  WriteString(Lines, Stream);
  const Byte ShowHint = FShowHint ? 1 : 0;
  Stream->WriteBuffer(&ShowHint, 1);
  WriteString(FSubItems.Entry(1), Stream);
}

int TOstrelItems::ReadHeader(TStream* Stream) {
  ReadInteger(Stream, "the list's version");  // every value is read alike
  return ReadInteger(Stream, "the card count");
}

void TOstrelItems::WriteHeader(TStream* Stream, int Count) {
  WriteInteger(Stream, StreamVersion);
  WriteInteger(Stream, Count);
}

void TOstrelItems::ReadData(TStream* Stream) {
  Clear();
  const LongInt Count = ReadHeader(Stream);
  // The list takes its room in one go, for no more cards than the rest of the stream can
  // hold, so that a count promising more than is there reserves nothing absurd.
  if (Count > 0 && Stream->SizeKnown()) {
    const std::int64_t Fit = (Stream->GetSize() - Stream->GetPosition()) / SmallestRecord;
    FList.SetCapacity(FList.GetCount() + static_cast<int>(std::min<std::int64_t>(Count, Fit)));
  }
  // Outside a batch each card is added, with its relayout and sort, before it is read.
  if (FUpdateCount == 0) {
    for (LongInt I = 0; I < Count; ++I) Add(AnsiString())->ReadData(Stream);
    return;
  }
  // Inside one nothing can see a card between its adding and its reading: each record is
  // read first and its card made whole, its strings packed into the list's arena.
  TRecord Record;
  for (LongInt I = 0; I < Count; ++I) {
    std::exception_ptr Error;
    try {
      Record.Read(Stream);
    } catch (...) {
      Error = std::current_exception();
    }
    auto Item = std::make_unique<TOstrelItem>(this);
    Item->FSubItems.Pack(&FArena, Record.Field(TRecord::Text, Record.TextBytes),
                         Record.Field(TRecord::Hint, Record.HintBytes),
                         Record.Field(TRecord::SubItems, Record.SubItemBytes), Record.Lines);
    if (Record.Complete >= TRecord::Data)
      Item->FData = TOstrelItem::StoredData(reinterpret_cast<void*>(std::uintptr_t{Record.DataValue}));
    if (Record.Complete >= TRecord::ShowHint) Item->FShowHint = Record.ShowHintValue;
    Attach(std::move(Item), GetCount());
    if (Error) std::rethrow_exception(Error);
  }
}

void TOstrelItems::WriteData(TStream* Stream) const {
  WriteHeader(Stream, GetCount());
  AnsiString Lines;  // room for each card's sub-item text, reused
  // The list is asked again for every card: a stream is free to do anything while it writes.
  for (int I = 0; I < GetCount(); ++I) {
    void* const* Slots = FList.GetList() + FCleared;
    PrefetchAhead(Slots, I, GetCount());
    static_cast<const TOstrelItem*>(Slots[I])->WriteRecord(Stream, Lines);
  }
}

void TOstrelItems::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* Stream) { ReadData(Stream); }, [this](TStream* Stream) { WriteData(Stream); },
      ItemsDataDiffers(Filer));
}

// Whether the form file must store the cards: always when there are any and no ancestor;
// against an ancestor, when a card differs in text, Data or sub-items (hints do not count).
bool TOstrelItems::ItemsDataDiffers(TFiler* Filer) const {
  const auto* Ancestor = dynamic_cast<const TOstrelItems*>(Filer->GetAncestor());
  if (!Ancestor) return GetCount() > 0;
  if (Ancestor->GetCount() != GetCount()) return true;
  for (int I = 0; I < GetCount(); ++I)
    if (!GetItemFromIndex(I)->IsEqual(Ancestor->GetItemFromIndex(I))) return true;
  return false;
}

// The control relayouts once after loading, and sorts once when Sorted: every card is read
// inside one batch. A short stream keeps the cards read so far, unsorted.
void TOstrel::LoadFromStream(TStream* Stream) {
  const TUpdateGuard Batch(*FItems);
  FItems->ReadData(Stream);
  if (FSorted) FItems->Sort();
}

void TOstrel::SaveToStream(TStream* Stream) { FItems->WriteData(Stream); }

void TOstrel::LoadFromFile(const AnsiString& FileName) {
  TFileStream File(FileName, fmOpenRead);
  TReadAheadStream Buffered(&File);
  try {
    LoadFromStream(&Buffered);
  } catch (const EOstrelReadError& E) {
    throw EOstrelReadError(FileName, E.GetOffset(), E.GetProblem());
  }
}

// The cards reach the file only once all of them are written and on the disk: a failed
// save leaves the old file as it was.
void TOstrel::SaveToFile(const AnsiString& FileName) {
  TSafeFileStream File(FileName);
  TWriteBehindStream Buffered(&File);
  SaveToStream(&Buffered);
  Buffered.Flush();
  File.Commit();
}

}  // namespace ostrel
