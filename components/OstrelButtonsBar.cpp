// The letter index bar: layout of its buttons, their drawing and the press tracking.

#include "OstrelButtonsBar.h"

#include <algorithm>

#include "OstrelLetterGroups.h"

namespace ostrel {

namespace {

constexpr int MinButtonSize = 6;

// Form files may hold any 32-bit size. Positions are summed in 64 bits, and an edge far
// beyond any window is held at FarCoord: still off the surface, and small enough that the
// drawing code can add a width to it without overflow.
constexpr long long FarCoord = 1 << 24;
int ToCoord(long long Value) { return static_cast<int>(std::clamp(Value, -FarCoord, FarCoord)); }

}  // namespace

TOstrelButtonsBar::TOstrelButtonsBar(TComponent* AOwner) : TCustomControl(AOwner) {
  SetWidth(60);
  SetHeight(160);
  SetDoubleBuffered(true);
}

TOstrelButtonsBar::~TOstrelButtonsBar() = default;

// ------------------------------------------------------------------ properties

void TOstrelButtonsBar::SetBarAlignment(TOstrelBarAlignment Value) {
  if (Value == FBarAlignment) return;
  FBarAlignment = Value;
  Rebuild();
}

void TOstrelButtonsBar::SetButtonWidth(int Value) {
  if (Value == FButtonWidth) return;
  FButtonWidth = std::max(Value, MinButtonSize);
  Rebuild();
}

void TOstrelButtonsBar::SetButtonHeight(int Value) {
  if (Value == FButtonHeight) return;
  FButtonHeight = std::max(Value, MinButtonSize);
  Rebuild();
}

void TOstrelButtonsBar::SetBorderWidth(int Value) {
  if (Value == FBorderWidth) return;
  FBorderWidth = std::max(Value, 0);
  Rebuild();
}

void TOstrelButtonsBar::SetButtonColor(TColor Value) {
  if (Value == FButtonColor) return;
  FButtonColor = Value;
  Refresh();
}

void TOstrelButtonsBar::SetShow123Button(bool Value) {
  if (Value == FShow123Button) return;
  FShow123Button = Value;
  Rebuild();
}

// The bar asks to hear of the card view's end even when another owner frees it; owners
// only tell their own components.
void TOstrelButtonsBar::SetOstrel(TOstrel* Value) {
  if (Value == FOstrel) return;
  if (FOstrel) FOstrel->RemoveFreeNotification(this);
  FOstrel = Value;
  if (FOstrel) FOstrel->FreeNotification(this);
}

const TOstrelButton& TOstrelButtonsBar::GetButton(int Index) const {
  if (Index < 0 || Index >= FButtonCount) throw EListError(Format(Consts::SListIndexError, {Index}));
  return FButtons[Index];
}

void TOstrelButtonsBar::Rebuild() {
  CreateButtons();
  Refresh();
}

// ------------------------------------------------------------------ layout

// Buttons run along the bar's length and fill its breadth. One more is added only while
// more than BorderWidth pixels would remain after it, yet two always stand, so that even
// a bar too small for them still offers "123" and a-z (or two letter groups).
void TOstrelButtonsBar::CreateButtons() {
  const bool Vertical = FBarAlignment == baVertical;
  const long long Length = Vertical ? GetClientHeight() : GetClientWidth();
  const int Breadth = Vertical ? GetClientWidth() : GetClientHeight();
  const long long Size = Vertical ? FButtonHeight : FButtonWidth;
  const long long Border = FBorderWidth;
  const int Limit = FShow123Button ? MaxButtons : MaxButtons - 1;
  int Count = 0;
  for (long long Pos = Border; (Length > Pos + Size + Border && Count < Limit) || Count < 2; Pos += Size + Border) {
    const int Start = ToCoord(Pos), End = ToCoord(Pos + Size);
    const int Side = ToCoord(Border), OtherSide = ToCoord(Breadth - Border);
    FButtons[Count].Rect = Vertical ? TRect{Side, Start, OtherSide, End} : TRect{Start, Side, End, OtherSide};
    ++Count;
  }
  FButtonCount = Count;

  const int FirstLetterButton = FShow123Button ? 1 : 0;
  if (FShow123Button) FButtons[0].Caption = "123";
  const int LetterButtons = Count - FirstLetterButton;
  for (int J = 0; J < LetterButtons; ++J)
    FButtons[FirstLetterButton + J].Caption = LetterGroupCaption(LetterGroup(J, LetterButtons));

  // A press on a button that no longer exists has nothing left to click.
  if (FDownIndex >= FButtonCount) FTracking = FDown = false;
  if (FCurrent >= FButtonCount) FCurrent = FButtonCount - 1;
}

int TOstrelButtonsBar::ButtonAt(int X, int Y) const {
  for (int I = 0; I < FButtonCount; ++I)
    if (PtInRect(FButtons[I].Rect, TPoint{X, Y})) return I;
  return -1;
}

void TOstrelButtonsBar::Loaded() {
  TCustomControl::Loaded();
  CreateButtons();
}

void TOstrelButtonsBar::Resize() {
  TCustomControl::Resize();
  CreateButtons();
}

void TOstrelButtonsBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FOstrel) FOstrel = nullptr;
}

