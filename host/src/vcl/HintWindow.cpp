// THintWindow: a tool-tip window that shows one hint text.

#include "Forms.h"
#include "backend/WindowBackend.h"

namespace vcl {

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FColor = clInfoBk;
  FFont->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*) {
  TCanvas Measure;
  Measure.SetFont(FFont.get());
  TRect R{0, 0, MaxWidth, 0};
  DrawText(Measure.GetHandle(), AHint.c_str(), -1, &R,
           DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | static_cast<unsigned>(DrawTextBiDiModeFlagsReadingOnly()));
  // Room for the border and the text's margin.
  R.Right += 6;
  R.Bottom += 2;
  return R;
}

void THintWindow::ActivateHint(const TRect& Rect, const AnsiString& AHint) {
  SetCaption(AHint);
  constexpr int ExtraHeight = 4;
  SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height() + ExtraHeight);
  FVisible = true;
  HandleNeeded();
  backend::ShowWindow(GetHandle(), true);
  backend::RaiseWindow(GetHandle());
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  FVisible = false;
  DestroyHandle();
}

void THintWindow::Paint() {
  TCanvas* Canvas = GetCanvas();
  Canvas->SetFont(FFont.get());
  Canvas->GetFont()->SetColor(clInfoText);
  Canvas->GetBrush()->SetStyle(bsClear);
  TRect R = GetClientRect();
  R.Left += 2;
  R.Top += 2;
  DrawText(Canvas->GetHandle(), FText.c_str(), -1, &R,
           DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | static_cast<unsigned>(DrawTextBiDiModeFlagsReadingOnly()));
}

}  // namespace vcl
