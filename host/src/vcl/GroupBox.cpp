// TGroupBox: an etched frame with the caption set into its top edge.

#include "StdCtrls.h"

namespace vcl {

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 185;
  FHeight = 105;
}

// The frame runs through the middle of the caption's line: a highlight line one pixel
// down and right of a shadow line makes it look cut in; without Ctl3D it is a plain line.
void TGroupBox::Paint() {
  TCanvas* C = GetCanvas();
  C->SetFont(FFont.get());
  const int H = C->TextHeight("0");
  TRect Frame{0, H / 2 - 1, FWidth, FHeight};
  C->GetBrush()->SetStyle(bsSolid);
  if (FCtl3D) {
    const TRect Lit{Frame.Left + 1, Frame.Top + 1, Frame.Right, Frame.Bottom};
    C->GetBrush()->SetColor(clBtnHighlight);
    C->FrameRect(Lit);
    Frame = TRect{Lit.Left - 1, Lit.Top - 1, Lit.Right - 1, Lit.Bottom - 1};
    C->GetBrush()->SetColor(clBtnShadow);
  } else {
    C->GetBrush()->SetColor(clWindowFrame);
  }
  C->FrameRect(Frame);
  if (FText.empty()) return;
  const unsigned Flags = static_cast<unsigned>(DrawTextBiDiModeFlags(DT_SINGLELINE));
  TRect Caption{8, 0, 0, H};
  DrawText(C->GetHandle(), FText.c_str(), static_cast<int>(FText.size()), &Caption, Flags | DT_CALCRECT);
  if (UseRightToLeftAlignment()) {
    const int Width = Caption.Width();
    Caption.Right = FWidth - 8;
    Caption.Left = Caption.Right - Width;
  }
  C->GetBrush()->SetColor(FColor);
  DrawText(C->GetHandle(), FText.c_str(), static_cast<int>(FText.size()), &Caption, Flags);
}

}  // namespace vcl
