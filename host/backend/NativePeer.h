#pragma once
// The base of peers over Qt's own widgets (line edit, push button, check box): input goes
// through the one glue, the widget acts only on what reaches the window's default
// procedure, and the classic frame is drawn around it.

#include <QMouseEvent>
#include <QPainter>

#include "InputGlue.h"
#include "Peer.h"
#include "WindowBackend.h"

namespace vcl {

template <class TWidget>
class TNativePeer : public TWidget, public TPeer {
public:
  TNativePeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags) : TWidget(Parent), TPeer(Record) {
    this->setWindowFlags(Flags);
    // Tab and Shift+Tab belong to the form; a click still focuses the widget.
    this->setFocusPolicy(Qt::ClickFocus);
    this->setMouseTracking(true);
  }
  QWidget* Widget() override { return this; }

  void DefaultMessage(TMessage& Message) override {
    backend::TKeyTranslation* Typed = backend::KeyTranslationFor(FRecord);
    switch (Message.Msg) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (Typed) Typed->KeyReachedDefault = true;
        break;
      case WM_CHAR:
        if (Typed) Typed->CharsReachedDefault.push_back(static_cast<char>(Message.WParam));
        else DefaultChar(static_cast<unsigned char>(Message.WParam));
        break;
      case WM_MOUSEMOVE:
      case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
        DefaultMouse(Message);
        break;
      default: break;
    }
  }

  // A key the framework let through reaches the widget.
  void NativeKey(backend::TKeyTranslation& T) override {
    if (!T.KeyReachedDefault) return;
    if (T.Event->type() == QEvent::KeyRelease) this->keyReleaseEvent(T.Event);
    else this->keyPressEvent(T.Event);
  }

protected:
  bool event(QEvent* Event) override {
    if (backend::TranslateEvent(*this, Event)) return true;
    return TWidget::event(Event);
  }
  void paintEvent(QPaintEvent* Event) override {
    TWidget::paintEvent(Event);
    if (!FRecord) return;
    QPainter Painter(this);
    backend::DrawWindowFrame(Painter, *FRecord, this->rect());
  }
  void resizeEvent(QResizeEvent* Event) override {
    TWidget::resizeEvent(Event);
    if (FRecord) backend::SyncClientSize(FRecord);
  }
  bool focusNextPrevChild(bool) override { return false; }

  // A character sent by code rather than typed.
  virtual void DefaultChar(unsigned char Byte) {}

private:
  // The mouse message as the widget takes it, from the message's own point and keys, so
  // that one passed on by code (a click handed to an editor) acts as a real one.
  void DefaultMouse(const TMessage& Message) {
    const TPoint P = PointFromLParam(Message.LParam);
    const QPointF Local = QPointF(P.X, P.Y) + FRecord->ClientRectInWidget().topLeft();
    const std::unique_ptr<QMouseEvent> Event = backend::ReplayedMouseEvent(Message, Local, this->mapToGlobal(Local));
    if (Event->type() == QEvent::MouseMove) {
      this->mouseMoveEvent(Event.get());
      return;
    }
    // A window that takes the focus by click takes it on a press, as classic windows do.
    const bool Press = Event->type() == QEvent::MouseButtonPress;
    if (Press && (this->focusPolicy() & Qt::ClickFocus) && !this->hasFocus()) this->setFocus(Qt::MouseFocusReason);
    if (!FRecord) return;  // a focus handler destroyed the window
    if (Press) this->mousePressEvent(Event.get());
    else if (Event->type() == QEvent::MouseButtonRelease) this->mouseReleaseEvent(Event.get());
    else this->mouseDoubleClickEvent(Event.get());
  }
};

}  // namespace vcl
