// TBrush: colour, style and a shared pattern handle.

#include "GdiObjects.h"
#include "Graphics.h"

namespace vcl {

TBrush::~TBrush() { backend::ReleaseBrush(FHandle); }

void TBrush::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  // A clear brush given a colour paints again, as the classic brush does.
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
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
