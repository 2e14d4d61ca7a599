// TStream and TMemoryStream.
#include <algorithm>
#include <cstring>
#include <new>

#include "Classes.h"

namespace vcl {

// ---------------------------------------------------------------- TStream

void TStream::ReadBuffer(void* Buffer, long Count) {
  if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count)) throw EReadError(Consts::SReadError);
}

void TStream::WriteBuffer(const void* Buffer, long Count) {
  if (Count < 0 || (Count != 0 && Write(Buffer, Count) != Count)) throw EWriteError(Consts::SWriteError);
}

std::int64_t TStream::GetPosition() { return Seek(0, soFromCurrent); }

void TStream::SetPosition(std::int64_t Pos) { Seek(Pos, soFromBeginning); }

std::int64_t TStream::GetSize() {
  const std::int64_t Pos = Seek(0, soFromCurrent);
  const std::int64_t Size = Seek(0, soFromEnd);
  Seek(Pos, soFromBeginning);
  return Size;
}

void TStream::SetSize(std::int64_t) {}

// Count 0 copies the whole of Source from its start.
std::int64_t TStream::CopyFrom(TStream* Source, std::int64_t Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->GetSize();
  }
  constexpr long ChunkSize = 64 * 1024;
  std::unique_ptr<Byte[]> Chunk(new Byte[ChunkSize]);
  const std::int64_t Total = Count;
  while (Count > 0) {
    const long N = static_cast<long>(std::min<std::int64_t>(Count, ChunkSize));
    Source->ReadBuffer(Chunk.get(), N);
    WriteBuffer(Chunk.get(), N);
    Count -= N;
  }
  return Total;
}

// ---------------------------------------------------------------- TMemoryStream

namespace {

// Far beyond any real stream, and below what the allocator (or a sanitizer) refuses outright.
constexpr std::int64_t MaxMemoryStreamSize = std::int64_t(1) << 40;

}  // namespace

long TMemoryStream::Read(void* Buffer, long Count) {
  const auto Size = static_cast<std::int64_t>(FData.size());
  if (Count <= 0 || FPosition < 0 || FPosition >= Size) return 0;
  const long N = static_cast<long>(std::min<std::int64_t>(Count, Size - FPosition));
  std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(N));
  FPosition += N;
  return N;
}

long TMemoryStream::Write(const void* Buffer, long Count) {
  if (Count <= 0 || FPosition < 0) return 0;
  std::int64_t End = 0;
  if (__builtin_add_overflow(FPosition, static_cast<std::int64_t>(Count), &End)) throw EOutOfMemory(Consts::SOutOfMemory);
  if (End > static_cast<std::int64_t>(FData.size())) {
    // Grow geometrically: a writer of many small fields must not copy the data each time.
    if (End > MaxMemoryStreamSize) throw EOutOfMemory(Consts::SOutOfMemory);
    if (End > static_cast<std::int64_t>(FData.capacity())) {
      try {
        FData.reserve(std::max<size_t>(static_cast<size_t>(End), FData.capacity() * 2));
      } catch (const std::exception&) {
        throw EOutOfMemory(Consts::SOutOfMemory);
      }
    }
    SetSize(End);
  }
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = End;
  return Count;
}

// Any position can be set, also past the end (a write there fills the gap with zeros).
std::int64_t TMemoryStream::Seek(std::int64_t Offset, Word Origin) {
  std::int64_t Base = 0;
  switch (Origin) {
    case soFromBeginning: Base = 0; break;
    case soFromCurrent: Base = FPosition; break;
    case soFromEnd: Base = static_cast<std::int64_t>(FData.size()); break;
    default: throw EStreamError("Invalid seek origin");
  }
  if (__builtin_add_overflow(Base, Offset, &FPosition)) throw EStreamError("Stream seek error");
  return FPosition;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  if (NewSize < 0) NewSize = 0;
  // A form file or card stream may claim any size; it is refused here, not by the allocator.
  if (NewSize > MaxMemoryStreamSize) throw EOutOfMemory(Consts::SOutOfMemory);
  try {
    FData.resize(static_cast<size_t>(NewSize));
  } catch (const std::exception&) {
    throw EOutOfMemory(Consts::SOutOfMemory);
  }
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
}

// From the start of Stream to its end; a stream of unknown size is read until it ends.
void TMemoryStream::LoadFromStream(TStream* Stream) {
  if (Stream->SizeKnown()) {
    Stream->SetPosition(0);
    const std::int64_t Count = Stream->GetSize();
    SetSize(Count);
    Stream->ReadBuffer(FData.data(), static_cast<long>(Count));
  } else {
    Clear();
    constexpr long ChunkSize = 64 * 1024;
    for (;;) {
      const size_t Old = FData.size();
      SetSize(static_cast<std::int64_t>(Old) + ChunkSize);
      const long N = Stream->Read(FData.data() + Old, ChunkSize);
      FData.resize(Old + static_cast<size_t>(std::max(N, 0L)));
      if (N <= 0) break;
    }
  }
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream* Stream) {
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<long>(FData.size()));
}

void TMemoryStream::LoadFromFile(const AnsiString& FileName) {
  TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&Stream);
}

void TMemoryStream::SaveToFile(const AnsiString& FileName) {
  TFileStream Stream(FileName, fmCreate);
  SaveToStream(&Stream);
}

}  // namespace vcl
