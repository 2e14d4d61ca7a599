// Custom-drawn windowed controls and windowless graphic controls.

#include "Controls.h"
#include "backend/WindowBackend.h"

namespace vcl {

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow() { Paint(); }

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::GetCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>();
  return FCanvas.get();
}

void TGraphicControl::Invalidate() {
  if (!FParent || !FVisible || !FParent->HandleAllocated()) return;
  const TRect R = GetBoundsRect();
  InvalidateRect(FParent->GetHandle(), &R, true);
}

void TGraphicControl::Paint() {}

}  // namespace vcl
