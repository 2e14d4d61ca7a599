// Geometry, visibility, focus, capture and painting of windows.

#include <QApplication>
#include <QEventLoop>
#include <QCursor>
#include <QScrollBar>
#include <cmath>
#include <cstring>

#include "InputGlue.h"
#include "WindowBackend.h"
#include "WindowSurface.h"

namespace vcl::backend {

namespace {
Qt::CursorShape CursorShapeOf(TCursor Cursor) {
  switch (Cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: return Qt::DragMoveCursor;
    case crNoDrop: case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crMultiDrag: return Qt::DragCopyCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}
}  // namespace

namespace {
// Where the parent's client area starts inside the parent widget.
QPoint ParentFrame(const TWindowRecord* R) {
  if (R->TopLevel || !R->Widget) return {};
  TPeer* ParentPeer = PeerOf(R->Widget->parentWidget());
  return ParentPeer && ParentPeer->Record() ? ParentPeer->Record()->ClientRectInWidget().topLeft() : QPoint();
}
Qt::KeyboardModifiers InputModifiers;
}  // namespace

void SetInputModifiers(Qt::KeyboardModifiers Modifiers) { InputModifiers = Modifiers; }

void PlaceWidget(TWindowRecord* R, int X, int Y, int Width, int Height) {
  const QPoint Offset = ParentFrame(R);
  R->Widget->setGeometry(X + Offset.x(), Y + Offset.y(), std::max(0, Width), std::max(0, Height));
  LayoutScrollBar(R);
}

void MoveWindow(HWND Wnd, int X, int Y, int Width, int Height) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget) return;
  PlaceWidget(R, X, Y, Width, Height);
  SyncClientSize(R);
}

TRect WindowBounds(HWND Wnd) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget) return {};
  const QRect G = R->Widget->geometry().translated(-ParentFrame(R));
  return TRect{G.left(), G.top(), G.left() + G.width(), G.top() + G.height()};
}

void PaintOnChildArea(HWND Parent, const TRect& Bounds, TCanvas* Canvas, const std::function<void()>& Paint) {
  TWindowRecord* R = FindRecord(Parent);
  if (!R) return;
  TCanvasSurface Area = R->CanvasSurface;
  Area.Clip = R->CanvasSurface.Clip & QRegion(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
  Area.Origin = QPoint(Bounds.Left, Bounds.Top);
  Canvas->SetSurface(&Area);
  struct TDetach {
    TCanvas* Canvas;
    ~TDetach() { Canvas->SetSurface(nullptr); }
  } Detach{Canvas};
  Paint();
}

void ShowWindow(HWND Wnd, bool Visible) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget) return;
  if (Visible) ApplyWindowOwner(R);
  R->Widget->setVisible(Visible);
}

// Top-level windows come to the front by being shown and activated.
void RaiseWindow(HWND Wnd) {
  if (TWindowRecord* R = FindRecord(Wnd); R && R->Widget && !R->TopLevel) R->Widget->raise();
}

void SetWindowTitle(HWND Wnd, const AnsiString& Title) {
  if (TWindowRecord* R = FindRecord(Wnd); R && R->Widget) R->Widget->setWindowTitle(QString::fromUtf8(Title.c_str()));
}

void SetWindowCursor(HWND Wnd, TCursor Cursor) {
  if (TWindowRecord* R = FindRecord(Wnd); R && R->Widget) R->Widget->setCursor(CursorShapeOf(Cursor));
}

void SetApplicationCursor(TCursor Cursor) {
  // One override at a time: a new cursor replaces the last rather than stacking on it.
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  if (Cursor != crDefault) QApplication::setOverrideCursor(QCursor(CursorShapeOf(Cursor)));
}

void SetWindowEnabled(HWND Wnd, bool Enabled) {
  if (TWindowRecord* R = FindRecord(Wnd); R && R->Widget) R->Widget->setEnabled(Enabled);
}

TRect ClientRectOf(HWND Wnd) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R) return {};
  const QRect C = R->ClientRectInWidget();
  return TRect{0, 0, C.width(), C.height()};
}

