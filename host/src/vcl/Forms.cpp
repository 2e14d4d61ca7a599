// Forms: the active control, dialog keys, showing, closing and modal runs.

#include "Forms.h"

#include <utility>

#include "Menus.h"
#include "backend/FormBackend.h"
#include "backend/WindowBackend.h"

namespace vcl {

namespace {
constexpr int DefaultFormWidth = 320;
constexpr int DefaultFormHeight = 240;
}  // namespace

// A form keeps its own font and colour, so its form file always records them; the other
// Parent... flags stay set, as they only matter for a form placed inside another control.
TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FVisible = false;
  FParentFont = false;
  FParentColor = false;
  FColor = clBtnFace;
  FWidth = DefaultFormWidth;
  FHeight = DefaultFormHeight;
  FConstraints->SetOnChange(TNotifyEvent(this, &TCustomForm::ConstraintsChanged));
  Screen->FForms.push_back(this);
}

TCustomForm::~TCustomForm() {
  std::erase(Screen->FForms, this);
  if (Screen->FLastActiveForm == this) Screen->FLastActiveForm = nullptr;
  Destroying();
  DestroyHandle();
}

void TCustomForm::Destroying() {
  if (!FDestroyFired) {
    FDestroyFired = true;
    if (FOnDestroy) {
      try {
        FOnDestroy(this);
      } catch (...) {
        Application->HandleException(this);
      }
    }
  }
  TWinControl::Destroying();
}

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (!FParent) Params.Style = (Params.Style & ~WS_CHILD) | WS_CAPTION;
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (FMenu) FMenu->SetWindowHandle(GetHandle());
  if (FParent) return;
  backend::SetWindowFrame(GetHandle(), FBorderStyle);
  ApplySizeLimits();
}

// ---------------------------------------------------------------- frame, size and place

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (HandleAllocated() && !FParent) {
    backend::SetWindowFrame(GetHandle(), FBorderStyle);
    ApplySizeLimits();
  }
}

void TCustomForm::ApplySizeLimits() {
  if (!HandleAllocated() || FParent) return;
  if (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin)
    backend::SetWindowSizeLimits(GetHandle(), FConstraints->GetMinWidth(), FConstraints->GetMinHeight(),
                                 FConstraints->GetMaxWidth(), FConstraints->GetMaxHeight());
  else
    backend::SetWindowSizeLimits(GetHandle(), FWidth, FHeight, FWidth, FHeight);
}

// The limits move before the window does, so that the window can take the new size.
void TCustomForm::BoundsChanged() {
  ApplySizeLimits();
  TWinControl::BoundsChanged();
}

void TCustomForm::ConstraintsChanged(TObject*) {
  int Width = FWidth, Height = FHeight;
  Constrain(Width, Height);
  ApplySizeLimits();
  SetBounds(FLeft, FTop, Width, Height);
}

void TCustomForm::PlaceOnScreen() {
  TRect Area;
  switch (FPosition) {
    case poDefault:
    case poDefaultPosOnly:
    case poDefaultSizeOnly: FitOnScreen(); return;
    case poScreenCenter:
    case poDesktopCenter: Area = backend::ScreenWorkArea(); break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* Center = FPosition == poMainFormCenter ? Application->GetMainForm() : dynamic_cast<TCustomForm*>(GetOwner());
      if (Center && Center != this && Center->GetVisible()) Area = Center->GetBoundsRect();
      else Area = backend::ScreenWorkArea();
      break;
    }
    default: return;
  }
  SetBounds(Area.Left + (Area.Width() - FWidth) / 2, Area.Top + (Area.Height() - FHeight) / 2, FWidth, FHeight);
}

// The system's place for a window: on the work area of the screen it opens on, its frame and
// title bar inside it, centred, and no larger than the work area leaves room for.
void TCustomForm::FitOnScreen() {
  const TRect Area = backend::ScreenWorkArea();
  if (Area.Width() <= 0 || Area.Height() <= 0) return;
  const TRect Frame = backend::WindowFrameExtents(GetHandle());
  const int RoomX = Area.Width() - Frame.Left - Frame.Right, RoomY = Area.Height() - Frame.Top - Frame.Bottom;
  const int Width = std::min(FWidth, RoomX), Height = std::min(FHeight, RoomY);
  SetBounds(Area.Left + Frame.Left + (RoomX - Width) / 2, Area.Top + Frame.Top + (RoomY - Height) / 2, Width, Height);
}

// ---------------------------------------------------------------- active control

// While the form is read from a form file its controls may not be visible yet.
void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control == FActiveControl) return;
  if (Control && (!ContainsControl(Control) || Control == this || (!HasState(csLoading) && !Control->CanFocus())))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (Control && FActive && !HasState(csLoading)) backend::FocusWindow(Control->GetHandle());
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  TWinControl* Control = std::exchange(FActiveControl, nullptr);
  if (Control && Control->CanFocus()) SetActiveControl(Control);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  const bool WasActive = FActive;
  SetActiveControl(Control);
  if (WasActive && Control && !Control->Focused()) backend::FocusWindow(Control->GetHandle());
  if (!WasActive && HandleAllocated() && GetVisible()) backend::ActivateWindow(GetHandle());
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (Control && (!ContainsControl(Control) || Control == this)) return false;
  FActiveControl = Control;
  if (Control == FFocusedControl) return true;
  TWinControl* Old = FFocusedControl;
  FFocusedControl = Control;
  const std::weak_ptr<char> Alive = LifetimeToken();
  if (Old) Old->Perform(CM_EXIT, 0, 0);
  if (Alive.expired()) return false;
  // An exit handler may have moved the focus on already.
  if (Control && FFocusedControl == Control) Control->Perform(CM_ENTER, 0, 0);
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (FActiveControl && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
  if (FFocusedControl && Control->ContainsControl(FFocusedControl)) FFocusedControl = nullptr;
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FActiveControl) FActiveControl = nullptr;
  if (AComponent == FFocusedControl) FFocusedControl = nullptr;
  if (AComponent == FMenu) FMenu = nullptr;
}

