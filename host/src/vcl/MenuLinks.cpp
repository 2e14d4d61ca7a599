// Where menus meet controls and forms: the form's menu bar, shortcut keys from any control,
// and context menus on a right click or the context-menu key.

#include "Forms.h"
#include "Menus.h"
#include "backend/WindowBackend.h"

namespace vcl {

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (Value == FMenu) return;
  if (FMenu) {
    FMenu->SetWindowHandle(nullptr);
    FMenu->RemoveFreeNotification(this);
  }
  FMenu = Value;
  if (!FMenu) return;
  FMenu->FreeNotification(this);
  if (HandleAllocated()) FMenu->SetWindowHandle(GetHandle());
}

void TCustomForm::DestroyWnd() {
  if (FMenu) FMenu->SetWindowHandle(nullptr);
  TWinControl::DestroyWnd();
}

bool IsMenuKey(TControl* Control, Word Key, TShiftState Shift) {
  if (Key == 0 || ShortCut(Key, Shift) == scNone) return false;
  for (TControl* C = Control; C; C = C->GetParent())
    if (auto* Popup = dynamic_cast<TPopupMenu*>(C->GetPopupMenu()); Popup && Popup->IsShortCut(Key, Shift)) return true;
  TCustomForm* Form = GetParentForm(Control);
  return Form && Form->GetMenu() && Form->GetMenu()->IsShortCut(Key, Shift);
}

void TControl::DefaultContextMenu(const TMessage& Message) {
  const bool Keyboard = (Message.Msg == WM_KEYUP && Message.WParam == VK_APPS) ||
                        (Message.Msg == WM_KEYDOWN && Message.WParam == VK_F10 && KeyboardShiftState() == TShiftState{ssShift});
  if (Keyboard) {
    Perform(WM_CONTEXTMENU, 0, MakeLParam(-1, -1));
  } else if (Message.Msg == WM_RBUTTONUP) {
    const TPoint P = ClientToScreen(PointFromLParam(Message.LParam));
    Perform(WM_CONTEXTMENU, 0, MakeLParam(P.X, P.Y));
  }
}

void TControl::WMContextMenu(TMessage& Message) {
  TPoint P = PointFromLParam(Message.LParam);
  const bool FromKeyboard = P.X == -1 && P.Y == -1;
  auto* Popup = dynamic_cast<TPopupMenu*>(FPopupMenu);
  if (Popup && Popup->GetAutoPopup()) {
    if (FromKeyboard) P = ClientToScreen(TPoint{0, 0});
    Popup->SetPopupComponent(this);
    Popup->Popup(P.X, P.Y);
    Message.Result = 1;
  } else if (FParent) {
    Message.Result = FParent->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
  }
}

}  // namespace vcl
