// Drawings of one paint on one surface: their order, partial repaints, a resize in the
// middle of a paint, windowless children, hatches and straight lines.

#include <QImage>
#include <vector>

#include "DrawingFixture.h"
#include "QtEmbedding.h"

using namespace vcl;
using namespace vcltest;

namespace {

// A windowless child that draws what the test asks for.
class TPaintBox : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  std::function<void(TCanvas*)> OnPaint;

protected:
  void Paint() override {
    if (OnPaint) OnPaint(GetCanvas());
  }
};

class PaintCycleTest : public TDrawingFixture {
protected:
  static void BlackText(TCanvas* C, int Height = -20) {
    C->GetFont()->SetColor(clBlack);
    C->GetFont()->SetHeight(Height);
    C->GetBrush()->SetStyle(bsClear);
  }
};

TEST_F(PaintCycleTest, FillsAndTextsLayerInTheOrderTheyAreMade) {
  Draw([](TCanvas* C) {
    C->GetBrush()->SetColor(clRed);
    C->FillRect(TRect{0, 0, 120, 30});
    BlackText(C);
    C->TextOut(2, 2, "MMMMMMMM");
    C->GetBrush()->SetColor(clLime);
    C->FillRect(TRect{0, 0, 20, 30});
    BlackText(C);
    C->TextOut(2, 40, "MMMMMMMM");
  });
  EXPECT_EQ(Count(TRect{0, 0, 20, 30}, clLime), 20 * 30) << "the later fill covers the text";
  EXPECT_GT(Count(TRect{20, 0, 120, 30}, clBlack), 0) << "text lies on the earlier fill";
  EXPECT_GT(Count(TRect{20, 0, 120, 30}, clRed), 0);
  EXPECT_GT(Count(TRect{0, 40, 120, 70}, clBlack), 0);
}

TEST_F(PaintCycleTest, APartialRepaintChangesOnlyTheInvalidRectangles) {
  Draw([](TCanvas* C) {
    C->GetBrush()->SetColor(clBlue);
    C->FillRect(TRect{0, 0, 200, 100});
  });
  Probe->OnPaint = [](TCanvas* C) {
    C->GetBrush()->SetColor(clRed);
    C->FillRect(TRect{0, 0, 200, 100});
    BlackText(C, -40);
    C->TextOut(0, 0, "MMMMMMMMMMMMMMM");
    C->GetPen()->SetWidth(5);
    C->MoveTo(0, 60);
    C->LineTo(200, 60);
  };
  const TRect First{10, 10, 30, 30}, Second{100, 50, 150, 70};
  InvalidateRect(Probe->GetHandle(), &First, true);
  InvalidateRect(Probe->GetHandle(), &Second, true);
  Probe->Update();
  EXPECT_EQ(Count(First, clBlue), 0);
  EXPECT_GT(Count(First, clBlack), 0) << "text reaches into the first rectangle";
  EXPECT_EQ(Count(Second, clBlue), 0);
  EXPECT_EQ(Count(TRect{0, 0, 10, 100}, clBlue), 10 * 100) << "left of both rectangles";
  EXPECT_EQ(Count(TRect{30, 0, 100, 100}, clBlue), 70 * 100) << "between them";
  EXPECT_EQ(Count(TRect{150, 0, 200, 100}, clBlue), 50 * 100) << "right of both";
  EXPECT_EQ(Count(TRect{100, 70, 150, 100}, clBlue), 50 * 30) << "below the second";
}

TEST_F(PaintCycleTest, RectVisibleAnswersForTheInvalidRectanglesOnly) {
  Draw([](TCanvas*) {});
  struct TRow {
    TRect Asked;
    bool Visible;
    const char* Why;
  };
  const TRow Rows[] = {
      {{10, 10, 30, 30}, true, "the first rectangle itself"},
      {{0, 0, 11, 11}, true, "one pixel of the first"},
      {{0, 0, 10, 10}, false, "touching its corner from outside"},
      {{30, 10, 100, 50}, false, "between the two rectangles, within their bounds"},
      {{149, 69, 300, 300}, true, "the last pixel of the second"},
      {{150, 70, 300, 300}, false, "right of and below the second"},
      {{20, 20, 20, 40}, false, "an empty rectangle"},
  };
  std::vector<std::pair<const char*, bool>> Answers;
  Probe->OnPaint = [&](TCanvas* C) {
    for (const TRow& Row : Rows) Answers.emplace_back(Row.Why, RectVisible(C->GetHandle(), &Row.Asked));
  };
  const TRect First{10, 10, 30, 30}, Second{100, 50, 150, 70};
  InvalidateRect(Probe->GetHandle(), &First, true);
  InvalidateRect(Probe->GetHandle(), &Second, true);
  Probe->Update();
  ASSERT_EQ(Answers.size(), std::size(Rows));
  for (std::size_t I = 0; I < Answers.size(); ++I) EXPECT_EQ(Answers[I].second, Rows[I].Visible) << Answers[I].first;
  TCanvas Unattached;
  const TRect Any{0, 0, 10, 10};
  EXPECT_FALSE(RectVisible(Unattached.GetHandle(), &Any)) << "a canvas with nothing to draw on";
}

