// TWinControl: the window, children, tab order, focus and keyboard input.

#include <algorithm>

#include "Controls.h"
#include "Forms.h"
#include "Menus.h"
#include "backend/WindowBackend.h"

namespace vcl {

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  if (FParent) FParent->RemoveControl(this);
  DestroyHandle();
  // Children not owned by this control stay alive, without a parent.
  for (TControl* Child : FControls) Child->FParent = nullptr;
  FControls.clear();
  FTabList.clear();
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  CreateChildHandles();
  if (FParent || FParentWindow) backend::ShowWindow(FHandle, FVisible);
}

void TWinControl::CreateChildHandles() {
  for (TControl* Child : FControls)
    if (auto* Win = dynamic_cast<TWinControl*>(Child); Win && Win->FVisible) Win->CreateHandle();
}

void TWinControl::DestroyChildHandles() {
  for (TControl* Child : FControls)
    if (auto* Win = dynamic_cast<TWinControl*>(Child)) Win->DestroyHandle();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  DestroyChildHandles();
  DestroyWnd();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  if (FParent) Params.WndParent = FParent->GetHandle();
  Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams Params;
  CreateParams(Params);
  if ((Params.Style & WS_CHILD) && !Params.WndParent && !FParentWindow)
    throw EInvalidOperation(Format("Control '%s' has no parent window", {GetName()}));
  FHandle = backend::CreateWindowFor(this, Params, Params.WndParent, FParentWindow);
  if (FWindowCanvas) FWindowCanvas->SetSurface(backend::SurfaceOf(FHandle));
  backend::SetWindowCursor(FHandle, FCursor);
  backend::SetWindowEnabled(FHandle, FEnabled);
  SyncAccessibleName();
  // The first size notification comes once the handle is known to the control.
  backend::CheckClientSize(FHandle);
}

void TWinControl::DestroyWnd() { DestroyWindowHandle(); }

void TWinControl::DestroyWindowHandle() {
  if (!FHandle) return;
  if (TCustomForm* Form = GetParentForm(this); Form && Form != this) Form->DefocusControl(this, false);
  const HWND Old = FHandle;
  FHandle = nullptr;
  if (FWindowCanvas) FWindowCanvas->SetSurface(nullptr);
  backend::DestroyWindow(Old);
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  const bool WasFocused = Focused();
  DestroyHandle();
  CreateHandle();
  if (WasFocused) backend::FocusWindow(FHandle);
}

void TWinControl::SetParentWindow(void* Value) {
  if (Value == FParentWindow) return;
  DestroyHandle();
  FParentWindow = Value;
  if (FParentWindow && !FParent) CreateHandle();
}

void TWinControl::SetAccessibleName(const AnsiString& Value) {
  FAccessibleName = Value;
  SyncAccessibleName();
}

// The last label to name the control wins; only that label can take its name back.
void TWinControl::PutLabelName(const TControl* Label, const AnsiString& Name) {
  FNamingLabel = Label;
  FLabelName = Name;
  SyncAccessibleName();
}

void TWinControl::ForgetLabel(const TControl* Label) {
  if (Label != FNamingLabel) return;
  FNamingLabel = nullptr;
  FLabelName.clear();
  SyncAccessibleName();
}

void TWinControl::SyncAccessibleName() {
  if (FHandle) backend::SetWindowAccessibleName(FHandle, GetAccessibleName());
}

// ---------------------------------------------------------------- children

