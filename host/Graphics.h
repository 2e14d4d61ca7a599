#pragma once
// Colours, fonts, brushes, pens, bitmaps and the canvas that draws on a control's surface.

#include <cstdint>
#include <memory>

#include "Classes.h"
#include "Windows.h"

namespace vcl {

// 0x00BBGGRR; a value with the high byte 0x80 names a system colour (its index in the low byte).
using TColor = std::int32_t;

constexpr TColor SystemColor(int Index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(Index)); }

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The plain 0x00BBGGRR value; system colours come from the application palette.
TColor ColorToRGB(TColor Color);
constexpr TColor RGB(int R, int G, int B) { return (R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16); }

// The names form files write for colours ("clBtnFace") and character sets ("DEFAULT_CHARSET");
// false for a value or name without one.
bool ColorToIdent(long long Color, AnsiString& Ident);
bool IdentToColor(const AnsiString& Ident, long long& Color);
bool CharsetToIdent(long long Charset, AnsiString& Ident);
bool IdentToCharset(const AnsiString& Ident, long long& Charset);
// Calls Proc with every colour name, in the order of the standard colours, then the system ones.
void GetColorValues(const std::function<void(const AnsiString&)>& Proc);

// Module handle passed to the resource loaders; this library has one module.
extern unsigned HInstance;

// ---------------------------------------------------------------- TGraphicsObject

class TGraphicsObject : public TPersistent {
public:
  // (Sender): a property changed; the owner of a font or brush repaints from it.
  const TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
  virtual void Changed();

private:
  TNotifyEvent FOnChange;
};

// ---------------------------------------------------------------- TFont

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;

// Height below zero is the character height in pixels; Size is in points at 96 pixels per inch.
// A family the system lacks is drawn in the system's sans family at the same pixel height.
class TFont : public TGraphicsObject {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  // Charset, Color, Height, Name, Pitch and Style are stored; Size is the same as Height.
  static const TClassInfo& StaticClassInfo();
  // "MS Sans Serif", Height -11 (8 points), no style, clWindowText, DEFAULT_CHARSET, fpDefault.
  TFont();
  // The family name. Every setter fires OnChange when the value changes.
  const AnsiString& GetName() const { return FName; }
  void SetName(const AnsiString& Value);
  // Negative: the character height in pixels; positive: the cell height.
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value);
  // The size in points, derived from Height at PixelsPerInch.
  int GetSize() const;
  void SetSize(int Value);
  // Bold, italic, underline, strike-out.
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  // The text colour.
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  // Kept and stored for form files.
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  // fpFixed asks for a fixed-pitch family.
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // Always 96: the classic logical resolution.
  int GetPixelsPerInch() const { return 96; }
  // Copies every property of another font, firing OnChange once (not at all when equal).
  void Assign(TPersistent* Source) override;
  // Whether every stored property is the same.
  bool Equals(const TFont& Other) const;

private:
  AnsiString FName = "MS Sans Serif";
  int FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
};

// ---------------------------------------------------------------- TBrush and TPen

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// A brush with a handle paints that handle's pattern. The handle is shared by every brush it
// is assigned to and deleted when the last of them lets go of it.
class TBrush : public TGraphicsObject {
public:
  // A solid white brush without a pattern.
  TBrush() = default;
  ~TBrush() override;
  // The fill colour (default clWhite).
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  // bsSolid (default) fills; bsClear leaves the background; the others hatch.
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // The pattern brush handle (CreatePatternBrush), or null.
  HBRUSH GetHandle() const { return FHandle; }
  void SetHandle(HBRUSH Value);
  // Copies colour, style and pattern handle.
  void Assign(TPersistent* Source) override;

private:
  void DropPattern();

  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  HBRUSH FHandle = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmNot, pmXor };

// What lines and outlines are drawn with: a solid black pen one pixel wide at first.
class TPen : public TGraphicsObject {
public:
  // The line colour (default clBlack).
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  int GetWidth() const { return FWidth; }  // 0 and 1 both draw one pixel
  void SetWidth(int Value);
  // psSolid (default), dashed and dotted kinds, or psClear for no line.
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  // pmCopy (default) paints the colour; pmNot and pmXor invert what is there.
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode Value);
  // Copies colour, width, style and mode.
  void Assign(TPersistent* Source) override;

private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

// ---------------------------------------------------------------- TCanvas

