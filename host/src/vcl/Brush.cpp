// TBrush: colour, style and a shared pattern handle.

#include "backend/GraphicsBackend.h"

namespace vcl {

TBrush::~TBrush() { backend::ReleaseBrush(FHandle); }

// Setting a colour or a style makes a plain brush again, as the classic brush does: a
// pattern given as a handle does not outlive the next FillRect that asks for a colour.
void TBrush::DropPattern() {
  backend::ReleaseBrush(FHandle);
  FHandle = nullptr;
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor && !FHandle) return;
  FColor = Value;
  // A clear brush given a colour paints again, as the classic brush does.
  if (FStyle == bsClear) FStyle = bsSolid;
  DropPattern();
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle && !FHandle) return;
  FStyle = Value;
  DropPattern();
  Changed();
}

void TBrush::SetHandle(HBRUSH Value) {
  if (Value == FHandle) return;
  backend::RetainBrush(Value);
  backend::ReleaseBrush(FHandle);
  FHandle = Value;
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TBrush*>(Source)) {
    if (Other == this) return;
    FColor = Other->FColor;
    FStyle = Other->FStyle;
    backend::RetainBrush(Other->FHandle);
    backend::ReleaseBrush(FHandle);
    FHandle = Other->FHandle;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace vcl
