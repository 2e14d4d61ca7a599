// The screen object: the forms of the program.

#include <algorithm>

#include "Forms.h"
#include "backend/WindowBackend.h"

namespace vcl {

// Never destroyed: forms that outlive main's end (owned by static objects) still leave it.
TScreen* Screen = new TScreen;

TCustomForm* TScreen::GetForm(int Index) const {
  if (Index < 0 || Index >= GetFormCount()) throw EListError(Format(Consts::SListIndexError, {static_cast<long long>(Index)}));
  return FForms[static_cast<size_t>(Index)];
}

TCustomForm* TScreen::GetActiveForm() const {
  const auto Active =
      std::find_if(FForms.begin(), FForms.end(), [](TCustomForm* Form) { return Form->GetActive() && Form->GetVisible(); });
  return Active != FForms.end() ? *Active : nullptr;
}

void TScreen::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  backend::SetApplicationCursor(Value);
}

}  // namespace vcl
