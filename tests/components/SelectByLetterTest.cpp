// SelectByFirstLetter: the first card, in list order, whose initial is not below the letter.

#include "CardViewFixture.h"

namespace cardview_test {
namespace {

class SelectByLetterTest : public CardViewTest {
protected:
  void Fill(std::initializer_list<const char*> Texts) {
    for (const char* T : Texts) AddCard(T, 1);
  }
  AnsiString SelectedText() const { return View->GetSelected() ? View->GetSelected()->GetText() : "<none>"; }
};

TEST_F(SelectByLetterTest, FindsTheFirstInitialAtOrAfterTheLetter) {
  struct TRow {
    std::vector<const char*> Texts;
    char Letter;
    const char* Expected;
  };
  const TRow Rows[] = {
      {{"Adams", "Baker", "Nolan"}, 'm', "Nolan"},
      {{"Adams", "Baker", "Nolan"}, 'M', "Nolan"},
      {{"adams", "baker", "nolan"}, 'B', "baker"},   // initials are upper-cased too
      {{"Adams", "Baker", "Lee"}, 'm', "<none>"},    // all below: nothing changes
      {{"Zed", "Adams", "Nolan"}, 'b', "Zed"},        // list order, not the best match
      {{"", "Adams"}, 'a', "Adams"},                   // no text: initial 0, below every letter
      {{"", "Adams"}, '\0', ""},
      {{"9 Lives", "Adams"}, '1', "9 Lives"},          // the "123" button's letter
      {{"Émile", "Zoe"}, 'z', "Émile"},                // a byte above the letters
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(std::string(1, Row.Letter) + " -> " + Row.Expected);
    View->GetItems()->Clear();
    for (const char* T : Row.Texts) AddCard(T, 1);
    View->SelectByFirstLetter(Row.Letter);
    EXPECT_EQ(SelectedText(), Row.Expected);
    if (View->GetSelected()) {
      EXPECT_EQ(View->GetItemFocused(), View->GetSelected());
    }
  }
}

TEST_F(SelectByLetterTest, ARefusedSelectionStillFocusesAndADeletedCardEndsTheSearch) {
  Fill({"Adams", "Baker", "Nolan"});
  View->SetOnChanging([](TObject*, TOstrelItem*, bool& Allow) { Allow = false; });
  View->SelectByFirstLetter('b');
  EXPECT_EQ(View->GetSelected(), nullptr);
  EXPECT_EQ(View->GetItemFocused(), Card(1)) << "the card's focus is set after its selection was asked";
  View->SetOnChanging([](TObject*, TOstrelItem* Item, bool&) {
    if (Item) Item->Delete();
  });
  View->SelectByFirstLetter('n');
  EXPECT_EQ(View->GetItems()->GetCount(), 2);
  EXPECT_EQ(View->GetSelected(), nullptr);
}

}  // namespace
}  // namespace cardview_test
