#pragma once
// The Qt widget behind a framework window: it turns Qt events into window messages.

#include <QWidget>

#include "Window.h"

namespace vcl {

class THostWidget : public QWidget {
public:
  THostWidget(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags);
  // The window is being destroyed: the widget ignores every event from now on.
  void Detach() { FRecord = nullptr; }
  TWindowRecord* Record() const { return FRecord; }

protected:
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  bool focusNextPrevChild(bool) override { return false; }

private:
  void MouseEvent(QEvent* Event);
  void KeyEvent(QEvent* Event);
  void DrawFrame(QPainter& Painter);
  TWindowRecord* FRecord;
};

namespace backend {
// Win32 key code of a Qt key; 0 when there is none.
Word VirtualKeyOf(int QtKey, const QString& Text);
TShiftState ShiftOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
// Tracks the control under the pointer and sends CM_MOUSELEAVE / CM_MOUSEENTER on a change.
void TrackMouseControl(TControl* Control);
}  // namespace backend

}  // namespace vcl
