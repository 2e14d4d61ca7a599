#include "TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "ByteText.h"
#include "ContactCards.h"
#include "SysUtils.h"

namespace cards {

namespace {

void AppendUtf8(std::string& Out, std::uint32_t Code) {
  if (Code < 0x80) {
    Out += static_cast<char>(Code);
  } else if (Code < 0x800) {
    Out += static_cast<char>(0xC0 | (Code >> 6));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else if (Code < 0x10000) {
    Out += static_cast<char>(0xE0 | (Code >> 12));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (Code >> 18));
    Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  }
}

constexpr std::uint32_t ReplacementCharacter = 0xFFFD;

// 0x80 to 0x9F of Windows-1252; the five holes keep their Latin-1 control codes.
constexpr std::uint16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendWindows1252(std::string& Out, unsigned char Byte) {
  AppendUtf8(Out, Byte >= 0x80 && Byte < 0xA0 ? Windows1252High[Byte - 0x80] : Byte);
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

std::string RepairUtf8(std::string_view Bytes) {
  std::string Out;
  Out.reserve(Bytes.size() + Bytes.size() / 2);
  const auto* P = reinterpret_cast<const unsigned char*>(Bytes.data());
  const auto* End = P + Bytes.size();
  while (P < End) {
    if (const std::size_t Length = Utf8SequenceAt(P, End)) {
      Out.append(reinterpret_cast<const char*>(P), Length);
      P += Length;
    } else {
      AppendWindows1252(Out, *P++);
    }
  }
  return Out;
}

// Files that name Latin-1 often hold UTF-8 all the same, and well-formed UTF-8 is almost
// never an accident of another set's bytes: it wins whatever the file says.
std::string ToUtf8(std::string_view Bytes, std::string_view Charset, bool* Repaired) {
  if (Repaired) *Repaired = false;
  if (IsValidUtf8(Bytes)) return std::string(Bytes);
  const std::string Set = vcl::LowerCase(std::string(Charset));
  std::string Converted;
  if (!Set.empty() && Set != "utf-8" && Set != "utf8" && Convert(Bytes, Set, Converted)) return Converted;
  if (Repaired) *Repaired = true;
  return RepairUtf8(Bytes);
}

void TUtf8Input::Sniff() {
  FSniffed = true;
  char Head[4];
  std::size_t Got = 0;
  while (Got < sizeof Head)
    if (const std::size_t Count = FSource.Read(Head + Got, sizeof Head - Got)) Got += Count;
    else break;
  const auto B = [&](std::size_t I) { return I < Got ? static_cast<unsigned char>(Head[I]) : -1; };
  const std::string_view Bytes(Head, Got);
  if (Bytes.starts_with("\xEF\xBB\xBF")) {
    FPending.assign(Bytes.substr(3));
    return;
  }
  if (Got == 4 && (Bytes == std::string_view("\xFF\xFE\0\0", 4) || Bytes == std::string_view("\0\0\xFE\xFF", 4)))
    throw EFormatError("the file is UTF-32 text, which is not read: save it as UTF-8 or UTF-16");
  const bool Ascii0 = B(0) > 0 && B(0) < 0x80, Ascii1 = B(1) > 0 && B(1) < 0x80;
  const bool Ascii2 = B(2) > 0 && B(2) < 0x80, Ascii3 = B(3) > 0 && B(3) < 0x80;
  if (B(0) == 0xFF && B(1) == 0xFE) {
    FEncoding = "UTF-16LE";
    FRaw.assign(Bytes.substr(2));
  } else if (B(0) == 0xFE && B(1) == 0xFF) {
    FEncoding = "UTF-16BE";
    FBigEndian = true;
    FRaw.assign(Bytes.substr(2));
  } else if (Got == 4 && Ascii0 && B(1) == 0 && Ascii2 && B(3) == 0) {
    FEncoding = "UTF-16LE";
    FRaw.assign(Bytes);
  } else if (Got == 4 && B(0) == 0 && Ascii1 && B(2) == 0 && Ascii3) {
    FEncoding = "UTF-16BE";
    FBigEndian = true;
    FRaw.assign(Bytes);
  } else {
    FPending.assign(Bytes);
  }
}

std::size_t TUtf8Input::ReadUtf16(char* Into, std::size_t Size) {
  // Decodes a block at a time into FPending; a surrogate pair or a unit cut by the block's
  // end waits in FRaw for the next one.
  bool End = false;
  while (FPendingPos == FPending.size() && !End) {
    FPending.clear();
    FPendingPos = 0;
    constexpr std::size_t Block = 65536;
    const std::size_t Kept = FRaw.size();
    FRaw.resize(Kept + Block);
    FRaw.resize(Kept + FSource.Read(FRaw.data() + Kept, Block));
    End = FRaw.size() == Kept;
    const auto Unit = [&](std::size_t I) -> std::uint32_t {
      const auto A = static_cast<unsigned char>(FRaw[I]), Z = static_cast<unsigned char>(FRaw[I + 1]);
      return FBigEndian ? (A << 8 | Z) : (Z << 8 | A);
    };
    std::size_t I = 0;
    while (I + 2 <= FRaw.size()) {
      const std::uint32_t First = Unit(I);
      if (First >= 0xD800 && First < 0xDC00) {
        if (I + 4 > FRaw.size() && !End) break;  // its pair is in the next block
        const std::uint32_t Second = I + 4 <= FRaw.size() ? Unit(I + 2) : 0;
        if (Second >= 0xDC00 && Second < 0xE000) {
          AppendUtf8(FPending, 0x10000 + ((First - 0xD800) << 10) + (Second - 0xDC00));
          I += 4;
          continue;
        }
      }
      const bool Lone = First >= 0xD800 && First < 0xE000;
      FReplaced += Lone;
      AppendUtf8(FPending, Lone ? ReplacementCharacter : First);
      I += 2;
    }
    FRaw.erase(0, I);
    if (End && !FRaw.empty()) {
      ++FReplaced;  // an odd last byte
      AppendUtf8(FPending, ReplacementCharacter);
      FRaw.clear();
    }
  }
  const std::size_t Count = std::min(Size, FPending.size() - FPendingPos);
  FPending.copy(Into, Count, FPendingPos);
  FPendingPos += Count;
  return Count;
}

std::size_t TUtf8Input::Read(char* Into, std::size_t Size) {
  if (!FSniffed) Sniff();
  if (*FEncoding != '\0') return ReadUtf16(Into, Size);
  if (FPendingPos < FPending.size()) {
    const std::size_t Count = std::min(Size, FPending.size() - FPendingPos);
    FPending.copy(Into, Count, FPendingPos);
    FPendingPos += Count;
    return Count;
  }
  return FSource.Read(Into, Size);
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
