#include "VCardLines.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_set>

#include "LineBreaks.h"
#include "SysUtils.h"
#include "TextEncoding.h"

namespace cards::vcard {

using vcl::LowerCase;
using vcl::UpperCase;

namespace {

bool StartsWithNoCase(std::string_view Text, std::string_view Prefix) {
  return Text.size() >= Prefix.size() && UpperCase(std::string(Text.substr(0, Prefix.size()))) == Prefix;
}

// Where the name and parameters end: the first colon outside double quotes.
std::size_t ValueColon(std::string_view Line) {
  bool Quoted = false;
  for (std::size_t I = 0; I < Line.size(); ++I) {
    if (Line[I] == '"') Quoted = !Quoted;
    else if (Line[I] == ':' && !Quoted) return I;
  }
  return std::string_view::npos;
}

// Parameter values may be quoted and carry ^n, ^^ and ^' for a line break, ^ and ".
std::string ParameterValue(std::string_view Raw) {
  if (Raw.size() >= 2 && Raw.front() == '"' && Raw.back() == '"') Raw = Raw.substr(1, Raw.size() - 2);
  std::string Out;
  for (std::size_t I = 0; I < Raw.size(); ++I) {
    if (Raw[I] == '^' && I + 1 < Raw.size() && (Raw[I + 1] == 'n' || Raw[I + 1] == '^' || Raw[I + 1] == '\'')) {
      Out += Raw[I + 1] == 'n' ? '\n' : Raw[I + 1] == '^' ? '^' : '"';
      ++I;
    } else {
      Out += Raw[I];
    }
  }
  return Out;
}

// Splits at the separator outside double quotes.
std::vector<std::string_view> SplitOutsideQuotes(std::string_view Text, char Separator) {
  std::vector<std::string_view> Parts;
  bool Quoted = false;
  std::size_t Start = 0;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '"') Quoted = !Quoted;
    else if (Text[I] == Separator && !Quoted) {
      Parts.push_back(Text.substr(Start, I - Start));
      Start = I + 1;
    }
  }
  Parts.push_back(Text.substr(Start));
  return Parts;
}

// The types of a property so far, for finding a repeated one without a search.
using TSeenTypes = std::unordered_set<std::string>;

void AddTypes(TProperty& Property, TSeenTypes& Seen, std::string_view List) {
  for (std::string_view Quoted : SplitOutsideQuotes(List, ',')) {
    // TYPE="work,voice" lists its types inside the quotes.
    const std::string Unquoted = ParameterValue(Quoted);
    for (std::string_view Type : SplitOutsideQuotes(Unquoted, ',')) {
      // Parameters are decoded as values are, so that a stray byte reads back the same.
      std::string Name = LowerCase(ToUtf8(Type));
      if (!Name.empty() && Seen.insert(Name).second) Property.Types.push_back(std::move(Name));
    }
  }
}

// Name, parameters and the raw value of one unfolded line.
enum class TEncoding { None, QuotedPrintable, Base64 };

TEncoding EncodingNamed(const std::string& Name) {
  if (Name == "QUOTED-PRINTABLE") return TEncoding::QuotedPrintable;
  if (Name == "BASE64" || Name == "B") return TEncoding::Base64;
  return TEncoding::None;
}

struct THeader {
  TProperty Property;
  TEncoding Encoding = TEncoding::None;
  std::string Charset;
};

THeader ParseHeader(std::string_view Head) {
  THeader Result;
  TSeenTypes Seen;
  const std::vector<std::string_view> Parts = SplitOutsideQuotes(Head, ';');
  const std::string_view Name = Parts[0];
  const std::size_t Dot = Name.rfind('.');
  if (Dot != std::string_view::npos) Result.Property.Group = std::string(Name.substr(0, Dot));
  Result.Property.Name = UpperCase(std::string(Dot == std::string_view::npos ? Name : Name.substr(Dot + 1)));
  for (std::size_t I = 1; I < Parts.size(); ++I) {
    const std::string_view Parameter = Parts[I];
    const std::size_t Equals = Parameter.find('=');
    const std::string Key = UpperCase(std::string(Parameter.substr(0, Equals)));
    if (Equals == std::string_view::npos) {
      // vCard 2.1 names types and encodings bare.
      if (Key == "QUOTED-PRINTABLE" || Key == "BASE64" || Key == "8BIT" || Key == "7BIT") Result.Encoding = EncodingNamed(Key);
      else AddTypes(Result.Property, Seen, Parameter);
      continue;
    }
    const std::string_view Value = Parameter.substr(Equals + 1);
    if (Key == "TYPE") AddTypes(Result.Property, Seen, Value);
    else if (Key == "ENCODING") Result.Encoding = EncodingNamed(UpperCase(std::string(ParameterValue(Value))));
    else if (Key == "CHARSET") Result.Charset = ParameterValue(Value);
    else if (Key == "PREF") AddTypes(Result.Property, Seen, "pref");
    else if (Key == "VALUE" && UpperCase(std::string(ParameterValue(Value))) == "BINARY") Result.Encoding = TEncoding::Base64;
  }
  return Result;
}

}  // namespace

