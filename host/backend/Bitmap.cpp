// Device-independent bitmaps: decoding .bmp images and bare DIBs, and TBitmap.

#include <QImage>
#include <cstring>

#include "GdiObjects.h"
#include "Graphics.h"

namespace vcl {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr int MaxDimension = 32768;

std::uint32_t U32(const Byte* P) { return P[0] | (P[1] << 8) | (P[2] << 16) | (static_cast<std::uint32_t>(P[3]) << 24); }
std::uint16_t U16(const Byte* P) { return static_cast<std::uint16_t>(P[0] | (P[1] << 8)); }

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

// Decodes a DIB (header, palette, rows) starting at Dib; PixelOffset, when not zero, is
// where the rows start counted from Dib.
QImage DecodeDib(const Byte* Dib, std::size_t Size, std::size_t PixelOffset) {
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

  QVector<QRgb> Palette;
  for (std::size_t I = 0; I < PaletteCount; ++I) {
    const Byte* E = Dib + HeaderSize + I * 4;
    Palette.push_back(qRgb(E[2], E[1], E[0]));
  }
  QImage Image;
  if (BitCount == 1) {
    Image = QImage(Width, static_cast<int>(Height), QImage::Format_Mono);
    Palette.resize(2);
    Image.setColorTable(Palette);
  } else {
    Image = QImage(Width, static_cast<int>(Height), QImage::Format_RGB32);
  }
  for (int Y = 0; Y < Height; ++Y) {
    const Byte* Row = Dib + Rows + RowBytes * static_cast<std::size_t>(TopDown ? Y : Height - 1 - Y);
    for (int X = 0; X < Width; ++X) {
      if (BitCount == 1) {
        Image.setPixel(X, Y, (Row[X / 8] >> (7 - X % 8)) & 1);
        continue;
      }
      unsigned Index = 0;
      QRgb Color = 0;
      switch (BitCount) {
        case 4: Index = (Row[X / 2] >> (X % 2 ? 0 : 4)) & 0x0F; break;
        case 8: Index = Row[X]; break;
        case 24: Color = qRgb(Row[X * 3 + 2], Row[X * 3 + 1], Row[X * 3]); break;
        default: Color = qRgb(Row[X * 4 + 2], Row[X * 4 + 1], Row[X * 4]); break;
      }
      if (BitCount <= 8) {
        if (Index >= Palette.size()) Invalid();
        Color = Palette[static_cast<int>(Index)];
      }
      Image.setPixel(X, Y, Color);
    }
  }
  return Image;
}

QImage DecodeBitmapBytes(const Byte* Data, std::size_t Size) {
  if (Size >= FileHeaderSize && Data[0] == 'B' && Data[1] == 'M') {
    const std::uint32_t Offset = U32(Data + 10);
    if (Offset < FileHeaderSize + InfoHeaderSize || Offset > Size) Invalid();
    return DecodeDib(Data + FileHeaderSize, Size - FileHeaderSize, Offset - FileHeaderSize);
  }
  return DecodeDib(Data, Size, 0);
}

}  // namespace

unsigned HInstance = 0x400000;

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() { ReleaseHandle(); }

void TBitmap::ReleaseHandle() {
  backend::DeleteBitmap(FHandle);
  FHandle = nullptr;
}

void TBitmap::LoadFromBytes(const Byte* Data, std::size_t Size) {
  const QImage Image = DecodeBitmapBytes(Data, Size);
  ReleaseHandle();
  FHandle = backend::NewBitmap(Image);
}

void TBitmap::LoadFromResourceName(unsigned Instance, const AnsiString& Name) {
  std::size_t Size = 0;
  const Byte* Data = FindResourceBytes(Name, Size);
  if (!Data) throw EResNotFound(Format(Consts::SResNotFound, {Name}));
  LoadFromBytes(Data, Size);
}

void TBitmap::LoadFromStream(TStream* Stream) {
  std::vector<Byte> Bytes;
  Byte Chunk[4096];
  for (long Got; (Got = Stream->Read(Chunk, sizeof Chunk)) > 0;) Bytes.insert(Bytes.end(), Chunk, Chunk + Got);
  LoadFromBytes(Bytes.data(), Bytes.size());
}

void TBitmap::LoadFromFile(const AnsiString& FileName) {
  TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&Stream);
}

int TBitmap::GetWidth() const {
  const QImage* I = backend::BitmapImage(FHandle);
  return I ? I->width() : 0;
}

int TBitmap::GetHeight() const {
  const QImage* I = backend::BitmapImage(FHandle);
  return I ? I->height() : 0;
}

bool TBitmap::GetMonochrome() const {
  const QImage* I = backend::BitmapImage(FHandle);
  return I && I->format() == QImage::Format_Mono;
}

bool TBitmap::Empty() const { return backend::BitmapImage(FHandle) == nullptr; }

TColor TBitmap::GetPixel(int X, int Y) const {
  const QImage* I = backend::BitmapImage(FHandle);
  if (!I || !I->valid(X, Y)) return clNone;
  const QRgb C = I->pixel(X, Y);
  return RGB(qRed(C), qGreen(C), qBlue(C));
}

void TBitmap::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TBitmap*>(Source)) {
    if (Other == this) return;
    const QImage* I = backend::BitmapImage(Other->FHandle);
    const QImage Copy = I ? *I : QImage();
    ReleaseHandle();
    if (!Copy.isNull()) FHandle = backend::NewBitmap(Copy);
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace vcl
