// The custom-drawn window: its surface and frame on screen.

#include "HostWidget.h"

#include <QPainter>

#include "InputGlue.h"
#include "WindowBackend.h"

namespace vcl {

THostWidget::THostWidget(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags)
    : QWidget(Parent, Flags), TPeer(Record) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
}

bool THostWidget::event(QEvent* Event) {
  if (backend::TranslateEvent(*this, Event)) return true;
  return QWidget::event(Event);
}

void THostWidget::resizeEvent(QResizeEvent*) {
  if (!FRecord) return;
  backend::LayoutScrollBar(FRecord);
  backend::SyncClientSize(FRecord);
}

void THostWidget::paintEvent(QPaintEvent*) {
  if (!FRecord) return;
  const HWND Wnd = backend::HandleOf(FRecord);
  backend::PaintPending(FRecord);
  TWindowRecord* R = backend::FindRecord(Wnd);
  if (!R || !FRecord) return;
  QPainter Painter(this);
  Painter.drawImage(R->ClientRectInWidget().topLeft(), R->Surface);
  backend::DrawWindowFrame(Painter, *R, rect());
}

}  // namespace vcl
