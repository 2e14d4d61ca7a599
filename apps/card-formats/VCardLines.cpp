#include "VCardLines.h"

#include <algorithm>

#include "SysUtils.h"
#include "TextEncoding.h"

namespace cards::vcard {

using vcl::LowerCase;
using vcl::UpperCase;

namespace {

bool StartsWithNoCase(std::string_view Text, std::string_view Prefix) {
  return Text.size() >= Prefix.size() && UpperCase(std::string(Text.substr(0, Prefix.size()))) == Prefix;
}

// CRLF, LF and a lone CR all end a line.
std::vector<std::string_view> SplitLines(std::string_view Text) {
  std::vector<std::string_view> Lines;
  std::size_t Start = 0;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] != '\r' && Text[I] != '\n') continue;
    Lines.push_back(Text.substr(Start, I - Start));
    if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
    Start = I + 1;
  }
  if (Start < Text.size()) Lines.push_back(Text.substr(Start));
  return Lines;
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

void AddTypes(TProperty& Property, std::string_view List) {
  for (std::string_view Quoted : SplitOutsideQuotes(List, ',')) {
    // TYPE="work,voice" lists its types inside the quotes.
    const std::string Unquoted = ParameterValue(Quoted);
    for (std::string_view Type : SplitOutsideQuotes(Unquoted, ',')) {
      // Parameters are decoded as values are, so that a stray byte reads back the same.
      std::string Name = LowerCase(ToUtf8(Type));
      if (!Name.empty() && std::find(Property.Types.begin(), Property.Types.end(), Name) == Property.Types.end())
        Property.Types.push_back(std::move(Name));
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
      else AddTypes(Result.Property, Parameter);
      continue;
    }
    const std::string_view Value = Parameter.substr(Equals + 1);
    if (Key == "TYPE") AddTypes(Result.Property, Value);
    else if (Key == "ENCODING") Result.Encoding = EncodingNamed(UpperCase(std::string(ParameterValue(Value))));
    else if (Key == "CHARSET") Result.Charset = ParameterValue(Value);
    else if (Key == "PREF") AddTypes(Result.Property, "pref");
    else if (Key == "VALUE" && UpperCase(std::string(ParameterValue(Value))) == "BINARY") Result.Encoding = TEncoding::Base64;
  }
  return Result;
}

}  // namespace

std::vector<TProperty> ReadProperties(std::string_view Text) {
  if (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
  const std::vector<std::string_view> Lines = SplitLines(Text);
  std::vector<TProperty> Properties;
  std::size_t I = 0;
  while (I < Lines.size()) {
    const int FirstLine = static_cast<int>(I) + 1;
    std::string Logical(Lines[I++]);
    const std::size_t HeadEnd = ValueColon(Logical);
    const bool QuotedPrintable = HeadEnd != std::string::npos &&
                                 ParseHeader(std::string_view(Logical).substr(0, HeadEnd)).Encoding == TEncoding::QuotedPrintable;
    while (I < Lines.size()) {
      if (QuotedPrintable && !Logical.empty() && Logical.back() == '=') {
        // A soft line break: the value goes on in the next line, taken as it is, spaces
        // and all. A broken writer's "=" before the card's end is dropped.
        Logical.pop_back();
        if (StartsWithNoCase(Lines[I], "END:VCARD")) break;
        Logical.append(Lines[I++]);
      } else if (!Lines[I].empty() && (Lines[I][0] == ' ' || Lines[I][0] == '\t')) {
        Logical.append(Lines[I++].substr(1));
      } else {
        break;
      }
    }
    if (QuotedPrintable && !Logical.empty() && Logical.back() == '=') Logical.pop_back();
    const std::size_t Colon = ValueColon(Logical);
    if (Colon == std::string::npos || Colon == 0) continue;
    THeader Header = ParseHeader(std::string_view(Logical).substr(0, Colon));
    std::string Value = Logical.substr(Colon + 1);
    if (Header.Encoding == TEncoding::QuotedPrintable) Value = DecodeQuotedPrintable(Value);
    TProperty& Property = Properties.emplace_back(std::move(Header.Property));
    Property.Binary = Header.Encoding == TEncoding::Base64;
    Property.Value = Property.Binary ? std::string() : ToUtf8(Value, Header.Charset);
    Property.Line = FirstLine;
  }
  return Properties;
}

std::string Unescape(std::string_view Value) {
  std::string Out;
  Out.reserve(Value.size());
  for (std::size_t I = 0; I < Value.size(); ++I) {
    const char Next = I + 1 < Value.size() ? Value[I + 1] : '\0';
    if (Value[I] == '\\' && (Next == 'n' || Next == 'N')) {
      Out += '\n';
      ++I;
    } else if (Value[I] == '\\' && (Next == ',' || Next == ';' || Next == '\\' || Next == ':')) {
      Out += Next;
      ++I;
    } else {
      Out += Value[I];  // a backslash before anything else is a backslash
    }
  }
  return Out;
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

std::string Escape(std::string_view Value) {
  std::string Out;
  Out.reserve(Value.size());
  for (char C : Value) {
    if (C == '\n' || C == '\r') Out += "\\n";
    else if (C == '\\' || C == ',' || C == ';') (Out += '\\') += C;
    else Out += C;
  }
  return Out;
}

}  // namespace cards::vcard
