// Qt's input, focus and window events become window messages: written once for every peer.

#include "InputGlue.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <utility>

#include "Forms.h"
#include "WindowBackend.h"

namespace vcl::backend {

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
    case Qt::Key_Menu: return VK_APPS;
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

namespace {

int DeliveryDepth = 0;
TControl* MouseControl = nullptr;
TKeyTranslation* RunningKey = nullptr;
// Alt went down and nothing else happened since: its release takes the keyboard into the
// form's menu bar, as F10 does.
bool AltAlone = false;

WPARAM MouseKeys(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers) {
  WPARAM Keys = 0;
  if (Buttons & Qt::LeftButton) Keys |= MK_LBUTTON;
  if (Buttons & Qt::RightButton) Keys |= MK_RBUTTON;
  if (Buttons & Qt::MiddleButton) Keys |= MK_MBUTTON;
  if (Modifiers & Qt::ShiftModifier) Keys |= MK_SHIFT;
  if (Modifiers & Qt::ControlModifier) Keys |= MK_CONTROL;
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

// The pointer is over the window at Local (widget coordinates): it holds the windowless
// child there, or else the window's own control.
// The window shows the cursor of a windowless child under the pointer that has its own.
void TrackPointerAt(TWindowRecord* R, const QPoint& Local) {
  const QPoint P = Local - R->ClientRectInWidget().topLeft();
  TControl* Under = R->Control->ControlAtPos(TPoint{P.x(), P.y()}, false, false);
  const HWND Wnd = HandleOf(R);
  SetWindowCursor(Wnd, Under && Under->GetCursor() != crDefault ? Under->GetCursor() : R->Control->GetCursor());
  TrackMouseControl(Under ? Under : R->Control);
}

void Mouse(TWindowRecord* R, QMouseEvent* E) {
  SetInputModifiers(E->modifiers());
  const HWND Wnd = HandleOf(R);
  const QPoint P = E->position().toPoint() - R->ClientRectInWidget().topLeft();
  const unsigned Msg = ButtonMessage(E->type(), E->button());
  if (Msg != WM_MOUSEMOVE) AltAlone = false;
  if (Msg == WM_MOUSEMOVE) {
    TrackPointerAt(R, E->position().toPoint());
    if (!FindRecord(Wnd)) return;
  }
  DeliverToWindow(Wnd, Msg, MouseKeys(E->buttons(), E->modifiers()), MakeLParam(P.x(), P.y()));
}

// Pixels of a touchpad swipe in wheel units. What a slow swipe gives below one unit is
// carried to the next event of the same direction.
int WheelUnits(int Pixels, int& Carry) {
  constexpr int PixelsPerNotch = WheelPixelsPerNotch;
  if ((Carry < 0 && Pixels > 0) || (Carry > 0 && Pixels < 0)) Carry = 0;
  const int Scaled = Pixels * WHEEL_DELTA + Carry;
  const int Units = Scaled / PixelsPerNotch;
  Carry = Scaled - Units * PixelsPerNotch;
  return Units;
}

// The wheel goes to the focused window, which passes it to its parent when it does not take
// it; without a focused window of ours, to the window under the pointer.
void Wheel(TWindowRecord* R, QWheelEvent* E) {
  static int CarryX = 0, CarryY = 0;
  SetInputModifiers(E->modifiers());
  int Forward = E->angleDelta().y();
  // Qt counts a swipe to the left as positive; the classic horizontal wheel counts right.
  int Right = -E->angleDelta().x();
  if (!E->pixelDelta().isNull()) {
    Forward = WheelUnits(E->pixelDelta().y(), CarryY);
    Right = WheelUnits(-E->pixelDelta().x(), CarryX);
  }
  HWND Target = FocusedWindow();
  if (!Target) Target = HandleOf(R);
  const QPoint Screen = E->globalPosition().toPoint();
  const LPARAM Point = MakeLParam(Screen.x(), Screen.y());
  const WPARAM Keys = MouseKeys(E->buttons(), E->modifiers());
  auto Packed = [Keys](int Delta) { return Keys | (static_cast<WPARAM>(static_cast<Word>(Delta)) << 16); };
  if (Forward) DeliverToWindow(Target, WM_MOUSEWHEEL, Packed(Forward), Point);
  if (Right && FindRecord(Target)) DeliverToWindow(Target, WM_MOUSEHWHEEL, Packed(Right), Point);
}

// The framework decides what a key does: the window may take it as a dialog key first
// (CN_KEYDOWN), then it gets WM_KEYDOWN and one WM_CHAR per byte of the typed text.
void Key(TWindowRecord* R, QKeyEvent* E) {
  SetInputModifiers(E->modifiers());
  const HWND Wnd = HandleOf(R);
  const Word Key = VirtualKeyOf(E->key(), E->text());
  const LPARAM KeyData = E->isAutoRepeat() ? 0x40000000 : 0;
  TKeyTranslation Translation;
  Translation.Window = R;
  Translation.Event = E;
  TKeyTranslation* const Outer = RunningKey;
  RunningKey = &Translation;
  struct TRestore {
    TKeyTranslation* Outer;
    ~TRestore() { RunningKey = Outer; }
  } Restore{Outer};
  TPeer* Peer = PeerOf(R);
  // The framework has had the key: Qt must not offer it to the parent widgets again, even
  // when the native widget declined it.
  struct TAccept {
    QKeyEvent* Event;
    ~TAccept() { Event->accept(); }
  } Accept{E};
  if (E->type() == QEvent::KeyRelease) {
    const bool EnterMenu = Key == VK_MENU && std::exchange(AltAlone, false);
    if (Key) DeliverToWindow(Wnd, WM_KEYUP, Key, KeyData | static_cast<LPARAM>(0xC0000000u));
    if (FindRecord(Wnd) && Peer) Peer->NativeKey(Translation);
    if (TWindowRecord* Still = EnterMenu ? FindRecord(Wnd) : nullptr)
      if (TCustomForm* Form = GetParentForm(Still->Control)) DeliverToControl(Form, WM_SYSCOMMAND, SC_KEYMENU, 0);
    return;
  }
  if (Key != VK_MENU) AltAlone = false;
  else if (!E->isAutoRepeat()) AltAlone = true;
  if (Key) {
    if (DeliverToWindow(Wnd, CN_KEYDOWN, Key, KeyData) != 0) return;
    if (!FindRecord(Wnd)) return;
    DeliverToWindow(Wnd, WM_KEYDOWN, Key, KeyData);
  }
  if (E->key() != Qt::Key_Backtab && !(E->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    for (char C : E->text().toUtf8()) {
      if (!FindRecord(Wnd)) return;
      Translation.CharsSent.push_back(C);
      DeliverToWindow(Wnd, WM_CHAR, static_cast<unsigned char>(C), KeyData);
    }
  }
  if (FindRecord(Wnd) && Peer) Peer->NativeKey(Translation);
}

}  // namespace

bool InsideDelivery() { return DeliveryDepth > 0; }

LRESULT DeliverToControl(TControl* Control, unsigned Msg, WPARAM WParam, LPARAM LParam) {
  if (!Control) return 0;
  const std::weak_ptr<char> Alive = Control->LifetimeToken();
  ++DeliveryDepth;
  LRESULT Result = 0;
  try {
    Result = Control->Perform(Msg, WParam, LParam);
  } catch (...) {
    Application->HandleException(Alive.expired() ? nullptr : Control);
  }
  --DeliveryDepth;
  return Result;
}

void DeliverAction(const std::function<void()>& Action) {
  ++DeliveryDepth;
  try {
    Action();
  } catch (...) {
    Application->HandleException(nullptr);
  }
  --DeliveryDepth;
}

LRESULT DeliverToWindow(HWND Wnd, unsigned Msg, WPARAM WParam, LPARAM LParam) {
  return DeliverToControl(ControlOf(Wnd), Msg, WParam, LParam);
}

void TrackMouseControl(TControl* Control) {
  if (Control == MouseControl) return;
  TControl* Old = MouseControl;
  MouseControl = Control;
  if (Old) DeliverToControl(Old, CM_MOUSELEAVE, 0, 0);
  // A leave handler may have moved the pointer's control on, or destroyed this one.
  if (Control && MouseControl == Control) DeliverToControl(Control, CM_MOUSEENTER, 0, 0);
}

void ForgetMouseControl(TControl* Control) {
  if (MouseControl == Control) MouseControl = nullptr;
}

bool TranslatingKey() { return RunningKey != nullptr; }

TKeyTranslation* KeyTranslationFor(const TWindowRecord* Window) {
  return RunningKey && RunningKey->Window == Window ? RunningKey : nullptr;
}

namespace {

// Input a disabled window does not get. It is declined (ignored), so that Qt passes it on
// to the parent window, as the classic window system gives a click on a disabled child to
// the enabled window beneath. A designed control is never disabled for the designer that
// handles its input.
bool DisabledInput(TPeer& Peer, QEvent* Event) {
  switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
      return !Peer.Widget()->isEnabled() && !Peer.Record()->Control->HasState(csDesigning);
    default:
      return false;
  }
}

}  // namespace

bool TranslateEvent(TPeer& Peer, QEvent* Event) {
  TWindowRecord* R = Peer.Record();
  if (!R) return Event->type() != QEvent::Paint ? false : true;
  if (DisabledInput(Peer, Event)) {
    Event->ignore();
    return true;
  }
  const HWND Wnd = HandleOf(R);
  switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      Mouse(R, static_cast<QMouseEvent*>(Event));
      return true;
    case QEvent::Wheel:
      Wheel(R, static_cast<QWheelEvent*>(Event));
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      Key(R, static_cast<QKeyEvent*>(Event));
      return true;
    case QEvent::ContextMenu:
      // Context menus come from the framework (WM_CONTEXTMENU), not from the widget.
      Event->accept();
      return true;
    case QEvent::ShortcutOverride:
      Event->accept();  // every key goes to the focused control first
      return true;
    case QEvent::FocusIn:
      DeliverToWindow(Wnd, WM_SETFOCUS, 0, 0);
      return false;
    case QEvent::FocusOut:
      DeliverToWindow(Wnd, WM_KILLFOCUS, 0, 0);
      return false;
    case QEvent::Enter: {
      // Qt enters every window from the top level down to the one under the pointer; only
      // that last one, or a windowless child of it, holds the pointer.
      QWidget* W = Peer.Widget();
      const QPoint Local = static_cast<QEnterEvent*>(Event)->position().toPoint();
      QWidget* Child = W->childAt(Local);
      while (Child && Child != W && !PeerOf(Child)) Child = Child->parentWidget();
      if (Child && Child != W) return false;
      TrackPointerAt(R, Local);
      return false;
    }
    case QEvent::Leave:
      // Qt sends no Leave when the pointer moves into a child window, so this one is final
      // for the window's control and its windowless children; the Leave of another window
      // (late, or synthesized) says nothing about where the pointer is now.
      if (MouseControl && (MouseControl == R->Control || MouseControl->GetParent() == R->Control))
        TrackMouseControl(nullptr);
      return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      AltAlone = false;
      // Every widget of a window hears of its activation; the window's own control answers.
      if (Peer.Widget()->isWindow())
        DeliverToWindow(Wnd, Event->type() == QEvent::WindowActivate ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
      return false;
    case QEvent::Close:
      Event->ignore();
      DeliverToWindow(Wnd, WM_CLOSE, 0, 0);
      return true;
    default:
      return false;
  }
}

bool IsMouseMessage(unsigned Msg) { return Msg == WM_MOUSEMOVE || (Msg >= WM_LBUTTONDOWN && Msg <= WM_MBUTTONDBLCLK); }

std::unique_ptr<QMouseEvent> ReplayedMouseEvent(const TMessage& Message, QPointF Local, QPointF Global) {
  if (!IsMouseMessage(Message.Msg)) return nullptr;
  const bool Button = Message.Msg != WM_MOUSEMOVE;
  const auto Keys = static_cast<unsigned>(Message.WParam);
  Qt::MouseButtons Held;
  if (Keys & MK_LBUTTON) Held |= Qt::LeftButton;
  if (Keys & MK_RBUTTON) Held |= Qt::RightButton;
  if (Keys & MK_MBUTTON) Held |= Qt::MiddleButton;
  Qt::KeyboardModifiers Modifiers;
  if (Keys & MK_SHIFT) Modifiers |= Qt::ShiftModifier;
  if (Keys & MK_CONTROL) Modifiers |= Qt::ControlModifier;
  if (!Button) return std::make_unique<QMouseEvent>(QEvent::MouseMove, Local, Global, Qt::NoButton, Held, Modifiers);
  const unsigned Offset = (Message.Msg - WM_LBUTTONDOWN) % 3;  // 0 down, 1 up, 2 double click
  const unsigned Base = Message.Msg - Offset;
  const Qt::MouseButton Which =
      Base == WM_RBUTTONDOWN ? Qt::RightButton : Base == WM_MBUTTONDOWN ? Qt::MiddleButton : Qt::LeftButton;
  const QEvent::Type Type =
      Offset == 0 ? QEvent::MouseButtonPress : Offset == 1 ? QEvent::MouseButtonRelease : QEvent::MouseButtonDblClick;
  // The buttons held after the event: a release no longer holds its button.
  return std::make_unique<QMouseEvent>(Type, Local, Global, Which, Offset == 1 ? Held & ~Which : Held | Which,
                                       Modifiers);
}

}  // namespace vcl::backend
