// TBitmap: loading, copying and reading a bitmap whose pixels the backend keeps.

#include "DibDecoder.h"

namespace vcl {

unsigned HInstance = 0x400000;

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() { ReleaseHandle(); }

void TBitmap::ReleaseHandle() {
  backend::DeleteBitmap(FHandle);
  FHandle = nullptr;
}

void TBitmap::LoadFromBytes(const Byte* Data, std::size_t Size) {
  const backend::TBitmapPixels Pixels = DecodeBitmapBytes(Data, Size);
  ReleaseHandle();
  FHandle = backend::NewBitmap(Pixels);
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

int TBitmap::GetWidth() const { return backend::BitmapSize(FHandle).cx; }
int TBitmap::GetHeight() const { return backend::BitmapSize(FHandle).cy; }
bool TBitmap::GetMonochrome() const { return backend::BitmapMonochrome(FHandle); }
bool TBitmap::Empty() const { return backend::BitmapSize(FHandle).cx == 0; }
TColor TBitmap::GetPixel(int X, int Y) const { return backend::BitmapPixel(FHandle, X, Y); }

void TBitmap::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TBitmap*>(Source)) {
    if (Other == this) return;
    const HBITMAP Copy = backend::CopyBitmap(Other->FHandle);
    ReleaseHandle();
    FHandle = Copy;
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace vcl
