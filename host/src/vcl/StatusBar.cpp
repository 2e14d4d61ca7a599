// TStatusBar: a strip at the bottom of its form with a line of text.

#include "ComCtrls.h"

namespace vcl {

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 200;
  FHeight = 19;
  FParentColor = false;
  FColor = clBtnFace;
  SetAlign(alBottom);
}

void TStatusBar::SetSimpleText(const AnsiString& Value) {
  if (Value == FSimpleText) return;
  FSimpleText = Value;
  Invalidate();
}

void TStatusBar::Paint() {
  TCanvas* C = GetCanvas();
  TRect R = GetClientRect();
  // A line along the top parts the bar from the form's content.
  C->GetBrush()->SetStyle(bsSolid);
  C->GetBrush()->SetColor(clBtnShadow);
  C->FillRect(TRect{R.Left, R.Top, R.Right, R.Top + 1});
  if (FSimpleText.empty()) return;
  R = TRect{R.Left + 4, R.Top + 1, R.Right - 4, R.Bottom};
  C->GetBrush()->SetStyle(bsClear);
  C->SetFont(FFont.get());
  DrawText(C->GetHandle(), FSimpleText.c_str(), static_cast<int>(FSimpleText.size()), &R,
           static_cast<unsigned>(DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS)));
}

}  // namespace vcl
