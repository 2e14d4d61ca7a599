// The horizontal scroll bar: Win32's show rule, client height, WM_SIZE and no echo.

#include <QScrollBar>

#include "Harness.h"
#include "Probe.h"
#include "QtEmbedding.h"

using namespace vcl;
using namespace vcltest;

namespace {

class TScrollProbe : public TProbe {
public:
  using TProbe::TProbe;

protected:
  void CreateParams(TCreateParams& Params) override {
    TProbe::CreateParams(Params);
    Params.Style |= WS_HSCROLL;
  }
};

class ScrollBarTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(300, 200);
    // The parent comes after construction, so that the window gets the derived styles.
    Probe = std::make_unique<TScrollProbe>(nullptr, nullptr, TRect{0, 0, 200, 100});
    Probe->SetParent(Form.get());
  }
  void TearDown() override {
    Probe.reset();
    Form.reset();
    THostTest::TearDown();
  }
  int Set(int Min, int Max, unsigned Page) {
    SCROLLINFO Info;
    Info.fMask = SIF_RANGE | SIF_PAGE;
    Info.nMin = Min;
    Info.nMax = Max;
    Info.nPage = Page;
    return SetScrollInfo(Probe->GetHandle(), SB_HORZ, &Info, true);
  }
  bool BarShown() { return Probe->GetClientHeight() < 100; }
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TScrollProbe> Probe;
};

struct TShowCase {
  int Min, Max;
  unsigned Page;
  bool Shown;
};

TEST_F(ScrollBarTest, ShownExactlyWhileThePageLeavesPartOfTheRangeUncovered) {
  const TShowCase Cases[] = {
      {0, 0, 0, false},     {0, 1, 0, true},      {0, 200, 201, false}, {0, 200, 200, true},
      {0, 348, 301, true},  {0, 300, 301, false}, {10, 20, 11, false},  {10, 20, 10, true},
      {0, 0, 1, false},
  };
  for (const TShowCase& C : Cases) {
    Set(C.Min, C.Max, C.Page);
    EXPECT_EQ(BarShown(), C.Shown) << C.Min << ".." << C.Max << " page " << C.Page;
  }
}

TEST_F(ScrollBarTest, ShowingAndHidingTheBarChangesTheClientHeightAndSendsWMSize) {
  Probe->SizeMessages.clear();
  Set(0, 500, 201);
  const int BarHeight = 100 - Probe->GetClientHeight();
  EXPECT_GT(BarHeight, 0);
  ASSERT_EQ(Probe->SizeMessages.size(), 1u);
  EXPECT_EQ(Probe->SizeMessages[0], std::make_pair(200, 100 - BarHeight));
  Set(0, 500, 400);  // still shown: no new size
  EXPECT_EQ(Probe->SizeMessages.size(), 1u);
  Set(0, 0, 201);
  EXPECT_EQ(Probe->GetClientHeight(), 100);
  ASSERT_EQ(Probe->SizeMessages.size(), 2u);
  EXPECT_EQ(Probe->SizeMessages[1], std::make_pair(200, 100));
}

TEST_F(ScrollBarTest, PositionIsClampedAndSettingItSendsNoScrollMessage) {
  Set(0, 348, 301);
  SCROLLINFO Pos;
  Pos.fMask = SIF_POS;
  Pos.nPos = 1000;
  EXPECT_EQ(SetScrollInfo(Probe->GetHandle(), SB_HORZ, &Pos, true), 48);
  EXPECT_EQ(GetScrollPos(Probe->GetHandle(), SB_HORZ), 48);
  Pos.nPos = -5;
  EXPECT_EQ(SetScrollInfo(Probe->GetHandle(), SB_HORZ, &Pos, true), 0);
  SCROLLINFO Read;
  Read.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Probe->GetHandle(), SB_HORZ, &Read));
  EXPECT_EQ(Read.nMin, 0);
  EXPECT_EQ(Read.nMax, 348);
  EXPECT_EQ(Read.nPage, 301u);
  EXPECT_EQ(Read.nPos, 0);
  ProcessMessages();
  EXPECT_TRUE(Probe->Scrolls.empty());
}

TEST_F(ScrollBarTest, ARangeSetAloneShrinksALargerPageAndMovesThePositionIn) {
  Set(0, 500, 201);
  SCROLLINFO Pos;
  Pos.fMask = SIF_POS;
  Pos.nPos = 250;
  ASSERT_EQ(SetScrollInfo(Probe->GetHandle(), SB_HORZ, &Pos, true), 250);
  SCROLLINFO Range;
  Range.fMask = SIF_RANGE;
  Range.nMin = 0;
  Range.nMax = 99;
  EXPECT_EQ(SetScrollInfo(Probe->GetHandle(), SB_HORZ, &Range, true), 0);
  SCROLLINFO Read;
  Read.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Probe->GetHandle(), SB_HORZ, &Read));
  EXPECT_EQ(Read.nPage, 100u);  // never more than the range holds
  EXPECT_EQ(Read.nPos, 0);
  EXPECT_FALSE(BarShown());
  // Growing the range again keeps the shrunk page: the bar is needed at once.
  Range.nMax = 500;
  SetScrollInfo(Probe->GetHandle(), SB_HORZ, &Range, true);
  ASSERT_TRUE(GetScrollInfo(Probe->GetHandle(), SB_HORZ, &Read));
  EXPECT_EQ(Read.nPage, 100u);
  EXPECT_TRUE(BarShown());
}

TEST_F(ScrollBarTest, UserActionsBecomeScrollMessagesAndTheBarWaitsForTheProgram) {
  Set(0, 348, 301);
  auto* Bar = ControlWidget(Probe.get())->findChild<QScrollBar*>();
  ASSERT_NE(Bar, nullptr);
  Bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  Bar->triggerAction(QAbstractSlider::SliderToMaximum);
  ASSERT_EQ(Probe->Scrolls.size(), 2u);
  EXPECT_EQ(Probe->Scrolls[0].first, SB_LINERIGHT);
  EXPECT_EQ(Probe->Scrolls[1].first, SB_RIGHT);
  EXPECT_EQ(GetScrollPos(Probe->GetHandle(), SB_HORZ), 0);
  EXPECT_EQ(Bar->value(), 0);
}

TEST_F(ScrollBarTest, CallsOnAWindowWithoutTheBarFail) {
  TProbe Plain(nullptr, Form.get());
  SCROLLINFO Info;
  Info.fMask = SIF_ALL;
  EXPECT_EQ(SetScrollInfo(Plain.GetHandle(), SB_HORZ, &Info, true), 0);
  EXPECT_FALSE(GetScrollInfo(Plain.GetHandle(), SB_HORZ, &Info));
  EXPECT_FALSE(GetScrollInfo(Probe->GetHandle(), SB_VERT, &Info));
  EXPECT_FALSE(GetScrollInfo(Probe->GetHandle(), SB_HORZ, nullptr));
}

}  // namespace
