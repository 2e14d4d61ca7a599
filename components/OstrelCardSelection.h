#pragma once
// Which card of a card view is selected and which has the focus frame: the only writer of
// both, with the events and repaints a change brings, and the hand-over when a card goes.
// Internal to the components.

namespace ostrel {

class TOstrel;
class TOstrelItem;

class TCardSelection {
public:
  // The selection of Table's cards; none at first.
  explicit TCardSelection(TOstrel& Table) : FTable(Table) {}
  TCardSelection(const TCardSelection&) = delete;
  TCardSelection& operator=(const TCardSelection&) = delete;

  // The selected card, or null.
  TOstrelItem* Selected() const { return FSelected; }
  // The focused card, or null.
  TOstrelItem* Focused() const { return FFocused; }
  // The fields themselves, for readers that want them under a name of their own.
  TOstrelItem* const& SelectedField() const { return FSelected; }
  TOstrelItem* const& FocusedField() const { return FFocused; }

  // Whether the control may refer to the card as its selected or focused one: null, or a
  // card of its own list that is not being deleted.
  bool MayHold(const TOstrelItem* Item) const;
  // Selects Value after OnChanging, which may refuse unless MayRefuse is false (a deletion);
  // then scrolls it into view and fires OnChange. Nothing for the selected card or one the
  // control may not hold.
  void Select(TOstrelItem* Value, bool MayRefuse);
  // Focuses Value; nothing for the focused card or one the control may not hold.
  void Focus(TOstrelItem* Value);
  // Moving by key: selects Item, then focuses whatever is selected.
  void MoveTo(TOstrelItem* Item);
  // Sets the card without events. Repaint invalidates the old and the new card and tells
  // assistive technology; false where the cards are going or a relayout repaints anyway.
  void PutSelected(TOstrelItem* Value, bool Repaint);
  void PutFocused(TOstrelItem* Value, bool Repaint);

  // A listed card is being deleted: when selected, the selection leaves it through
  // OnChanging and OnChange, which cannot keep it.
  void HandOverSelection(TOstrelItem* Deleted);
  // Then, when focused, the focus goes to the card before it, or after it when it is the
  // first; cards whose own deletion is under way are passed over.
  void HandOverFocus(TOstrelItem* Deleted);
  // A card is being destroyed: neither may refer to it any longer; no events.
  void ItemDestroying(const TOstrelItem* Item);

private:
  TOstrel& FTable;
  TOstrelItem* FSelected = nullptr;
  TOstrelItem* FFocused = nullptr;
};

}  // namespace ostrel
