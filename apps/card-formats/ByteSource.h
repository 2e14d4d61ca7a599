#pragma once
// What the readers read from and what they tell back. They read bytes in blocks from a
// source (a string, a file, a pipe) and hand over a card at a time, so that memory follows
// the largest card, never the file; what they change or drop on the way goes into a report.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ContactCards.h"

namespace vcl {
class TStream;
}

namespace cards {

class TByteSource {
public:
  virtual ~TByteSource() = default;
  // Up to Size bytes into Into; 0 only at the end of the input.
  virtual std::size_t Read(char* Into, std::size_t Size) = 0;
};

// The bytes of a string, which must outlive the source.
class TTextSource final : public TByteSource {
public:
  explicit TTextSource(std::string_view Text) : FText(Text) {}
  std::size_t Read(char* Into, std::size_t Size) override;

private:
  std::string_view FText;
};

// The bytes of a stream from its position: a file, a pipe, the standard input.
class TStreamSource final : public TByteSource {
public:
  explicit TStreamSource(vcl::TStream& Stream) : FStream(Stream) {}
  std::size_t Read(char* Into, std::size_t Size) override;

private:
  vcl::TStream& FStream;
};

// Bytes one at a time, read from a source in blocks.
class TByteReader {
public:
  explicit TByteReader(TByteSource& Source) : FSource(Source) {}
  // The next byte, or -1 at the end.
  int Get() { return FPos < FBuffer.size() || Fill() ? static_cast<unsigned char>(FBuffer[FPos++]) : -1; }
  int Peek() { return FPos < FBuffer.size() || Fill() ? static_cast<unsigned char>(FBuffer[FPos]) : -1; }
  // Puts Bytes back, to be read again before the rest.
  void Unget(std::string_view Bytes);
  // The bytes read ahead and not yet taken (empty only at the end), for a caller that
  // takes a run of them at once through Skip.
  std::string_view Ahead() { return FPos < FBuffer.size() || Fill() ? std::string_view(FBuffer).substr(FPos) : std::string_view(); }
  void Skip(std::size_t Count) { FPos += Count; }

private:
  bool Fill();
  TByteSource& FSource;
  std::string FBuffer;
  std::size_t FPos = 0;
};

// Limits that no real address book reaches; beyond them the readers stop with an
// EFormatError rather than take the memory a hostile or broken file asks for.
constexpr std::size_t MaxCardBytes = std::size_t{64} << 20;  // a vCard's text, a CSV record
constexpr std::size_t SniffBytes = std::size_t{64} << 10;    // where the first vCard must begin
// A group label or column name that the readers copy into many card lines is used as
// such only up to this length; see VCard.h and Csv.h for what happens to a longer one.
constexpr std::size_t MaxNameBytes = 256;

// What a reader changed or dropped, with the line (1-based) it happened on.
struct TReadReport {
  static constexpr std::size_t MaxWarnings = 100;
  std::vector<std::string> Warnings;  // "line N: what", the first MaxWarnings of them
  std::size_t Unlisted = 0;           // the warnings beyond those
  void Warn(std::int64_t Line, const std::string& What);
  bool Empty() const { return Warnings.empty(); }
  // The warnings, and a last line for those unlisted.
  std::vector<std::string> Lines() const;
};

// Takes each card the reader gives; it may move from it.
using TContactSink = std::function<void(TContactCard& Card)>;
using TStreamingReader = void (*)(TByteSource& Source, const TContactSink& Each, TReadReport& Report);

// Every card of Text at once, through a streaming reader: for tests and small texts.
std::vector<TContactCard> ReadAll(TStreamingReader Read, std::string_view Text, TReadReport* Report);

}  // namespace cards
