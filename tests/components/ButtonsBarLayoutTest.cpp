// Where the letter index bar puts its buttons and what they read, for both alignments, and
// which property changes rebuild them.

#include "ButtonsBarFixture.h"
#include "TypInfo.h"

namespace cardview_test {
namespace {

using TStrings = std::vector<std::string>;

TEST_F(ButtonsBarTest, TheBarAsConstructedHasSixButtonsDownItsLength) {
  ASSERT_EQ(Bar->GetClientWidth(), 60);
  ASSERT_EQ(Bar->GetClientHeight(), 160);
  std::vector<TRect> Expected;
  for (int Top : {5, 30, 55, 80, 105, 130}) Expected.push_back(TRect{5, Top, 55, Top + 20});
  EXPECT_EQ(Rects(), Expected);
  EXPECT_EQ(Captions(), (TStrings{"123", "a-e", "f-j", "k-p", "q-u", "v-z"}));

  SetBarSize(60, 181);  // the seventh button needs more than 155 + 20 + 5
  EXPECT_EQ(Bar->GetButtonCount(), 7);
  EXPECT_THROW(Bar->GetButton(7), EListError);
  EXPECT_THROW(Bar->GetButton(-1), EListError);
}

TEST_F(ButtonsBarTest, AHorizontalBarFillsItsHeightAndIgnoresButtonHeight) {
  Bar->SetShow123Button(false);
  Bar->SetBarAlignment(baHorizontal);
  SetBarSize(300, 30);
  std::vector<TRect> Expected;
  for (int Left = 5; Left <= 250; Left += 35) Expected.push_back(TRect{Left, 5, Left + 30, 25});
  EXPECT_EQ(Rects(), Expected);
  EXPECT_EQ(Captions(), (TStrings{"abc", "d-g", "hij", "klm", "nop", "qrs", "t-w", "xyz"}));

  Bar->SetButtonHeight(50);
  EXPECT_EQ(Rects(), Expected);
  Bar->SetButtonColor(clYellow);
  EXPECT_EQ(Rects(), Expected);
  Bar->SetButtonWidth(60);  // 5 + 4 x 65 + 60 + 5 > 300: four buttons
  EXPECT_EQ(Captions(), (TStrings{"a-g", "h-m", "n-s", "t-z"}));
}

TEST_F(ButtonsBarTest, TwoButtonsStandEvenWhereNoneFits) {
  struct TRow {
    TOstrelBarAlignment Alignment;
    bool Show123;
    int Width, Height;
    TStrings Captions;
    TRect Second;
  };
  const TRow Rows[] = {
      {baVertical, true, 60, 40, {"123", "a-z"}, TRect{5, 30, 55, 50}},
      {baVertical, false, 60, 40, {"a-m", "n-z"}, TRect{5, 30, 55, 50}},
      {baVertical, true, 8, 3, {"123", "a-z"}, TRect{5, 30, 3, 50}},  // breadth below the borders
      {baHorizontal, true, 40, 30, {"123", "a-z"}, TRect{40, 5, 70, 25}},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(std::to_string(Row.Width) + " x " + std::to_string(Row.Height));
    Bar->SetBarAlignment(Row.Alignment);
    Bar->SetShow123Button(Row.Show123);
    SetBarSize(Row.Width, Row.Height);
    EXPECT_EQ(Captions(), Row.Captions);
    EXPECT_EQ(Bar->GetButton(1).Rect, Row.Second);
  }
}

TEST_F(ButtonsBarTest, RoomForThirtyButtonsMakesOneButtonPerLetter) {
  for (bool Show123 : {false, true}) {
    Bar->SetShow123Button(Show123);
    SetBarSize(60, 5 + 30 * 25);
    TStrings Expected = Show123 ? TStrings{"123"} : TStrings{};
    for (char C = 'a'; C <= 'z'; ++C) Expected.push_back(std::string(1, C));
    EXPECT_EQ(Captions(), Expected);
  }
}

TEST_F(ButtonsBarTest, SettersClampAndRebuildOnlyWhatTheyChange) {
  // Set as a form file sets them, through the published properties.
  struct TRow {
    const char* Property;
    int Value, Stored;
  };
  const TRow Rows[] = {
      {"ButtonWidth", 5, 6}, {"ButtonWidth", -100, 6}, {"ButtonWidth", 6, 6},  {"ButtonHeight", 0, 6},
      {"ButtonHeight", 7, 7}, {"BorderWidth", -1, 0},   {"BorderWidth", 0, 0}, {"BorderWidth", 12, 12},
  };
  for (const TRow& Row : Rows) {
    const TPropInfo* Prop = GetPropInfo(Bar, Row.Property);
    ASSERT_NE(Prop, nullptr) << Row.Property;
    Prop->SetOrd(Bar, Row.Value);
    EXPECT_EQ(Prop->GetOrd(Bar), Row.Stored) << Row.Property << " " << Row.Value;
  }

  // 160 pixels without borders: buttons of 6 at 0, 6, ..., 150, while 160 > top + 6.
  Bar->SetButtonHeight(1);
  Bar->SetBorderWidth(-3);
  EXPECT_EQ(Bar->GetButtonCount(), 26);
  EXPECT_EQ(Bar->GetButton(25).Rect, (TRect{0, 150, 60, 156}));
}

TEST_F(ButtonsBarTest, HugeSizesFromAFormFileStillGiveTwoButtonsAndNoOverflow) {
  Bar->SetBorderWidth(2147483647);
  Bar->SetButtonHeight(2147483647);
  vcltest::ProcessMessages();  // and paint them
  ASSERT_EQ(Bar->GetButtonCount(), 2);
  EXPECT_GE(Bar->GetButton(0).Rect.Top, Bar->GetClientHeight()) << "beyond the window";
  EXPECT_EQ(Captions(), (TStrings{"123", "a-z"}));
  Bar->SetBorderWidth(0);
  vcltest::ProcessMessages();
  EXPECT_EQ(Bar->GetButton(0).Rect.Top, 0);
  EXPECT_GT(Bar->GetButton(0).Rect.Bottom, Bar->GetClientHeight()) << "a button far longer than the window";
}

TEST_F(ButtonsBarTest, ABarMadeInCodeHasNoButtonsUntilItsWindowGetsASize) {
  auto* Fresh = new TOstrelButtonsBar(Form);
  EXPECT_EQ(Fresh->GetButtonCount(), 0);
  Fresh->DrawButton(0, true);  // nothing to draw, and no window to draw on
  Fresh->SetParent(Form);
  Fresh->SetLeft(520);
  vcltest::ProcessMessages();
  EXPECT_EQ(Fresh->GetButtonCount(), 6);
}

}  // namespace
}  // namespace cardview_test