bool TLineReader::Fill() {
  constexpr std::size_t Block = 65536;
  FBlock.resize(Block);
  FPos = 0;
  FBlock.resize(FSource.Read(FBlock.data(), Block));
  return !FBlock.empty();
}

bool TLineReader::Next(std::string& Line) {
  Line.clear();
  bool Any = false;
  for (;;) {
    if (FPos == FBlock.size() && !Fill()) {
      if (Any) ++FNumber;
      return Any;
    }
    if (FSkipLf) {
      FSkipLf = false;
      if (FBlock[FPos] == '\n') {
        ++FPos;
        ++FOffset;
        continue;
      }
    }
    const std::string_view Rest = std::string_view(FBlock).substr(FPos);
    const std::size_t End = FPos + std::min(FindBreak(Rest), Rest.size());
    if (!FSawText) FSawText = Rest.substr(0, End - FPos).find_first_not_of(" \t") != std::string_view::npos;
    Line.append(FBlock, FPos, End - FPos);
    FOffset += End - FPos;
    Any = Any || End > FPos;
    FPos = End;
    if (Line.size() > FLimit) {
      if (FTooLong) FTooLong();
      throw EFormatError("line " + std::to_string(FNumber + 1) + ": a line of more than " +
                         std::to_string(FLimit >> 20) + " MiB; no address book has one");
    }
    if (End == FBlock.size()) continue;
    FSkipLf = FBlock[End] == '\r';
    ++FPos;
    ++FOffset;
    ++FNumber;
    return true;
  }
}

bool TPropertyReader::NextLine() {
  FHaveAhead = FLines.Next(FAhead);
  FAheadNumber = FLines.Number();
  return FHaveAhead;
}

