// Top-level windows: their frame kind, size limits, owner and the screen they appear on.

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include "FormBackend.h"
#include "Window.h"
#include "WindowBackend.h"

namespace vcl::backend {

TRect ScreenWorkArea() {
  // New windows open on the screen that holds the pointer.
  const QScreen* Screen = QGuiApplication::screenAt(QCursor::pos());
  if (!Screen) Screen = QGuiApplication::primaryScreen();
  if (!Screen) return {};
  const QRect A = Screen->availableGeometry();
  return TRect{A.left(), A.top(), A.left() + A.width(), A.top() + A.height()};
}

TRect WindowFrameExtents(HWND Wnd) {
  const TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget || !R->TopLevel || R->Widget->windowFlags().testFlag(Qt::FramelessWindowHint)) return {};
  const QRect Frame = R->Widget->frameGeometry();
  const QRect Client = R->Widget->geometry();
  if (Frame != Client) return TRect{Client.left() - Frame.left(), Client.top() - Frame.top(),
                                    Frame.right() - Client.right(), Frame.bottom() - Client.bottom()};
  // Not shown yet, so the window manager has not told: a title bar and thin borders.
  const int Border = QApplication::style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  return TRect{Border, QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight) + Border, Border, Border};
}

void SetWindowFrame(HWND Wnd, TFormBorderStyle Style) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget || !R->TopLevel) return;
  Qt::WindowFlags Flags = Qt::Window;
  switch (Style) {
    case bsNone: Flags |= Qt::FramelessWindowHint; break;
    case bsDialog:
      Flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
              Qt::WindowCloseButtonHint;
      break;
    case bsToolWindow:
    case bsSizeToolWin: Flags = Qt::Tool; break;
    default: break;
  }
  const bool Visible = R->Widget->isVisible();
  // New flags make a new native window, which Qt places by its frame: keep the client
  // area where the form put it, or every change of frame would move the form.
  const QRect Client = R->Widget->geometry();
  R->Widget->setWindowFlags(Flags);
  R->Widget->setGeometry(Client);
  if (Visible) {
    ApplyWindowOwner(R);  // the new native window has no transient parent yet
    R->Widget->show();
  }
}

void SetWindowSizeLimits(HWND Wnd, int MinWidth, int MinHeight, int MaxWidth, int MaxHeight) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget || !R->TopLevel) return;
  R->Widget->setMinimumSize(std::max(0, MinWidth), std::max(0, MinHeight));
  R->Widget->setMaximumSize(MaxWidth > 0 ? MaxWidth : QWIDGETSIZE_MAX, MaxHeight > 0 ? MaxHeight : QWIDGETSIZE_MAX);
}

void SetWindowOwner(HWND Wnd, HWND Owner) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->TopLevel) return;
  R->Owner = Owner;
  if (!Owner && R->Widget && R->Widget->windowHandle()) R->Widget->windowHandle()->setTransientParent(nullptr);
}

// The compositor reads the transient parent when the window is mapped, so it is set on every
// show: a change of frame makes a new native window without one.
void ApplyWindowOwner(TWindowRecord* R) {
  if (!R->Owner || !R->TopLevel || !R->Widget) return;
  const TWindowRecord* O = FindRecord(R->Owner);
  QWidget* OwnerWindow = O && O->Widget ? O->Widget->window() : nullptr;
  // A hidden owner has no window on screen to be placed against.
  if (OwnerWindow && (!OwnerWindow->isVisible() || OwnerWindow == R->Widget)) OwnerWindow = nullptr;
  R->Widget->winId();  // a top-level widget has its QWindow once its native window exists
  if (QWindow* Window = R->Widget->windowHandle())
    Window->setTransientParent(OwnerWindow ? OwnerWindow->windowHandle() : nullptr);
}

}  // namespace vcl::backend
