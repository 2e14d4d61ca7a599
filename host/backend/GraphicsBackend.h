#pragma once
// The device side of the Graphics unit as its framework classes see it: pixels on a canvas's
// surface, bitmaps and pattern brushes behind handles, font metrics and system colours. Free
// of Qt types; implemented over Qt in this folder.

#include <cstdint>
#include <span>
#include <vector>

#include "Graphics.h"

namespace vcl::backend {

// ---------------------------------------------------------------- bitmaps and brushes

// Decoded bitmap pixels, rows from the top. A monochrome image keeps palette indexes (0 or
// 1) and its two colours in Palette; any other keeps 0xAARRGGBB colours, opaque.
struct TBitmapPixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
  std::vector<std::uint32_t> Palette;
  bool Monochrome() const { return !Palette.empty(); }
};

// Handles are never reused, so a deleted object's handle is simply not found.
HBITMAP NewBitmap(const TBitmapPixels& Pixels);
// A new bitmap with the same pixels; null for an unknown handle.
HBITMAP CopyBitmap(HBITMAP Bitmap);
void DeleteBitmap(HBITMAP Bitmap);
// Zero for an unknown handle.
TSize BitmapSize(HBITMAP Bitmap);
bool BitmapMonochrome(HBITMAP Bitmap);
// clNone outside the bitmap or for an unknown handle.
TColor BitmapPixel(HBITMAP Bitmap, int X, int Y);
// Whether the handle is a live brush made by CreatePatternBrush.
bool IsPatternBrush(HBRUSH Brush);
// Brushes that share a handle keep it alive; the last release deletes it.
void RetainBrush(HBRUSH Brush);
void ReleaseBrush(HBRUSH Brush);

// The plain 0x00BBGGRR value of system colour Index in the application palette.
TColor SystemColorRGB(int Index);

// Width and height of one line of Text in Font.
TSize TextExtentOf(const TFont& Font, const AnsiString& Text);

// ---------------------------------------------------------------- canvas surfaces

// Pixel work on the surface a canvas draws on. Coordinates are the canvas's, in logical
// pixels; a surface kept at a device pixel ratio turns each logical pixel into whole device
// pixels, and a line one logical pixel wide has the same device width wherever it lies.
// Everything is clipped to the canvas's clip, nothing happens on a canvas without a surface,
// and the surface's owner hears of every area drawn outside a paint cycle.

// Whether the canvas has a surface with something left inside its clip.
bool CanDraw(const TCanvas& Canvas);
// Fills Rect with the canvas brush: its pattern when it has one, else its hatch lines when
// Hatched (the pixels between stay), else its colour.
void FillWithBrush(const TCanvas& Canvas, const TRect& Rect, bool Hatched);
// A one-pixel frame along the inside of Rect in the brush's pattern or colour.
void FrameWithBrush(const TCanvas& Canvas, const TRect& Rect);
// A one-pixel line over the pixels of Run, one pixel high or one pixel wide.
void DrawStraightLine(const TCanvas& Canvas, const TRect& Run, TColor Color);
// Lines wider than a pixel, with flat ends.
void DrawWideLine(const TCanvas& Canvas, TPoint From, TPoint To, int Width, TColor Color);

enum class TPixelOp { Set, Invert, Xor };
// Each pixel takes Color (Set), is inverted, or has Color's bits flipped in it (Xor). Where
// the device pixels of neighbouring pixels overlap, each device pixel changes once.
void ChangePixels(const TCanvas& Canvas, std::span<const TPoint> Pixels, TPixelOp Op, TColor Color);

// Draws the bitmap scaled to Rect.
void DrawBitmap(const TCanvas& Canvas, const TRect& Rect, HBITMAP Bitmap);
// clNone outside the surface.
TColor SurfacePixel(const TCanvas& Canvas, int X, int Y);
// The bounds of the clip, in canvas coordinates; empty without a surface.
TRect SurfaceClipRect(const TCanvas& Canvas);

// The canvas behind a device handle, or null for an unknown handle (kept by TCanvas).
TCanvas* CanvasOf(HDC DC);

}  // namespace vcl::backend
