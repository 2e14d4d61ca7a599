// Which control is under the pointer: CM_MOUSELEAVE and CM_MOUSEENTER on every change.

#include "HostWidget.h"

namespace vcl::backend {

namespace {
TControl* MouseControl = nullptr;
}

void TrackMouseControl(TControl* Control) {
  if (Control == MouseControl) return;
  TControl* Old = MouseControl;
  MouseControl = Control;
  if (Old) Old->Perform(CM_MOUSELEAVE, 0, 0);
  // A leave handler may have moved the pointer's control on again.
  if (Control && MouseControl == Control) Control->Perform(CM_MOUSEENTER, 0, 0);
}

void ForgetMouseControl(TControl* Control) {
  if (MouseControl == Control) MouseControl = nullptr;
}

}  // namespace vcl::backend
