#pragma once
// Extended controls: panels and images.

#include <memory>

#include "Controls.h"

namespace vcl {

// ---------------------------------------------------------------- TPanel

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A container that paints bevels around its caption, 185 x 41 by default. From the outside
// in: the frame of BorderStyle, the outer bevel, BorderWidth pixels of Color, the inner
// bevel; the caption is centred vertically, aligned by Alignment.
class TPanel : public TCustomControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TPanel(TComponent* AOwner);

  // taCenter by default.
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // bvNone by default.
  TBevelCut GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  // bvRaised by default.
  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  // Pixels of each bevel, at least 1; 1 by default.
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  // Pixels between the bevels, at least 0; 0 by default.
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  // bsNone by default; bsSingle adds a sunken edge with Ctl3D, a line without (the client
  // area shrinks by it).
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;

private:
  TAlignment FAlignment = taCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
};

// ---------------------------------------------------------------- TPicture

// Holds the image of a TImage: a bitmap. Form files store it as the binary property "Data":
// the graphic's class name as a short string, then the bitmap's byte count (4 bytes, little
// endian) and its .bmp file image.
class TPicture : public TPersistent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  TPicture();
  ~TPicture() override;

  // Never null; empty when there is no picture.
  TBitmap* GetBitmap() const { return FBitmap.get(); }
  void SetBitmap(TBitmap* Value);  // copies
  int GetWidth() const;
  int GetHeight() const;
  // A .bmp file; EFOpenError or EInvalidGraphic leave the picture as it was.
  void LoadFromFile(const AnsiString& FileName);
  void Assign(TPersistent* Source) override;
  const TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
  void DefineProperties(TFiler* Filer) override;

private:
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  void Changed();
  std::unique_ptr<TBitmap> FBitmap;
  TNotifyEvent FOnChange;
};

// ---------------------------------------------------------------- TImage

// Shows a picture on its parent's surface, 105 x 105 by default: at its own size at the
// top left, centred (Center) or scaled to the bounds (Stretch).
class TImage : public TGraphicControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  // Never null; setting copies.
  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  // The bounds take the picture's size whenever it changes. False by default.
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // False by default.
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value);
  // False by default.
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool Value);

protected:
  void Paint() override;

private:
  void PictureChanged(TObject* Sender);
  std::unique_ptr<TPicture> FPicture;
  bool FAutoSize = false;
  bool FStretch = false;
  bool FCenter = false;
};

}  // namespace vcl
