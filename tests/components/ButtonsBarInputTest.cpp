// Pressing the letter index bar's buttons with the mouse: the sunken look follows the
// pointer, a release inside clicks, and a click moves the linked card view.

#include <algorithm>

#include "ButtonsBarFixture.h"

namespace cardview_test {
namespace {

using TStrings = std::vector<std::string>;

class ButtonsBarInputTest : public ButtonsBarTest {
protected:
  void SetUp() override {
    ButtonsBarTest::SetUp();
    for (const char* Text : {"007 Agent", "Adams", "Baker", "Fox", "Nolan", "Zed"}) AddCard(Text, 1);
    RecordEvents();
  }

  // "raised" or "sunken" from the four edges of a button, "face" when an edge shows the
  // button colour instead.
  std::string Look(int Index) {
    const TRect R = Bar->GetButton(Index).Rect;
    const int MidX = (R.Left + R.Right) / 2, MidY = (R.Top + R.Bottom) / 2;
    const TColor Top = vcltest::PixelAt(Bar, MidX, R.Top), Left = vcltest::PixelAt(Bar, R.Left, MidY);
    const TColor Bottom = vcltest::PixelAt(Bar, MidX, R.Bottom - 1), Right = vcltest::PixelAt(Bar, R.Right - 1, MidY);
    const TColor Light = ColorToRGB(clBtnHighlight), Dark = ColorToRGB(clBtnShadow);
    if (Top == Light && Left == Light && Bottom == Dark && Right == Dark) return "raised";
    if (Top == Dark && Left == Dark && Bottom == Light && Right == Light) return "sunken";
    return "face";
  }
  TStrings Looks() {
    TStrings Result;
    for (int I = 0; I < Bar->GetButtonCount(); ++I) Result.push_back(Look(I));
    return Result;
  }
  // The smallest rectangle of dark (text) pixels inside a button's edges.
  TRect TextExtent(int Index) {
    TRect R = Bar->GetButton(Index).Rect;
    InflateRect(R, -2, -2);
    TRect E{R.Right, R.Bottom, R.Left, R.Top};
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X)
        if ((vcltest::PixelAt(Bar, X, Y) & 0xFF) < 100) {
          E = TRect{std::min(E.Left, X), std::min(E.Top, Y), std::max(E.Right, X + 1), std::max(E.Bottom, Y + 1)};
        }
    return E;
  }
};

TEST_F(ButtonsBarInputTest, TheSunkenLookFollowsThePointerAndOnlyAReleaseInsideClicks) {
  const TPoint In = Centre(1), OnOther = Centre(2), Gap{30, 27}, Away{300, 40};
  struct TStep {
    char Action;  // d(own), m(ove), u(p)
    TPoint At;
    const char* Look;  // of button 1
    TStrings Log;
  };
  struct TScenario {
    const char* Name;
    std::vector<TStep> Steps;
  };
  const TScenario Scenarios[] = {
      {"click", {{'d', In, "sunken", {"down"}}, {'u', In, "raised", {"up", "click 1 a-e", "select Adams"}}}},
      {"leave and come back",
       {{'d', In, "sunken", {"down"}},
        {'m', Gap, "raised", {}},
        {'m', Away, "raised", {}},
        {'m', In, "sunken", {}},
        {'u', In, "raised", {"up", "click 1 a-e"}}}},  // Adams is selected already
      {"leave and release outside",
       {{'d', In, "sunken", {"down"}}, {'m', OnOther, "raised", {}}, {'u', OnOther, "raised", {"up"}}}},
      {"release elsewhere without a move", {{'d', In, "sunken", {"down"}}, {'u', OnOther, "raised", {"up"}}}},
      {"release inside without a move back",
       {{'d', In, "sunken", {"down"}}, {'m', Away, "raised", {}}, {'u', In, "raised", {"up", "click 1 a-e"}}}},
      {"press in a gap", {{'d', Gap, "raised", {"down"}}, {'m', In, "raised", {}}, {'u', In, "raised", {"up"}}}},
      {"right button", {{'d', In, "raised", {"down"}}, {'u', In, "raised", {"up"}}}},
  };
  for (const TScenario& S : Scenarios) {
    SCOPED_TRACE(S.Name);
    const TMouseButton Button = std::string(S.Name) == "right button" ? mbRight : mbLeft;
    for (const TStep& Step : S.Steps) {
      SCOPED_TRACE(std::string(1, Step.Action) + " at " + std::to_string(Step.At.X) + "," + std::to_string(Step.At.Y));
      if (Step.Action == 'd') vcltest::MouseDown(Bar, Step.At.X, Step.At.Y, Button);
      if (Step.Action == 'm') vcltest::MouseMove(Bar, Step.At.X, Step.At.Y);
      if (Step.Action == 'u') vcltest::MouseUp(Bar, Step.At.X, Step.At.Y, Button);
      EXPECT_EQ(Look(1), Step.Look);
      EXPECT_EQ(Look(2), "raised");
      EXPECT_EQ(TakeLog(), Step.Log);
    }
  }
}

TEST_F(ButtonsBarInputTest, EachButtonSendsItsFirstLetterToTheCardView) {
  struct TRow {
    int Button;
    const char* Click;
    const char* Selected;
  };
  const TRow Rows[] = {
      {2, "click 2 f-j", "Fox"},
      {0, "click 0 123", "Adams"},  // "1": the first initial not below it; "007" is below
      {5, "click 5 v-z", "Zed"},
      {4, "click 4 q-u", "Zed"},  // no initial from q to u: the next card after them
  };
  for (const TRow& Row : Rows) {
    const TPoint P = Centre(Row.Button);
    vcltest::Click(Bar, P.X, P.Y);
    const TStrings Log = TakeLog();
    ASSERT_GE(Log.size(), 3u) << Row.Click;
    EXPECT_EQ(Log[2], Row.Click);
    ASSERT_NE(View->GetSelected(), nullptr);
    EXPECT_EQ(View->GetSelected()->GetText(), Row.Selected);
    EXPECT_EQ(View->GetItemFocused(), View->GetSelected());
  }
}

TEST_F(ButtonsBarInputTest, ADoubleClickClicksTwice) {
  const TPoint P = Centre(3);
  vcltest::DoubleClick(Bar, P.X, P.Y);
  EXPECT_EQ(TakeLog(), (TStrings{"down", "up", "click 3 k-p", "select Nolan", "down", "up", "click 3 k-p"}));
}

TEST_F(ButtonsBarInputTest, APressedCaptionShiftsOnePixelAndARepaintDrawsEveryButtonRaised) {
  const TRect Raised = TextExtent(1);
  ASSERT_LT(Raised.Left, Raised.Right) << "no caption drawn";
  vcltest::MouseDown(Bar, Centre(1).X, Centre(1).Y);
  TRect Pressed = TextExtent(1);
  OffsetRect(Pressed, -1, -1);
  EXPECT_EQ(Pressed, Raised);

  Bar->Invalidate();
  vcltest::ProcessMessages();
  EXPECT_EQ(Looks(), TStrings(6, "raised"));
  vcltest::MouseUp(Bar, Centre(1).X, Centre(1).Y);
  EXPECT_EQ(TakeLog(), (TStrings{"down", "up", "click 1 a-e", "select Adams"}));
}

TEST_F(ButtonsBarInputTest, ButtonColourRepaintsTheFaces) {
  Bar->SetButtonColor(clYellow);
  const TRect R = Bar->GetButton(4).Rect;
  EXPECT_EQ(vcltest::PixelAt(Bar, R.Left + 1, R.Top + 1), ColorToRGB(clYellow));
  EXPECT_EQ(vcltest::PixelAt(Bar, R.Left + 1, R.Top - 1), ColorToRGB(Bar->GetColor())) << "between buttons";
  EXPECT_EQ(Look(4), "raised");
}

TEST_F(ButtonsBarInputTest, WithoutACardViewAClickOnlyFiresOnButtonClick) {
  Bar->SetOstrel(nullptr);
  vcltest::Click(Bar, Centre(2).X, Centre(2).Y);
  EXPECT_EQ(TakeLog(), (TStrings{"down", "up", "click 2 f-j"}));
  EXPECT_EQ(View->GetSelected(), nullptr);
}

// Run under AddressSanitizer, these show that nothing of a freed bar or card view is read.
TEST_F(ButtonsBarInputTest, OnButtonClickMayDestroyTheBarOrTheCardView) {
  Bar->SetOnButtonClick([this](TObject*, int, AnsiString Caption) {
    Log.push_back("click " + Caption);
    delete View;
    View = nullptr;
    Log.push_back("still " + Caption);
  });
  vcltest::Click(Bar, Centre(2).X, Centre(2).Y);
  EXPECT_EQ(TakeLog(), (TStrings{"down", "up", "click f-j", "still f-j"}));
  EXPECT_EQ(Bar->GetOstrel(), nullptr);

  Bar->SetOnButtonClick([this](TObject*, int, AnsiString Caption) {
    delete Bar;
    Bar = nullptr;
    Log.push_back("after " + Caption);
  });
  vcltest::Click(Bar, Centre(2).X, Centre(2).Y);
  vcltest::ProcessMessages();
  EXPECT_EQ(TakeLog(), (TStrings{"down", "up", "after f-j"}));
  EXPECT_EQ(Form->GetControlCount(), 0);
}

TEST_F(ButtonsBarInputTest, TheCardViewsOnChangeMayDestroyTheBar) {
  View->SetOnChange([this](TObject*, TOstrelItem* Item) {
    delete Bar;
    Bar = nullptr;
    Log.push_back("select " + Item->GetText());
  });
  const TPoint P = Centre(4);
  vcltest::Click(Bar, P.X, P.Y);
  EXPECT_EQ(TakeLog(), (TStrings{"down", "up", "click 4 q-u", "select Zed"}));
  EXPECT_EQ(Bar, nullptr);
}

}  // namespace
}  // namespace cardview_test
