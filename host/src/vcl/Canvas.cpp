// TCanvas: what to draw and where the pen is; the pixels are the backend's.

#include <set>

#include "CanvasGeometry.h"
#include "backend/GraphicsBackend.h"

namespace vcl {

namespace {

std::set<const TCanvas*>& LiveCanvases() {
  // Never destroyed: canvases of static objects may go away at exit.
  static auto* Set = new std::set<const TCanvas*>;
  return *Set;
}

bool BrushPaints(const TBrush& Brush) { return Brush.GetStyle() != bsClear || backend::IsPatternBrush(Brush.GetHandle()); }

}  // namespace

TCanvas* backend::CanvasOf(HDC DC) {
  auto* Canvas = reinterpret_cast<TCanvas*>(DC);
  return LiveCanvases().count(Canvas) ? Canvas : nullptr;
}

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {
  LiveCanvases().insert(this);
}

TCanvas::~TCanvas() { LiveCanvases().erase(this); }

void TCanvas::SetFont(TFont* Value) { FFont->Assign(Value); }
void TCanvas::SetBrush(TBrush* Value) { FBrush->Assign(Value); }
void TCanvas::SetPen(TPen* Value) { FPen->Assign(Value); }
HDC TCanvas::GetHandle() { return reinterpret_cast<HDC>(this); }

void TCanvas::FillRect(const TRect& Rect) {
  if (Rect.IsEmpty() || !BrushPaints(*FBrush)) return;
  const bool Hatched = FBrush->GetStyle() != bsSolid && FBrush->GetStyle() != bsClear && !FBrush->GetHandle();
  backend::FillWithBrush(*this, Rect, Hatched);
}

void TCanvas::FrameRect(const TRect& Rect) {
  if (Rect.IsEmpty() || !BrushPaints(*FBrush)) return;
  backend::FrameWithBrush(*this, Rect);
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  if (Rect.IsEmpty() || !backend::CanDraw(*this)) return;
  backend::ChangePixels(*this, geometry::FocusDots(Rect), backend::TPixelOp::Invert, clNone);
}

void TCanvas::MoveTo(int X, int Y) { FPenPos = TPoint{X, Y}; }

void TCanvas::LineTo(int X, int Y) {
  const TPoint From = FPenPos;
  FPenPos = TPoint{X, Y};
  if (FPen->GetStyle() == psClear || !backend::CanDraw(*this)) return;
  const TColor Color = FPen->GetColor();
  if (FPen->GetWidth() > 1) {
    backend::DrawWideLine(*this, From, FPenPos, FPen->GetWidth(), Color);
  } else if (!geometry::IsDashed(FPen->GetStyle()) && FPen->GetMode() == pmCopy && geometry::IsStraight(From, FPenPos)) {
    backend::DrawStraightLine(*this, geometry::StraightRun(From, FPenPos), Color);
  } else {
    const backend::TPixelOp Op = FPen->GetMode() == pmNot   ? backend::TPixelOp::Invert
                                 : FPen->GetMode() == pmXor ? backend::TPixelOp::Xor
                                                            : backend::TPixelOp::Set;
    backend::ChangePixels(*this, geometry::LinePixels(From, FPenPos, FPen->GetStyle()), Op, Color);
  }
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  if (X2 <= X1 || Y2 <= Y1) return;
  if (FBrush->GetStyle() != bsClear) FillRect(TRect{X1 + 1, Y1 + 1, X2 - 1, Y2 - 1});
  const TPoint Saved = FPenPos;
  MoveTo(X1, Y1);
  LineTo(X2 - 1, Y1);
  LineTo(X2 - 1, Y2 - 1);
  LineTo(X1, Y2 - 1);
  LineTo(X1, Y1);
  FPenPos = Saved;
}

TSize TCanvas::TextExtent(const AnsiString& Text) { return backend::TextExtentOf(*FFont, Text); }
int TCanvas::TextWidth(const AnsiString& Text) { return TextExtent(Text).cx; }
int TCanvas::TextHeight(const AnsiString& Text) { return TextExtent(Text).cy; }

void TCanvas::TextOut(int X, int Y, const AnsiString& Text) {
  TRect R{X, Y, X + TextWidth(Text), Y + TextHeight(Text)};
  DrawText(GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &R, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
  MoveTo(R.Right, Y);
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text) {
  TRect R = Rect;
  R.Left = X;
  R.Top = Y;
  if (R.IsEmpty()) return;
  DrawText(GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &R, DT_NOPREFIX | DT_SINGLELINE);
}

TColor TCanvas::GetPixel(int X, int Y) const { return backend::SurfacePixel(*this, X, Y); }

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  const TPoint Pixel{X, Y};
  backend::ChangePixels(*this, std::span(&Pixel, 1), backend::TPixelOp::Set, Color);
}

TRect TCanvas::GetClipRect() const { return backend::SurfaceClipRect(*this); }

}  // namespace vcl