TPoint ClientOriginOnScreen(HWND Wnd) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget) return {};
  const QPoint P = R->Widget->mapToGlobal(R->ClientRectInWidget().topLeft());
  return TPoint{P.x(), P.y()};
}

void CheckClientSize(HWND Wnd) {
  if (TWindowRecord* R = FindRecord(Wnd)) {
    LayoutScrollBar(R);
    SyncClientSize(R);
  }
}

void SyncClientSize(TWindowRecord* R) {
  const QSize Client = R->ClientRectInWidget().size();
  const bool Resized = Client != R->LastClientSize;
  if (!Resized && !SurfaceRatioStale(R)) return;
  R->LastClientSize = Client;
  RemakeSurface(R, Client);
  R->Invalid = QRegion(R->CanvasSurface.Rect());
  if (R->Widget) R->Widget->update();
  if (!Resized) return;
  const HWND Wnd = HandleOf(R);
  SendMessage(Wnd, WM_SIZE, SIZE_RESTORED, MakeLParam(Client.width(), Client.height()));
}

void LayoutScrollBar(TWindowRecord* R) {
  if (!R->HBar || !R->Widget) return;
  R->HBar->setVisible(R->HScrollVisible);
  if (!R->HScrollVisible) return;
  const int F = R->FrameWidth();
  const int H = R->HBarHeight = R->HBar->sizeHint().height();
  R->HBar->setGeometry(F, std::max(F, R->Widget->height() - F - H), std::max(0, R->Widget->width() - 2 * F), H);
}

void InvalidateWindow(HWND Wnd, const TRect* Rect) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R) return;
  QRect Area = R->CanvasSurface.Rect();
  if (Rect) Area = Area.intersected(QRect(Rect->Left, Rect->Top, Rect->Width(), Rect->Height()));
  if (Area.isEmpty()) return;
  ++R->AccessibleGeneration;  // what is drawn anew may be described anew
  R->Invalid += Area;
  if (R->Widget) R->Widget->update(Area.translated(R->ClientRectInWidget().topLeft()));
}

namespace {

// Moves the pixels of Area (device pixels) of an RGB32 image by Dx, Dy, row by row in the
// order that reads every row before it is overwritten.
void MovePixels(QImage& Image, const QRect& Area, int Dx, int Dy) {
  const QRect To = Area.translated(Dx, Dy) & Area;
  if (To.isEmpty()) return;
  const QRect From = To.translated(-Dx, -Dy);
  const std::size_t Bytes = static_cast<std::size_t>(To.width()) * 4;
  auto Row = [&](int Y) {
    std::memmove(Image.scanLine(To.top() + Y) + To.left() * 4, Image.constScanLine(From.top() + Y) + From.left() * 4,
                 Bytes);
  };
  if (Dy > 0)
    for (int Y = To.height() - 1; Y >= 0; --Y) Row(Y);
  else
    for (int Y = 0; Y < To.height(); ++Y) Row(Y);
}

}  // namespace

std::optional<QRect> ScrollSurface(HWND Wnd, int Dx, int Dy, const QRect* Scroll, bool Invalidate) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R) return std::nullopt;
  const QRect Area = Scroll ? Scroll->intersected(R->CanvasSurface.Rect()) : R->CanvasSurface.Rect();
  if (Area.isEmpty() || (Dx == 0 && Dy == 0)) return QRect();
  const qreal Ratio = R->CanvasSurface.Ratio;
  const QRect Moved = Area.translated(Dx, Dy) & Area;
  const QRegion Uncovered = QRegion(Area) - QRegion(Moved);
  // Whole device pixels move only at a whole ratio; otherwise the area is drawn afresh.
  const bool Whole = Ratio == std::floor(Ratio) && !R->Surface.isNull();
  if (Whole) {
    const int Scale = static_cast<int>(Ratio);
    MovePixels(R->Surface, QRect(Area.topLeft() * Scale, Area.size() * Scale), Dx * Scale, Dy * Scale);
    const QRegion Inside = R->Invalid & Area;
    R->Invalid = (R->Invalid - QRegion(Area)) + (Inside.translated(Dx, Dy) & Area);
  } else {
    R->Invalid += Area;
  }
  if (Invalidate) R->Invalid += Uncovered;
  // The whole client area: scrolls come in groups (a strip per column), and Qt shows one
  // rectangle much faster than the many a group of strips makes.
  if (R->Widget) R->Widget->update(R->ClientRectInWidget());
  return Uncovered.boundingRect();
}