// ------------------------------------------------------------------ drawing

// A repaint shows every button raised, a held one too: the sunken look is drawn at once by
// the press tracking, outside Paint.
void TOstrelButtonsBar::Paint() { PaintButtons(); }

void TOstrelButtonsBar::PaintButtons() {
  for (int I = 0; I < FButtonCount; ++I) DrawButton(I, false);
}

// A raised button is light at its top and left and dark at its bottom and right; a pressed
// one the reverse, with its caption one pixel further right and down.
void TOstrelButtonsBar::DrawButton(int Index, bool Pressed) {
  if (Index < 0 || Index >= FButtonCount) return;
  const TRect R = FButtons[Index].Rect;
  TCanvas* Canvas = GetCanvas();
  Canvas->SetFont(GetFont());
  Canvas->GetBrush()->SetColor(FButtonColor);
  Canvas->FillRect(R);
  Canvas->GetPen()->SetColor(Pressed ? clBtnShadow : clBtnHighlight);
  Canvas->MoveTo(R.Right - 1, R.Top);
  Canvas->LineTo(R.Left, R.Top);
  Canvas->LineTo(R.Left, R.Bottom - 1);
  Canvas->GetPen()->SetColor(Pressed ? clBtnHighlight : clBtnShadow);
  Canvas->LineTo(R.Right - 1, R.Bottom - 1);
  Canvas->LineTo(R.Right - 1, R.Top);
  TRect Text = R;
  InflateRect(Text, -2, -2);
  if (Pressed) {
    Text.Left += 2;
    Text.Top += 2;
  }
  const unsigned Format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | static_cast<unsigned>(DrawTextBiDiModeFlagsReadingOnly());
  DrawText(Canvas->GetHandle(), FButtons[Index].Caption.c_str(), -1, &Text, Format);
  if (Index == FCurrent && ShowsFocus()) {
    TRect Focus = R;
    InflateRect(Focus, -2, -2);
    Canvas->DrawFocusRect(Focus);
  }
}

// ------------------------------------------------------------------ press tracking

// Handlers of the inherited steps and of OnButtonClick may destroy the bar; each step after
// one checks that it still lives.

void TOstrelButtonsBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Alive.expired() || Button != mbLeft) return;
  const int Index = ButtonAt(X, Y);
  if (Index < 0) return;
  FTracking = true;
  FDownIndex = Index;
  FDown = true;
  DrawButton(Index, true);
}

void TOstrelButtonsBar::MouseMove(TShiftState Shift, int X, int Y) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  TCustomControl::MouseMove(Shift, X, Y);
  if (Alive.expired() || !FTracking) return;
  const bool Inside = PtInRect(FButtons[FDownIndex].Rect, TPoint{X, Y});
  if (Inside == FDown) return;
  FDown = Inside;
  DrawButton(FDownIndex, Inside);
}

// A release inside the pressed button clicks it; outside, the press is cancelled. Where
// the release happens decides, not only the last move: no move need come between a press
// and a release elsewhere. The press ends before any handler runs, so that a handler may
// start another one.
void TOstrelButtonsBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Alive.expired() || !FTracking) return;
  const int Index = FDownIndex;
  const bool WasDown = FDown;
  FTracking = FDown = false;
  if (WasDown) DrawButton(Index, false);
  if (!PtInRect(FButtons[Index].Rect, TPoint{X, Y})) return;
  MoveCurrent(Index);
  PressButton(Index);
}

void TOstrelButtonsBar::PressButton(int Index) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  // Copies: the handler may free the bar, and with it the caption and the handler itself.
  const AnsiString Caption = FButtons[Index].Caption;
  const TOstrelButtonClickEvent Handler = FOnButtonClick;
  if (Handler) {
    Handler(this, Index, Caption);
    if (Alive.expired()) return;
  }
  // Read after the handler, which may have changed the link or freed the card view.
  if (FOstrel) FOstrel->SelectByFirstLetter(Caption[0]);
}

// ------------------------------------------------------------------ keyboard (extension)

bool TOstrelButtonsBar::ShowsFocus() const { return GetTabStop() && Focused(); }

