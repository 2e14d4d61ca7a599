// TCustomEdit: the framework side of the single-line edit; the window does the typing.

#include <algorithm>

#include "Forms.h"
#include "StdCtrls.h"
#include "backend/EditBackend.h"
#include "backend/WindowBackend.h"

namespace vcl {

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  AdjustHeight();
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = "EDIT";
  if (FBorderStyle == bsSingle) {
    if (NewStyleControls && FCtl3D) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
  }
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  backend::SetEditText(GetHandle(), FText);
  UpdateWindowOptions();
}

void TCustomEdit::UpdateWindowOptions() {
  if (!HandleAllocated()) return;
  const HWND Wnd = GetHandle();
  backend::SetEditOptions(Wnd, FMaxLength, FReadOnly);
  backend::SetNativeAppearance(Wnd, *FFont, FColor, UseRightToLeftReading());
}

// The classic rule: the font's line height plus twice the frame and a margin of its size.
void TCustomEdit::AdjustHeight() {
  if (!FAutoSize || FBorderStyle != bsSingle) return;
  TCanvas Measure;
  Measure.SetFont(FFont.get());
  const int Frame = NewStyleControls && FCtl3D ? 8 : 6;
  SetHeight(Measure.TextHeight("Wg") + Frame);
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) backend::SetEditSelection(GetHandle(), 0, static_cast<int>(FText.size()));
}

int TCustomEdit::GetSelStart() {
  int Start = 0, Length = 0;
  if (HandleAllocated()) backend::EditSelection(GetHandle(), Start, Length);
  return Start;
}

void TCustomEdit::SetSelStart(int Value) {
  if (HandleAllocated()) backend::SetEditSelection(GetHandle(), Value, 0);
}

int TCustomEdit::GetSelLength() {
  int Start = 0, Length = 0;
  if (HandleAllocated()) backend::EditSelection(GetHandle(), Start, Length);
  return Length;
}

void TCustomEdit::SetSelLength(int Value) {
  if (HandleAllocated()) backend::SetEditSelection(GetHandle(), GetSelStart(), Value);
}

AnsiString TCustomEdit::GetSelText() {
  const int Start = std::clamp(GetSelStart(), 0, static_cast<int>(FText.size()));
  return FText.substr(static_cast<std::size_t>(Start), static_cast<std::size_t>(GetSelLength()));
}

void TCustomEdit::SetMaxLength(int Value) {
  Value = std::max(0, Value);
  if (Value == FMaxLength) return;
  FMaxLength = Value;
  UpdateWindowOptions();
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  UpdateWindowOptions();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  AdjustHeight();
  RecreateWnd();
}

void TCustomEdit::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustHeight();
}

void TCustomEdit::Change() {
  if (FOnChange) FOnChange(this);
}

// Entered, the text is selected so that typing replaces it; a click that entered places its
// caret right after, as its press reaches the window once the focus has moved.
void TCustomEdit::DoEnter() {
  if (FAutoSelect) SelectAll();
  TWinControl::DoEnter();
}

// The window reports its text changed: by the user, or by code through Text.
void TCustomEdit::CNCommand(TMessage& Message) {
  if (HiWord(Message.WParam) != EN_CHANGE || !HandleAllocated()) return;
  FText = backend::EditText(GetHandle());
  Change();
}

void TCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; break;
    case CM_TEXTCHANGED:
      // With a window the change comes back from it as EN_CHANGE.
      if (HandleAllocated()) backend::SetEditText(GetHandle(), FText);
      else Change();
      break;
    case CM_FONTCHANGED:
      AdjustHeight();
      UpdateWindowOptions();
      TWinControl::Dispatch(Message);
      break;
    case CM_COLORCHANGED:
    case CM_BIDIMODECHANGED:
      UpdateWindowOptions();
      TWinControl::Dispatch(Message);
      break;
    case CM_CTL3DCHANGED:
      AdjustHeight();
      RecreateWnd();
      TWinControl::Dispatch(Message);
      break;
    default: TWinControl::Dispatch(Message);
  }
}

}  // namespace vcl
