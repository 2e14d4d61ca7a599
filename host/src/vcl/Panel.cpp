// TPanel: bevels, border and caption, painted on the panel's own surface.

#include <algorithm>

#include "ExtCtrls.h"

namespace vcl {

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 185;
  FHeight = 41;
  FParentColor = false;
  FColor = clBtnFace;
}

void TPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle != bsSingle) return;
  if (NewStyleControls && FCtl3D) Params.ExStyle |= WS_EX_CLIENTEDGE;
  else Params.Style |= WS_BORDER;
}

namespace {
// Width pixels of frame along the inside of Rect, lit at the top left and shaded at the
// bottom right; Rect shrinks past it.
void Frame3D(TCanvas* C, TRect& Rect, TColor TopLeft, TColor BottomRight, int Width) {
  C->GetBrush()->SetStyle(bsSolid);
  for (int I = 0; I < Width && Rect.Width() > 0 && Rect.Height() > 0; ++I) {
    C->GetBrush()->SetColor(TopLeft);
    C->FillRect(TRect{Rect.Left, Rect.Top, Rect.Right - 1, Rect.Top + 1});
    C->FillRect(TRect{Rect.Left, Rect.Top, Rect.Left + 1, Rect.Bottom - 1});
    C->GetBrush()->SetColor(BottomRight);
    C->FillRect(TRect{Rect.Left, Rect.Bottom - 1, Rect.Right, Rect.Bottom});
    C->FillRect(TRect{Rect.Right - 1, Rect.Top, Rect.Right, Rect.Bottom});
    Rect = TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
  }
}

void Bevel(TCanvas* C, TRect& Rect, TBevelCut Cut, TColor Face, int Width) {
  switch (Cut) {
    case bvNone: return;
    case bvLowered: Frame3D(C, Rect, clBtnShadow, clBtnHighlight, Width); return;
    case bvRaised: Frame3D(C, Rect, clBtnHighlight, clBtnShadow, Width); return;
    case bvSpace: Frame3D(C, Rect, Face, Face, Width); return;
  }
}
}  // namespace

void TPanel::Paint() {
  TCanvas* C = GetCanvas();
  TRect R = GetClientRect();
  Bevel(C, R, FBevelOuter, FColor, FBevelWidth);
  Frame3D(C, R, FColor, FColor, FBorderWidth);
  Bevel(C, R, FBevelInner, FColor, FBevelWidth);
  if (FText.empty()) return;
  unsigned Flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  if (FAlignment == taRightJustify) Flags |= DT_RIGHT;
  else if (FAlignment == taCenter) Flags |= DT_CENTER;
  C->GetBrush()->SetStyle(bsClear);
  C->SetFont(FFont.get());
  DrawText(C->GetHandle(), FText.c_str(), static_cast<int>(FText.size()), &R,
           static_cast<unsigned>(DrawTextBiDiModeFlags(static_cast<long>(Flags))));
}

void TPanel::Dispatch(TMessage& Message) {
  // A new frame changes the client area.
  if (Message.Msg == CM_CTL3DCHANGED && FBorderStyle == bsSingle) RecreateWnd();
  TCustomControl::Dispatch(Message);
}

void TPanel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  Invalidate();
}

void TPanel::SetBevelWidth(int Value) {
  Value = std::max(1, Value);
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  Invalidate();
}

void TPanel::SetBorderWidth(int Value) {
  Value = std::max(0, Value);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Invalidate();
}

void TPanel::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

}  // namespace vcl