void TOstrelButtonsBar::MoveCurrent(int Index) {
  if (Index == FCurrent || Index < 0 || Index >= FButtonCount) return;
  const int Old = FCurrent;
  FCurrent = Index;
  if (!ShowsFocus()) return;
  DrawButton(Old, false);
  DrawButton(FCurrent, false);
  NotifyWinEvent(EVENT_OBJECT_FOCUS, GetHandle(), OBJID_CLIENT, FCurrent + 1);
}

// The buttons are laid out in index order from the left or the top whatever the reading
// order, so the keys follow the screen: Right and Down go to the next index.
void TOstrelButtonsBar::KeyDown(Word& Key, TShiftState Shift) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  TCustomControl::KeyDown(Key, Shift);
  if (Alive.expired() || !GetTabStop() || FButtonCount == 0) return;
  const bool Vertical = FBarAlignment == baVertical;
  const Word Back = Vertical ? VK_UP : VK_LEFT, Forth = Vertical ? VK_DOWN : VK_RIGHT;
  if (Key == Back) MoveCurrent(FCurrent - 1);
  else if (Key == Forth) MoveCurrent(FCurrent + 1);
  else if (Key == VK_HOME) MoveCurrent(0);
  else if (Key == VK_END) MoveCurrent(FButtonCount - 1);
  else if (Key == VK_RETURN || Key == VK_SPACE) PressButton(FCurrent);
  else return;
  Key = 0;
}

// Entering and leaving show and hide the focus on the current button; the description
// changes with it.
void TOstrelButtonsBar::DoEnter() {
  TCustomControl::DoEnter();
  if (GetTabStop()) DrawButton(FCurrent, false);
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, GetHandle(), OBJID_CLIENT, CHILDID_SELF);
}

void TOstrelButtonsBar::DoExit() {
  TCustomControl::DoExit();
  if (GetTabStop()) DrawButton(FCurrent, false);
  if (HandleAllocated()) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, GetHandle(), OBJID_CLIENT, CHILDID_SELF);
}


// With the keyboard extension on, the arrows and Enter are the bar's, not the form's.
void TOstrelButtonsBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETOBJECT: DispatchAs(Message, this, &TOstrelButtonsBar::WMGetObject); break;
    case WM_ACCDODEFAULTACTION:
    case WM_ACCSELECT: WMAccAction(Message); break;
    case WM_GETDLGCODE:
      TCustomControl::Dispatch(Message);
      if (GetTabStop()) Message.Result |= DLGC_WANTARROWS;
      break;
    case CM_WANTSPECIALKEY:
      TCustomControl::Dispatch(Message);
      if (GetTabStop() && Message.WParam == VK_RETURN) Message.Result = 1;
      break;
    default: TCustomControl::Dispatch(Message);
  }
}

void TOstrelButtonsBar::WMAccAction(TMessage& Message) {
  const int Index = static_cast<int>(Message.WParam) - 1;
  // A disabled bar takes no clicks, whoever asks.
  if (Index < 0 || Index >= FButtonCount || !GetEnabled()) return;
  if (Message.Msg == WM_ACCDODEFAULTACTION) {
    Message.Result = 1;
    MoveCurrent(Index);
    PressButton(Index);
  } else if ((Message.LParam & SELFLAG_TAKEFOCUS) && GetTabStop() && CanFocus()) {
    Message.Result = 1;
    SetFocus();
    MoveCurrent(Index);
  }
}

void TOstrelButtonsBar::WMGetObject(TWMGetObject& Message) {
  if (Message.ObjectId != OBJID_CLIENT || !Message.Object) {
    TCustomControl::Dispatch(Message.Message);
    return;
  }
  TAccObject& Bar = *Message.Object;
  Bar.Role = ROLE_SYSTEM_TOOLBAR;
  Bar.Name = GetName();
  Bar.Bounds = GetClientRect();
  const bool HasKeyboard = ShowsFocus();
  for (int I = 0; I < FButtonCount; ++I) {
    TAccObject& Button = Bar.Children.emplace_back();
    Button.Role = ROLE_SYSTEM_PUSHBUTTON;
    Button.Name = FButtons[I].Caption;
    Button.Bounds = FButtons[I].Rect;
    Button.DefaultAction = "Press";
    if (FTracking && FDown && I == FDownIndex) Button.State |= STATE_SYSTEM_PRESSED;
    if (GetTabStop()) Button.State |= STATE_SYSTEM_FOCUSABLE;
    if (HasKeyboard && I == FCurrent) Button.State |= STATE_SYSTEM_FOCUSED;
  }
  Message.Result = 1;
}

}  // namespace ostrel
