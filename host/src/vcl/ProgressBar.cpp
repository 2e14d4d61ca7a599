// TProgressBar: a sunken frame and the filled part of the range, drawn on its own surface.

#include <algorithm>

#include "ComCtrls.h"

namespace vcl {

TProgressBar::TProgressBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 150;
  FHeight = 16;
  FParentColor = false;
  FColor = clBtnFace;
}

void TProgressBar::SetMin(int Value) {
  if (Value == FMin) return;
  FMin = Value;
  FMax = std::max(FMax, FMin);
  FPosition = std::clamp(FPosition, FMin, FMax);
  Invalidate();
}

void TProgressBar::SetMax(int Value) {
  if (Value == FMax) return;
  FMax = Value;
  FMin = std::min(FMin, FMax);
  FPosition = std::clamp(FPosition, FMin, FMax);
  Invalidate();
}

void TProgressBar::SetPosition(int Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition) return;
  FPosition = Value;
  Invalidate();
}

TRect TProgressBar::GetFilledRect() const {
  // Inside the one-pixel frame.
  const TRect Inner{1, 1, std::max(1, FWidth - 1), std::max(1, FHeight - 1)};
  const long long Range = static_cast<long long>(FMax) - FMin;
  const int Filled = Range <= 0 ? 0 : static_cast<int>(Inner.Width() * (static_cast<long long>(FPosition) - FMin) / Range);
  if (UseRightToLeftAlignment()) return TRect{Inner.Right - Filled, Inner.Top, Inner.Right, Inner.Bottom};
  return TRect{Inner.Left, Inner.Top, Inner.Left + Filled, Inner.Bottom};
}

void TProgressBar::Paint() {
  TCanvas* C = GetCanvas();
  const TRect R = GetClientRect();
  C->GetBrush()->SetStyle(bsSolid);
  C->GetBrush()->SetColor(clBtnShadow);
  C->FillRect(TRect{R.Left, R.Top, R.Right, R.Top + 1});
  C->FillRect(TRect{R.Left, R.Top, R.Left + 1, R.Bottom});
  C->GetBrush()->SetColor(clBtnHighlight);
  C->FillRect(TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom});
  C->FillRect(TRect{R.Right - 1, R.Top, R.Right, R.Bottom});
  const TRect Filled = GetFilledRect();
  if (Filled.Width() <= 0) return;
  C->GetBrush()->SetColor(clHighlight);
  C->FillRect(Filled);
}

}  // namespace vcl