// Stripes 10 pixels wide, their colour by their place in the content (Offset pixels of it
// lie left of the probe), so that what a scroll moves can be told apart.
void Stripes(TCanvas* C, int Offset) {
  const TColor Colors[] = {clRed, clLime, clBlue, clYellow};
  for (int X = -Offset % 10 - 10; X < 200; X += 10) {
    C->GetBrush()->SetColor(Colors[((X + Offset) / 10 % 4 + 4) % 4]);
    C->FillRect(TRect{X, 0, X + 10, 100});
  }
}

TEST_F(PaintCycleTest, ScrollWindowExMovesThePixelsAndPaintsOnlyWhatItUncovers) {
  struct TRow {
    int Dx, Dy;
    TRect Uncovered;
  };
  const TRow Rows[] = {{-30, 0, {170, 0, 200, 100}}, {25, 0, {0, 0, 25, 100}}, {0, -7, {0, 93, 200, 100}}};
  for (const TRow& Row : Rows) {
    int Offset = 40;
    Draw([&](TCanvas* C) { Stripes(C, Offset); });
    std::vector<TRect> Painted;
    Probe->OnPaint = [&](TCanvas* C) {
      Painted.push_back(C->GetClipRect());
      Stripes(C, Offset);
    };
    TRect Update{};
    Offset -= Row.Dx;
    const int Kind = ScrollWindowEx(Probe->GetHandle(), Row.Dx, Row.Dy, nullptr, nullptr, nullptr, &Update, SW_INVALIDATE);
    EXPECT_EQ(Kind, SIMPLEREGION);
    EXPECT_EQ(Update, Row.Uncovered);
    Probe->Update();
    ASSERT_EQ(Painted.size(), 1u);
    EXPECT_EQ(Painted[0], Row.Uncovered) << "only the uncovered part is painted";
    if (Row.Dy != 0) continue;
    // Moved and newly painted pixels together show the content at its new offset.
    const QImage Scrolled = ControlSurface(Probe.get());
    Draw([&](TCanvas* C) { Stripes(C, Offset); });
    EXPECT_TRUE(Scrolled == ControlSurface(Probe.get())) << "scrolled by " << Row.Dx;
  }
  EXPECT_EQ(ScrollWindowEx(nullptr, 5, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE), 0) << "no window";
}

TEST_F(PaintCycleTest, AnInvalidAreaMovesWithTheScroll) {
  Draw([](TCanvas* C) { Stripes(C, 0); });
  std::vector<TRect> Painted;
  Probe->OnPaint = [&](TCanvas* C) { Painted.push_back(C->GetClipRect()); };
  const TRect Pending{50, 10, 60, 20};
  InvalidateRect(Probe->GetHandle(), &Pending, true);
  ScrollWindowEx(Probe->GetHandle(), -20, 0, nullptr, nullptr, nullptr, nullptr, 0);
  Probe->Update();
  ASSERT_EQ(Painted.size(), 1u);
  EXPECT_EQ(Painted[0], (TRect{30, 10, 40, 20})) << "without SW_INVALIDATE the strip stays as it was";
}

TEST_F(PaintCycleTest, AResizeInsideAPaintLeavesLaterDrawingsOnTheNewSurface) {
  bool Resized = false;
  TColor Fill = clNone;
  bool TextShown = false;
  Probe->OnPaint = [&](TCanvas* C) {
    BlackText(C);
    C->TextOut(0, 0, "Before");
    if (Resized) return;
    Resized = true;
    Probe->SetBounds(0, 0, 150, 80);
    C->GetBrush()->SetColor(clLime);
    C->FillRect(TRect{0, 0, 5, 5});
    Fill = C->GetPixel(2, 2);
    BlackText(C);
    C->TextOut(10, 40, "MMMM");
    for (int Y = 40; Y < 60 && !TextShown; ++Y)
      for (int X = 10; X < 60 && !TextShown; ++X) TextShown = C->GetPixel(X, Y) == clBlack;
  };
  Probe->Repaint();
  EXPECT_TRUE(Resized);
  EXPECT_EQ(Fill, clLime);
  EXPECT_TRUE(TextShown);
  ProcessMessages();
  EXPECT_EQ(At(149, 79), clWhite);
  EXPECT_EQ(At(150, 0), clNone);
}