// ---------------------------------------------------------------- messages

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGKEY: DispatchAs(Message, this, &TCustomForm::CMDialogKey); break;
    case CM_ACTIVATE: CMActivate(Message); break;
    case CM_DEACTIVATE: CMDeactivate(Message); break;
    case CM_RELEASE: CMRelease(Message); break;
    case WM_CLOSE: WMClose(Message); break;
    case WM_SYSCOMMAND:
      if (Message.WParam == SC_KEYMENU && FMenu) Message.Result = FMenu->EnterBar() ? 1 : 0;
      break;
    case CM_TEXTCHANGED:
      if (HandleAllocated()) backend::SetWindowTitle(GetHandle(), FText);
      break;
    case CM_VISIBLECHANGED:
      if (FParent) {
        TWinControl::Dispatch(Message);
      } else if (FVisible) {
        HandleNeeded();
        PlaceOnScreen();
        backend::ShowWindow(GetHandle(), true);
        backend::ActivateWindow(GetHandle());
        if (FOnShow) FOnShow(this);
      } else if (HandleAllocated()) {
        backend::ShowWindow(GetHandle(), false);
      }
      break;
    default: TWinControl::Dispatch(Message);
  }
}

void TCustomForm::CMDialogKey(TWMKey& Message) {
  switch (Message.CharCode) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) >= 0) {
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        Message.Result = 1;
        return;
      }
      break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
      if (FActiveControl && FActiveControl->GetParent()) {
        FActiveControl->GetParent()->SelectNext(FActiveControl, Message.CharCode == VK_RIGHT || Message.CharCode == VK_DOWN,
                                                false);
        Message.Result = 1;
      }
      return;
    default: break;
  }
  TWinControl::Dispatch(Message.Message);
}

void TCustomForm::CMActivate(TMessage&) {
  FActive = true;
  Screen->FLastActiveForm = this;
  Activate();
  if (!FActive) return;
  if (FActiveControl) {
    if (FActiveControl->CanFocus()) backend::FocusWindow(FActiveControl->GetHandle());
  } else {
    SelectNext(nullptr, true, true);
  }
}

void TCustomForm::CMDeactivate(TMessage&) {
  FActive = false;
  Deactivate();
}

void TCustomForm::Activate() {
  if (FOnActivate) FOnActivate(this);
}

void TCustomForm::Deactivate() {
  if (FOnDeactivate) FOnDeactivate(this);
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::PaintWindow() { Paint(); }

void TCustomForm::Paint() {
  if (FOnPaint) FOnPaint(this);
}

// ---------------------------------------------------------------- showing and closing

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) backend::RaiseWindow(GetHandle());
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  bool CanClose = true;
  if (FOnCloseQuery) FOnCloseQuery(this, CanClose);
  if (!CanClose) return;
  TCloseAction Action = caHide;
  const std::weak_ptr<char> Alive = LifetimeToken();
  if (FOnClose) FOnClose(this, Action);
  if (Alive.expired()) return;
  if (Application->GetMainForm() == this && Action != caNone) Application->Terminate();
  switch (Action) {
    case caHide: case caMinimize: Hide(); break;
    case caFree: Hide(); Release(); break;
    case caNone: break;
  }
}

TModalResult TCustomForm::ShowModal() {
  if (FVisible || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  FModal = true;
  FModalResult = mrNone;
  const std::weak_ptr<char> Alive = LifetimeToken();
  // The form that was active gets the activation back afterwards, so that the keyboard
  // returns where the user left it: no window system does that for a window being hidden.
  TCustomForm* Previous = Screen->GetActiveForm();
  const std::weak_ptr<char> PreviousAlive = Previous ? Previous->LifetimeToken() : std::weak_ptr<char>();
  // The dialog belongs to the form it interrupts, and shows over it where the window system
  // places windows itself.
  TCustomForm* Owner = Previous ? Previous : Application->GetMainForm();
  if (Owner && Owner != this && Owner->HandleAllocated()) backend::SetWindowOwner(GetHandle(), Owner->GetHandle());
  Show();
  while (!Alive.expired() && FModalResult == mrNone && !Application->GetTerminated()) Application->HandleMessage();
  if (Alive.expired()) return mrCancel;
  FModal = false;
  Hide();
  if (HandleAllocated()) backend::SetWindowOwner(GetHandle(), nullptr);
  if (!PreviousAlive.expired() && Previous != this && Previous->GetVisible() && Previous->HandleAllocated())
    backend::ActivateWindow(Previous->GetHandle());
  return FModalResult == mrNone ? mrCancel : FModalResult;
}

void TCustomForm::SetModalResult(TModalResult Value) {
  FModalResult = Value;
  if (Value != mrNone) backend::WakeMessageLoop();
}

void TCustomForm::Release() { PostMessage(GetHandle(), CM_RELEASE, 0, 0); }

TCustomForm* GetParentForm(TControl* Control) {
  if (!Control) return nullptr;
  while (Control->GetParent()) Control = Control->GetParent();
  return dynamic_cast<TCustomForm*>(Control);
}

IDesignerHook* FindDesigner(TControl* Control) {
  for (; Control != nullptr; Control = Control->GetParent())
    if (auto* Form = dynamic_cast<TCustomForm*>(Control); Form && Form->GetDesigner()) return Form->GetDesigner();
  return nullptr;
}

}  // namespace vcl
