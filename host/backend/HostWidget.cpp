// Qt events of a framework window become window messages.

#include "HostWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "Forms.h"
#include "WindowBackend.h"
#include "WindowSurface.h"

namespace vcl {

THostWidget::THostWidget(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags)
    : QWidget(Parent, Flags), FRecord(Record) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
}

namespace backend {

Word VirtualKeyOf(int QtKey, const QString& Text) {
  if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) return static_cast<Word>('A' + (QtKey - Qt::Key_A));
  if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) return static_cast<Word>('0' + (QtKey - Qt::Key_0));
  if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F12) return static_cast<Word>(VK_F1 + (QtKey - Qt::Key_F1));
  switch (QtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: break;
  }
  if (Text.size() == 1 && Text[0].unicode() < 0x80) return static_cast<Word>(Text[0].toUpper().unicode());
  return 0;
}

TShiftState ShiftOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
  TShiftState S;
  if (Modifiers & Qt::ShiftModifier) S << ssShift;
  if (Modifiers & Qt::ControlModifier) S << ssCtrl;
  if (Modifiers & Qt::AltModifier) S << ssAlt;
  if (Buttons & Qt::LeftButton) S << ssLeft;
  if (Buttons & Qt::RightButton) S << ssRight;
  if (Buttons & Qt::MiddleButton) S << ssMiddle;
  return S;
}

}  // namespace backend

namespace {

WPARAM MouseKeys(const QMouseEvent* E) {
  WPARAM Keys = 0;
  if (E->buttons() & Qt::LeftButton) Keys |= MK_LBUTTON;
  if (E->buttons() & Qt::RightButton) Keys |= MK_RBUTTON;
  if (E->buttons() & Qt::MiddleButton) Keys |= MK_MBUTTON;
  if (E->modifiers() & Qt::ShiftModifier) Keys |= MK_SHIFT;
  if (E->modifiers() & Qt::ControlModifier) Keys |= MK_CONTROL;
  return Keys;
}

unsigned ButtonMessage(QEvent::Type Type, Qt::MouseButton Button) {
  const unsigned Base = Button == Qt::RightButton ? WM_RBUTTONDOWN : Button == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
  switch (Type) {
    case QEvent::MouseButtonPress: return Base;
    case QEvent::MouseButtonRelease: return Base + 1;
    case QEvent::MouseButtonDblClick: return Base + 2;
    default: return WM_MOUSEMOVE;
  }
}

// Keys that a form may take for navigation before the control sees them.
bool IsDialogKey(Word Key) {
  return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || (Key >= VK_LEFT && Key <= VK_DOWN);
}

}  // namespace

void THostWidget::MouseEvent(QEvent* Event) {
  auto* E = static_cast<QMouseEvent*>(Event);
  backend::SetInputModifiers(E->modifiers());
  const HWND Wnd = backend::HandleOf(FRecord);
  const QPoint P = E->position().toPoint() - FRecord->ClientRectInWidget().topLeft();
  const unsigned Msg = ButtonMessage(Event->type(), E->button());
  if (Msg == WM_MOUSEMOVE) {
    TWinControl* Control = FRecord->Control;
    TControl* Under = Control->ControlAtPos(TPoint{P.x(), P.y()}, false, false);
    backend::TrackMouseControl(Under ? Under : Control);
    if (!backend::FindRecord(Wnd)) return;
  }
  backend::DeliverToWindow(Wnd, Msg, MouseKeys(E), MakeLParam(P.x(), P.y()));
}

