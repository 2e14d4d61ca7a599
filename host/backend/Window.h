#pragma once
// The backend side of one window: its widget, frame, scroll bar, timers and surface.

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <map>

#include "Controls.h"
#include "QtEmbedding.h"
#include "Surface.h"

class QPainter;
class QScrollBar;
class QTimer;

namespace vcl {

struct TWindowRecord {
  std::uintptr_t Id = 0;
  TWinControl* Control = nullptr;
  QPointer<QWidget> Widget;  // the peer's widget
  unsigned Style = 0;
  unsigned ExStyle = 0;
  bool TopLevel = false;
  HWND Owner = nullptr;  // the window a top-level window belongs to
  SCROLLINFO HScroll;
  bool HScrollVisible = false;
  QScrollBar* HBar = nullptr;  // child of Widget, only with WS_HSCROLL
  int HBarHeight = 0;          // the bar's preferred height, read when it is laid out
  QPointer<QWidget> MenuBar;   // a form's menu bar, above the client area
  int MenuBarHeight = 0;
  std::map<unsigned, QPointer<QTimer>> Timers;
  QImage Surface;
  TSurfacePainter Painter;  // after Surface: it must end before the image goes
  QRegion Invalid;
  TCanvasSurface CanvasSurface;
  QSize LastClientSize{-1, -1};
  // Counts changes that may have changed the window's accessible description.
  unsigned AccessibleGeneration = 0;

  int FrameWidth() const;
  QRect ClientRectInWidget() const;  // the client area in widget coordinates
};

namespace backend {
// Live windows by handle; handles are never reused.
TWindowRecord* FindRecord(HWND Wnd);
HWND HandleOf(const TWindowRecord* Record);
// Sends WM_SIZE when the client size changed since the last call; resizes the surface.
void SyncClientSize(TWindowRecord* Record);
void LayoutScrollBar(TWindowRecord* Record);
// Places the menu bar across the top of the window and keeps its height.
void LayoutMenuBar(TWindowRecord* Record);
// Sets the widget's geometry from client-relative bounds, without any message.
void PlaceWidget(TWindowRecord* Record, int X, int Y, int Width, int Height);
// The shown top-level widget of Owner, else the active window: the parent of a modal dialog.
QWidget* DialogParent(HWND Owner);
// Gives a top-level window about to be shown its owner's window as transient parent.
void ApplyWindowOwner(TWindowRecord* Record);
// The modifiers of the input event being turned into messages.
void SetInputModifiers(Qt::KeyboardModifiers Modifiers);
// Turns the user's actions on the window's scroll bar into WM_HSCROLL.
void ConnectScrollBar(TWindowRecord* Record);
// Delivers a message through the window: an exception from its handler goes to
// Application->HandleException, and no widget is deleted while a delivery runs.
LRESULT DeliverToWindow(HWND Wnd, unsigned Msg, WPARAM WParam, LPARAM LParam);
bool InsideDelivery();
void PaintPending(TWindowRecord* Record);
// The classic frame of the window's styles, drawn around Bounds (widget coordinates).
void DrawWindowFrame(QPainter& Painter, const TWindowRecord& Record, const QRect& Bounds);
}  // namespace backend

}  // namespace vcl