bool TPropertyReader::Next(TProperty& Property) {
  if (!FHaveAhead && !NextLine()) return false;
  const std::int64_t FirstLine = FAheadNumber;
  // The lines swap buffers instead of taking new ones: a property costs no allocation.
  std::string& Logical = FLogical;
  Logical.swap(FAhead);
  // The header is parsed once: from the first line when its colon is there (the
  // continuation lines then only add to the value), else from the joined line.
  const std::size_t FirstColon = ValueColon(Logical);
  std::optional<THeader> Header;
  if (FirstColon != std::string::npos && FirstColon != 0)
    Header = ParseHeader(std::string_view(Logical).substr(0, FirstColon));
  const bool QuotedPrintable = Header && Header->Encoding == TEncoding::QuotedPrintable;
  bool More = NextLine();
  while (More) {
    if (QuotedPrintable && !Logical.empty() && Logical.back() == '=') {
      // A soft line break: the value goes on in the next line, taken as it is, spaces
      // and all. A broken writer's "=" before the card's end is dropped.
      Logical.pop_back();
      if (StartsWithNoCase(FAhead, "END:VCARD")) break;
      Logical.append(FAhead);
    } else if (!FAhead.empty() && (FAhead[0] == ' ' || FAhead[0] == '\t')) {
      Logical.append(FAhead, 1);
    } else {
      break;
    }
    if (Logical.size() > MaxCardBytes)
      throw EFormatError("line " + std::to_string(FirstLine) + ": a property of more than " +
                         std::to_string(MaxCardBytes >> 20) + " MiB; no address book has one");
    More = NextLine();
  }
  if (QuotedPrintable && !Logical.empty() && Logical.back() == '=') Logical.pop_back();
  const std::size_t Colon = Header ? FirstColon : ValueColon(Logical);
  if (Colon == std::string::npos || Colon == 0) {
    // Not a property: given as one without a name, so that the caller can count what
    // it has read even through endless such lines.
    Property = TProperty();
    Property.Line = static_cast<int>(std::min<std::int64_t>(FirstLine, INT32_MAX));
    return true;
  }
  if (!Header) Header = ParseHeader(std::string_view(Logical).substr(0, Colon));
  std::string_view Value = std::string_view(Logical).substr(Colon + 1);
  std::string Decoded;
  if (Header->Encoding == TEncoding::QuotedPrintable) Value = Decoded = DecodeQuotedPrintable(Value);
  Property = std::move(Header->Property);
  Property.Binary = Header->Encoding == TEncoding::Base64;
  Property.Line = static_cast<int>(std::min<std::int64_t>(FirstLine, INT32_MAX));
  Property.Value.clear();
  if (!Property.Binary) {
    bool Repaired = false;
    Property.Value = ToUtf8(Value, Header->Charset, &Repaired);
    if (Repaired && !FRepairWarned) {
      FRepairWarned = true;
      FReport.Warn(FirstLine, "bytes that are not UTF-8 (nor the CHARSET named) read as Windows-1252 characters");
    }
    if (Property.Value.find('\0') != std::string::npos) {
      std::string Clean;
      for (char C : Property.Value) C == '\0' ? Clean.append("\xEF\xBF\xBD") : Clean.append(1, C);
      Property.Value = std::move(Clean);
      FReport.Warn(FirstLine, "a zero byte in " + Property.Name + ", which a card cannot keep, is shown as U+FFFD");
    }
  }
  // A huge property's buffer is not kept for the small ones after it.
  if (Logical.capacity() > KeptBufferBytes) std::string().swap(Logical);
  return true;
}

std::vector<TProperty> ReadProperties(std::string_view Text) {
  TTextSource Source(Text);
  TReadReport Report;
  TPropertyReader Reader(Source, Report);
  std::vector<TProperty> Properties;
  for (TProperty Property; Reader.Next(Property);)
    if (!Property.Name.empty()) Properties.push_back(std::move(Property));
  return Properties;
}

std::string Unescape(std::string_view Value, bool CarriageReturns) {
  std::string Out;
  Out.reserve(Value.size());
  for (;;) {
    const std::size_t Slash = Value.find('\\');
    Out.append(Value.substr(0, Slash));
    if (Slash == std::string_view::npos) return Out;
    const char Next = Slash + 1 < Value.size() ? Value[Slash + 1] : '\0';
    std::size_t Used = 2;
    if (Next == 'n' || Next == 'N') Out += '\n';
    else if (Next == 'r' && CarriageReturns) Out += '\r';
    else if (Next == ',' || Next == ';' || Next == '\\' || Next == ':') Out += Next;
    else {
      Out += '\\';  // a backslash before anything else is a backslash
      Used = 1;
    }
    Value.remove_prefix(Slash + Used);
  }
}

std::vector<std::string> SplitComponents(std::string_view Value) {
  std::vector<std::string> Components;
  std::size_t Start = 0;
  for (std::size_t I = 0; I < Value.size(); ++I) {
    if (Value[I] == '\\') {
      ++I;
    } else if (Value[I] == ';') {
      Components.push_back(Unescape(Value.substr(Start, I - Start)));
      Start = I + 1;
    }
  }
  Components.push_back(Unescape(Value.substr(std::min(Start, Value.size()))));
  return Components;
}

std::string Escape(std::string_view Value, bool CarriageReturns) {
  std::string Out;
  Out.reserve(Value.size());
  for (std::size_t I = 0; I < Value.size(); ++I) {
    const char C = Value[I];
    if (C == '\r' && CarriageReturns) {
      Out += "\\r";
    } else if (C == '\n' || C == '\r') {
      Out += "\\n";
      if (C == '\r' && I + 1 < Value.size() && Value[I + 1] == '\n') ++I;
    } else if (C == '\\' || C == ',' || C == ';') {
      (Out += '\\') += C;
    } else {
      Out += C;
    }
  }
  return Out;
}

}  // namespace cards::vcard
