// The card stream format: a list is its version (200), its card count and one record per
// card; a record is its version, text, Data (32 bits), sub-items as CR LF text and, from
// version 101 on, the show-hint flag and the hint. Integers are little-endian; a string is
// a 32-bit byte count and the bytes. The same bytes are the form file's "Data" property.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

LongInt ReadInteger(TStream* Stream) {
  Byte Bytes[4];
  Stream->ReadBuffer(Bytes, 4);
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

}  // namespace

AnsiString TOstrelItem::ReadString(TStream* Stream) {
  const LongInt Length = ReadInteger(Stream);
  if (Length < 0) throw EReadError(Consts::SReadError);
  AnsiString S;
  if (Stream->SizeKnown()) {
    if (Length > Stream->GetSize() - Stream->GetPosition()) throw EReadError(Consts::SReadError);
    S.resize(static_cast<std::size_t>(Length));
    Stream->ReadBuffer(S.data(), Length);
    return S;
  }
  for (std::size_t Left = static_cast<std::size_t>(Length); Left > 0;) {
    const std::size_t Piece = std::min(Left, StringPiece);
    const std::size_t Old = S.size();
    S.resize(Old + Piece);
    Stream->ReadBuffer(S.data() + Old, static_cast<long>(Piece));
    Left -= Piece;
  }
  return S;
}

void TOstrelItem::WriteString(const AnsiString& S, TStream* Stream) {
  // The length field has 31 bits; a longer string cannot be stored.
  if (S.size() > static_cast<std::size_t>(std::numeric_limits<LongInt>::max()))
    throw EWriteError(Consts::SWriteError);
  WriteInteger(Stream, static_cast<LongInt>(S.size()));
  Stream->WriteBuffer(S.data(), static_cast<long>(S.size()));
}

// Each field is stored as soon as it is complete, so that a short stream leaves the card
// with the fields read before the end.
void TOstrelItem::ReadData(TStream* Stream) {
  const LongInt Version = ReadInteger(Stream);
  FText = ReadString(Stream);
  // Data keeps its low 32 bits in the stream and comes back zero-extended.
  FData = reinterpret_cast<void*>(static_cast<std::uintptr_t>(static_cast<std::uint32_t>(ReadInteger(Stream))));
  FSubItems.SetTextStr(ReadString(Stream));
  if (Version <= LastVersionWithoutHint) return;
  Byte ShowHint = 0;
  Stream->ReadBuffer(&ShowHint, 1);
  FShowHint = ShowHint != 0;
  FHint = ReadString(Stream);
}

void TOstrelItem::WriteData(TStream* Stream) const {
  WriteInteger(Stream, StreamVersion);
  WriteString(FText, Stream);
  WriteInteger(Stream, static_cast<LongInt>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(FData))));
  WriteString(FSubItems.GetTextStr(), Stream);
  const Byte ShowHint = FShowHint ? 1 : 0;
  Stream->WriteBuffer(&ShowHint, 1);
  WriteString(FHint, Stream);
}

void TOstrelItems::ReadData(TStream* Stream) {
  Clear();
  ReadInteger(Stream);  // the list version: every value is read alike
  const LongInt Count = ReadInteger(Stream);
  // The list takes its room in one go, for no more cards than the rest of the stream can
  // hold, so that a count promising more than is there reserves nothing absurd.
  if (Count > 0 && Stream->SizeKnown()) {
    const std::int64_t Fit = (Stream->GetSize() - Stream->GetPosition()) / SmallestRecord;
    FList.SetCapacity(FList.GetCount() + static_cast<int>(std::min<std::int64_t>(Count, Fit)));
  }
  for (LongInt I = 0; I < Count; ++I) Add(AnsiString())->ReadData(Stream);
}

void TOstrelItems::WriteData(TStream* Stream) const {
  WriteInteger(Stream, StreamVersion);
  WriteInteger(Stream, GetCount());
  for (int I = 0; I < GetCount(); ++I) GetItemFromIndex(I)->WriteData(Stream);
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
  FItems->BeginUpdate();
  try {
    FItems->ReadData(Stream);
    if (FSorted) FItems->Sort();
  } catch (...) {
    FItems->EndUpdate();
    throw;
  }
  FItems->EndUpdate();
}

void TOstrel::SaveToStream(TStream* Stream) { FItems->WriteData(Stream); }

void TOstrel::LoadFromFile(const AnsiString& FileName) {
  TFileStream File(FileName, fmOpenRead);
  TReadAheadStream Buffered(&File);
  LoadFromStream(&Buffered);
}

namespace {

// The file a save must replace: a symbolic link is followed, so the link stays a link and
// the file it names gets the cards, as when writing through it in place.
AnsiString SaveTarget(const AnsiString& FileName) {
  std::error_code Error;
  if (!std::filesystem::is_symlink(FileName, Error)) return FileName;
  const std::filesystem::path Target = std::filesystem::canonical(FileName, Error);
  return Error ? FileName : Target.string();
}

}  // namespace

// The cards go to a new file beside the target, which replaces the target only once all of
// it is written and on the disk: a failed save leaves the old file as it was.
void TOstrel::SaveToFile(const AnsiString& FileName) {
  const AnsiString Target = SaveTarget(FileName);
  const AnsiString TempName = Target + "." + std::to_string(::getpid()) + ".saving";
  try {
    TFileStream File(TempName, fmCreate);
    TWriteBehindStream Buffered(&File);
    SaveToStream(&Buffered);
    Buffered.Flush();
    File.Flush();
  } catch (const EFCreateError&) {
    throw EFCreateError(Format(Consts::SFCreateError, {FileName}));  // nothing was created
  } catch (...) {
    std::remove(TempName.c_str());
    throw;
  }
  struct stat Old;
  if (::stat(Target.c_str(), &Old) == 0) ::chmod(TempName.c_str(), Old.st_mode & 07777);
  if (std::rename(TempName.c_str(), Target.c_str()) != 0) {
    std::remove(TempName.c_str());
    throw EFCreateError(Format(Consts::SFCreateError, {FileName}));
  }
}

}  // namespace ostrel
