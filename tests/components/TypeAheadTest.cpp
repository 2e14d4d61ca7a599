// Type-ahead through real key input: letters typed close together select the first card
// whose caption starts with them; a pause starts over; off by default. Then the search on
// its own: bytes, pauses, keys that end it, and how captions match.

#include <optional>

#include "CardViewFixture.h"
#include "OstrelTypeAhead.h"

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

// Letters typed before the switch went off must not lead a search after it came back on.
TEST_F(TypeAheadTest, SwitchingItOffAndOnStartsANewSearch) {
  View->SetTypeAhead(true);
  Type("b");
  View->SetTypeAhead(false);
  Type("x");  // ignored while off
  View->SetTypeAhead(true);
  Type("j");  // "bj" would be Björn; "j" alone is no caption
  EXPECT_EQ(Selected(), "Bob");
}

// ------------------------------------------------------------------ the search on its own

class TypeAheadSearchTest : public ::testing::Test {
protected:
  void SetUp() override {
    Search.SetClock([this] { return Now; });
  }
  std::optional<std::u32string> Type(const std::string& Bytes) {
    std::optional<std::u32string> Last;
    for (char Byte : Bytes) Last = Search.Type(Byte);
    return Last;
  }
  std::uint64_t Now = 10'000;
  TTypeAhead Search;
};

TEST_F(TypeAheadSearchTest, ASearchIsAnsweredOnlyOnWholeCharacters) {
  EXPECT_EQ(Search.Type('\xC3'), std::nullopt) << "the first byte of a two-byte character";
  EXPECT_EQ(Search.Type('\x85'), std::u32string(U"\u00E5")) << "the whole of it, folded";
  EXPECT_EQ(Type("SA"), std::u32string(U"\u00E5sa"));
}

TEST_F(TypeAheadSearchTest, ControlBytesAndALeadingSpaceEndTheSearch) {
  Type("ab");
  EXPECT_EQ(Search.Type('\t'), std::nullopt);
  EXPECT_EQ(Search.Type(' '), std::nullopt) << "a space cannot start a search";
  EXPECT_EQ(Type("c"), std::u32string(U"c"));
  EXPECT_EQ(Type(" d"), std::u32string(U"c d")) << "after a letter a space counts";
  Type("\x7F");
  EXPECT_EQ(Type("e"), std::u32string(U"e"));
}

TEST_F(TypeAheadSearchTest, MovingKeysEndTheSearchAndCharacterKeysDoNot) {
  for (unsigned Key : {unsigned{VK_SPACE}, unsigned{'0'}, unsigned{'A'}}) {
    Search.Reset();
    Type("a");
    Search.KeyDown(Key);
    EXPECT_EQ(Type("b"), std::u32string(U"ab")) << "key " << Key;
  }
  for (unsigned Key : {unsigned{VK_BACK}, unsigned{VK_RETURN}, unsigned{VK_ESCAPE}, unsigned{VK_DOWN}, unsigned{VK_DELETE}}) {
    Type("a");
    Search.KeyDown(Key);
    EXPECT_EQ(Type("b"), std::u32string(U"b")) << "key " << Key;
  }
}

TEST_F(TypeAheadSearchTest, APauseLongerThanTheLimitStartsOver) {
  Type("a");
  Now += TTypeAhead::MaxPause;
  EXPECT_EQ(Type("b"), std::u32string(U"ab"));
  Now += TTypeAhead::MaxPause + 1;
  EXPECT_EQ(Type("c"), std::u32string(U"c"));
}

TEST_F(TypeAheadSearchTest, CaptionsMatchByTheirFoldedStart) {
  EXPECT_TRUE(TTypeAhead::Matches("\u0395\u03bb\u03ad\u03bd\u03b7", *Type("\u03b5\u03bb")));
  Search.Reset();
  EXPECT_FALSE(TTypeAhead::Matches("Bo", *Type("bob"))) << "a caption shorter than the search";
  Search.Reset();
  // Three-byte characters: the caption is cut inside one, which must not hide the match.
  EXPECT_TRUE(TTypeAhead::Matches("\u20ac\u20ac\u20ac", *Type("\u20ac\u20ac")));
}

}  // namespace
}  // namespace cardview_test
