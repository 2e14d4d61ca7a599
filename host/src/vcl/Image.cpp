// TPicture and TImage: a bitmap kept in form files and shown on the parent's surface.

#include "ExtCtrls.h"

namespace vcl {

namespace {
const AnsiString BitmapClassName = "TBitmap";
}

// ---------------------------------------------------------------- TPicture

TPicture::TPicture() : FBitmap(std::make_unique<TBitmap>()) {}
TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (FOnChange) FOnChange(this);
}

void TPicture::SetBitmap(TBitmap* Value) {
  if (Value) FBitmap->Assign(Value);
  else FBitmap = std::make_unique<TBitmap>();
  Changed();
}

int TPicture::GetWidth() const { return FBitmap->GetWidth(); }
int TPicture::GetHeight() const { return FBitmap->GetHeight(); }

void TPicture::LoadFromFile(const AnsiString& FileName) {
  TBitmap Loaded;
  Loaded.LoadFromFile(FileName);
  SetBitmap(&Loaded);
}

void TPicture::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TPicture*>(Source)) return SetBitmap(Other->FBitmap.get());
  if (auto* Bitmap = dynamic_cast<TBitmap*>(Source)) return SetBitmap(Bitmap);
  TPersistent::Assign(Source);
}

void TPicture::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* Stream) { ReadData(Stream); }, [this](TStream* Stream) { WriteData(Stream); },
      !FBitmap->Empty());
}

// An empty class name is an empty picture; a bitmap whose bytes do not decode raises
// EInvalidGraphic and leaves the picture as it was.
void TPicture::ReadData(TStream* Stream) {
  Byte NameLength = 0;
  Stream->ReadBuffer(&NameLength, 1);
  AnsiString Name(NameLength, '\0');
  if (NameLength > 0) Stream->ReadBuffer(Name.data(), NameLength);
  if (Name.empty()) return SetBitmap(nullptr);
  if (Name != BitmapClassName) throw EInvalidGraphic("Unknown picture format " + Name);
  Byte SizeBytes[4];
  Stream->ReadBuffer(SizeBytes, 4);
  const std::uint32_t Size = SizeBytes[0] | SizeBytes[1] << 8 | SizeBytes[2] << 16 | static_cast<std::uint32_t>(SizeBytes[3]) << 24;
  if (Size > static_cast<std::uint32_t>(Stream->GetSize() - Stream->GetPosition()))
    throw EReadError(Consts::SReadError);
  std::vector<Byte> Bytes(Size);
  if (Size > 0) Stream->ReadBuffer(Bytes.data(), static_cast<long>(Size));
  TMemoryStream Image;
  if (Size > 0) Image.WriteBuffer(Bytes.data(), static_cast<long>(Size));
  Image.SetPosition(0);
  TBitmap Loaded;
  Loaded.LoadFromStream(&Image);
  SetBitmap(&Loaded);
}

void TPicture::WriteData(TStream* Stream) {
  TMemoryStream Image;
  FBitmap->SaveToStream(&Image);
  const auto Size = static_cast<std::uint32_t>(Image.GetSize());
  const auto NameLength = static_cast<Byte>(BitmapClassName.size());
  Stream->WriteBuffer(&NameLength, 1);
  Stream->WriteBuffer(BitmapClassName.data(), NameLength);
  const Byte SizeBytes[4] = {static_cast<Byte>(Size), static_cast<Byte>(Size >> 8), static_cast<Byte>(Size >> 16),
                             static_cast<Byte>(Size >> 24)};
  Stream->WriteBuffer(SizeBytes, 4);
  if (Size > 0) Stream->WriteBuffer(Image.Memory(), static_cast<long>(Size));
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FWidth = 105;
  FHeight = 105;
  FPicture->SetOnChange(TNotifyEvent(this, &TImage::PictureChanged));
}

TImage::~TImage() { FPicture->SetOnChange(nullptr); }

void TImage::PictureChanged(TObject*) {
  if (FAutoSize && !FPicture->GetBitmap()->Empty()) SetBounds(FLeft, FTop, FPicture->GetWidth(), FPicture->GetHeight());
  Invalidate();
}

void TImage::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  PictureChanged(this);
}

void TImage::SetStretch(bool Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  if (Value == FCenter) return;
  FCenter = Value;
  Invalidate();
}

void TImage::Paint() {
  const TBitmap* Bitmap = FPicture->GetBitmap();
  if (Bitmap->Empty()) return;
  if (FStretch) return GetCanvas()->StretchDraw(GetClientRect(), Bitmap);
  int X = 0, Y = 0;
  if (FCenter) {
    X = (FWidth - Bitmap->GetWidth()) / 2;
    Y = (FHeight - Bitmap->GetHeight()) / 2;
  }
  GetCanvas()->Draw(X, Y, Bitmap);
}

}  // namespace vcl
