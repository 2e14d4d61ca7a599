// Type-ahead through real key input: letters typed close together select the first card
// whose caption starts with them; a pause starts over; off by default.

#include "CardViewFixture.h"
#include "TypInfo.h"

namespace cardview_test {
namespace {

class TypeAheadTest : public CardViewTest {
protected:
  void SetUp() override {
    CardViewTest::SetUp();
    SetClientSize(300, 200);
    View->GetItems()->BeginUpdate();
    for (const char* Caption : {"Anna Smith", "Bob", "Björn", "Ελένη", "Иван", "Zoë", "Åsa", "anna berg", "İlkay"})
      AddCard(Caption, 2);
    View->GetItems()->EndUpdate();
    View->SetTypeAheadClock([this] { return Now; });
    View->SetOnChanging([this](TObject*, TOstrelItem* Item, bool&) { Events.push_back("changing " + Item->GetText()); });
    View->SetOnChange([this](TObject*, TOstrelItem* Item) { Events.push_back("change " + Item->GetText()); });
    View->SetFocus();
    vcltest::ProcessMessages();
  }

  std::string Selected() const { return View->GetSelected() ? View->GetSelected()->GetText() : "none"; }
  std::string Focused() const { return View->GetItemFocused() ? View->GetItemFocused()->GetText() : "none"; }
  // Types Text one character at a time, Gap milliseconds apart.
  void Type(const std::string& Text, std::uint64_t Gap = 100) {
    for (std::size_t I = 0; I < Text.size();) {
      std::size_t Length = 1;
      while (I + Length < Text.size() && (static_cast<unsigned char>(Text[I + Length]) & 0xC0) == 0x80) ++Length;
      Now += Gap;
      vcltest::TypeText(Text.substr(I, Length));
      I += Length;
    }
  }

  std::uint64_t Now = 50'000;
  std::vector<std::string> Events;
};

TEST_F(TypeAheadTest, OffByDefaultTheLettersSelectNothing) {
  EXPECT_FALSE(View->GetTypeAhead());
  Type("bob");
  EXPECT_EQ(Selected(), "none");
  EXPECT_TRUE(Events.empty());
}

TEST_F(TypeAheadTest, SelectsTheFirstCardStartingWithTheLettersInAnyCase) {
  View->SetTypeAhead(true);
  const std::pair<const char*, const char*> Rows[] = {
      {"b", "Bob"},        {"bj", "Björn"},    {"BJÖ", "Björn"},  {"ANNA", "Anna Smith"}, {"anna b", "anna berg"},
      {"ελέ", "Ελένη"},    {"ΕΛΈΝΗ", "Ελένη"}, {"иВаН", "Иван"},  {"zoË", "Zoë"},         {"ÅS", "Åsa"},
      {"ilk", "İlkay"},
  };
  for (const auto& [Typed, Caption] : Rows) {
    Now += 5000;  // a new search for each row
    Type(Typed);
    EXPECT_EQ(Selected(), Caption) << "typed " << Typed;
    EXPECT_EQ(Focused(), Caption) << "typed " << Typed;
  }
}

TEST_F(TypeAheadTest, APauseOfMoreThanASecondStartsOver) {
  View->SetTypeAhead(true);
  Type("b");
  Type("j", 1000);  // a second exactly still continues
  EXPECT_EQ(Selected(), "Björn");
  Type("a", 1001);
  EXPECT_EQ(Selected(), "Anna Smith");
}

TEST_F(TypeAheadTest, ControlKeysEndTheSearchAndUnknownLettersChangeNothing) {
  View->SetTypeAhead(true);
  Type("b");
  vcltest::PressKey(VK_ESCAPE);
  Type("j");  // a search of its own: no caption starts with j
  EXPECT_EQ(Selected(), "Bob");
  Events.clear();
  Now += 5000;
  Type("x");
  Type(" ");
  EXPECT_EQ(Selected(), "Bob");
  EXPECT_TRUE(Events.empty());
}

TEST_F(TypeAheadTest, TheSameEventsAsAKeyMove) {
  View->SetTypeAhead(true);
  Type("Bob");
  Events.clear();
  vcltest::PressKey(VK_DOWN);
  const std::vector<std::string> KeyMove = Events;
  EXPECT_EQ(Selected(), "Björn");
  vcltest::PressKey(VK_UP);
  Events.clear();
  Now += 5000;
  Type("bj");
  EXPECT_EQ(Events, KeyMove);
  EXPECT_EQ(KeyMove, (std::vector<std::string>{"changing Björn", "change Björn"}));
}

TEST_F(TypeAheadTest, OnKeyPressSeesTheLettersFirstAndMayTakeThem) {
  View->SetTypeAhead(true);
  std::string Seen;
  View->SetOnKeyPress([&](TObject*, char& Key) {
    Seen += Key;
    if (Key == 'z') Key = 0;
  });
  Type("z");
  EXPECT_EQ(Seen, "z");
  EXPECT_EQ(Selected(), "none");
  Now += 5000;
  Type("b");
  EXPECT_EQ(Selected(), "Bob");
}

TEST_F(TypeAheadTest, PublishedAndOffInANewView) {
  const TPropInfo* Info = GetPropInfo(View, "TypeAhead");
  ASSERT_NE(Info, nullptr);
  View->SetTypeAhead(true);
  EXPECT_TRUE(View->GetTypeAhead());
  EXPECT_FALSE(std::make_unique<TOstrel>(nullptr)->GetTypeAhead());
}

}  // namespace
}  // namespace cardview_test