TControl* TWinControl::GetControl(int Index) const {
  if (Index < 0 || Index >= GetControlCount()) throw EListError(Format(Consts::SListIndexError, {Index}));
  return FControls[static_cast<std::size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* C = Control; C; C = C->FParent)
    if (C == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* AControl) {
  if (auto* Win = dynamic_cast<TWinControl*>(AControl); Win && Win->ContainsControl(this))
    throw EInvalidOperation("A control cannot be placed inside itself");
  AControl->FParent = this;
  AControl->RememberAnchorBase();
  FControls.push_back(AControl);
  auto* Win = dynamic_cast<TWinControl*>(AControl);
  if (Win) FTabList.push_back(Win);
  AControl->ParentPropertiesChanged();
  if (Win && FHandle && Win->FVisible) Win->CreateHandle();
  if (AControl->FAlign != alNone) Realign();
  AControl->Invalidate();
}

// Controls mostly go last added, first removed (a form file that failed to read frees its
// controls so): looking from the end keeps freeing n of them linear.
namespace {
template <class T>
void EraseLastOf(std::vector<T*>& List, const TControl* Item) {
  const auto It = std::find(List.rbegin(), List.rend(), Item);
  if (It != List.rend()) List.erase(std::next(It).base());
}
}  // namespace

void TWinControl::RemoveControl(TControl* AControl) {
  if (std::find(FControls.rbegin(), FControls.rend(), AControl) == FControls.rend()) return;
  if (auto* Win = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* Form = GetParentForm(this)) Form->DefocusControl(Win, true);
    Win->DestroyHandle();
    EraseLastOf(FTabList, Win);
  }
  backend::ForgetMouseControl(AControl);
  AControl->Invalidate();
  EraseLastOf(FControls, AControl);
  AControl->FParent = nullptr;
  if (AControl->FAlign != alNone) Realign();
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) const {
  for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
    TControl* C = *It;
    if (!AllowWinControls && dynamic_cast<TWinControl*>(C)) continue;
    if (C->FVisible && (AllowDisabled || C->FEnabled) && PtInRect(C->GetBoundsRect(), Pos)) return C;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  // A handler may remove controls: walk a copy and skip the ones that left.
  const std::vector<TControl*> Children = FControls;
  for (TControl* C : Children) {
    if (std::find(FControls.begin(), FControls.end(), C) == FControls.end()) continue;
    C->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::Realign() {
  if (FAligning) return;
  FAligning = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } Done{FAligning};
  TRect R = GetClientRect();
  for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* C : FControls) {
      if (C->FAlign != A || !C->FVisible) continue;
      const int W = C->FWidth, H = C->FHeight;
      switch (A) {
        case alTop: C->SetBounds(R.Left, R.Top, R.Width(), H); R.Top += H; break;
        case alBottom: C->SetBounds(R.Left, R.Bottom - H, R.Width(), H); R.Bottom -= H; break;
        case alLeft: C->SetBounds(R.Left, R.Top, W, R.Height()); R.Left += W; break;
        case alRight: C->SetBounds(R.Right - W, R.Top, W, R.Height()); R.Right -= W; break;
        default: C->SetBounds(R.Left, R.Top, R.Width(), R.Height()); break;
      }
    }
  }
}

void TWinControl::ParentPropertiesChanged() {
  TControl::ParentPropertiesChanged();
  for (TControl* C : FControls) C->ParentPropertiesChanged();
}

// ---------------------------------------------------------------- geometry and painting

void TWinControl::BoundsChanged() {
  if (FHandle) backend::MoveWindow(FHandle, FLeft, FTop, FWidth, FHeight);
}

TRect TWinControl::GetClientRect() {
  if (FHandle) return backend::ClientRectOf(FHandle);
  return TControl::GetClientRect();
}

TPoint TWinControl::GetClientOrigin() {
  if (FHandle) return backend::ClientOriginOnScreen(FHandle);
  return TControl::GetClientOrigin();
}

void TWinControl::Invalidate() {
  if (FHandle) backend::InvalidateWindow(FHandle, nullptr);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::Update() {
  if (FHandle) backend::UpdateWindow(FHandle);
}

TCanvas* TWinControl::GetWindowCanvas() {
  if (!FWindowCanvas) {
    FWindowCanvas = std::make_unique<TCanvas>();
    FWindowCanvas->SetSurface(FHandle ? backend::SurfaceOf(FHandle) : nullptr);
  }
  return FWindowCanvas.get();
}

void TWinControl::PaintWindow() {}

void TWinControl::PaintControls() {
  const std::vector<TControl*> Children = FControls;
  for (TControl* C : Children) {
    auto* Graphic = dynamic_cast<TGraphicControl*>(C);
    if (!Graphic || !Graphic->FVisible) continue;
    backend::PaintOnChildArea(FHandle, Graphic->GetBoundsRect(), Graphic->GetCanvas(), [Graphic] { Graphic->Paint(); });
  }
}

void TWinControl::WMPaint(TMessage&) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  PaintWindow();
  // A Paint handler may have destroyed the control.
  if (!Alive.expired() && FHandle) PaintControls();
}

