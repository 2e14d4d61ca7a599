#pragma once
// Buffering in front of a file stream for the card stream reader and writer: a card file
// is read and written in many small fields, and TFileStream makes a system call for each.
// Internal to the components.

#include <vector>

#include "Classes.h"

namespace ostrel {

// Reads Source through a 64 KiB buffer. Position and Size are those of Source as if it were
// read directly; writing is refused.
class TReadAheadStream : public vcl::TStream {
public:
  explicit TReadAheadStream(vcl::TStream* Source);
  long Read(void* Buffer, long Count) override;
  long Write(const void* Buffer, long Count) override;
  std::int64_t Seek(std::int64_t Offset, vcl::Word Origin) override;
  std::int64_t GetSize() override { return FSize; }
  bool SizeKnown() const override { return FSource->SizeKnown(); }

private:
  vcl::TStream* FSource;
  std::vector<vcl::Byte> FBuffer;
  std::size_t FBegin = 0;  // next unread byte of FBuffer
  std::size_t FEnd = 0;    // end of the valid bytes of FBuffer
  std::int64_t FPosition;  // position of FBuffer[FBegin] in Source
  std::int64_t FSize;
};

// Collects writes in a 64 KiB buffer and passes them on to Target in large pieces. Flush
// passes on the rest and raises Target's write error; the destructor drops what is left
// unflushed, since a failed save must not write half a buffer late.
class TWriteBehindStream : public vcl::TStream {
public:
  explicit TWriteBehindStream(vcl::TStream* Target);
  long Read(void* Buffer, long Count) override;
  long Write(const void* Buffer, long Count) override;
  std::int64_t Seek(std::int64_t Offset, vcl::Word Origin) override;
  void Flush();

private:
  vcl::TStream* FTarget;
  std::vector<vcl::Byte> FBuffer;
};

}  // namespace ostrel
