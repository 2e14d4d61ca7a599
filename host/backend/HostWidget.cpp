// The custom-drawn window: its surface and frame on screen.

#include "HostWidget.h"

#include <QPainter>

#include "Accessibility.h"
#include "InputGlue.h"
#include "WindowBackend.h"
#include "WindowSurface.h"

namespace vcl {

THostWidget::THostWidget(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags)
    : QWidget(Parent, Flags), TPeer(Record) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
}

bool THostWidget::event(QEvent* Event) {
  // The surface follows the device pixel ratio of the window's screen.
  if (Event->type() == QEvent::ScreenChangeInternal && FRecord) backend::SyncClientSize(FRecord);
  if (backend::TranslateEvent(*this, Event)) return true;
  if (Event->type() == QEvent::FocusIn) backend::AnnounceFocusedObjectLater(this);
  return QWidget::event(Event);
}

void THostWidget::resizeEvent(QResizeEvent*) {
  if (!FRecord) return;
  backend::LayoutScrollBar(FRecord);
  backend::LayoutMenuBar(FRecord);
  backend::SyncClientSize(FRecord);
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
  backend::DrawWindowFrame(Painter, *R, rect());
}

}  // namespace vcl
