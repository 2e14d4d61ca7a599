#include "ByteText.h"

#include <array>
#include <cstdint>

namespace cards {

std::size_t Utf8SequenceAt(const unsigned char* P, const unsigned char* End) {
  const unsigned char C = *P;
  if (C < 0x80) return 1;
  std::size_t Length = 0;
  std::uint32_t Min = 0;
  std::uint32_t Code = 0;
  if ((C & 0xE0) == 0xC0) {
    Length = 2, Min = 0x80, Code = C & 0x1F;
  } else if ((C & 0xF0) == 0xE0) {
    Length = 3, Min = 0x800, Code = C & 0x0F;
  } else if ((C & 0xF8) == 0xF0) {
    Length = 4, Min = 0x10000, Code = C & 0x07;
  } else {
    return 0;
  }
  if (static_cast<std::size_t>(End - P) < Length) return 0;
  for (std::size_t I = 1; I < Length; ++I) {
    if ((P[I] & 0xC0) != 0x80) return 0;
    Code = (Code << 6) | (P[I] & 0x3F);
  }
  if (Code < Min || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) return 0;
  return Length;
}

bool IsValidUtf8(std::string_view Bytes) {
  const auto* P = reinterpret_cast<const unsigned char*>(Bytes.data());
  const auto* End = P + Bytes.size();
  while (P < End) {
    if (*P < 0x80) {  // ASCII, most of any address book, needs no decoding
      ++P;
      continue;
    }
    const std::size_t Length = Utf8SequenceAt(P, End);
    if (Length == 0) return false;
    P += Length;
  }
  return true;
}

namespace {
constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> DecodeTable() {
  std::array<int, 256> Table{};
  for (int& Entry : Table) Entry = -1;
  for (int I = 0; I < 64; ++I) Table[static_cast<unsigned char>(Alphabet[I])] = I;
  return Table;
}
}  // namespace

std::string EncodeBase64(std::string_view Bytes) {
  std::string Out;
  Out.reserve((Bytes.size() + 2) / 3 * 4);
  std::size_t I = 0;
  for (; I + 3 <= Bytes.size(); I += 3) {
    const std::uint32_t V = static_cast<unsigned char>(Bytes[I]) << 16 | static_cast<unsigned char>(Bytes[I + 1]) << 8 |
                            static_cast<unsigned char>(Bytes[I + 2]);
    Out += Alphabet[V >> 18];
    Out += Alphabet[(V >> 12) & 63];
    Out += Alphabet[(V >> 6) & 63];
    Out += Alphabet[V & 63];
  }
  if (const std::size_t Rest = Bytes.size() - I; Rest > 0) {
    std::uint32_t V = static_cast<unsigned char>(Bytes[I]) << 16;
    if (Rest == 2) V |= static_cast<unsigned char>(Bytes[I + 1]) << 8;
    Out += Alphabet[V >> 18];
    Out += Alphabet[(V >> 12) & 63];
    Out += Rest == 2 ? Alphabet[(V >> 6) & 63] : '=';
    Out += '=';
  }
  return Out;
}

std::optional<std::string> DecodeBase64(std::string_view Text) {
  static constexpr auto Table = DecodeTable();
  if (Text.size() % 4 != 0) return std::nullopt;
  std::string Out;
  Out.reserve(Text.size() / 4 * 3);
  for (std::size_t I = 0; I < Text.size(); I += 4) {
    const bool Last = I + 4 == Text.size();
    const int Pad = Last ? (Text[I + 3] == '=') + (Text[I + 2] == '=') : 0;
    if (Pad == 1 && Text[I + 2] == '=') return std::nullopt;
    std::uint32_t V = 0;
    for (int J = 0; J < 4 - Pad; ++J) {
      const int D = Table[static_cast<unsigned char>(Text[I + J])];
      if (D < 0) return std::nullopt;
      V |= static_cast<std::uint32_t>(D) << (18 - 6 * J);
    }
    Out += static_cast<char>(V >> 16);
    if (Pad < 2) Out += static_cast<char>((V >> 8) & 0xFF);
    if (Pad < 1) Out += static_cast<char>(V & 0xFF);
  }
  return Out;
}

}  // namespace cards
