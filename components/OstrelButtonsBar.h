#pragma once
// The letter index bar: a row or column of push buttons labelled with the letters a to z,
// grouped as far as the bar's size needs, and optionally a first button "123". A click
// fires OnButtonClick and then moves the linked card view to its first card whose initial
// is not below the button's first letter; a card view that sorts by keys (its
// OnItemSortKey) finds that card by the same keys, so the bar follows the sort's order.

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"
#include "Ostrel.h"
#include "Types.h"

namespace ostrel {

// One button: its rectangle in client pixels and its caption, which is also the text that
// OnButtonClick receives.
struct TOstrelButton {
  TRect Rect;
  AnsiString Caption;
};

enum TOstrelBarAlignment { baHorizontal, baVertical };

// ButtonIndex is 0-based; the "123" button, when shown, is 0.
using TOstrelButtonClickEvent = TMethodRef<TObject* /*Sender*/, int /*ButtonIndex*/, AnsiString /*ButtonCaption*/>;

// The letter index bar: lays its buttons out for its size and, on a click, moves the linked
// card view to the first card at or after the button's letters.
class TOstrelButtonsBar : public TCustomControl {
public:
  // 60 x 160, vertical, buttons 30 x 20 with 5 pixels between them and around, the "123"
  // button shown, buttons in clBtnFace, double-buffered. No buttons until the first Resize
  // or Loaded.
  explicit TOstrelButtonsBar(TComponent* AOwner);
  ~TOstrelButtonsBar() override;

  // The class description that streaming and the form designer read: the published
  // properties and events below, in the order a form file stores them.
  static const TClassInfo& StaticClassInfo();
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }

  // Published properties. A change of layout rebuilds the buttons and repaints at once.
  // baVertical (default): buttons fill the width, ButtonWidth unused; baHorizontal: they
  // fill the height, ButtonHeight unused.
  TOstrelBarAlignment GetBarAlignment() const { return FBarAlignment; }
  void SetBarAlignment(TOstrelBarAlignment Value);
  // Default 30; values below 6 become 6.
  int GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  // Default 20; values below 6 become 6.
  int GetButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int Value);
  // Pixels around and between the buttons; default 5, negative values become 0.
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  // The buttons' face; default clBtnFace. A change repaints and keeps the layout.
  TColor GetButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value);
  // Whether the first button is "123"; default true.
  bool GetShow123Button() const { return FShow123Button; }
  void SetShow123Button(bool Value);
  // The card view that a click moves, or null; not owned. Cleared when that card view is
  // destroyed, whoever owns it.
  TOstrel* GetOstrel() const { return FOstrel; }
  void SetOstrel(TOstrel* Value);
  // (Sender, ButtonIndex, ButtonCaption): a button was clicked or pressed, before the card
  // view moves. None assigned at first.
  const TOstrelButtonClickEvent& GetOnButtonClick() const { return FOnButtonClick; }
  void SetOnButtonClick(TOstrelButtonClickEvent Value) { FOnButtonClick = std::move(Value); }

  // Buttons in use: 0 until the first CreateButtons, then 2 to 27.
  int GetButtonCount() const { return FButtonCount; }
  // Button Index of GetButtonCount(); EListError outside that range.
  const TOstrelButton& GetButton(int Index) const;

  // Lays the buttons out for the current client size and properties: as many as fit with
  // BorderWidth pixels to spare, but always at least 2 and at most 27 ("123" and one per
  // letter, or 26 without "123"), letters grouped evenly. Does not repaint.
  void CreateButtons();
  // Draws button Index on the window at once, sunken when Pressed; an index outside the
  // buttons in use draws nothing.
  void DrawButton(int Index, bool Pressed);
  // Draws every button raised, in index order.
  void PaintButtons();

  // Rebuilds the buttons once a form file has been read.
  void Loaded() override;

  // ---------------------------------------------------------------- Extensions
  // Keyboard use. With TabStop true (published; false by default) the bar takes part in
  // tabbing, and while it has the keyboard it frames its current button with a dotted focus
  // rectangle; the arrow keys along the bar (Up and Down when vertical, Left and Right when
  // horizontal, each the way it points on the screen), Home and End move the current
  // button, and Enter or Space presses it as a click does. With TabStop false the bar
  // draws no focus and does nothing with keys, as it always did.
  // The current button: 0 at first, the last one clicked or pressed afterwards.
  int GetCurrentButton() const { return FCurrent; }

protected:
  // Clears Ostrel when that card view goes away.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // PaintButtons; the rest of the client area shows Color.
  void Paint() override;
  // Fires OnResize, then rebuilds the buttons for the new size.
  void Resize() override;
  // A left press on a button sinks it; the button follows the pointer out and back in; a
  // release inside it fires OnButtonClick, then the card view's SelectByFirstLetter.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Dispatch(TMessage& Message) override;
  // The keyboard extension: moves and presses the current button, and shows it on entry.
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;

private:
  static constexpr int MaxButtons = 27;
  // Describes the bar to assistive technology: a tool bar of push buttons named by their
  // captions, the sunken one pressed; with the keyboard extension on, they are focusable and
  // the current one has the focus while the bar has it.
  void WMGetObject(TWMGetObject& Message);
  // A screen reader presses a button (WM_ACCDODEFAULTACTION) or moves the focus to it
  // (WM_ACCSELECT, with the keyboard extension on).
  void WMAccAction(TMessage& Message);
  // What a click on button Index does: OnButtonClick, then the card view's move.
  void PressButton(int Index);
  // Whether the keyboard extension is on and the bar has the keyboard.
  bool ShowsFocus() const;
  // Makes Index the current button, redrawing the old and new one and telling a screen
  // reader when the bar has the keyboard.
  void MoveCurrent(int Index);
  // The first button in use whose rectangle holds the point, or -1.
  int ButtonAt(int X, int Y) const;
  // CreateButtons and Refresh: after every setter that changes the layout.
  void Rebuild();

  TOstrelButton FButtons[MaxButtons];
  int FButtonCount = 0;
  bool FTracking = false;  // a left press began on a button and was not released yet
  int FDownIndex = 0;      // the button that press began on
  bool FDown = false;      // that button is drawn sunken: the pointer is inside it
  int FCurrent = 0;        // the button the keyboard acts on
  int FBorderWidth = 5;
  int FButtonWidth = 30;
  int FButtonHeight = 20;
  TOstrelBarAlignment FBarAlignment = baVertical;
  TColor FButtonColor = clBtnFace;
  bool FShow123Button = true;
  TOstrel* FOstrel = nullptr;
  TOstrelButtonClickEvent FOnButtonClick;
};

// The unit's design-time registration: puts TOstrelButtonsBar on the palette page "Velmora".
// The development environment calls it once when it installs the package.
namespace OstrelButtonsBar {
void Register();
}

}  // namespace ostrel
