// The letter bar under a sort by keys: a click finds its card by the sort's own keys, so
// that in German "Åberg" is found under A, not after Z.

#include <gtest/gtest.h>

#include <QLocale>
#include <memory>

#include "ButtonsBarFixture.h"

namespace cardview_test {
namespace {

class ButtonsBarKeysTest : public ButtonsBarTest {
protected:
  void TearDown() override {
    ButtonsBarTest::TearDown();
    QLocale::setDefault(Saved);
  }
  // Sorts the cards by their captions in the language of Locale.
  void SortIn(const char* Locale) {
    QLocale::setDefault(QLocale(QString::fromLatin1(Locale)));
    View->SetOnItemSortKey([Keys = std::make_shared<TAnsiTextKeys>()](TObject*, TOstrelItem* Item, AnsiString& Key) {
      Keys->AppendKey(Item->GetText(), Key);
    });
  }
  // Clicks the button of Letter on a bar with a button per letter.
  void ClickLetter(char Letter) {
    for (int I = 0; I < Bar->GetButtonCount(); ++I)
      if (Bar->GetButton(I).Caption == std::string(1, Letter)) return vcltest::Click(Bar, Centre(I).X, Centre(I).Y);
    ADD_FAILURE() << "no button " << Letter;
  }
  std::string SelectedText() const { return View->GetSelected() ? View->GetSelected()->GetText() : "<none>"; }

private:
  const QLocale Saved;
};

TEST_F(ButtonsBarKeysTest, AClickFindsTheFirstCardAtOrAfterTheLetterByTheSortsKeys) {
  struct TRow {
    const char* Locale;
    bool Sorted;
    char Letter;
    const char* Expected;
  };
  const TRow Rows[] = {
      {"de_DE", true, 'a', "aaron"},
      {"de_DE", true, 'b', "Bo"},          // by bytes, "Åberg" would be found first
      {"de_DE", true, 'z', "Zetterlund"},
      {"sv_SE", true, 'z', "Zetterlund"},  // in Swedish "Åberg" comes after it
      {"sv_SE", true, 'c', "Zetterlund"},  // no C: the next card
      {"sv_SE", false, 'c', "Zetterlund"},  // unsorted: the first in list order not below
      {"de_DE", false, 'a', "Bo"},
  };
  SetBarSize(40, 700);
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(std::string(Row.Locale) + " " + Row.Letter);
    View->SetSorted(false);
    View->GetItems()->Clear();
    for (const char* Name : {"Bo", "Zetterlund", "\xC3\x85" "berg", "aaron"}) AddCard(Name, 1);
    SortIn(Row.Locale);
    View->SetSorted(Row.Sorted);
    ClickLetter(Row.Letter);
    EXPECT_EQ(SelectedText(), Row.Expected);
  }
}

TEST_F(ButtonsBarKeysTest, NothingIsFoundPastTheLastKeyAndAHandlerMayNotDeleteWhileSearching) {
  SetBarSize(40, 700);
  for (const char* Name : {"Anna", "Bert"}) AddCard(Name, 1);
  SortIn("de_DE");
  View->SetSorted(true);
  ClickLetter('x');
  EXPECT_EQ(SelectedText(), "<none>");
  View->SetOnItemSortKey([](TObject*, TOstrelItem* Item, AnsiString& Key) {
    Key = Item->GetText();
    Item->Delete();
  });
  EXPECT_THROW(View->SelectByFirstLetter('b'), EListError);
  EXPECT_EQ(View->GetItems()->GetCount(), 2);
  EXPECT_EQ(SelectedText(), "<none>");
}

}  // namespace
}  // namespace cardview_test
