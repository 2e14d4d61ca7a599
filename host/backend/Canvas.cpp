// TCanvas: drawing on a control's surface.

#include <set>

#include "CanvasDevice.h"
#include "Fonts.h"
#include "GdiObjects.h"
#include "QtEmbedding.h"

namespace vcl {

namespace {

std::set<const TCanvas*>& LiveCanvases() {
  // Never destroyed: canvases of static objects may go away at exit.
  static auto* Set = new std::set<const TCanvas*>;
  return *Set;
}

QRgb Rgb(TColor Color) { return ToQColor(Color).rgb(); }

QRect QtRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }

// Dash lengths (on, off, ...) of the cosmetic pen styles.
std::vector<int> DashPattern(TPenStyle Style) {
  switch (Style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

// The pixels of a horizontal or vertical line: from its start up to, not including, its end.
QRect StraightRun(TPoint From, TPoint To) {
  const int EndX = To.X - (To.X > From.X) + (To.X < From.X);
  const int EndY = To.Y - (To.Y > From.Y) + (To.Y < From.Y);
  return QRect(QPoint(std::min(From.X, EndX), std::min(From.Y, EndY)), QPoint(std::max(From.X, EndX), std::max(From.Y, EndY)));
}

bool HatchHit(TBrushStyle Style, int X, int Y) {
  const int PX = ((X % 8) + 8) % 8, PY = ((Y % 8) + 8) % 8;
  switch (Style) {
    case bsHorizontal: return PY == 4;
    case bsVertical: return PX == 4;
    case bsFDiagonal: return PX == PY;
    case bsBDiagonal: return PX == 7 - PY;
    case bsCross: return PX == 4 || PY == 4;
    case bsDiagCross: return PX == PY || PX == 7 - PY;
    default: return true;
  }
}

}  // namespace

namespace backend {

TCanvas* CanvasOf(HDC DC) {
  auto* Canvas = reinterpret_cast<TCanvas*>(DC);
  return LiveCanvases().count(Canvas) ? Canvas : nullptr;
}

TCanvasDevice::TCanvasDevice(const TCanvas& Canvas) : FCanvas(Canvas), FSurface(Canvas.GetSurface()) {
  FPainter = FSurface && FSurface->Painter ? FSurface->Painter : &FOwnPainter;
  if (!FSurface || !FSurface->Image) return;
  const QRect Whole = FSurface->Image->rect();
  // The clip lies inside the image nearly always; then it is shared, not recomputed.
  FClip = Whole.contains(FSurface->Clip.boundingRect()) ? FSurface->Clip : FSurface->Clip.intersected(Whole);
  FClipBounds = FClip.boundingRect();
  FOrigin = FSurface->Origin;
}

TCanvasDevice::~TCanvasDevice() { FPainter->Release(); }

bool TCanvasDevice::Contains(int X, int Y) const {
  const QPoint P = QPoint(X, Y) + FOrigin;
  return FClipBounds.contains(P) && (FClip.rectCount() == 1 || FClip.contains(P));
}

void TCanvasDevice::Plot(int X, int Y, QRgb Color) {
  if (!Usable() || !Contains(X, Y)) return;
  const QPoint P = QPoint(X, Y) + FOrigin;
  FSurface->Image->setPixel(P, Color);
}

void TCanvasDevice::Invert(int X, int Y) {
  if (!Usable() || !Contains(X, Y)) return;
  const QPoint P = QPoint(X, Y) + FOrigin;
  FSurface->Image->setPixel(P, FSurface->Image->pixel(P) ^ 0x00FFFFFF);
}

QRgb TCanvasDevice::Pixel(int X, int Y) const {
  const QPoint P = QPoint(X, Y) + FOrigin;
  return FSurface->Image->pixel(P);
}

template <class F>
void TCanvasDevice::ForEachRow(const QRect& Area, F&& Row) {
  if (!Usable()) return;
  const QRect Target = Area.translated(FOrigin).intersected(FClipBounds);
  if (Target.isEmpty()) return;
  for (const QRect& Part : FClip) {
    const QRect Run = Part.intersected(Target);
    if (Run.isEmpty()) continue;
    for (int Y = Run.top(); Y <= Run.bottom(); ++Y)
      Row(reinterpret_cast<QRgb*>(FSurface->Image->scanLine(Y)), Y, Run.left(), Run.right() + 1);
  }
}

void TCanvasDevice::FillSolid(const QRect& Area, QRgb Color) {
  const QRgb Opaque = 0xFF000000u | Color;
  ForEachRow(Area, [&](QRgb* Line, int, int From, int To) { std::fill(Line + From, Line + To, Opaque); });
}

void TCanvasDevice::FillWithBrush(const QRect& Area, bool Hatched) {
  const TBrush& Brush = *FCanvas.GetBrush();
  const QRgb Color = 0xFF000000u | Rgb(Brush.GetColor());
  if (const QImage* Pattern = BrushPattern(Brush.GetHandle())) {
    // Patterns line up with the surface, not with the shape being filled; a monochrome one
    // takes the font colour for its 0 bits and the brush colour for its 1 bits.
    const bool Mono = Pattern->format() == QImage::Format_Mono;
    const QRgb Fore = 0xFF000000u | Rgb(FCanvas.GetFont()->GetColor());
    ForEachRow(Area, [&](QRgb* Line, int Y, int From, int To) {
      const int PY = Y % Pattern->height();
      for (int X = From; X < To; ++X) {
        const int PX = X % Pattern->width();
        Line[X] = Mono ? (Pattern->pixelIndex(PX, PY) == 0 ? Fore : Color) : 0xFF000000u | Pattern->pixel(PX, PY);
      }
    });
  } else if (Hatched) {
    const TBrushStyle Style = Brush.GetStyle();
    ForEachRow(Area, [&](QRgb* Line, int Y, int From, int To) {
      for (int X = From; X < To; ++X)
        if (HatchHit(Style, X - FOrigin.x(), Y - FOrigin.y())) Line[X] = Color;
    });
  } else {
    FillSolid(Area, Color);
  }
}

bool TCanvasDevice::BrushPaints() const { return FCanvas.GetBrush()->GetStyle() != bsClear || BrushPattern(FCanvas.GetBrush()->GetHandle()); }

QPainter* TCanvasDevice::Painter(const std::optional<QRect>& Extra) {
  if (!Usable()) return nullptr;
  if (FClip.rectCount() == 1) {
    const QRect Clip = Extra ? FClipBounds.intersected(Extra->translated(FOrigin)) : FClipBounds;
    return Clip.isEmpty() ? nullptr : &FPainter->Open(*FSurface->Image, Clip);
  }
  const QRegion Clip = Extra ? FClip.intersected(Extra->translated(FOrigin)) : FClip;
  return Clip.isEmpty() ? nullptr : &FPainter->Open(*FSurface->Image, Clip);
}

void TCanvasDevice::SetPainterFont(const QFont& Font) { FPainter->SetFont(Font); }

void TCanvasDevice::Changed(const QRect& CanvasArea) {
  if (FSurface && FSurface->Changed && !FPainter->InCycle()) FSurface->Changed(CanvasArea.translated(FOrigin));
}

}  // namespace backend

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {
  LiveCanvases().insert(this);
}

TCanvas::~TCanvas() { LiveCanvases().erase(this); }

void TCanvas::SetFont(TFont* Value) { FFont->Assign(Value); }
void TCanvas::SetBrush(TBrush* Value) { FBrush->Assign(Value); }
void TCanvas::SetPen(TPen* Value) { FPen->Assign(Value); }
HDC TCanvas::GetHandle() { return reinterpret_cast<HDC>(this); }

void TCanvas::FillRect(const TRect& Rect) {
  backend::TCanvasDevice Device(*this);
  if (Rect.IsEmpty() || !Device.Usable() || !Device.BrushPaints()) return;
  const bool Hatched = FBrush->GetStyle() != bsSolid && FBrush->GetStyle() != bsClear && !FBrush->GetHandle();
  Device.FillWithBrush(QtRect(Rect), Hatched);
  Device.Changed(QtRect(Rect));
}

void TCanvas::FrameRect(const TRect& Rect) {
  backend::TCanvasDevice Device(*this);
  if (Rect.IsEmpty() || !Device.Usable() || !Device.BrushPaints()) return;
  const QRect R = QtRect(Rect);
  Device.FillWithBrush(QRect(R.left(), R.top(), R.width(), 1), false);
  Device.FillWithBrush(QRect(R.left(), R.bottom(), R.width(), 1), false);
  Device.FillWithBrush(QRect(R.left(), R.top(), 1, R.height()), false);
  Device.FillWithBrush(QRect(R.right(), R.top(), 1, R.height()), false);
  Device.Changed(R);
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  backend::TCanvasDevice Device(*this);
  if (Rect.IsEmpty() || !Device.Usable()) return;
  // Every other pixel of the surface, so that two frames side by side keep one rhythm.
  auto Dot = [&](int X, int Y) {
    if (((X + Y) & 1) == 0) Device.Invert(X, Y);
  };
  for (int X = Rect.Left; X < Rect.Right; ++X) {
    Dot(X, Rect.Top);
    if (Rect.Bottom - 1 > Rect.Top) Dot(X, Rect.Bottom - 1);
  }
  for (int Y = Rect.Top + 1; Y < Rect.Bottom - 1; ++Y) {
    Dot(Rect.Left, Y);
    if (Rect.Right - 1 > Rect.Left) Dot(Rect.Right - 1, Y);
  }
  Device.Changed(QtRect(Rect));
}

void TCanvas::MoveTo(int X, int Y) { FPenPos = TPoint{X, Y}; }

void TCanvas::LineTo(int X, int Y) {
  const TPoint From = FPenPos;
  FPenPos = TPoint{X, Y};
  backend::TCanvasDevice Device(*this);
  if (!Device.Usable() || FPen->GetStyle() == psClear) return;
  const QRgb Color = Rgb(FPen->GetColor());
  if (FPen->GetWidth() > 1) {
    if (QPainter* P = Device.Painter()) {
      const QPoint O = Device.Origin();
      P->setPen(QPen(QColor(Color), FPen->GetWidth(), Qt::SolidLine, Qt::FlatCap));
      P->drawLine(From.X + O.x(), From.Y + O.y(), X + O.x(), Y + O.y());
    }
  } else if (DashPattern(FPen->GetStyle()).empty() && FPen->GetMode() == pmCopy && (From.X == X) != (From.Y == Y)) {
    Device.FillSolid(StraightRun(From, FPenPos), Color);
  } else {
    // Bresenham, stopping before the end point as the classic line does.
    const std::vector<int> Dashes = DashPattern(FPen->GetStyle());
    int DashIndex = 0, DashLeft = Dashes.empty() ? 0 : Dashes[0];
    int X0 = From.X, Y0 = From.Y;
    const int DX = std::abs(X - X0), DY = -std::abs(Y - Y0);
    const int SX = X0 < X ? 1 : -1, SY = Y0 < Y ? 1 : -1;
    int Err = DX + DY;
    while (X0 != X || Y0 != Y) {
      const bool On = Dashes.empty() || DashIndex % 2 == 0;
      if (On) {
        switch (FPen->GetMode()) {
          case pmCopy: Device.Plot(X0, Y0, Color); break;
          case pmNot: Device.Invert(X0, Y0); break;
          case pmXor:
            if (Device.Contains(X0, Y0)) Device.Plot(X0, Y0, Device.Pixel(X0, Y0) ^ (Color & 0x00FFFFFF));
            break;
        }
      }
      if (!Dashes.empty() && --DashLeft == 0) {
        DashIndex = (DashIndex + 1) % static_cast<int>(Dashes.size());
        DashLeft = Dashes[DashIndex];
      }
      const int E2 = 2 * Err;
      if (E2 >= DY) { Err += DY; X0 += SX; }
      if (E2 <= DX) { Err += DX; Y0 += SY; }
    }
  }
  Device.Changed(QRect(QPoint(std::min(From.X, X), std::min(From.Y, Y)), QPoint(std::max(From.X, X), std::max(From.Y, Y)))
                     .adjusted(-FPen->GetWidth(), -FPen->GetWidth(), FPen->GetWidth(), FPen->GetWidth()));
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

TSize TCanvas::TextExtent(const AnsiString& Text) {
  const QFontMetrics& Metrics = backend::QtFontOf(*FFont).Metrics;
  return TSize{Metrics.horizontalAdvance(QString::fromUtf8(Text.c_str())), Metrics.height()};
}

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

TColor TCanvas::GetPixel(int X, int Y) const {
  backend::TCanvasDevice Device(*this);
  if (!Device.Usable() || !FSurface->Image->rect().contains(QPoint(X, Y) + FSurface->Origin)) return clNone;
  const QRgb C = Device.Pixel(X, Y);
  return RGB(qRed(C), qGreen(C), qBlue(C));
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  backend::TCanvasDevice Device(*this);
  Device.Plot(X, Y, Rgb(Color));
  Device.Changed(QRect(X, Y, 1, 1));
}

TRect TCanvas::GetClipRect() const {
  if (!FSurface || !FSurface->Image) return {};
  const QRect B = FSurface->Clip.intersected(FSurface->Image->rect()).boundingRect().translated(-FSurface->Origin);
  return TRect{B.left(), B.top(), B.left() + B.width(), B.top() + B.height()};
}

}  // namespace vcl