void PaintPending(TWindowRecord* R) {
  if (R->Invalid.isEmpty() || R->Surface.isNull()) return;
  const QRegion Area = R->Invalid;
  R->Invalid = QRegion();
  R->CanvasSurface.Clip = Area;
  R->Painter.BeginCycle();
  // Erase with the control's colour, as the window class brush would.
  EraseSurface(R, Area, ToQColor(R->Control->GetColor()));
  const std::uintptr_t Id = R->Id;
  const HWND Wnd = HandleOf(R);
  struct TRestoreClip {
    std::uintptr_t Id;
    ~TRestoreClip() {
      if (TWindowRecord* Alive = FindRecord(reinterpret_cast<HWND>(Id))) {
        Alive->Painter.EndCycle();
        Alive->CanvasSurface.Clip = QRegion(Alive->CanvasSurface.Rect());
      }
    }
  } Restore{Id};
  SendMessage(Wnd, WM_PAINT, 0, 0);
}

void UpdateWindow(HWND Wnd) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R) return;
  const QRegion Area = R->Invalid;
  PaintPending(R);
  if (TWindowRecord* Alive = FindRecord(Wnd); Alive && Alive->Widget && !Area.isEmpty())
    Alive->Widget->update(Area.translated(Alive->ClientRectInWidget().topLeft()));
}

TCanvasSurface* SurfaceOf(HWND Wnd) {
  TWindowRecord* R = FindRecord(Wnd);
  return R ? &R->CanvasSurface : nullptr;
}

void FocusWindow(HWND Wnd) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget) return;
  // Focus moved by a key (Tab, an arrow, an accelerator) turns on the window's keyboard
  // cues, as the classic system does: the style then draws the focus frame of the focused
  // button or check box.
  if (TranslatingKey()) R->Widget->window()->setAttribute(Qt::WA_KeyboardFocusChange);
  R->Widget->setFocus(Qt::OtherFocusReason);
}

HWND FocusedWindow() {
  TPeer* Peer = PeerOf(QApplication::focusWidget());
  return Peer && Peer->Record() ? HandleOf(Peer->Record()) : nullptr;
}

void ActivateWindow(HWND Wnd) {
  if (TWindowRecord* R = FindRecord(Wnd); R && R->Widget) {
    R->Widget->activateWindow();
  }
}

void SetCapture(HWND Wnd, bool Capture) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget || !R->Widget->isVisible()) return;
  if (Capture) R->Widget->grabMouse();
  else if (QWidget::mouseGrabber() == R->Widget) R->Widget->releaseMouse();
}

bool HasCapture(HWND Wnd) {
  TWindowRecord* R = FindRecord(Wnd);
  return R && R->Widget && QWidget::mouseGrabber() == R->Widget;
}

TShiftState KeyboardShiftStateOf() { return ShiftOf(InputModifiers, Qt::NoButton); }

}  // namespace vcl::backend

namespace vcl {

TShiftState KeyboardShiftState() { return backend::KeyboardShiftStateOf(); }

short GetKeyState(int VirtKey) {
  const TShiftState S = KeyboardShiftState();
  constexpr short Down = -0x8000;
  switch (VirtKey) {
    case VK_SHIFT: return S.Contains(ssShift) ? Down : 0;
    case VK_CONTROL: return S.Contains(ssCtrl) ? Down : 0;
    case VK_MENU: return S.Contains(ssAlt) ? Down : 0;
    default: return 0;
  }
}

bool GetCursorPos(TPoint& Point) {
  const QPoint P = QCursor::pos();
  Point = TPoint{P.x(), P.y()};
  return true;
}

bool SetCursorPos(int X, int Y) {
  QCursor::setPos(X, Y);
  return true;
}

}  // namespace vcl
