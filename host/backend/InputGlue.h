#pragma once
// The one translation of Qt's input events into window messages, used by every peer.

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <functional>
#include <memory>
#include <string>

#include "Peer.h"

namespace vcl::backend {

// Turns a Qt event aimed at Peer's window into window messages, each delivered inside the
// boundary. True when the event is done with (input of a disabled window is done with but
// ignored, for Qt to pass on to the parent); false leaves it to the peer's widget as well
// (focus, paint and the like, which the widget needs for itself).
bool TranslateEvent(TPeer& Peer, QEvent* Event);

// A key press or release while its messages are delivered: what reached the window's
// default procedure tells a peer with a native widget what to let that widget do.
struct TKeyTranslation {
  const TWindowRecord* Window = nullptr;
  QKeyEvent* Event = nullptr;
  bool KeyReachedDefault = false;
  std::string CharsSent;             // the WM_CHAR bytes the glue delivered
  std::string CharsReachedDefault;   // those bytes as the default procedure got them
};
// The translation running for Window, or null (a message sent by code, not typed).
TKeyTranslation* KeyTranslationFor(const TWindowRecord* Window);
// Whether the messages of a typed key are being delivered now, to any window.
bool TranslatingKey();

// The way back, for peers over Qt's own widgets: a window's mouse message (WM_MOUSEMOVE or a
// button message) that reached the default procedure, as the Qt event its widget takes, at
// Local in the widget's (or viewport's) coordinates and Global on the screen, with the
// buttons and keys the message carries. So a click handed on by code acts as a real one.
// Null for any other message, that is one IsMouseMessage declines.
bool IsMouseMessage(unsigned Msg);
std::unique_ptr<QMouseEvent> ReplayedMouseEvent(const TMessage& Message, QPointF Local, QPointF Global);

// Win32 key code of a Qt key; 0 when there is none.
Word VirtualKeyOf(int QtKey, const QString& Text);
TShiftState ShiftOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
// Tracks the control under the pointer and sends CM_MOUSELEAVE / CM_MOUSEENTER on a change.
void TrackMouseControl(TControl* Control);
// Delivers a message to a control, windowed or not, inside the boundary: an exception from
// its handler goes to Application->HandleException, and no widget is deleted meanwhile.
LRESULT DeliverToControl(TControl* Control, unsigned Msg, WPARAM WParam, LPARAM LParam);
// Runs a handler that no message carries (a menu command) inside the same boundary.
void DeliverAction(const std::function<void()>& Action);

}  // namespace vcl::backend
