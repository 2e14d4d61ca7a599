#include "TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "ByteText.h"
#include "SysUtils.h"

namespace cards {

namespace {

void AppendUtf8(std::string& Out, std::uint32_t Code) {
  if (Code < 0x80) {
    Out += static_cast<char>(Code);
  } else if (Code < 0x800) {
    Out += static_cast<char>(0xC0 | (Code >> 6));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else {
    Out += static_cast<char>(0xE0 | (Code >> 12));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  }
}

// 0x80 to 0x9F of Windows-1252; the five holes keep their Latin-1 control codes.
constexpr std::uint16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string Windows1252ToUtf8(std::string_view Bytes) {
  std::string Out;
  Out.reserve(Bytes.size() * 2);
  for (char C : Bytes) {
    const auto Byte = static_cast<unsigned char>(C);
    AppendUtf8(Out, Byte >= 0x80 && Byte < 0xA0 ? Windows1252High[Byte - 0x80] : Byte);
  }
  return Out;
}

// The whole text through iconv, or false when the set is unknown or a byte does not fit.
bool Convert(std::string_view Bytes, const std::string& Charset, std::string& Out) {
  const iconv_t Converter = iconv_open("UTF-8", Charset.c_str());
  if (Converter == reinterpret_cast<iconv_t>(-1)) return false;
  Out.assign(Bytes.size() * 4 + 4, '\0');
  char* In = const_cast<char*>(Bytes.data());
  std::size_t InLeft = Bytes.size();
  char* Next = Out.data();
  std::size_t OutLeft = Out.size();
  bool Done = true;
  while (InLeft > 0 && Done) {
    if (iconv(Converter, &In, &InLeft, &Next, &OutLeft) == static_cast<std::size_t>(-1)) Done = errno == E2BIG;
    if (Done && InLeft > 0) {
      const std::size_t Used = static_cast<std::size_t>(Next - Out.data());
      Out.resize(Out.size() * 2);
      Next = Out.data() + Used;
      OutLeft = Out.size() - Used;
    }
  }
  iconv_close(Converter);
  Out.resize(static_cast<std::size_t>(Next - Out.data()));
  return Done && IsValidUtf8(Out);
}

}  // namespace

// Files that name Latin-1 often hold UTF-8 all the same, and well-formed UTF-8 is almost
// never an accident of another set's bytes: it wins whatever the file says.
std::string ToUtf8(std::string_view Bytes, std::string_view Charset) {
  if (IsValidUtf8(Bytes)) return std::string(Bytes);
  const std::string Set = vcl::LowerCase(std::string(Charset));
  std::string Converted;
  if (!Set.empty() && Set != "utf-8" && Set != "utf8" && Convert(Bytes, Set, Converted)) return Converted;
  return Windows1252ToUtf8(Bytes);
}

std::string DecodeQuotedPrintable(std::string_view Text) {
  auto Hex = [](char C) -> int {
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    return -1;
  };
  std::string Out;
  Out.reserve(Text.size());
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '=' && I + 2 < Text.size() && Hex(Text[I + 1]) >= 0 && Hex(Text[I + 2]) >= 0) {
      Out += static_cast<char>(Hex(Text[I + 1]) * 16 + Hex(Text[I + 2]));
      I += 2;
    } else {
      Out += Text[I];
    }
  }
  return Out;
}

}  // namespace cards
