// Selection and focus change here only: the events, the repaint of the old and new card,
// and which cards the control may hold.

#include "Ostrel.h"

namespace ostrel {

void TOstrel::SetSelected(TOstrelItem* Value) { ChangeSelection(Value, true); }

void TOstrel::SetFocused(TOstrelItem* Value) {
  if (Value == FItemFocused || !MayHold(Value)) return;
  PutFocused(Value, true);
}

// Only a card of the own list that is not being deleted can be held: the control hears of
// the deletion of no other card (a card never added, one of another control, one whose
// deletion has already let go of the control), so holding it would outlive it.
bool TOstrel::MayHold(const TOstrelItem* Item) const {
  return !Item || (Item->FAttached && !Item->FDeleting && Item->FOwner == FItems.get());
}

void TOstrel::ChangeSelection(TOstrelItem* Value, bool MayRefuse) {
  if (Value == FSelected || !MayHold(Value)) return;
  bool AllowChange = true;
  if (FOnChanging) {
    // The handler may delete the card offered, or destroy the control; then there is
    // nothing to select.
    const TWatchedItem Offered(*this, Value);
    FOnChanging(this, Value, AllowChange);
    if (Offered.TableGone() || (Value && !Offered.Item())) return;
  }
  if (!AllowChange && MayRefuse) return;
  PutSelected(Value, true);
  ScrollInView(FSelected);
  if (FOnChange) FOnChange(this, FSelected);
}

void TOstrel::PutSelected(TOstrelItem* Value, bool Repaint) {
  TOstrelItem* Old = FSelected;
  FSelected = Value;
  if (!Repaint) return;
  if (Old) Old->Invalidate();
  if (FSelected) FSelected->Invalidate();
  if (Old != Value) AnnounceSelection(Old);
}

void TOstrel::PutFocused(TOstrelItem* Value, bool Repaint) {
  TOstrelItem* Old = FItemFocused;
  FItemFocused = Value;
  if (!Repaint) return;
  if (Old) Old->Invalidate();
  if (FItemFocused) FItemFocused->Invalidate();
  if (Old != Value) AnnounceFocus();
}

// OnChanging may refuse, and OnChange may change the list: the focus then follows whatever
// card is selected afterwards. They may also destroy the control.
void TOstrel::MoveTo(TOstrelItem* Item) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  SetSelected(Item);
  if (!Alive.expired() && FSelected) SetFocused(FSelected);
}

}  // namespace ostrel
