// The pixels of canvas drawing, at the surface's device pixel ratio.

#include "CanvasDevice.h"

#include "GdiObjects.h"
#include "GraphicsBackend.h"
#include "QtEmbedding.h"
#include "src/vcl/CanvasGeometry.h"

namespace vcl::backend {

namespace {
QRgb Opaque(TColor Color) { return 0xFF000000u | ToQColor(Color).rgb(); }
QRect QtRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }
}  // namespace

TCanvasDevice::TCanvasDevice(const TCanvas& Canvas)
    : FCanvas(Canvas), FSurface(Canvas.GetSurface()), FScale(FSurface ? FSurface->Ratio : 1) {
  FPainter = FSurface && FSurface->Painter ? FSurface->Painter : &FOwnPainter;
  if (!FSurface || !FSurface->Image) return;
  const QRect Whole = FSurface->Rect();
  // The clip lies inside the image nearly always; then it is shared, not recomputed.
  const QRegion Logical = Whole.contains(FSurface->Clip.boundingRect()) ? FSurface->Clip : FSurface->Clip.intersected(Whole);
  FClip = FScale.Area(Logical);
  FClipBounds = FClip.boundingRect();
  FOrigin = FSurface->Origin;
}

TCanvasDevice::~TCanvasDevice() { FPainter->Release(); }

QRgb TCanvasDevice::Pixel(const QPoint& P) const { return FSurface->Image->pixel(FScale.Dot(P + FOrigin).topLeft()); }

void TCanvasDevice::FillSolid(const QRect& Area, QRgb Color) {
  const QRgb Opaque = 0xFF000000u | Color;
  ForEachRow(Area, [&](QRgb* Line, int, int From, int To) { std::fill(Line + From, Line + To, Opaque); });
}

void TCanvasDevice::FillSpans(const std::vector<TGlyphSpan>& Spans, QPoint At, QRgb Color, const std::optional<QRect>& Limit) {
  if (!Usable()) return;
  const QRgb Opaque = 0xFF000000u | Color;
  if (FClip.rectCount() == 1) {
    SetSpans(Spans, At, Opaque, Limit ? FClipBounds & *Limit : FClipBounds);
    return;
  }
  for (const QRect& Part : ClipPartsWithin(Limit)) SetSpans(Spans, At, Opaque, Part);
}

void TCanvasDevice::SetSpans(const std::vector<TGlyphSpan>& Spans, QPoint At, QRgb Opaque, const QRect& Bounds) {
  for (const TGlyphSpan& Span : Spans) {
    const int Y = At.y() + Span.Dy;
    if (Y < Bounds.top() || Y > Bounds.bottom()) continue;
    const int From = std::max(At.x() + Span.X0, Bounds.left());
    const int To = std::min(At.x() + Span.X1, Bounds.right() + 1);
    if (From < To) {
      QRgb* Line = reinterpret_cast<QRgb*>(FSurface->Image->scanLine(Y));
      std::fill(Line + From, Line + To, Opaque);
    }
  }
}

const std::vector<QRect>& TCanvasDevice::ClipPartsWithin(const std::optional<QRect>& Limit) {
  if (!FParts || FParts->Limit != Limit) {
    FParts.emplace(TClipParts{Limit, {}});
    for (const QRect& Part : FClip)
      if (const QRect Cut = Limit ? Part & *Limit : Part; !Cut.isEmpty()) FParts->Rects.push_back(Cut);
  }
  return FParts->Rects;
}

