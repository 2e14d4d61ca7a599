// TControl: bounds, parent properties, the message path and mouse input.

#include <algorithm>

#include "Controls.h"
#include "Forms.h"
#include "backend/WindowBackend.h"

namespace vcl {

bool NewStyleControls = true;

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()), FConstraints(std::make_unique<TSizeConstraints>()) {
  FFont->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
}

TControl::~TControl() {
  backend::ForgetMouseControl(this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // A form file may say 2^31: kept within MaxExtent, a place plus a size never overflows.
  ALeft = std::clamp(ALeft, -MaxExtent, MaxExtent);
  ATop = std::clamp(ATop, -MaxExtent, MaxExtent);
  AWidth = std::clamp(AWidth, 0, MaxExtent);
  AHeight = std::clamp(AHeight, 0, MaxExtent);
  if (AWidth != FWidth || AHeight != FHeight) {
    if (!CanResize(AWidth, AHeight)) {
      AWidth = FWidth;
      AHeight = FHeight;
    }
    Constrain(AWidth, AHeight);
  }
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool Resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (!FParent || !FParent->FAnchoring) RememberAnchorBase();
  BoundsChanged();
  if (FParent && FAlign != alNone) FParent->Realign();
  if (Resized) {
    if (auto* Win = dynamic_cast<TWinControl*>(this)) Win->AnchorChildren();
    else Resize();
  }
}

void TControl::Constrain(int& Width, int& Height) {
  int MinW = FConstraints->GetMinWidth(), MinH = FConstraints->GetMinHeight();
  int MaxW = FConstraints->GetMaxWidth(), MaxH = FConstraints->GetMaxHeight();
  ConstrainedResize(MinW, MinH, MaxW, MaxH);
  if (MinW > 0) Width = std::max(Width, MinW);
  if (MaxW > 0) Width = std::min(Width, MaxW);
  if (MinH > 0) Height = std::max(Height, MinH);
  if (MaxH > 0) Height = std::min(Height, MaxH);
}

// A windowless control: the parent repaints where it was and where it is now.
void TControl::BoundsChanged() {
  if (FParent) FParent->Invalidate();
}

TRect TControl::GetClientRect() { return TRect{0, 0, FWidth, FHeight}; }

void TControl::SetClientWidth(int Value) { SetWidth(Value + FWidth - GetClientWidth()); }
void TControl::SetClientHeight(int Value) { SetHeight(Value + FHeight - GetClientHeight()); }

TPoint TControl::GetClientOrigin() {
  if (!FParent) return TPoint{FLeft, FTop};
  const TPoint P = FParent->GetClientOrigin();
  return TPoint{P.X + FLeft, P.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& Point) {
  const TPoint O = GetClientOrigin();
  return TPoint{Point.X + O.X, Point.Y + O.Y};
}

TPoint TControl::ScreenToClient(const TPoint& Point) {
  const TPoint O = GetClientOrigin();
  return TPoint{Point.X - O.X, Point.Y - O.Y};
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  if (FParent) FParent->Invalidate();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value, 0);
  if (FParent && FAlign != alNone) FParent->Realign();
}

bool TControl::GetShowing() const {
  if (!FVisible) return false;
  if (auto* Win = dynamic_cast<const TWinControl*>(this); Win && Win->HandleAllocated() && !Win->FParent)
    return IsWindowVisible(Win->FHandle);
  return FParent && FParent->GetShowing();
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
  Invalidate();
}

void TControl::SetColor(TColor Value) {
  FParentColor = false;
  if (Value == FColor) return;
  FColor = Value;
  Perform(CM_COLORCHANGED, 0, 0);
  Invalidate();
  ParentPropertiesChanged();
}

void TControl::SetParentColor(bool Value) {
  if (Value == FParentColor) return;
  FParentColor = Value;
  ParentPropertiesChanged();
}

void TControl::SetFont(TFont* Value) { FFont->Assign(Value); }

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
  Invalidate();
  ParentPropertiesChanged();
}

void TControl::SetParentFont(bool Value) {
  if (Value == FParentFont) return;
  FParentFont = Value;
  ParentPropertiesChanged();
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (Value == FBiDiMode) return;
  FBiDiMode = Value;
  Perform(CM_BIDIMODECHANGED, 0, 0);
  Invalidate();
  ParentPropertiesChanged();
}

void TControl::SetParentBiDiMode(bool Value) {
  if (Value == FParentBiDiMode) return;
  FParentBiDiMode = Value;
  ParentPropertiesChanged();
}

bool TControl::UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
bool TControl::UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }

