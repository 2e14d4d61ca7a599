// Selection and focus change here only: the events, the repaint of the old and new card,
// which cards the control may hold, and who takes over when a card is deleted.

#include "OstrelCardSelection.h"

#include "Ostrel.h"

namespace ostrel {

// Only a card of the own list that is not being deleted can be held: the control hears of
// the deletion of no other card (a card never added, one of another control, one whose
// deletion has already let go of the control), so holding it would outlive it.
bool TCardSelection::MayHold(const TOstrelItem* Item) const {
  return !Item || (Item->FAttached && !Item->FDeleting && Item->FOwner == FTable.GetItems());
}

void TCardSelection::Select(TOstrelItem* Value, bool MayRefuse) {
  if (Value == FSelected || !MayHold(Value)) return;
  bool AllowChange = true;
  if (const TOstrelChangingEvent& OnChanging = FTable.GetOnChanging()) {
    // The handler may delete the card offered, or destroy the control; then there is
    // nothing to select.
    const TOstrel::TWatchedItem Offered(FTable, Value);
    OnChanging(&FTable, Value, AllowChange);
    if (Offered.TableGone() || (Value && !Offered.Item())) return;
  }
  if (!AllowChange && MayRefuse) return;
  PutSelected(Value, true);
  FTable.ScrollInView(FSelected);
  if (const TOstrelItemNotifyEvent& OnChange = FTable.GetOnChange()) OnChange(&FTable, FSelected);
}

void TCardSelection::Focus(TOstrelItem* Value) {
  if (Value == FFocused || !MayHold(Value)) return;
  PutFocused(Value, true);
}

// OnChanging may refuse, and OnChange may change the list: the focus then follows whatever
// card is selected afterwards. They may also destroy the control.
void TCardSelection::MoveTo(TOstrelItem* Item) {
  const std::weak_ptr<char> Alive = FTable.LifetimeToken();
  Select(Item, true);
  if (!Alive.expired() && FSelected) Focus(FSelected);
}

void TCardSelection::PutSelected(TOstrelItem* Value, bool Repaint) {
  TOstrelItem* Old = FSelected;
  FSelected = Value;
  if (!Repaint) return;
  if (Old) Old->Invalidate();
  if (FSelected) FSelected->Invalidate();
  if (Old != Value) FTable.AnnounceSelection(Old);
}

void TCardSelection::PutFocused(TOstrelItem* Value, bool Repaint) {
  TOstrelItem* Old = FFocused;
  FFocused = Value;
  if (!Repaint) return;
  if (Old) Old->Invalidate();
  if (FFocused) FFocused->Invalidate();
  if (Old != Value) FTable.AnnounceFocus();
}

void TCardSelection::HandOverSelection(TOstrelItem* Deleted) {
  if (FSelected == Deleted) Select(nullptr, false);
}

// Runs after OnChanging and OnChange, which may have changed the list.
void TCardSelection::HandOverFocus(TOstrelItem* Deleted) {
  if (FFocused != Deleted) return;
  const int Index = Deleted->GetIndex();
  if (Index < 0) return;  // no longer listed; ItemDestroying lets go of it
  // The card before, or after the first; a neighbour whose own deletion is further up the
  // stack (a handler deleting this card while that one goes) is passed over for the next
  // one in the same direction, then for the cards after.
  TOstrelItems& Items = *Deleted->GetOwnerList();
  auto Holdable = [&](int Candidate) { return MayHold(Items.GetItemFromIndex(Candidate)); };
  const int Count = Items.GetCount();
  int Next = Index - 1;
  while (Next >= 0 && !Holdable(Next)) --Next;
  if (Next < 0) {
    Next = Index + 1;
    while (Next < Count && !Holdable(Next)) ++Next;
  }
  if (Next < Count) {
    Focus(Items.GetItemFromIndex(Next));
    return;
  }
  PutFocused(nullptr, false);
}

void TCardSelection::ItemDestroying(const TOstrelItem* Item) {
  if (FSelected == Item) PutSelected(nullptr, false);
  if (FFocused == Item) PutFocused(nullptr, false);
}

}  // namespace ostrel