void TCanvasDevice::FillWithBrush(const QRect& Area, bool Hatched, std::optional<int> FixedX, std::optional<int> FixedY) {
  const TBrush& Brush = *FCanvas.GetBrush();
  const QRgb Color = Opaque(Brush.GetColor());
  // The logical image pixel that a device pixel shows.
  auto LogicalX = [&](int X) { return FixedX ? *FixedX : FScale.Logical(X); };
  auto LogicalY = [&](int Y) { return FixedY ? *FixedY : FScale.Logical(Y); };
  if (const QImage* Pattern = BrushPattern(Brush.GetHandle())) {
    // Patterns line up with the surface, not with the shape being filled; a monochrome one
    // takes the font colour for its 0 bits and the brush colour for its 1 bits.
    const bool Mono = Pattern->format() == QImage::Format_Mono;
    const QRgb Fore = Opaque(FCanvas.GetFont()->GetColor());
    ForEachRow(Area, [&](QRgb* Line, int Y, int From, int To) {
      const int PY = LogicalY(Y) % Pattern->height();
      for (int X = From; X < To; ++X) {
        const int PX = LogicalX(X) % Pattern->width();
        Line[X] = Mono ? (Pattern->pixelIndex(PX, PY) == 0 ? Fore : Color) : 0xFF000000u | Pattern->pixel(PX, PY);
      }
    });
  } else if (Hatched) {
    const TBrushStyle Style = Brush.GetStyle();
    ForEachRow(Area, [&](QRgb* Line, int Y, int From, int To) {
      for (int X = From; X < To; ++X)
        if (geometry::HatchHit(Style, LogicalX(X) - FOrigin.x(), LogicalY(Y) - FOrigin.y())) Line[X] = Color;
    });
  } else {
    FillSolid(Area, Color);
  }
}

QPainter* TCanvasDevice::Painter(const std::optional<QRect>& Extra) {
  if (!Usable()) return nullptr;
  QImage& Image = *FSurface->Image;
  const qreal Ratio = FScale.Ratio();
  if (FClip.rectCount() == 1) {
    const QRect Clip = Extra ? FClipBounds.intersected(ImageArea(*Extra)) : FClipBounds;
    return Clip.isEmpty() ? nullptr : &FPainter->Open(Image, Clip, Ratio);
  }
  if (!Extra) return &FPainter->Open(Image, FClip, Ratio);
  // What is drawn within one of many clip rectangles, as text nearly always is, takes the
  // cheaper clip of that rectangle.
  const std::vector<QRect>& Parts = ClipPartsWithin(ImageArea(*Extra));
  if (Parts.empty()) return nullptr;
  if (Parts.size() == 1) return &FPainter->Open(Image, Parts.front(), Ratio);
  return &FPainter->Open(Image, FClip.intersected(ImageArea(*Extra)), Ratio);
}

void TCanvasDevice::SetPainterFont(const QFont& Font) { FPainter->SetFont(Font); }

void TCanvasDevice::Changed(const QRect& CanvasArea) {
  if (!FSurface || !FSurface->Changed || FPainter->InCycle()) return;
  // Device pixels of a line at a fractional ratio may reach just past its logical pixels.
  const int Margin = FScale.Identity() ? 0 : 1;
  FSurface->Changed(CanvasArea.translated(FOrigin).adjusted(-Margin, -Margin, Margin, Margin));
}

bool CanDraw(const TCanvas& Canvas) { return TCanvasDevice(Canvas).Usable(); }

void FillWithBrush(const TCanvas& Canvas, const TRect& Rect, bool Hatched) {
  TCanvasDevice Device(Canvas);
  if (!Device.Usable()) return;
  Device.FillWithBrush(Device.ImageArea(QtRect(Rect)), Hatched);
  Device.Changed(QtRect(Rect));
}

void FrameWithBrush(const TCanvas& Canvas, const TRect& Rect) {
  TCanvasDevice Device(Canvas);
  if (!Device.Usable()) return;
  // Each side is a line's width inside the rectangle's device pixels; the sides keep the
  // pattern row or column of their logical pixels across their width.
  const QRect A = Device.ImageArea(QtRect(Rect));
  const int W = Device.Scale().LineWidth();
  const QPoint O = Device.Origin();
  Device.FillWithBrush(QRect(A.left(), A.top(), A.width(), W), false, {}, Rect.Top + O.y());
  Device.FillWithBrush(QRect(A.left(), A.bottom() - W + 1, A.width(), W), false, {}, Rect.Bottom - 1 + O.y());
  const QRect Sides(A.left(), A.top() + W, W, A.height() - 2 * W);
  Device.FillWithBrush(Sides, false, Rect.Left + O.x(), {});
  Device.FillWithBrush(Sides.translated(A.width() - W, 0), false, Rect.Right - 1 + O.x(), {});
  Device.Changed(QtRect(Rect));
}

