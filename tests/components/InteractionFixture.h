#pragma once
// Seven cards of three lines in a 300 x 200 view, focused on a shown form, with the
// selection events recorded in order. Columns hold cards 0-1, 2-3, 4-5 and 6; a card is
// 100 x 64 with its caption on top, the pitch is 112.

#include "CardViewFixture.h"

namespace cardview_test {

class InteractionTest : public CardViewTest {
protected:
  void SetUp() override {
    CardViewTest::SetUp();
    SetClientSize(300, 200);
    View->GetItems()->BeginUpdate();
    for (int I = 0; I < 7; ++I) AddCard("Card " + std::to_string(I), 3);
    View->GetItems()->EndUpdate();
    SetClientSize(300, 200);
    View->SetOnChanging([this](TObject*, TOstrelItem* Item, bool& Allow) {
      Events.push_back("changing " + Label(Item));
      Allow = !RefuseChanges;
    });
    View->SetOnChange([this](TObject*, TOstrelItem* Item) { Events.push_back("change " + Label(Item)); });
    View->SetFocus();
    vcltest::ProcessMessages();
  }

  static std::string Label(const TOstrelItem* Item) { return Item ? std::to_string(Item->GetIndex()) : "null"; }
  int SelectedIndex() const { return View->GetSelected() ? View->GetSelected()->GetIndex() : -1; }
  int FocusedIndex() const { return View->GetItemFocused() ? View->GetItemFocused()->GetIndex() : -1; }
  // Client point in the value area of sub-item Line of card Index, wherever it lies.
  TPoint LinePoint(int Index, int Line) const {
    const TRect R = Card(Index)->GetSubItemEditRect(Line);
    return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  }

  std::vector<std::string> Events;
  bool RefuseChanges = false;
};

}  // namespace cardview_test