long TControl::DrawTextBiDiModeFlags(long Flags) const {
  long Result = Flags;
  if (UseRightToLeftAlignment()) {
    if ((Flags & DT_RIGHT) == DT_RIGHT) Result &= ~static_cast<long>(DT_RIGHT);
    else if ((Flags & DT_CENTER) != DT_CENTER) Result |= DT_RIGHT;
  }
  return Result | DrawTextBiDiModeFlagsReadingOnly();
}

long TControl::DrawTextBiDiModeFlagsReadingOnly() const { return UseRightToLeftReading() ? DT_RTLREADING : 0; }

void TControl::SetCtl3D(bool Value) {
  FParentCtl3D = false;
  if (Value == FCtl3D) return;
  FCtl3D = Value;
  Perform(CM_CTL3DCHANGED, 0, 0);
  ParentPropertiesChanged();
}

void TControl::SetParentCtl3D(bool Value) {
  if (Value == FParentCtl3D) return;
  FParentCtl3D = Value;
  ParentPropertiesChanged();
}

void TControl::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  if (Value == FShowHint) return;
  FShowHint = Value;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
  ParentPropertiesChanged();
}

void TControl::SetParentShowHint(bool Value) {
  if (Value == FParentShowHint) return;
  FParentShowHint = Value;
  ParentPropertiesChanged();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  if (FParent) FParent->Realign();
}

