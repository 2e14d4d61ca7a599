// TFileStream over POSIX file descriptors, with a read-ahead buffer.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "Classes.h"

namespace vcl {

namespace {

constexpr long ReadBufferSize = 64 * 1024;

// One read(2), retried when a signal interrupts it; -1 on error.
long ReadOnce(int Handle, void* Buffer, long Count) {
  for (;;) {
    const ssize_t N = ::read(Handle, Buffer, static_cast<size_t>(Count));
    if (N >= 0 || errno != EINTR) return static_cast<long>(N);
  }
}

[[noreturn]] void SeekError() { throw EStreamError("Stream seek error"); }

AnsiString Reason(int Error) { return std::strerror(Error); }

}  // namespace

TFileStream::TFileStream(const AnsiString& FileName, Word Mode) : FFileName(FileName) {
  int Flags = O_CLOEXEC;
  if (Mode == fmCreate) {
    Flags |= O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (Mode & 3) {
      case fmOpenRead: Flags |= O_RDONLY; break;
      case fmOpenWrite: Flags |= O_WRONLY; break;
      case fmOpenReadWrite: Flags |= O_RDWR; break;
      default: throw EFOpenError(Format(Consts::SFOpenError, {FileName}) + ": no such access mode");
    }
  }
  do {
    FHandle = ::open(FileName.c_str(), Flags, 0666);
  } while (FHandle < 0 && errno == EINTR);
  int Error = errno;
  struct stat Info {};
  if (FHandle >= 0 && (::fstat(FHandle, &Info) != 0 || S_ISDIR(Info.st_mode))) {
    Error = S_ISDIR(Info.st_mode) ? EISDIR : errno;
    ::close(FHandle);
    FHandle = -1;
  }
  if (FHandle < 0) {
    if (Mode == fmCreate) throw EFCreateError(Format(Consts::SFCreateError, {FileName}) + ": " + Reason(Error));
    throw EFOpenError(Format(Consts::SFOpenError, {FileName}) + ": " + Reason(Error));
  }
  FSeekable = ::lseek(FHandle, 0, SEEK_CUR) >= 0;
}

TFileStream::TFileStream(int Handle, const AnsiString& FileName) : FFileName(FileName), FHandle(Handle) {
  FSeekable = ::lseek(FHandle, 0, SEEK_CUR) >= 0;
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

long TFileStream::Read(void* Buffer, long Count) {
  if (Count <= 0) return 0;
  auto* Out = static_cast<Byte*>(Buffer);
  long Done = 0;
  while (Done < Count) {
    if (FBufferPos < FBufferEnd) {
      const long N = std::min(Count - Done, FBufferEnd - FBufferPos);
      std::memcpy(Out + Done, FBuffer.get() + FBufferPos, static_cast<size_t>(N));
      FBufferPos += N;
      Done += N;
      continue;
    }
    long N = 0;
    if (Count - Done >= ReadBufferSize) {
      // Large requests bypass the buffer, which no longer matches the position.
      FBufferPos = FBufferEnd = 0;
      N = ReadOnce(FHandle, Out + Done, Count - Done);
      if (N < 0) ReadFailed(Done);
      if (N == 0) break;
      Done += N;
    } else {
      if (!FBuffer) FBuffer.reset(new Byte[ReadBufferSize]);
      N = ReadOnce(FHandle, FBuffer.get(), ReadBufferSize);
      if (N < 0) ReadFailed(Done);
      if (N == 0) break;
      FBufferPos = 0;
      FBufferEnd = N;
    }
  }
  FPosition += Done;
  return Done;
}

void TFileStream::ReadFailed(long Done) {
  const int Error = errno;
  FPosition += Done;
  throw EReadError(Format("%s in %s at byte offset %d: %s", {Consts::SReadError, FFileName, FPosition, Reason(Error)}));
}

void TFileStream::WriteFailed() const {
  throw EWriteError(Format("%s in %s: %s", {Consts::SWriteError, FFileName, Reason(errno)}));
}

// The file's own offset is ahead of the stream's position by what the buffer still holds.
void TFileStream::DropReadBuffer() {
  const long Unread = FBufferEnd - FBufferPos;
  FBufferPos = FBufferEnd = 0;
  if (Unread > 0 && ::lseek(FHandle, FPosition, SEEK_SET) < 0) SeekError();
}

long TFileStream::Write(const void* Buffer, long Count) {
  if (Count <= 0) return 0;
  DropReadBuffer();
  const auto* In = static_cast<const Byte*>(Buffer);
  long Done = 0;
  while (Done < Count) {
    const ssize_t N = ::write(FHandle, In + Done, static_cast<size_t>(Count - Done));
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) {
      FPosition += Done;
      WriteFailed();
    }
    if (N == 0) break;
    Done += static_cast<long>(N);
  }
  FPosition += Done;
  return Done;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, Word Origin) {
  std::int64_t Target = 0;
  switch (Origin) {
    case soFromBeginning: Target = Offset; break;
    case soFromCurrent:
      if (Offset == 0) return FPosition;  // Position: no system call, also on a pipe
      if (__builtin_add_overflow(FPosition, Offset, &Target)) SeekError();
      break;
    case soFromEnd:
      FBufferPos = FBufferEnd = 0;
      Target = ::lseek(FHandle, Offset, SEEK_END);
      if (Target < 0) SeekError();
      FPosition = Target;
      return Target;
    default: SeekError();
  }
  if (Target < 0) SeekError();
  // Within the bytes read ahead: move inside the buffer.
  const std::int64_t BufferStart = FPosition - FBufferPos;
  if (FBufferEnd > 0 && Target >= BufferStart && Target <= BufferStart + FBufferEnd) {
    FBufferPos = static_cast<long>(Target - BufferStart);
    FPosition = Target;
    return Target;
  }
  FBufferPos = FBufferEnd = 0;
  if (::lseek(FHandle, Target, SEEK_SET) < 0) SeekError();
  FPosition = Target;
  return Target;
}

std::int64_t TFileStream::GetSize() {
  struct stat Info {};
  if (::fstat(FHandle, &Info) == 0 && S_ISREG(Info.st_mode)) return Info.st_size;
  if (!FSeekable) return 0;
  const std::int64_t Pos = GetPosition();
  const std::int64_t Size = Seek(0, soFromEnd);
  Seek(Pos, soFromBeginning);
  return Size;
}

// Cuts or extends the file; the position moves to the new end, as classic streams do.
void TFileStream::SetSize(std::int64_t NewSize) {
  Seek(NewSize, soFromBeginning);
  DropReadBuffer();
  if (::ftruncate(FHandle, NewSize) != 0) WriteFailed();
}

void TFileStream::Flush() {
  // A pipe or a terminal has nothing to push to a disk.
  if (::fsync(FHandle) != 0 && errno != EINVAL && errno != EROFS) WriteFailed();
}

}  // namespace vcl