void THostWidget::KeyEvent(QEvent* Event) {
  auto* E = static_cast<QKeyEvent*>(Event);
  backend::SetInputModifiers(E->modifiers());
  const HWND Wnd = backend::HandleOf(FRecord);
  const Word Key = backend::VirtualKeyOf(E->key(), E->text());
  const LPARAM KeyData = E->isAutoRepeat() ? 0x40000000 : 0;
  if (Event->type() == QEvent::KeyRelease) {
    if (Key) backend::DeliverToWindow(Wnd, WM_KEYUP, Key, KeyData | static_cast<LPARAM>(0xC0000000u));
    return;
  }
  if (Key && IsDialogKey(Key) && backend::DeliverToWindow(Wnd, CM_WANTSPECIALKEY, Key, KeyData) == 0) {
    if (!backend::FindRecord(Wnd)) return;  // its handler destroyed the window
    TCustomForm* Form = GetParentForm(FRecord->Control);
    if (Form && Form->HandleAllocated() && backend::DeliverToWindow(Form->GetHandle(), CM_DIALOGKEY, Key, KeyData) != 0)
      return;
  }
  if (Key && backend::FindRecord(Wnd)) backend::DeliverToWindow(Wnd, WM_KEYDOWN, Key, KeyData);
  if (E->key() == Qt::Key_Backtab || (E->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return;
  const QByteArray Bytes = E->text().toUtf8();
  for (char C : Bytes) {
    if (!backend::FindRecord(Wnd)) return;
    backend::DeliverToWindow(Wnd, WM_CHAR, static_cast<unsigned char>(C), KeyData);
  }
}

bool THostWidget::event(QEvent* Event) {
  if (!FRecord) {
    // A window being destroyed takes nothing more; paint requests still need an answer.
    if (Event->type() == QEvent::Paint) return true;
    return QWidget::event(Event);
  }
  const HWND Wnd = backend::HandleOf(FRecord);
  switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      MouseEvent(Event);
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      KeyEvent(Event);
      return true;
    case QEvent::FocusIn:
      backend::DeliverToWindow(Wnd, WM_SETFOCUS, 0, 0);
      return true;
    case QEvent::FocusOut:
      backend::DeliverToWindow(Wnd, WM_KILLFOCUS, 0, 0);
      return true;
    case QEvent::Enter:
      backend::TrackMouseControl(FRecord->Control);
      return true;
    case QEvent::Leave:
      // Qt sends no Leave when the pointer moves into a child window, so this one is final.
      backend::TrackMouseControl(nullptr);
      return true;
    case QEvent::WindowActivate:
      backend::DeliverToWindow(Wnd, CM_ACTIVATE, 0, 0);
      return true;
    case QEvent::WindowDeactivate:
      backend::DeliverToWindow(Wnd, CM_DEACTIVATE, 0, 0);
      return true;
    case QEvent::Close: {
      Event->ignore();
      backend::DeliverToWindow(Wnd, WM_CLOSE, 0, 0);
      return true;
    }
    case QEvent::ScreenChangeInternal:
      // The surface follows the device pixel ratio of the window's screen.
      backend::SyncClientSize(FRecord);
      return QWidget::event(Event);
    case QEvent::ShortcutOverride:
      Event->accept();  // every key goes to the focused control first
      return true;
    default:
      return QWidget::event(Event);
  }
}

void THostWidget::resizeEvent(QResizeEvent*) {
  if (!FRecord) return;
  backend::LayoutScrollBar(FRecord);
  backend::SyncClientSize(FRecord);
}

void THostWidget::DrawFrame(QPainter& Painter) {
  const QRect R = rect();
  // Edges as rectangles of whole logical pixels: a line's pen would straddle pixel edges
  // at a device pixel ratio above 1.
  auto Fill = [&](int X, int Y, int Width, int Height, TColor Color) { Painter.fillRect(X, Y, Width, Height, ToQColor(Color)); };
  if (FRecord->ExStyle & WS_EX_CLIENTEDGE) {
    // Sunken edge: shadow and dark shadow above and left, highlight and light below and right.
    auto Edge = [&](int Inset, TColor TopLeft, TColor BottomRight) {
      const QRect E = R.adjusted(Inset, Inset, -Inset, -Inset);
      Fill(E.left(), E.top(), E.width() - 1, 1, TopLeft);
      Fill(E.left(), E.top(), 1, E.height() - 1, TopLeft);
      Fill(E.left(), E.bottom(), E.width(), 1, BottomRight);
      Fill(E.right(), E.top(), 1, E.height(), BottomRight);
    };
    Edge(0, clBtnShadow, clBtnHighlight);
    Edge(1, cl3DDkShadow, cl3DLight);
  } else if (FRecord->Style & WS_BORDER) {
    for (const QRect& Side : {QRect(0, 0, R.width(), 1), QRect(0, R.bottom(), R.width(), 1), QRect(0, 0, 1, R.height()),
                              QRect(R.right(), 0, 1, R.height())})
      Fill(Side.x(), Side.y(), Side.width(), Side.height(), clWindowFrame);
  }
}

void THostWidget::paintEvent(QPaintEvent*) {
  if (!FRecord) return;
  const HWND Wnd = backend::HandleOf(FRecord);
  // A move to a screen of another ratio may come without a screen change event.
  if (backend::SurfaceRatioStale(FRecord)) backend::SyncClientSize(FRecord);
  if (!FRecord) return;  // destroyed by a WM_SIZE handler
  backend::PaintPending(FRecord);
  TWindowRecord* R = backend::FindRecord(Wnd);
  if (!R || !FRecord) return;
  QPainter Painter(this);
  backend::ShowSurface(Painter, R);
  DrawFrame(Painter);
}

}  // namespace vcl
