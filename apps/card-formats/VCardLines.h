#pragma once
// The content lines of a vCard file (versions 2.1, 3.0 and 4.0), unfolded and split into
// group, name, parameters and value. Internal to the vCard reader and writer.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ByteSource.h"

namespace cards::vcard {

struct TProperty {
  std::string Group;               // "item1" of "item1.TEL", as written
  std::string Name;                // upper-case
  std::vector<std::string> Types;  // lower-case, from TYPE= and the bare types of 2.1
  bool Binary = false;             // base64 data, which no card line holds
  std::string Value;               // UTF-8, transfer encoding undone, text escapes kept
  int Line = 0;                    // where the property starts, 1-based
};

// The lines of a source, without their ends (CR LF, LF or a lone CR), a line at a time.
class TLineReader {
public:
  explicit TLineReader(TByteSource& Source) : FSource(Source) {}
  // The next line; false at the end. A line longer than the limit calls TooLong, which
  // must throw.
  bool Next(std::string& Line);
  std::int64_t Number() const { return FNumber; }   // of the line Next gave, 1-based
  std::uint64_t Offset() const { return FOffset; }  // bytes read, line ends included
  void SetLimit(std::size_t Limit, std::function<void()> TooLong) {
    FLimit = Limit;
    FTooLong = std::move(TooLong);
  }
  // Whether any line so far had more than spaces and tabs.
  bool SawText() const { return FSawText; }

private:
  bool Fill();
  TByteSource& FSource;
  std::string FBlock;
  std::size_t FPos = 0;
  bool FSkipLf = false;  // the last line ended in CR: an LF right after it belongs to it
  std::int64_t FNumber = 0;
  std::uint64_t FOffset = 0;
  std::size_t FLimit = MaxCardBytes;
  std::function<void()> FTooLong;
  bool FSawText = false;
};

// The properties of a source in order, BEGIN and END included, folded lines joined and
// each header parsed once. A line without a colon (the base64 bodies that vCard 2.1 writes
// unindented) comes as a property without a name. Values that are not UTF-8 and name no character set that fits
// are repaired (RepairUtf8), a zero byte becomes U+FFFD; both are reported.
class TPropertyReader {
public:
  TPropertyReader(TByteSource& Source, TReadReport& Report) : FLines(Source), FReport(Report) {}
  bool Next(TProperty& Property);
  TLineReader& Lines() { return FLines; }

private:
  bool NextLine();  // into FAhead
  TLineReader FLines;
  TReadReport& FReport;
  static constexpr std::size_t KeptBufferBytes = 1 << 16;
  std::string FAhead;
  std::string FLogical;  // the property being joined
  std::int64_t FAheadNumber = 0;
  bool FHaveAhead = false;
  bool FRepairWarned = false;
};

// Every property of Text, as TPropertyReader gives them.
std::vector<TProperty> ReadProperties(std::string_view Text);

// A text value with its escapes undone; line breaks stay line breaks. With CarriageReturns,
// a backslash and "r" is a CR too (our own X-OSTREL-CAPTION, which keeps a caption exactly).
std::string Unescape(std::string_view Value, bool CarriageReturns = false);
// The components of a structured value (N, ADR, ORG), split at unescaped ";" and unescaped.
std::vector<std::string> SplitComponents(std::string_view Value);
// A text value with "\", line breaks, "," and ";" escaped: CR LF, LF and a lone CR each as
// one "\n", or, with CarriageReturns, each CR as "\r" and each LF as "\n".
std::string Escape(std::string_view Value, bool CarriageReturns = false);

}  // namespace cards::vcard
