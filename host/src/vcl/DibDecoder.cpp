// Decoding .bmp images and bare DIBs, checking every size against the bytes there are.

#include "DibDecoder.h"

namespace vcl {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr int MaxDimension = 32768;

std::uint32_t U32(const Byte* P) { return P[0] | (P[1] << 8) | (P[2] << 16) | (static_cast<std::uint32_t>(P[3]) << 24); }
std::uint16_t U16(const Byte* P) { return static_cast<std::uint16_t>(P[0] | (P[1] << 8)); }
std::uint32_t Opaque(Byte R, Byte G, Byte B) { return 0xFF000000u | (R << 16) | (G << 8) | B; }

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

// Decodes a DIB (header, palette, rows) starting at Dib; PixelOffset, when not zero, is
// where the rows start counted from Dib.
backend::TBitmapPixels DecodeDib(const Byte* Dib, std::size_t Size, std::size_t PixelOffset) {
  if (Size < InfoHeaderSize) Invalid();
  const std::uint32_t HeaderSize = U32(Dib);
  const auto Width = static_cast<std::int32_t>(U32(Dib + 4));
  const auto RawHeight = static_cast<std::int32_t>(U32(Dib + 8));
  const std::uint16_t BitCount = U16(Dib + 14);
  const std::uint32_t Compression = U32(Dib + 16);
  const std::uint32_t ColorsUsed = U32(Dib + 32);
  const bool TopDown = RawHeight < 0;
  const long long Height = TopDown ? -static_cast<long long>(RawHeight) : RawHeight;
  if (HeaderSize < InfoHeaderSize || HeaderSize > Size || Width <= 0 || Height <= 0 || Width > MaxDimension ||
      Height > MaxDimension || Compression != 0)
    Invalid();
  if (BitCount != 1 && BitCount != 4 && BitCount != 8 && BitCount != 24 && BitCount != 32) Invalid();
  const std::size_t PaletteCount = BitCount <= 8 ? (ColorsUsed ? ColorsUsed : (1u << BitCount)) : 0;
  if (PaletteCount > 256) Invalid();
  const std::size_t PaletteEnd = HeaderSize + PaletteCount * 4;
  if (PaletteEnd > Size) Invalid();
  const std::size_t RowBytes = ((static_cast<std::size_t>(Width) * BitCount + 31) / 32) * 4;
  const std::size_t Rows = PixelOffset ? PixelOffset : PaletteEnd;
  if (Rows < PaletteEnd || Rows > Size || (Size - Rows) / RowBytes < static_cast<std::size_t>(Height)) Invalid();

  std::vector<std::uint32_t> Palette;
  for (std::size_t I = 0; I < PaletteCount; ++I) {
    const Byte* E = Dib + HeaderSize + I * 4;
    Palette.push_back(Opaque(E[2], E[1], E[0]));
  }
  backend::TBitmapPixels Image;
  Image.Width = Width;
  Image.Height = static_cast<int>(Height);
  Image.Pixels.resize(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height));
  if (BitCount == 1) {
    // A monochrome image keeps two colours, the missing one black.
    Palette.resize(2);
    Image.Palette = Palette;
  }
  for (int Y = 0; Y < Height; ++Y) {
    const Byte* Row = Dib + Rows + RowBytes * static_cast<std::size_t>(TopDown ? Y : Height - 1 - Y);
    std::uint32_t* Out = Image.Pixels.data() + static_cast<std::size_t>(Y) * static_cast<std::size_t>(Width);
    for (int X = 0; X < Width; ++X) {
      unsigned Index = 0;
      std::uint32_t Color = 0;
      switch (BitCount) {
        case 1: Out[X] = (Row[X / 8] >> (7 - X % 8)) & 1; continue;
        case 4: Index = (Row[X / 2] >> (X % 2 ? 0 : 4)) & 0x0F; break;
        case 8: Index = Row[X]; break;
        case 24: Color = Opaque(Row[X * 3 + 2], Row[X * 3 + 1], Row[X * 3]); break;
        default: Color = Opaque(Row[X * 4 + 2], Row[X * 4 + 1], Row[X * 4]); break;
      }
      if (BitCount <= 8) {
        if (Index >= Palette.size()) Invalid();
        Color = Palette[Index];
      }
      Out[X] = Color;
    }
  }
  return Image;
}

}  // namespace

backend::TBitmapPixels DecodeBitmapBytes(const Byte* Data, std::size_t Size) {
  if (Size >= FileHeaderSize && Data[0] == 'B' && Data[1] == 'M') {
    const std::uint32_t Offset = U32(Data + 10);
    if (Offset < FileHeaderSize + InfoHeaderSize || Offset > Size) Invalid();
    return DecodeDib(Data + FileHeaderSize, Size - FileHeaderSize, Offset - FileHeaderSize);
  }
  return DecodeDib(Data, Size, 0);
}

}  // namespace vcl