struct TCanvasSurface;  // where the canvas draws; private to the backend

class TBitmap;

// Draws on a control's retained surface (or a bitmap's pixels). A canvas with no surface,
// an empty rectangle or an empty string draws nothing and raises nothing.
class TCanvas : public TPersistent {
public:
  // A canvas with the default font, brush and pen, and no surface yet.
  TCanvas();
  ~TCanvas() override;

  // The font text is drawn with; owned.
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value);  // copies
  // The brush rectangles are filled with; owned.
  TBrush* GetBrush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value);  // copies, the pattern handle included
  // The pen lines are drawn with; owned.
  TPen* GetPen() const { return FPen.get(); }
  void SetPen(TPen* Value);  // copies
  // Where LineTo starts; (0, 0) at first.
  TPoint GetPenPos() const { return FPenPos; }
  void SetPenPos(TPoint Value) { FPenPos = Value; }

  // Fills Rect with the brush (left and top edges in, right and bottom out).
  void FillRect(const TRect& Rect);
  // A one-pixel frame along the inside of Rect, painted with the brush.
  void FrameRect(const TRect& Rect);
  // Inverts every other pixel along the inside of Rect; drawing it twice restores the pixels.
  void DrawFocusRect(const TRect& Rect);
  // Moves the pen position without drawing.
  void MoveTo(int X, int Y);
  // A line from the pen position to (X, Y) without the end point, which becomes the pen position.
  void LineTo(int X, int Y);
  void Rectangle(int X1, int Y1, int X2, int Y2);  // pen outline, brush inside
  // The pixels Text takes in the canvas font: its width, its height, both.
  int TextWidth(const AnsiString& Text);
  int TextHeight(const AnsiString& Text);
  TSize TextExtent(const AnsiString& Text);
  // Text with its top-left corner at (X, Y); the pen position moves to its right end.
  void TextOut(int X, int Y, const AnsiString& Text);
  // Text from (X, Y), cut off at Rect's right and bottom edges; no background is filled.
  void TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text);
  // The bitmap at its own size with its top-left corner at (X, Y), or scaled to Rect.
  void Draw(int X, int Y, const TBitmap* Bitmap);
  void StretchDraw(const TRect& Rect, const TBitmap* Bitmap);
  TColor GetPixel(int X, int Y) const;  // clNone outside the surface
  // Paints one pixel; nothing outside the surface.
  void SetPixel(int X, int Y, TColor Color);
  // The part of the surface drawing reaches now (the invalid part while painting).
  TRect GetClipRect() const;

  // The device handle for DrawText; valid while the canvas lives.
  HDC GetHandle();

  // The backend attaches the canvas to a surface and clips it while painting.
  TCanvasSurface* GetSurface() const { return FSurface; }
  void SetSurface(TCanvasSurface* Surface) { FSurface = Surface; }

private:
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
  TPoint FPenPos;
  TCanvasSurface* FSurface = nullptr;
};

// ---------------------------------------------------------------- TBitmap

class EInvalidGraphic : public Exception { public: using Exception::Exception; };

// A device-independent bitmap (1, 4, 8, 24 or 32 bits per pixel, uncompressed).
class TBitmap : public TPersistent {
public:
  TBitmap();
  ~TBitmap() override;
  // The module's bitmap resource of that name; EResNotFound when there is none.
  void LoadFromResourceName(unsigned Instance, const AnsiString& Name);
  // A .bmp file image, or a bare DIB; EInvalidGraphic for bytes that are not one.
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const AnsiString& FileName);
  // Writes the pixels as a 24-bit .bmp file image (nothing for an empty bitmap).
  void SaveToStream(TStream* Stream) const;
  int GetWidth() const;
  int GetHeight() const;
  bool GetMonochrome() const;
  bool Empty() const;
  TColor GetPixel(int X, int Y) const;  // clNone outside the bitmap
  // Owned by the bitmap; null while it is empty.
  HBITMAP GetHandle() const { return FHandle; }
  void Assign(TPersistent* Source) override;

private:
  void LoadFromBytes(const Byte* Data, std::size_t Size);
  void ReleaseHandle();
  HBITMAP FHandle = nullptr;
};

// The bytes of a module resource, or null with Size 0 when there is none.
const Byte* FindResourceBytes(const AnsiString& Name, std::size_t& Size);

}  // namespace vcl
