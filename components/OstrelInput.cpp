// Keyboard and mouse: selection by key, click and initial.

#include "Ostrel.h"

namespace ostrel {

namespace {
unsigned char InitialOf(const AnsiString& Text) {
  return Text.empty() ? 0 : static_cast<unsigned char>(UpperCase(Text.substr(0, 1))[0]);
}
}  // namespace

// The first card at or after the letter: in a sorted list, the first card with that initial
// or, when none has it, the first after where it would stand.
void TOstrel::SelectByFirstLetter(char Letter) {
  const unsigned char Wanted = InitialOf(AnsiString(1, Letter));
  for (int I = 0; I < FItems->GetCount(); ++I) {
    TOstrelItem* Item = FItems->GetItemFromIndex(I);
    if (InitialOf(Item->GetText()) < Wanted) continue;
    // OnChanging and OnChange may delete the card; then there is nothing left to focus.
    const TWatchedItem Found(*this, Item);
    Item->SetSelected(true);
    if (Found.Item()) Found.Item()->SetFocused(true);
    return;
  }
}

}  // namespace ostrel