void TWinControl::WMSize(TMessage&) {
  // A size given by Qt (a layout holding an embedded control) becomes the control's size.
  if (FHandle) {
    const TRect B = backend::WindowBounds(FHandle);
    FLeft = B.Left;
    FTop = B.Top;
    FWidth = B.Width();
    FHeight = B.Height();
  }
  Realign();
  AnchorChildren();
  Resize();
}

// ---------------------------------------------------------------- messages

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case CN_KEYDOWN: DispatchAs(Message, this, &TWinControl::CNKeyDown); break;
    case WM_KEYDOWN: DispatchAs(Message, this, &TWinControl::WMKeyDown); break;
    case WM_KEYUP: DispatchAs(Message, this, &TWinControl::WMKeyUp); break;
    case WM_CHAR: DispatchAs(Message, this, &TWinControl::WMChar); break;
    case CM_DIALOGKEY: DispatchAs(Message, this, &TWinControl::CMDialogKey); break;
    case CM_DIALOGCHAR: Broadcast(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_CURSORCHANGED:
      if (FHandle) backend::SetWindowCursor(FHandle, FCursor);
      break;
    case CM_ENABLEDCHANGED:
      if (FHandle) backend::SetWindowEnabled(FHandle, FEnabled);
      break;
    case CM_VISIBLECHANGED:
      if (FVisible && (FParent ? FParent->FHandle != nullptr : FParentWindow != nullptr)) HandleNeeded();
      if (FHandle) backend::ShowWindow(FHandle, FVisible);
      if (!FVisible) {
        if (TCustomForm* Form = GetParentForm(this); Form && Form != this) Form->DefocusControl(this, false);
      }
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: {
      // A windowless child under the pointer takes the message in its own coordinates.
      const TPoint P = PointFromLParam(Message.LParam);
      if (TControl* Child = ControlAtPos(P, false, false)) {
        Message.Result = Child->Perform(Message.Msg, Message.WParam, MakeLParam(P.X - Child->FLeft, P.Y - Child->FTop));
        break;
      }
      TControl::Dispatch(Message);
      break;
    }
    default: TControl::Dispatch(Message);
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (FHandle) backend::DefaultWindowProc(FHandle, Message);
  TControl::DefaultHandler(Message);
}

// Taking the focus makes the control the form's focused control; when the form refuses,
// the message goes no further.
void TWinControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETFOCUS) {
    if (TCustomForm* Form = GetParentForm(this); Form && Form != this && !Form->SetFocusedControl(this)) return;
  }
  TControl::WndProc(Message);
}

void TWinControl::CNKeyDown(TWMKey& Message) {
  if (IsMenuKey(this, Message.CharCode, KeyboardShiftState())) {
    Message.Result = 1;
    return;
  }
  unsigned Mask = 0;
  switch (Message.CharCode) {
    case VK_TAB: Mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: Mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_ESCAPE: Mask = DLGC_WANTALLKEYS; break;
    default:
      // Alt with a letter or digit: an accelerator of some control on the form.
      const Word Key = Message.CharCode;
      if (KeyboardShiftState().Contains(ssAlt) && ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))) {
        if (TCustomForm* Form = GetParentForm(this)) Message.Result = Form->Perform(CM_DIALOGCHAR, Message.CharCode, Message.KeyData);
      }
      return;
  }
  const std::weak_ptr<char> Alive = LifetimeToken();
  const bool Special = Perform(CM_WANTSPECIALKEY, Message.CharCode, Message.KeyData) != 0;
  // A handler that destroyed the control has used the key up.
  if (Alive.expired()) {
    Message.Result = 1;
    return;
  }
  if (Special || (Perform(WM_GETDLGCODE, 0, 0) & Mask) != 0) return;
  if (TCustomForm* Form = GetParentForm(this)) Message.Result = Form->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData);
}