void TControl::SetPopupMenu(TComponent* Value) {
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::SetText(const AnsiString& Value) {
  if (Value == FText) return;
  FText = Value;
  Perform(CM_TEXTCHANGED, 0, 0);
  Invalidate();
}

// Takes over the parent's values for the properties that follow it; the font copy must
// not count as a change of the control's own font.
void TControl::ParentPropertiesChanged() {
  if (!FParent) return;
  if (FParentColor && FColor != FParent->FColor) {
    FColor = FParent->FColor;
    Invalidate();
  }
  if (FParentFont && !FFont->Equals(*FParent->FFont)) {
    FFont->SetOnChange(nullptr);
    FFont->Assign(FParent->FFont.get());
    FFont->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
    Perform(CM_FONTCHANGED, 0, 0);
    Invalidate();
  }
  if (FParentBiDiMode && FBiDiMode != FParent->FBiDiMode) {
    FBiDiMode = FParent->FBiDiMode;
    Perform(CM_BIDIMODECHANGED, 0, 0);
    Invalidate();
  }
  if (FParentCtl3D && FCtl3D != FParent->FCtl3D) {
    FCtl3D = FParent->FCtl3D;
    Perform(CM_CTL3DCHANGED, 0, 0);
  }
  if (FParentShowHint) FShowHint = FParent->FShowHint;
}

bool TControl::GetMouseCapture() const {
  for (const TControl* C = this; C; C = C->FParent)
    if (auto* Win = dynamic_cast<const TWinControl*>(C)) return backend::HasCapture(Win->FHandle);
  return false;
}

void TControl::SetMouseCapture(bool Value) {
  for (TControl* C = this; C; C = C->FParent)
    if (auto* Win = dynamic_cast<TWinControl*>(C); Win && Win->HandleAllocated()) {
      backend::SetCapture(Win->FHandle, Value);
      return;
    }
}

void TControl::Invalidate() {
  if (FParent && FVisible && FParent->HandleAllocated()) {
    const TRect R = GetBoundsRect();
    backend::InvalidateWindow(FParent->FHandle, &R);
  }
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& List = FParent->FControls;
  List.erase(std::find(List.begin(), List.end(), this));
  List.push_back(this);
  if (auto* Win = dynamic_cast<TWinControl*>(this); Win && Win->HandleAllocated()) backend::RaiseWindow(Win->FHandle);
  Invalidate();
}

LRESULT TControl::Perform(unsigned Msg, WPARAM WParam, LPARAM LParam) {
  TMessage Message{Msg, WParam, LParam, 0};
  WndProc(Message);
  return Message.Result;
}

// A control being designed offers its messages to the form designer first.
void TControl::WndProc(TMessage& Message) {
  if (HasState(csDesigning)) {
    if (IDesignerHook* Designer = FindDesigner(this); Designer && Designer->IsDesignMsg(this, Message)) return;
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      HandleMouseMessage(Message);
      break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    default:
      DefaultHandler(Message);
  }
}

// A wheel message that nothing took goes on to the parent, as the window system passes it.
void TControl::DefaultHandler(TMessage& Message) {
  if ((Message.Msg == WM_MOUSEWHEEL || Message.Msg == WM_MOUSEHWHEEL) && FParent)
    Message.Result = FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
  else
    DefaultContextMenu(Message);
}

namespace {
TShiftState MouseShiftState(WPARAM Keys) {
  TShiftState S;
  if (Keys & MK_SHIFT) S << ssShift;
  if (Keys & MK_CONTROL) S << ssCtrl;
  if (Keys & MK_LBUTTON) S << ssLeft;
  if (Keys & MK_RBUTTON) S << ssRight;
  if (Keys & MK_MBUTTON) S << ssMiddle;
  if (KeyboardShiftState().Contains(ssAlt)) S << ssAlt;
  return S;
}
}  // namespace

void TControl::WMMouseWheel(TMessage& Message) {
  const TWMMouseWheel Wheel(Message);
  const std::weak_ptr<char> Alive = FLifetime;
  if (DoMouseWheel(MouseShiftState(Wheel.Keys), Wheel.WheelDelta, TPoint{Wheel.XPos, Wheel.YPos})) {
    Message.Result = 1;
  } else if (!Alive.expired()) {
    DefaultHandler(Message);
  }
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool Handled = false;
  const std::weak_ptr<char> Alive = FLifetime;
  if (FOnMouseWheel) FOnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
  if (Handled || Alive.expired()) return Handled;
  if (WheelDelta < 0) return DoMouseWheelDown(Shift, MousePos);
  if (WheelDelta > 0) return DoMouseWheelUp(Shift, MousePos);
  return false;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool Handled = false;
  if (FOnMouseWheelDown) FOnMouseWheelDown(this, Shift, MousePos, Handled);
  return Handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool Handled = false;
  if (FOnMouseWheelUp) FOnMouseWheelUp(this, Shift, MousePos, Handled);
  return Handled;
}

// The window acts first (a native edit places its caret), then the control's handlers run.
void TControl::HandleMouseMessage(TMessage& Message) {
  {
    const std::weak_ptr<char> Alive = FLifetime;
    DefaultHandler(Message);
    if (Alive.expired()) return;
  }
  const TPoint P = PointFromLParam(Message.LParam);
  TShiftState Shift = MouseShiftState(Message.WParam);
  const unsigned Msg = Message.Msg;
  if (Msg == WM_MOUSEMOVE) {
    MouseMove(Shift, P.X, P.Y);
    return;
  }
  const TMouseButton Button = Msg >= WM_MBUTTONDOWN ? mbMiddle : Msg >= WM_RBUTTONDOWN ? mbRight : mbLeft;
  const unsigned Kind = (Msg - WM_LBUTTONDOWN) % 3;  // 0 down, 1 up, 2 double click
  if (Kind == 0) {
    if (Button == mbLeft && WantsClickEvents()) FClicked = true;
    MouseDown(Button, Shift, P.X, P.Y);
  } else if (Kind == 2) {
    // The second press of a double click: DblClick first, then the press with ssDouble.
    const std::weak_ptr<char> Alive = FLifetime;
    if (Button == mbLeft && WantsClickEvents()) DblClick();
    if (Alive.expired()) return;
    MouseDown(Button, Shift << ssDouble, P.X, P.Y);
  } else {
    const std::weak_ptr<char> Alive = FLifetime;
    if (Button == mbLeft && FClicked) {
      FClicked = false;
      if (PtInRect(GetClientRect(), P)) Click();
      if (Alive.expired()) return;
    }
    MouseUp(Button, Shift, P.X, P.Y);
  }
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
  bool Result = true;
  if (FOnCanResize) FOnCanResize(this, NewWidth, NewHeight, Result);
  return Result;
}

void TControl::ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight) {
  if (FOnConstrainedResize) FOnConstrainedResize(this, MinWidth, MinHeight, MaxWidth, MaxHeight);
}

// ---------------------------------------------------------------- TSizeConstraints

void TSizeConstraints::SetMinWidth(int Value) {
  if (Value == FMinWidth) return;
  FMinWidth = Value;
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMaxWidth = FMinWidth;
  Change();
}

void TSizeConstraints::SetMinHeight(int Value) {
  if (Value == FMinHeight) return;
  FMinHeight = Value;
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMaxHeight = FMinHeight;
  Change();
}

void TSizeConstraints::SetMaxWidth(int Value) {
  if (Value == FMaxWidth) return;
  FMaxWidth = Value;
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
  Change();
}

void TSizeConstraints::SetMaxHeight(int Value) {
  if (Value == FMaxHeight) return;
  FMaxHeight = Value;
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMinHeight = FMaxHeight;
  Change();
}

void TSizeConstraints::Change() {
  if (FOnChange) FOnChange(this);
}

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TSizeConstraints*>(Source)) {
    FMinWidth = Other->FMinWidth;
    FMinHeight = Other->FMinHeight;
    FMaxWidth = Other->FMaxWidth;
    FMaxHeight = Other->FMaxHeight;
    Change();
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace vcl
