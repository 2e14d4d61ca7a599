// Asking a window for its accessible description.

#include "OleAcc.h"

namespace vcl {

bool GetAccessibleObject(HWND Wnd, TAccObject& Object) {
  Object = TAccObject{};
  return SendMessage(Wnd, WM_GETOBJECT, reinterpret_cast<WPARAM>(&Object), OBJID_CLIENT) == 1;
}

}  // namespace vcl
