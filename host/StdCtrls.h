#pragma once
// Standard controls: the single-line edit, buttons, check boxes, labels and group boxes.

#include "Controls.h"

namespace vcl {

// ---------------------------------------------------------------- TCustomEdit

// A single-line text edit on the window system's own edit window. Keys reach KeyDown and
// KeyPress before the edit acts on them: a handler that zeroes the key keeps it from the
// edit. Positions and lengths count bytes of the UTF-8 text.
class TCustomEdit : public TWinControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TCustomEdit(TComponent* AOwner);

  // Selects the whole text (with a window only).
  void SelectAll();
  // Start of the selection, or of the caret when nothing is selected; 0 without a window.
  int GetSelStart();
  // Moves the caret to Value (clamped to the text), selecting nothing.
  void SetSelStart(int Value);
  // Length of the selection from SelStart; 0 without a window.
  int GetSelLength();
  // Selects Value bytes from SelStart (clamped to the text).
  void SetSelLength(int Value);
  AnsiString GetSelText();
  // The most characters the text may hold; 0 (the default) means no limit. With a window, a
  // longer text is cut to it (and OnChange fires).
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  // The user cannot change the text; code still can. False by default.
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // bsSingle (the default) draws a sunken edge with Ctl3D, a line without; bsNone no frame.
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // True by default: with a frame, the height follows the font (its line height plus the
  // frame and margins).
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // Whether the text is selected when the edit takes the focus by keyboard. True by default.
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }

  // Fires on every change of Text, by the user or by code.
  const TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();
  void DoEnter() override;

private:
  void CNCommand(TMessage& Message);
  void AdjustHeight();
  // Pushes the edit's settings to its window.
  void UpdateWindowOptions();

  int FMaxLength = 0;
  bool FReadOnly = false;
  TBorderStyle FBorderStyle = bsSingle;
  bool FAutoSize = true;
  bool FAutoSelect = true;
  TNotifyEvent FOnChange;
};

// The edit with its properties published.
class TEdit : public TCustomEdit {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// ---------------------------------------------------------------- TButtonControl

// What buttons and check boxes share: a window system button that reports its clicks
// (BN_CLICKED) and shows the caption with its "&" accelerator underlined; Alt with that
// letter acts as a click. The mouse makes no click of its own: the window reports it.
class TButtonControl : public TWinControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TButtonControl(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

protected:
  void CreateWnd() override;
  bool WantsClickEvents() const override { return false; }
  // The window reported a click.
  virtual void Clicked() = 0;
};

// ---------------------------------------------------------------- TButton

// A push button, 75 x 25 by default. A click (mouse, Space, Enter or Esc as below, Alt with
// its accelerator, or Click() from code) sets the parent form's ModalResult to the
// button's, then fires OnClick.
class TButton : public TButtonControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TButton(TComponent* AOwner);

  // Enter presses the default button unless another button has the focus. False by default.
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  // Esc presses a cancel button. False by default.
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  // The result a click gives the parent form (mrNone, the default, leaves a modal run on).
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Click() override;
  void Dispatch(TMessage& Message) override;

protected:
  void CreateWnd() override;
  void Clicked() override { Click(); }

private:
  // Whether Enter presses this button: it has the focus, or it is the default button and no
  // other button has it.
  bool AnswersEnter() const;
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

// ---------------------------------------------------------------- TCheckBox

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box with its caption at the right, 97 x 17 by default. A click (mouse, Space,
// Alt with its accelerator) moves it to the next state: unchecked, checked, then grayed
// when AllowGrayed, and round again.
class TCheckBox : public TButtonControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TCheckBox(TComponent* AOwner);

  // Checked is State = cbChecked; setting it gives cbChecked or cbUnchecked.
  bool GetChecked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  // cbUnchecked by default. A change fires OnClick, by the user or by code alike (not while
  // the box is read from a form file).
  TCheckBoxState GetState() const { return FState; }
  void SetState(TCheckBoxState Value);
  // Whether a click passes through cbGrayed. False by default.
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }

protected:
  void CreateWnd() override;
  void Clicked() override;

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
};

// ---------------------------------------------------------------- TLabel

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A caption painted on its parent's surface; it has no window and never takes the focus.
// "&" marks an accelerator (unless ShowAccelChar is off): Alt with that letter focuses
// FocusControl. Clicks reach OnClick through the parent's window.
class TLabel : public TGraphicControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TLabel(TComponent* AOwner);
  ~TLabel() override;

  // True by default: the bounds follow the caption's extent (the right edge stays for
  // taRightJustify); with WordWrap only the height follows.
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // taLeftJustify by default.
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // tlTop by default.
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  // The windowed control that Alt with the caption's accelerator focuses, and that screen
  // readers name after the caption; null by default, and null again when it goes away.
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  // True by default; false shows "&" as it is.
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  // False by default: the label fills its bounds with Color before the text.
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Breaks the caption into lines at the label's width. False by default.
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

private:
  unsigned TextFlags() const;
  void AdjustBounds();
  // Gives FocusControl the caption as its accessible name.
  void NameFocusControl();
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  TWinControl* FFocusControl = nullptr;
  bool FShowAccelChar = true;
  bool FTransparent = false;
  bool FWordWrap = false;
};

// ---------------------------------------------------------------- TGroupBox

// A captioned frame around other controls, 185 x 105 by default. It paints itself on its
// own surface, where windowless children such as labels paint too.
class TGroupBox : public TCustomControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TGroupBox(TComponent* AOwner);

  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;

private:
  // Describes the box to screen readers as a group named by its caption, holding its
  // windowed children.
  void WMGetObject(TMessage& Message);
};

// Whether Key (a virtual key code of a letter or digit) is the "&" accelerator of Caption.
bool IsAccel(Word Key, const AnsiString& Caption);
// Caption as it reads on the screen: each "&" mark removed, "&&" kept as one "&".
AnsiString StripHotkey(const AnsiString& Caption);

}  // namespace vcl
