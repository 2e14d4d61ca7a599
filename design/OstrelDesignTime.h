#pragma once
// The card view in the form designer: a property editor for every card list property and a
// component editor for the card view, both opening the items editor on a copy of the cards.

namespace ostrel::OstrelDesignTime {

// Puts TOstrel on the palette page "Velmora", then registers the card list property editor
// (every property of type TOstrelItems or a class derived from it, on any component, under
// any name) and the card view's component editor (verb "&Items Editor"), in this order.
void Register();

}  // namespace ostrel::OstrelDesignTime
