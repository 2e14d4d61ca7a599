// TLabel: a caption painted on the parent's surface, sized to its text.

#include "StdCtrls.h"

namespace vcl {

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 65;
  FHeight = 17;
}

TLabel::~TLabel() {
  if (FFocusControl) FFocusControl->ForgetLabel(this);
}

unsigned TLabel::TextFlags() const {
  unsigned Flags = DT_EXPANDTABS;
  if (FWordWrap) Flags |= DT_WORDBREAK;
  if (FAlignment == taRightJustify) Flags |= DT_RIGHT;
  else if (FAlignment == taCenter) Flags |= DT_CENTER;
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  return static_cast<unsigned>(DrawTextBiDiModeFlags(static_cast<long>(Flags)));
}

namespace {
// An empty caption (or a lone accelerator mark) still measures one line.
AnsiString MeasuredText(const AnsiString& Caption, bool ShowAccelChar) {
  return Caption.empty() || (ShowAccelChar && Caption == "&") ? Caption + " " : Caption;
}
}  // namespace

void TLabel::AdjustBounds() {
  if (!FAutoSize || HasState(csLoading)) return;
  TCanvas Measure;
  Measure.SetFont(FFont.get());
  const AnsiString Text = MeasuredText(FText, FShowAccelChar);
  TRect R{0, 0, FWordWrap ? FWidth : 0, 0};
  DrawText(Measure.GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &R, TextFlags() | DT_CALCRECT);
  const int Width = FWordWrap ? FWidth : R.Width();
  const int Left = FAlignment == taRightJustify && !FWordWrap ? FLeft + FWidth - Width : FLeft;
  SetBounds(Left, FTop, Width, R.Height());
}

void TLabel::Paint() {
  TCanvas* C = GetCanvas();
  TRect R = GetClientRect();
  if (!FTransparent) {
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(FColor);
    C->FillRect(R);
  }
  C->GetBrush()->SetStyle(bsClear);
  C->SetFont(FFont.get());
  if (!FEnabled) C->GetFont()->SetColor(clGrayText);
  const AnsiString Text = MeasuredText(FText, FShowAccelChar);
  if (FLayout != tlTop) {
    TRect Extent = R;
    DrawText(C->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &Extent, TextFlags() | DT_CALCRECT);
    const int Room = R.Height() - Extent.Height();
    R.Top += FLayout == tlCenter ? Room / 2 : Room;
  }
  DrawText(C->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &R, TextFlags());
}

void TLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl && FFocusControl != Value) FFocusControl->ForgetLabel(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
  NameFocusControl();
}

void TLabel::NameFocusControl() {
  if (FFocusControl) FFocusControl->PutLabelName(this, FShowAccelChar ? StripHotkey(FText) : FText);
}

void TLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  NameFocusControl();
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
      NameFocusControl();
      AdjustBounds();
      Invalidate();
      break;
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      break;
    case CM_DIALOGCHAR:
      if (FFocusControl && FEnabled && FShowAccelChar && IsAccel(static_cast<Word>(Message.WParam), FText) &&
          FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
      }
      break;
    default: TGraphicControl::Dispatch(Message);
  }
}

}  // namespace vcl
