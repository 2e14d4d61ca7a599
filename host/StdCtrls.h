#pragma once
// Standard controls: the single-line edit.

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

}  // namespace vcl
