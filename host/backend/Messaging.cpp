// Sending and posting messages, window timers, and the glue boundary for Qt events.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include "Forms.h"
#include "InputGlue.h"
#include "Window.h"
#include "WindowBackend.h"
#include "WindowSurface.h"

namespace vcl {

namespace {

// A message waiting in the Qt event queue for its window.
class TPostedMessageEvent : public QEvent {
public:
  static QEvent::Type EventType() {
    static const auto Type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return Type;
  }
  TPostedMessageEvent(HWND Wnd, unsigned Msg, WPARAM WParam, LPARAM LParam)
      : QEvent(EventType()), Wnd(Wnd), Msg(Msg), WParam(WParam), LParam(LParam) {}
  HWND Wnd;
  unsigned Msg;
  WPARAM WParam;
  LPARAM LParam;
};

class TPostedMessageReceiver : public QObject {
public:
  bool event(QEvent* Event) override {
    if (Event->type() != TPostedMessageEvent::EventType()) return QObject::event(Event);
    auto* Posted = static_cast<TPostedMessageEvent*>(Event);
    backend::DeliverToWindow(Posted->Wnd, Posted->Msg, Posted->WParam, Posted->LParam);
    return true;
  }
};

TPostedMessageReceiver* Receiver() {
  static TPostedMessageReceiver* Instance = nullptr;
  if (!Instance) {
    Instance = new TPostedMessageReceiver;
    QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] {
      delete Instance;
      Instance = nullptr;
    });
  }
  return Instance;
}

}  // namespace


LRESULT SendMessage(HWND Wnd, unsigned Msg, WPARAM WParam, LPARAM LParam) {
  return backend::DeliverToWindow(Wnd, Msg, WParam, LParam);
}

bool PostMessage(HWND Wnd, unsigned Msg, WPARAM WParam, LPARAM LParam) {
  if (!backend::FindRecord(Wnd) || !QCoreApplication::instance()) return false;
  QCoreApplication::postEvent(Receiver(), new TPostedMessageEvent(Wnd, Msg, WParam, LParam));
  return true;
}

bool IsWindow(HWND Wnd) { return backend::FindRecord(Wnd) != nullptr; }

bool IsWindowVisible(HWND Wnd) {
  TWindowRecord* R = backend::FindRecord(Wnd);
  return R && R->Widget && R->Widget->isVisible();
}

HWND GetFocus() { return backend::FocusedWindow(); }

unsigned SetTimer(HWND Wnd, unsigned IDEvent, unsigned Elapse, void* TimerProc) {
  TWindowRecord* R = backend::FindRecord(Wnd);
  if (!R || TimerProc != nullptr) return 0;
  QPointer<QTimer>& Timer = R->Timers[IDEvent];
  if (!Timer) {
    Timer = new QTimer;
    QObject::connect(Timer, &QTimer::timeout, [Wnd, IDEvent] { backend::DeliverToWindow(Wnd, WM_TIMER, IDEvent, 0); });
  }
  constexpr unsigned MinimumElapse = 10;  // as the classic system clamps it
  Timer->start(static_cast<int>(std::max(Elapse, MinimumElapse)));
  return IDEvent;
}

bool KillTimer(HWND Wnd, unsigned IDEvent) {
  TWindowRecord* R = backend::FindRecord(Wnd);
  if (!R) return false;
  auto It = R->Timers.find(IDEvent);
  if (It == R->Timers.end() || !It->second) return false;
  It->second->stop();
  It->second->deleteLater();
  R->Timers.erase(It);
  return true;
}

int ScrollWindowEx(HWND Wnd, int Dx, int Dy, const TRect* Scroll, const TRect*, void*, TRect* Update, unsigned Flags) {
  std::optional<QRect> Area;
  if (Scroll) Area = QRect(Scroll->Left, Scroll->Top, Scroll->Width(), Scroll->Height());
  const std::optional<QRect> Uncovered =
      backend::ScrollSurface(Wnd, Dx, Dy, Area ? &*Area : nullptr, (Flags & SW_INVALIDATE) != 0);
  if (!Uncovered) return 0;
  if (Update) *Update = TRect{Uncovered->left(), Uncovered->top(), Uncovered->left() + Uncovered->width(),
                              Uncovered->top() + Uncovered->height()};
  return Uncovered->isEmpty() ? NULLREGION : SIMPLEREGION;
}

bool InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase) {
  if (!backend::FindRecord(Wnd)) return false;
  backend::InvalidateWindow(Wnd, Rect);
  return true;
}

bool GetClientRect(HWND Wnd, TRect& Rect) {
  if (!backend::FindRecord(Wnd)) return false;
  Rect = backend::ClientRectOf(Wnd);
  return true;
}

bool ClientToScreen(HWND Wnd, TPoint& Point) {
  if (!backend::FindRecord(Wnd)) return false;
  const TPoint Origin = backend::ClientOriginOnScreen(Wnd);
  Point = TPoint{Point.X + Origin.X, Point.Y + Origin.Y};
  return true;
}

bool ScreenToClient(HWND Wnd, TPoint& Point) {
  if (!backend::FindRecord(Wnd)) return false;
  const TPoint Origin = backend::ClientOriginOnScreen(Wnd);
  Point = TPoint{Point.X - Origin.X, Point.Y - Origin.Y};
  return true;
}

}  // namespace vcl
