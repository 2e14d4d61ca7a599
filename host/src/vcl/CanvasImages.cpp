// Bitmaps on a canvas, and bitmaps written back as .bmp file images.

#include "backend/GraphicsBackend.h"

namespace vcl {

void TCanvas::Draw(int X, int Y, const TBitmap* Bitmap) {
  if (Bitmap && !Bitmap->Empty()) StretchDraw(TRect{X, Y, X + Bitmap->GetWidth(), Y + Bitmap->GetHeight()}, Bitmap);
}

void TCanvas::StretchDraw(const TRect& Rect, const TBitmap* Bitmap) {
  if (Bitmap) backend::DrawBitmap(*this, Rect, Bitmap->GetHandle());
}

namespace {
void PutLE(std::vector<Byte>& Out, std::uint32_t Value, int Bytes) {
  for (int I = 0; I < Bytes; ++I) Out.push_back(static_cast<Byte>(Value >> (8 * I)));
}
}  // namespace

// Bottom-up rows of blue, green and red, each padded to four bytes.
void TBitmap::SaveToStream(TStream* Stream) const {
  if (Empty()) return;
  const int W = GetWidth(), H = GetHeight();
  const std::uint32_t RowBytes = (static_cast<std::uint32_t>(W) * 3 + 3) & ~3u;
  const std::uint32_t ImageBytes = RowBytes * static_cast<std::uint32_t>(H);
  std::vector<Byte> Out;
  Out.reserve(54 + ImageBytes);
  Out.push_back('B');
  Out.push_back('M');
  PutLE(Out, 54 + ImageBytes, 4);
  PutLE(Out, 0, 4);
  PutLE(Out, 54, 4);
  PutLE(Out, 40, 4);
  PutLE(Out, static_cast<std::uint32_t>(W), 4);
  PutLE(Out, static_cast<std::uint32_t>(H), 4);
  PutLE(Out, 1, 2);
  PutLE(Out, 24, 2);
  PutLE(Out, 0, 4);
  PutLE(Out, ImageBytes, 4);
  PutLE(Out, 2835, 4);  // 72 dots per inch
  PutLE(Out, 2835, 4);
  PutLE(Out, 0, 4);
  PutLE(Out, 0, 4);
  for (int Y = H - 1; Y >= 0; --Y) {
    const std::size_t Start = Out.size();
    for (int X = 0; X < W; ++X) {
      const TColor C = GetPixel(X, Y);
      Out.push_back(static_cast<Byte>(C >> 16));
      Out.push_back(static_cast<Byte>(C >> 8));
      Out.push_back(static_cast<Byte>(C));
    }
    Out.resize(Start + RowBytes, 0);
  }
  Stream->WriteBuffer(Out.data(), static_cast<long>(Out.size()));
}

}  // namespace vcl
