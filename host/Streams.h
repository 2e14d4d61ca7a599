#pragma once
// Byte streams: the abstract stream, memory and file streams, and the file stream that
// replaces its target only once everything is written. Classes.h includes this header.

#include <cstdint>
#include <vector>

#include "SysUtils.h"
#include "System.h"

namespace vcl {

// ---------------------------------------------------------------- streams

// Where Seek counts its offset from.
enum : Word { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// A sequence of bytes with a position: the base of memory and file streams, and what card
// files, form files and the formats read from and write to.
class TStream : public TObject {
public:
  // Transfer up to Count bytes; the number actually moved.
  virtual long Read(void* Buffer, long Count) = 0;
  virtual long Write(const void* Buffer, long Count) = 0;
  // Moves the position by Offset from Origin (soFrom...); the new position.
  virtual std::int64_t Seek(std::int64_t Offset, Word Origin) = 0;
  // Exactly Count bytes, or EReadError / EWriteError.
  void ReadBuffer(void* Buffer, long Count);
  void WriteBuffer(const void* Buffer, long Count);
  // The position in bytes from the start; setting it seeks there.
  std::int64_t GetPosition();
  void SetPosition(std::int64_t Pos);
  // The length in bytes; setting it truncates or extends where the stream can.
  virtual std::int64_t GetSize();
  virtual void SetSize(std::int64_t NewSize);
  // Whether Size is known; a pipe-like stream may not know how much remains.
  virtual bool SizeKnown() const { return true; }
  // Copies Count bytes from Source's position (0: all of Source, from its start) to this
  // stream's position; the count copied. EReadError when Source ends first.
  std::int64_t CopyFrom(TStream* Source, std::int64_t Count);
};

// A stream held in memory, growing as it is written.
class TMemoryStream : public TStream {
public:
  long Read(void* Buffer, long Count) override;
  long Write(const void* Buffer, long Count) override;
  std::int64_t Seek(std::int64_t Offset, Word Origin) override;
  std::int64_t GetSize() override { return static_cast<std::int64_t>(FData.size()); }
  void SetSize(std::int64_t NewSize) override;  // EOutOfMemory when it cannot grow
  // Empties the stream and gives its memory back.
  void Clear();
  // Replaces the contents with all of Stream, read from its start (a stream of unknown size
  // until it ends); SaveToStream writes all of this one at Stream's position.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  // The same with a file; EFOpenError when it cannot be opened, EFCreateError when it
  // cannot be made.
  void LoadFromFile(const AnsiString& FileName);
  void SaveToFile(const AnsiString& FileName);
  // The bytes themselves, Size of them.
  const Byte* Memory() const { return FData.data(); }
  Byte* Memory() { return FData.data(); }

private:
  std::vector<Byte> FData;
  std::int64_t FPosition = 0;
};

// Classic open modes: an access mode or'ed with a share mode; fmCreate creates or empties.
enum : Word {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFFFF,
};

// Reads go through an internal buffer, so that many small ReadBuffer calls stay cheap.
// Writes go straight to the system, so that the WriteBuffer call that meets a full disk
// is the one that fails; a writer of many small fields should stage them in a
// TMemoryStream. Share modes are accepted and ignored. Every error names the file and the
// system's reason: a failed read or write raises EReadError / EWriteError at once, while
// the end of the file makes Read return fewer bytes.
class TFileStream : public TStream {
public:
  // EFCreateError / EFOpenError naming the file.
  TFileStream(const AnsiString& FileName, Word Mode);
  ~TFileStream() override;
  long Read(void* Buffer, long Count) override;
  long Write(const void* Buffer, long Count) override;
  // EStreamError when the file cannot seek there (a pipe, a negative position).
  std::int64_t Seek(std::int64_t Offset, Word Origin) override;
  std::int64_t GetSize() override;
  void SetSize(std::int64_t NewSize) override;
  bool SizeKnown() const override { return FSeekable; }
  // Pushes written bytes to the disk; EWriteError when the system refuses.
  void Flush();
  const AnsiString& GetFileName() const { return FFileName; }

protected:
  // Takes over an open descriptor, which it closes; FileName names it in errors.
  TFileStream(int Handle, const AnsiString& FileName);

private:
  void DropReadBuffer();
  [[noreturn]] void ReadFailed(long Done);
  [[noreturn]] void WriteFailed() const;
  AnsiString FFileName;
  int FHandle = -1;
  bool FSeekable = false;
  std::int64_t FPosition = 0;  // logical position of the stream
  // Bytes read ahead: FBuffer[FBufferPos, FBufferEnd) are the file's bytes from FPosition on.
  std::unique_ptr<Byte[]> FBuffer;
  long FBufferPos = 0;
  long FBufferEnd = 0;
};

// A file written in full before it replaces the file of that name, so that a failed or
// interrupted save leaves the old file as it was. The bytes go to a temporary file beside
// the target, created with the target's permissions (a new file gets the process's
// default); Commit puts them on the disk and renames them over the target. A symbolic link
// is followed, also a dangling one, and stays a link. A FIFO or a character device (a
// pipe, a terminal, /dev/null) is written in place, as a user who names one means (a FIFO
// that no program reads is refused at once rather than waited for); any other kind of file
// is refused. The temporary name holds a random part, so that no one can take it first.
// Leftovers of earlier saves of the same target whose process is gone are removed. Errors
// name FileName and the system's reason; a folder that cannot be written is named too.
class TSafeFileStream : public TFileStream {
public:
  explicit TSafeFileStream(const AnsiString& FileName);  // EFCreateError
  ~TSafeFileStream() override;  // without Commit the temporary file is removed
  void Commit();                // EWriteError / EFCreateError; the stream is done then
  // False when the target is written in place: then it cannot seek back.
  bool Replaces() const { return !FTempName.empty(); }

private:
  struct TPlace {
    AnsiString Target;    // the file that gets the bytes, links followed
    AnsiString TempName;  // empty when written in place
    int Handle;
  };
  TSafeFileStream(const AnsiString& FileName, TPlace Place);
  static TPlace Open(const AnsiString& FileName);
  AnsiString FTarget;
  AnsiString FTempName;
  bool FCommitted = false;
};

}  // namespace vcl