TEST_F(PaintCycleTest, TextDrawnOutsidePaintShowsAtOnce) {
  int Paints = 0;
  Draw([&](TCanvas*) { ++Paints; });
  const int Before = Paints;
  BlackText(Probe->GetCanvas());
  Probe->GetCanvas()->TextOut(5, 5, "MMMM");
  EXPECT_GT(Count(TRect{5, 5, 60, 30}, clBlack), 0);
  EXPECT_EQ(Paints, Before);
  Probe->Repaint();
  EXPECT_EQ(Count(TRect{5, 5, 60, 30}, clBlack), 0) << "a repaint erases it";
}

TEST_F(PaintCycleTest, AWindowlessChildDrawsInItsOwnPlaceAndBounds) {
  auto* Box = new TPaintBox(Probe.get());
  Box->SetBounds(50, 30, 60, 30);
  Box->SetParent(Probe.get());
  Box->OnPaint = [](TCanvas* C) {
    C->GetBrush()->SetColor(clYellow);
    C->FillRect(TRect{-100, -100, 1000, 1000});
    BlackText(C);
    C->TextOut(0, 0, "MMMMMMMMMMMM");
    C->GetPen()->SetColor(clBlue);
    C->GetPen()->SetWidth(3);
    C->MoveTo(0, 25);
    C->LineTo(200, 25);
  };
  Probe->Repaint();
  EXPECT_EQ(Count(TRect{0, 0, 200, 100}, clYellow) + Count(TRect{0, 0, 200, 100}, clBlack) +
                Count(TRect{0, 0, 200, 100}, clBlue),
            60 * 30)
      << "everything inside the child's bounds";
  EXPECT_GT(Count(TRect{50, 30, 110, 50}, clBlack), 0);
  EXPECT_EQ(At(55, 55), clBlue);
  EXPECT_EQ(At(109, 55), clBlue);
  EXPECT_EQ(At(110, 55), clWhite);
  EXPECT_EQ(At(49, 30), clWhite);
}

TEST_F(PaintCycleTest, HatchedBrushesColourOnlyTheirLines) {
  Draw([](TCanvas* C) {
    C->GetBrush()->SetColor(clRed);
    C->GetBrush()->SetStyle(bsHorizontal);
    C->FillRect(TRect{0, 0, 16, 16});
    C->GetBrush()->SetStyle(bsCross);
    C->FillRect(TRect{20, 0, 36, 16});
  });
  for (int Y = 0; Y < 16; ++Y) EXPECT_EQ(Count(TRect{0, Y, 16, Y + 1}, clRed), Y % 8 == 4 ? 16 : 0) << Y;
  EXPECT_EQ(At(20, 0), clRed) << "the vertical lines of the cross, at canvas x 20 and 28";
  EXPECT_EQ(At(28, 0), clRed);
  EXPECT_EQ(At(21, 0), clWhite);
  EXPECT_EQ(Count(TRect{20, 4, 36, 5}, clRed), 16);
}

TEST_F(PaintCycleTest, StraightLinesInEveryDirectionStopBeforeTheirEnd) {
  Draw([](TCanvas* C) {
    C->GetPen()->SetColor(clBlue);
    C->MoveTo(50, 10);
    C->LineTo(40, 10);  // leftwards
    C->MoveTo(60, 30);
    C->LineTo(60, 20);  // upwards
    C->MoveTo(80, 80);
    C->LineTo(80, 80);  // nothing
    C->GetPen()->SetMode(pmXor);
    C->GetPen()->SetColor(clWhite);
    C->MoveTo(100, 50);
    C->LineTo(110, 50);
  });
  EXPECT_EQ(Count(TRect{41, 10, 51, 11}, clBlue), 10);
  EXPECT_EQ(At(40, 10), clWhite);
  EXPECT_EQ(Count(TRect{60, 21, 61, 31}, clBlue), 10);
  EXPECT_EQ(At(60, 20), clWhite);
  EXPECT_EQ(At(80, 80), clWhite);
  EXPECT_EQ(Count(TRect{100, 50, 110, 51}, clBlack), 10) << "xor with white turns white black";
  EXPECT_EQ(At(110, 50), clWhite);
}

}  // namespace