// The key handlers may zero the key, which keeps it from the window, or change it, which
// the window then sees instead.
void TWinControl::WMKeyDown(TWMKey& Message) {
  Word Key = Message.CharCode;
  const std::weak_ptr<char> Alive = LifetimeToken();
  if (TWinControl* Form = PreviewForm()) Form->KeyDown(Key, KeyboardShiftState());
  if (Key != 0 && !Alive.expired()) KeyDown(Key, KeyboardShiftState());
  if (Key == 0) Message.Result = 1;
  if (Key == 0 || Alive.expired()) return;
  Message.Message.WParam = Key;
  DefaultHandler(Message.Message);
}

void TWinControl::WMKeyUp(TWMKey& Message) {
  Word Key = Message.CharCode;
  const std::weak_ptr<char> Alive = LifetimeToken();
  if (TWinControl* Form = PreviewForm()) Form->KeyUp(Key, KeyboardShiftState());
  if (Key != 0 && !Alive.expired()) KeyUp(Key, KeyboardShiftState());
  if (Key == 0) Message.Result = 1;
  if (Key == 0 || Alive.expired()) return;
  Message.Message.WParam = Key;
  DefaultHandler(Message.Message);
}

void TWinControl::WMChar(TWMKey& Message) {
  char Key = static_cast<char>(Message.CharCode);
  const std::weak_ptr<char> Alive = LifetimeToken();
  if (TWinControl* Form = PreviewForm()) Form->KeyPress(Key);
  if (Key != 0 && !Alive.expired()) KeyPress(Key);
  if (Key == 0) Message.Result = 1;
  if (Key == 0 || Alive.expired()) return;
  Message.Message.WParam = static_cast<unsigned char>(Key);
  DefaultHandler(Message.Message);
}

void TWinControl::CMDialogKey(TWMKey& Message) { Broadcast(Message.Message); }

TWinControl* TWinControl::PreviewForm() {
  TCustomForm* Form = GetParentForm(this);
  return Form && Form != this && Form->GetKeyPreview() ? Form : nullptr;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (FOnKeyPress) FOnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TWinControl::DoEnter() {
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit) FOnExit(this);
}

// ---------------------------------------------------------------- focus and tab order

int TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  const auto& List = FParent->FTabList;
  return static_cast<int>(std::find(List.begin(), List.end(), this) - List.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (HasState(csReading)) {
    FReadTabOrder = Value;
    return;
  }
  if (!FParent) return;
  auto& List = FParent->FTabList;
  List.erase(std::find(List.begin(), List.end(), this));
  const auto Index = static_cast<std::size_t>(std::clamp(Value, 0, static_cast<int>(List.size())));
  List.insert(List.begin() + static_cast<std::ptrdiff_t>(Index), this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* C : FTabList) {
    List.push_back(C);
    C->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> List;
  GetTabOrderList(List);
  if (List.empty()) return nullptr;
  const int Count = static_cast<int>(List.size());
  int Start = static_cast<int>(std::find(List.begin(), List.end(), CurControl) - List.begin());
  if (Start == Count) Start = GoForward ? Count - 1 : 0;
  int I = Start;
  for (int Step = 0; Step < Count; ++Step) {
    I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
    TWinControl* C = List[static_cast<std::size_t>(I)];
    if (C == CurControl) break;
    if ((!CheckTabStop || C->FTabStop) && (!CheckParent || C->FParent == this) && C->CanFocus()) return C;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) Next->SetFocus();
}

void TWinControl::SetFocus() {
  TCustomForm* Form = GetParentForm(this);
  if (Form && Form != this) {
    Form->FocusControl(this);
  } else {
    backend::FocusWindow(GetHandle());
  }
}

bool TWinControl::Focused() const { return FHandle && backend::FocusedWindow() == FHandle; }

// The form itself need not be showing yet: the focus waits for it.
bool TWinControl::CanFocus() const {
  const TControl* Form = GetParentForm(const_cast<TWinControl*>(this));
  for (const TControl* C = this; C && C != Form; C = C->FParent)
    if (!C->FVisible || !C->FEnabled) return false;
  return true;
}

}  // namespace vcl