void DrawStraightLine(const TCanvas& Canvas, const TRect& Run, TColor Color) {
  TCanvasDevice Device(Canvas);
  if (!Device.Usable()) return;
  const QRect Pixels = Run.Height() == 1 ? Device.ImageRow(Run.Left, Run.Right, Run.Top)
                                         : Device.ImageColumn(Run.Left, Run.Top, Run.Bottom);
  Device.FillSolid(Pixels, Opaque(Color));
  Device.Changed(QtRect(Run));
}

void DrawWideLine(const TCanvas& Canvas, TPoint From, TPoint To, int Width, TColor Color) {
  TCanvasDevice Device(Canvas);
  if (QPainter* P = Device.Painter()) {
    const QPoint O = Device.Origin();
    P->setPen(QPen(QColor(Opaque(Color)), Width, Qt::SolidLine, Qt::FlatCap));
    P->drawLine(From.X + O.x(), From.Y + O.y(), To.X + O.x(), To.Y + O.y());
  }
  Device.Changed(QRect(QPoint(std::min(From.X, To.X), std::min(From.Y, To.Y)), QPoint(std::max(From.X, To.X), std::max(From.Y, To.Y)))
                     .adjusted(-Width, -Width, Width, Width));
}

void ChangePixels(const TCanvas& Canvas, std::span<const TPoint> Pixels, TPixelOp Op, TColor Color) {
  TCanvasDevice Device(Canvas);
  if (!Device.Usable() || Pixels.empty()) return;
  const QRgb Bits = Op == TPixelOp::Invert ? 0x00FFFFFFu : ToQColor(Color).rgb() & 0x00FFFFFFu;
  QRect Bounds;
  if (Op == TPixelOp::Set || Device.Scale().Identity()) {
    // One device pixel each, or overlaps that setting twice does no harm to.
    const QRgb Value = Opaque(Color);
    for (const TPoint& P : Pixels) {
      const QRect Dot = Device.ImageDot(QPoint(P.X, P.Y));
      if (Op == TPixelOp::Set) Device.FillSolid(Dot, Value);
      else Device.ForEachPixel(Dot, [&](QRgb& Pixel) { Pixel ^= Bits; });
      Bounds |= QRect(P.X, P.Y, 1, 1);
    }
  } else {
    QRegion Area;
    for (const TPoint& P : Pixels) {
      Area += Device.ImageDot(QPoint(P.X, P.Y));
      Bounds |= QRect(P.X, P.Y, 1, 1);
    }
    for (const QRect& Part : Area) Device.ForEachPixel(Part, [&](QRgb& Pixel) { Pixel ^= Bits; });
  }
  Device.Changed(Bounds);
}

TColor SurfacePixel(const TCanvas& Canvas, int X, int Y) {
  TCanvasDevice Device(Canvas);
  if (!Device.Usable() || !Device.InImage(QPoint(X, Y))) return clNone;
  const QRgb C = Device.Pixel(QPoint(X, Y));
  return RGB(qRed(C), qGreen(C), qBlue(C));
}

TRect SurfaceClipRect(const TCanvas& Canvas) {
  const TCanvasSurface* S = Canvas.GetSurface();
  if (!S || !S->Image) return {};
  const QRect B = S->Clip.intersected(S->Rect()).boundingRect().translated(-S->Origin);
  return TRect{B.left(), B.top(), B.left() + B.width(), B.top() + B.height()};
}

}  // namespace vcl::backend

namespace vcl {

bool RectVisible(HDC DC, const TRect* Rect) {
  const TCanvas* Canvas = backend::CanvasOf(DC);
  const TCanvasSurface* S = Canvas ? Canvas->GetSurface() : nullptr;
  if (!S || !S->Image || !Rect || Rect->IsEmpty()) return false;
  const QRect Area = QRect(Rect->Left, Rect->Top, Rect->Width(), Rect->Height()).translated(S->Origin);
  return S->Clip.intersects(Area.intersected(S->Rect()));
}

}  // namespace vcl
