// The progress bar, the status bar and the program-wide cursor on a real form: what a user
// sees of them, read from their surfaces and from Qt's cursor.

#include <QApplication>
#include <QCursor>

#include "ComCtrls.h"
#include "Harness.h"

using namespace vcl;
using namespace vcltest;

namespace {

class ProgressStatusTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(400, 200);
    Status = new TStatusBar(Form.get());
    Status->SetParent(Form.get());
    Bar = new TProgressBar(Form.get());
    Bar->SetBounds(10, 10, 102, 16);  // 100 pixels inside the frame
    Bar->SetParent(Form.get());
    ProcessMessages();
  }
  void TearDown() override {
    Screen->SetCursor(crDefault);
    Form.reset();
    THostTest::TearDown();
  }
  // The first column, from the leading edge, that is not filled.
  int FilledPixels() {
    int Filled = 0;
    while (Filled < 100 && PixelAt(Bar, 1 + Filled, 8) == ColorToRGB(clHighlight)) ++Filled;
    return Filled;
  }
  std::unique_ptr<TForm> Form;
  TStatusBar* Status = nullptr;
  TProgressBar* Bar = nullptr;
};

TEST_F(ProgressStatusTest, BarFillsInProportionAndClampsToItsRange) {
  struct TRow {
    int Min, Max, Position;
    int ExpectedPosition, ExpectedFilled;
  };
  const TRow Rows[] = {
      {0, 100, 0, 0, 0},     {0, 100, 37, 37, 37},   {0, 100, 100, 100, 100}, {0, 100, 250, 100, 100},
      {0, 100, -5, 0, 0},    {0, 1000, 500, 500, 50}, {-50, 50, 0, 0, 50},     {10, 10, 10, 10, 0},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(testing::Message() << Row.Min << ".." << Row.Max << " at " << Row.Position);
    Bar->SetMin(-1000);
    Bar->SetMax(Row.Max);
    Bar->SetMin(Row.Min);
    Bar->SetPosition(Row.Position);
    EXPECT_EQ(Bar->GetPosition(), Row.ExpectedPosition);
    EXPECT_EQ(FilledPixels(), Row.ExpectedFilled);
    EXPECT_EQ(Bar->GetFilledRect().Width(), Row.ExpectedFilled);
  }
}

TEST_F(ProgressStatusTest, NarrowerRangeMovesTheOtherEndAndThePosition) {
  Bar->SetPosition(80);
  Bar->SetMax(50);
  EXPECT_EQ(Bar->GetPosition(), 50);
  Bar->SetMin(70);
  EXPECT_EQ(Bar->GetMax(), 70) << "Max follows a Min set past it";
  EXPECT_EQ(Bar->GetPosition(), 70);
}

TEST_F(ProgressStatusTest, RightToLeftFillsFromTheRight) {
  Bar->SetBiDiMode(bdRightToLeft);
  Bar->SetPosition(25);
  ProcessMessages();
  EXPECT_EQ(PixelAt(Bar, 100, 8), ColorToRGB(clHighlight));
  EXPECT_NE(PixelAt(Bar, 1, 8), ColorToRGB(clHighlight));
  EXPECT_EQ(Bar->GetFilledRect().Left, 76);
}

TEST_F(ProgressStatusTest, StatusBarSitsAtTheBottomAndShowsItsText) {
  EXPECT_EQ(Status->GetBoundsRect(), (TRect{0, 200 - 19, 400, 200}));
  const auto TextPixels = [&] {
    int Count = 0;
    for (int X = 4; X < 200; ++X)
      for (int Y = 3; Y < 17; ++Y) Count += PixelAt(Status, X, Y) != ColorToRGB(clBtnFace);
    return Count;
  };
  EXPECT_EQ(TextPixels(), 0);
  Status->SetSimpleText("Opening contacts.vcf...");
  ProcessMessages();
  EXPECT_GT(TextPixels(), 20);
  Status->SetSimpleText("");
  ProcessMessages();
  EXPECT_EQ(TextPixels(), 0) << "the old text is gone";
}

TEST_F(ProgressStatusTest, ScreenCursorShowsOverEveryWindowUntilReset) {
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  Screen->SetCursor(crHourGlass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  Screen->SetCursor(crAppStart);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "no override left stacked";
  EXPECT_EQ(Screen->GetCursor(), crDefault);
}

}  // namespace
