// Push buttons and check boxes: the framework side; the window draws and reports clicks.

#include <cctype>

#include "Forms.h"
#include "StdCtrls.h"
#include "backend/ButtonBackend.h"

namespace vcl {

bool IsAccel(Word Key, const AnsiString& Caption) {
  for (std::size_t I = 0; I + 1 < Caption.size(); ++I) {
    if (Caption[I] != '&') continue;
    const char Next = Caption[I + 1];
    if (Next == '&') {
      ++I;  // "&&" is a plain "&"
      continue;
    }
    return std::toupper(static_cast<unsigned char>(Next)) == Key;
  }
  return false;
}

AnsiString StripHotkey(const AnsiString& Caption) {
  AnsiString Result;
  Result.reserve(Caption.size());
  for (std::size_t I = 0; I < Caption.size(); ++I) {
    if (Caption[I] == '&' && I + 1 < Caption.size()) ++I;
    else if (Caption[I] == '&') continue;
    Result += Caption[I];
  }
  return Result;
}

// ---------------------------------------------------------------- TButtonControl

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  FTabStop = true;
  FParentColor = false;
  FColor = clBtnFace;
}

void TButtonControl::CreateWnd() {
  TWinControl::CreateWnd();
  backend::SetButtonText(GetHandle(), FText);
  backend::SetButtonAppearance(GetHandle(), *FFont);
}

void TButtonControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HiWord(Message.WParam) == BN_CLICKED) Clicked();
      break;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<Word>(Message.WParam), FText) && CanFocus()) {
        SetFocus();
        Clicked();
        Message.Result = 1;
      }
      break;
    case CM_TEXTCHANGED:
      if (HandleAllocated()) backend::SetButtonText(GetHandle(), FText);
      break;
    case CM_FONTCHANGED:
      if (HandleAllocated()) backend::SetButtonAppearance(GetHandle(), *FFont);
      TWinControl::Dispatch(Message);
      break;
    default: TWinControl::Dispatch(Message);
  }
}

// ---------------------------------------------------------------- TButton

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 75;
  FHeight = 25;
}

void TButton::CreateWnd() {
  TButtonControl::CreateWnd();
  backend::SetButtonDefault(GetHandle(), FDefault);
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  if (HandleAllocated()) backend::SetButtonDefault(GetHandle(), Value);
}

// The form's result first, so that OnClick may still change it.
void TButton::Click() {
  if (TCustomForm* Form = GetParentForm(this)) Form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

bool TButton::AnswersEnter() const {
  const TCustomForm* Form = GetParentForm(const_cast<TButton*>(this));
  const TWinControl* Active = Form ? Form->GetActiveControl() : nullptr;
  return Active == this || (FDefault && !dynamic_cast<const TButton*>(Active));
}

void TButton::Dispatch(TMessage& Message) {
  if (Message.Msg != CM_DIALOGKEY) return TButtonControl::Dispatch(Message);
  const Word Key = static_cast<Word>(Message.WParam);
  if (((Key == VK_RETURN && AnswersEnter()) || (Key == VK_ESCAPE && FCancel)) && KeyboardShiftState().Empty() &&
      CanFocus()) {
    Click();
    Message.Result = 1;
  }
}

// ---------------------------------------------------------------- TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 97;
  FHeight = 17;
}

void TCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  backend::SetButtonCheck(GetHandle(), FState);
}

void TCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  if (HandleAllocated()) backend::SetButtonCheck(GetHandle(), FState);
  if (!HasState(csReading)) Click();
}

void TCheckBox::Clicked() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

}  // namespace vcl
