// Gaining and losing the input focus: selection colours, the focus frame and the empty-list
// focus rectangle all depend on it, so they are repainted on every change.

#include "Ostrel.h"

namespace ostrel {

void TOstrel::DoEnter() {
  TCustomControl::DoEnter();
  InvalidateFocusLook();
  AnnounceFocus();
}

void TOstrel::DoExit() {
  TCustomControl::DoExit();
  // Moving to another control ends an edit with its value kept; OnEditedSubItem may
  // destroy the control.
  const std::weak_ptr<char> Alive = LifetimeToken();
  HideItemEditor(true);
  if (!Alive.expired()) InvalidateFocusLook();
}

void TOstrel::InvalidateFocusLook() {
  if (FItems->GetCount() == 0) {
    Invalidate();
    return;
  }
  if (FSelected) FSelected->Invalidate();
  if (FItemFocused) FItemFocused->Invalidate();
}

}  // namespace ostrel
