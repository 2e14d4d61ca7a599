#include "OstrelStreamBuffers.h"

#include <algorithm>
#include <cstring>

namespace ostrel {

using namespace vcl;

namespace {
constexpr std::size_t BufferSize = 64 * 1024;
}

TReadAheadStream::TReadAheadStream(TStream* Source)
    : FSource(Source), FPosition(Source->GetPosition()), FSize(Source->SizeKnown() ? Source->GetSize() : 0) {}

long TReadAheadStream::Read(void* Buffer, long Count) {
  auto* Out = static_cast<Byte*>(Buffer);
  long Done = 0;
  while (Done < Count) {
    if (FBegin == FEnd) {
      const long Rest = Count - Done;
      // A large read goes straight through; the buffer would only add a copy.
      if (static_cast<std::size_t>(Rest) >= BufferSize) {
        const long N = FSource->Read(Out + Done, Rest);
        if (N <= 0) break;
        Done += N;
        FPosition += N;
        continue;
      }
      FBuffer.resize(BufferSize);
      const long N = FSource->Read(FBuffer.data(), static_cast<long>(BufferSize));
      FBegin = 0;
      FEnd = N > 0 ? static_cast<std::size_t>(N) : 0;
      if (FEnd == 0) break;
    }
    const std::size_t N = std::min<std::size_t>(FEnd - FBegin, static_cast<std::size_t>(Count - Done));
    std::memcpy(Out + Done, FBuffer.data() + FBegin, N);
    FBegin += N;
    FPosition += static_cast<std::int64_t>(N);
    Done += static_cast<long>(N);
  }
  return Done;
}

long TReadAheadStream::Write(const void*, long) { return 0; }

std::int64_t TReadAheadStream::Seek(std::int64_t Offset, Word Origin) {
  if (Origin == soFromCurrent && Offset == 0) return FPosition;
  // Anything else lets the source find the place; the buffer starts afresh there.
  FSource->Seek(FPosition, soFromBeginning);
  FPosition = FSource->Seek(Offset, Origin);
  FBegin = FEnd = 0;
  return FPosition;
}

TWriteBehindStream::TWriteBehindStream(TStream* Target) : FTarget(Target) { FBuffer.reserve(BufferSize); }

long TWriteBehindStream::Read(void*, long) { return 0; }

long TWriteBehindStream::Write(const void* Buffer, long Count) {
  if (Count <= 0) return 0;
  const auto* In = static_cast<const Byte*>(Buffer);
  if (FBuffer.size() + static_cast<std::size_t>(Count) > BufferSize) {
    Flush();
    if (static_cast<std::size_t>(Count) >= BufferSize) {
      FTarget->WriteBuffer(In, Count);
      return Count;
    }
  }
  FBuffer.insert(FBuffer.end(), In, In + Count);
  return Count;
}

std::int64_t TWriteBehindStream::Seek(std::int64_t Offset, Word Origin) {
  Flush();
  return FTarget->Seek(Offset, Origin);
}

void TWriteBehindStream::Flush() {
  if (FBuffer.empty()) return;
  // Emptied first: after a failed write the buffer must not be written a second time.
  std::vector<Byte> Pending;
  Pending.swap(FBuffer);
  FBuffer.reserve(BufferSize);
  FTarget->WriteBuffer(Pending.data(), static_cast<long>(Pending.size()));
}

}  // namespace ostrel
