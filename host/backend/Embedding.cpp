// Framework windows inside a Qt program's own widgets.

#include "HostWidget.h"
#include "QtEmbedding.h"
#include "WindowBackend.h"
#include "WindowSurface.h"

namespace vcl {

QWidget* EmbedInWidget(TWinControl* Control, QWidget* Host) {
  if (Control->GetParent()) throw EInvalidOperation("A control with a parent control cannot be embedded");
  Control->SetParentWindow(Host);
  return ControlWidget(Control);
}

QWidget* ControlWidget(TWinControl* Control) {
  TWindowRecord* R = backend::RecordOf(Control->GetHandle());
  return R ? R->Widget.data() : nullptr;
}

QImage ControlSurface(TWinControl* Control) {
  const HWND Wnd = Control->GetHandle();
  backend::UpdateWindow(Wnd);
  TWindowRecord* R = backend::RecordOf(Wnd);
  return R ? backend::SurfaceCopy(R) : QImage();
}

}  // namespace vcl
