// Asking a window for its accessible description.

#include "OleAcc.h"

namespace vcl {

bool GetAccessibleObject(HWND Wnd, TAccObject& Object) {
  Object = TAccObject{};
  return SendMessage(Wnd, WM_GETOBJECT, reinterpret_cast<WPARAM>(&Object), OBJID_CLIENT) == 1;
}

bool DoDefaultAccessibleAction(HWND Wnd, long ChildId) {
  return SendMessage(Wnd, WM_ACCDODEFAULTACTION, static_cast<WPARAM>(ChildId), 0) == 1;
}

bool SelectAccessibleObject(HWND Wnd, long ChildId, unsigned Flags) {
  return SendMessage(Wnd, WM_ACCSELECT, static_cast<WPARAM>(ChildId), Flags) == 1;
}

}  // namespace vcl
