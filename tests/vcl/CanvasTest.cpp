// Canvas pixels: fills, pattern frames, lines, focus rectangles and text.

#include "DrawingFixture.h"

using namespace vcl;
using namespace vcltest;

namespace {

class CanvasTest : public TDrawingFixture {};

TEST_F(CanvasTest, PaintStartsOnABackgroundErasedWithTheControlColour) {
  Probe->SetColor(clYellow);
  Probe->Update();
  EXPECT_EQ(At(0, 0), clYellow);
  EXPECT_EQ(At(199, 99), clYellow);
  EXPECT_EQ(At(200, 0), clNone);
}

TEST_F(CanvasTest, FillRectCoversExactlyItsRectangle) {
  Draw([](TCanvas* C) {
    C->GetBrush()->SetColor(clRed);
    C->FillRect(TRect{10, 10, 20, 15});
  });
  EXPECT_EQ(At(10, 10), clRed);
  EXPECT_EQ(At(19, 14), clRed);
  EXPECT_EQ(At(20, 14), clWhite);
  EXPECT_EQ(At(19, 15), clWhite);
  EXPECT_EQ(At(9, 10), clWhite);
}

TEST_F(CanvasTest, FrameRectWithTheFocusPatternPaintsACheckerboardFrame) {
  TBitmap Bitmap;
  Bitmap.LoadFromResourceName(HInstance, "FOCUS_BITMAP");
  TBrush FocusBrush;
  FocusBrush.SetHandle(CreatePatternBrush(Bitmap.GetHandle()));
  Draw([&](TCanvas* C) {
    C->GetFont()->SetColor(clBlack);
    C->SetBrush(&FocusBrush);
    C->FrameRect(TRect{10, 20, 30, 30});
  });
  for (int X = 10; X < 30; ++X) {
    EXPECT_EQ(At(X, 20), (X + 20) % 2 == 0 ? clBlack : clWhite) << X;
    EXPECT_EQ(At(X, 29), (X + 29) % 2 == 0 ? clBlack : clWhite) << X;
  }
  for (int Y = 20; Y < 30; ++Y) {
    EXPECT_EQ(At(10, Y), (10 + Y) % 2 == 0 ? clBlack : clWhite) << Y;
    EXPECT_EQ(At(29, Y), (29 + Y) % 2 == 0 ? clBlack : clWhite) << Y;
  }
  EXPECT_FALSE(Has(TRect{11, 21, 29, 29}, clBlack)) << "the inside stays untouched";
  EXPECT_FALSE(Has(TRect{30, 20, 32, 30}, clBlack)) << "right edge is exclusive";
}

TEST_F(CanvasTest, PatternColoursComeFromTheCanvasFontAndBrush) {
  TBitmap Bitmap;
  Bitmap.LoadFromResourceName(HInstance, "FOCUS_BITMAP");
  TBrush FocusBrush;
  FocusBrush.SetColor(clBlue);
  FocusBrush.SetHandle(CreatePatternBrush(Bitmap.GetHandle()));
  Draw([&](TCanvas* C) {
    C->GetFont()->SetColor(clRed);
    C->SetBrush(&FocusBrush);
    C->FillRect(TRect{0, 0, 4, 1});
  });
  EXPECT_EQ(At(0, 0), clRed);
  EXPECT_EQ(At(1, 0), clBlue);
  EXPECT_EQ(At(2, 0), clRed);
}

TEST_F(CanvasTest, SettingColourOrStyleTurnsAPatternBrushPlainAgain) {
  TBitmap Bitmap;
  Bitmap.LoadFromResourceName(HInstance, "FOCUS_BITMAP");
  TBrush FocusBrush;
  FocusBrush.SetHandle(CreatePatternBrush(Bitmap.GetHandle()));
  Draw([&](TCanvas* C) {
    C->GetFont()->SetColor(clRed);
    C->SetBrush(&FocusBrush);
    C->GetBrush()->SetColor(C->GetBrush()->GetColor());  // same colour, still a change of brush
    C->FillRect(TRect{0, 0, 4, 1});
    C->SetBrush(&FocusBrush);
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBlue);
    C->FillRect(TRect{0, 1, 4, 2});
  });
  EXPECT_NE(FocusBrush.GetHandle(), nullptr) << "the source brush keeps its pattern";
  for (int X = 0; X < 4; ++X) {
    EXPECT_EQ(At(X, 0), clWhite) << X;
    EXPECT_EQ(At(X, 1), clBlue) << X;
  }
}

TEST_F(CanvasTest, LineToLeavesItsEndPoint) {
  Draw([](TCanvas* C) {
    C->GetPen()->SetColor(clBlue);
    C->GetPen()->SetWidth(0);
    C->MoveTo(5, 50);
    C->LineTo(5, 60);
    C->MoveTo(40, 40);
    C->LineTo(50, 40);
  });
  EXPECT_EQ(At(5, 50), clBlue);
  EXPECT_EQ(At(5, 59), clBlue);
  EXPECT_EQ(At(5, 60), clWhite);
  EXPECT_EQ(At(40, 40), clBlue);
  EXPECT_EQ(At(49, 40), clBlue);
  EXPECT_EQ(At(50, 40), clWhite);
  EXPECT_EQ(Probe->GetCanvas()->GetPenPos(), (TPoint{50, 40}));
}

TEST_F(CanvasTest, DottedPenLeavesGaps) {
  Draw([](TCanvas* C) {
    C->GetPen()->SetColor(clBlack);
    C->GetPen()->SetStyle(psDot);
    C->MoveTo(0, 5);
    C->LineTo(12, 5);
  });
  EXPECT_EQ(At(0, 5), clBlack);
  EXPECT_EQ(At(2, 5), clBlack);
  EXPECT_EQ(At(3, 5), clWhite);
  EXPECT_EQ(At(6, 5), clBlack);
}

TEST_F(CanvasTest, DrawFocusRectInvertsDotsAndTwiceRestores) {
  Draw([](TCanvas* C) { C->DrawFocusRect(TRect{10, 10, 20, 20}); });
  EXPECT_EQ(At(10, 10), clBlack);
  EXPECT_EQ(At(11, 10), clWhite);
  EXPECT_EQ(At(12, 10), clBlack);
  Draw([](TCanvas* C) {
    C->DrawFocusRect(TRect{10, 10, 20, 20});
    C->DrawFocusRect(TRect{10, 10, 20, 20});
  });
  EXPECT_FALSE(Has(TRect{8, 8, 22, 22}, clBlack));
}

TEST_F(CanvasTest, DrawingOutsidePaintShowsAtOnceWithoutRunningPaint) {
  int Paints = 0;
  Draw([&](TCanvas*) { ++Paints; });
  const int Before = Paints;
  Probe->GetCanvas()->GetBrush()->SetColor(clLime);
  Probe->GetCanvas()->FillRect(TRect{0, 0, 5, 5});
  EXPECT_EQ(At(2, 2), clLime);
  EXPECT_EQ(Paints, Before);
}

TEST_F(CanvasTest, EmptyRectanglesStringsAndDetachedCanvasesDrawNothing) {
  Draw([](TCanvas* C) {
    C->GetBrush()->SetColor(clRed);
    C->FillRect(TRect{20, 20, 10, 30});
    C->FillRect(TRect{20, 20, 20, 30});
    C->FrameRect(TRect{5, 5, 5, 5});
    C->DrawFocusRect(TRect{30, 30, 29, 40});
    C->TextOut(10, 10, "");
    TRect R{10, 10, 10, 30};
    EXPECT_EQ(DrawText(C->GetHandle(), "text", -1, &R, 0), 0);
  });
  EXPECT_FALSE(Has(TRect{0, 0, 60, 60}, clRed));
  TCanvas Detached;
  Detached.FillRect(TRect{0, 0, 10, 10});
  Detached.LineTo(10, 10);
  EXPECT_EQ(Detached.GetPixel(0, 0), clNone);
  TRect R{0, 0, 50, 20};
  EXPECT_EQ(DrawText(reinterpret_cast<HDC>(&R), "text", -1, &R, 0), 0) << "not a device";
}

TEST_F(CanvasTest, TextGetsAnOpaqueBackgroundUnlessTheBrushIsClear) {
  Draw([](TCanvas* C) {
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetColor(clLime);
    C->TextOut(5, 5, "Mg");
    C->GetBrush()->SetStyle(bsClear);
    C->TextOut(5, 40, "Mg");
  });
  EXPECT_TRUE(Has(TRect{5, 5, 25, 20}, clLime));
  EXPECT_TRUE(Has(TRect{5, 5, 25, 20}, clBlack));
  EXPECT_FALSE(Has(TRect{5, 40, 25, 55}, clLime));
  EXPECT_TRUE(Has(TRect{5, 40, 25, 55}, clBlack));
}

// The columns of a row band that hold text colour.
std::vector<int> InkColumns(std::function<TColor(int, int)> At, int Top, int Bottom, int Width) {
  std::vector<int> Columns;
  for (int X = 0; X < Width; ++X)
    for (int Y = Top; Y < Bottom; ++Y)
      if (At(X, Y) == clBlack) {
        Columns.push_back(X);
        break;
      }
  return Columns;
}

TEST_F(CanvasTest, EndEllipsisShowsTheFittingStartFollowedByThreeDots) {
  const AnsiString Text = "Wonderful long caption";
  int Fitting = 0;
  Draw([&](TCanvas* C) {
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsClear);
    TRect R{0, 0, 60, 20};
    DrawText(C->GetHandle(), Text.c_str(), -1, &R, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    // The longest start that leaves room for the dots, drawn plainly below.
    for (std::size_t N = Text.size(); N > 0; --N)
      if (C->TextWidth(Text.substr(0, N) + "...") <= 60) {
        Fitting = static_cast<int>(N);
        break;
      }
    TRect Plain{0, 40, 200, 60};
    const AnsiString Expected = Text.substr(0, static_cast<std::size_t>(Fitting)) + "...";
    DrawText(C->GetHandle(), Expected.c_str(), -1, &Plain, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  });
  ASSERT_GT(Fitting, 0);
  ASSERT_LT(Fitting, static_cast<int>(Text.size()));
  auto Pixel = [this](int X, int Y) { return At(X, Y); };
  const auto Ellipsis = InkColumns(Pixel, 0, 20, 200);
  const auto Expected = InkColumns(Pixel, 40, 60, 200);
  EXPECT_FALSE(Ellipsis.empty());
  EXPECT_EQ(Ellipsis, Expected);
  EXPECT_LT(Ellipsis.back(), 60);
}

TEST_F(CanvasTest, NoPrefixShowsAnAmpersandLiterally) {
  Draw([](TCanvas* C) {
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsClear);
    TRect Literal{0, 0, 200, 20};
    DrawText(C->GetHandle(), "A&B", -1, &Literal, DT_SINGLELINE | DT_NOPREFIX);
    TRect Doubled{0, 40, 200, 60};
    DrawText(C->GetHandle(), "A&&B", -1, &Doubled, DT_SINGLELINE);
    TRect Without{0, 70, 200, 90};
    DrawText(C->GetHandle(), "AB", -1, &Without, DT_SINGLELINE | DT_NOPREFIX);
  });
  auto Pixel = [this](int X, int Y) { return At(X, Y); };
  EXPECT_EQ(InkColumns(Pixel, 0, 20, 200), InkColumns(Pixel, 40, 60, 200));
  EXPECT_GT(InkColumns(Pixel, 0, 20, 200).back(), InkColumns(Pixel, 70, 90, 200).back());
}

TEST_F(CanvasTest, CenteredAndRightAlignedTextAndMeasuring) {
  TCanvas* C = Probe->GetCanvas();
  TRect Calc{0, 0, 0, 0};
  EXPECT_EQ(DrawText(C->GetHandle(), "Hello", -1, &Calc, DT_CALCRECT | DT_SINGLELINE), C->TextHeight("Hello"));
  EXPECT_EQ(Calc.Width(), C->TextWidth("Hello"));
  TRect Wrapped{0, 0, C->TextWidth("Hello") + 2, 0};
  DrawText(C->GetHandle(), "Hello Hello Hello", -1, &Wrapped, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(Wrapped.Height(), 3 * C->TextHeight("Hello"));
  const int W = C->TextWidth("Hi");
  Draw([](TCanvas* Canvas) {
    Canvas->GetFont()->SetColor(clBlack);
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect Right{0, 0, 200, 20};
    DrawText(Canvas->GetHandle(), "Hi", -1, &Right, DT_SINGLELINE | DT_RIGHT);
    TRect Center{0, 40, 200, 60};
    DrawText(Canvas->GetHandle(), "Hi", -1, &Center, DT_SINGLELINE | DT_CENTER);
  });
  auto Pixel = [this](int X, int Y) { return At(X, Y); };
  const auto Right = InkColumns(Pixel, 0, 20, 200);
  const auto Center = InkColumns(Pixel, 40, 60, 200);
  ASSERT_FALSE(Right.empty());
  ASSERT_FALSE(Center.empty());
  EXPECT_GE(Right.front(), 200 - W);
  EXPECT_GE(Center.front(), (200 - W) / 2);
  EXPECT_LT(Center.back(), (200 + W) / 2 + 1);
}

TEST_F(CanvasTest, MissingFontFamilyFallsBackToSansAtTheSamePixelHeight) {
  TCanvas* C = Probe->GetCanvas();
  C->GetFont()->SetName("No Such Family At All");
  C->GetFont()->SetHeight(-20);
  const int Missing = C->TextHeight("Mg");
  C->GetFont()->SetName("Sans Serif");
  EXPECT_EQ(Missing, C->TextHeight("Mg"));
  C->GetFont()->SetHeight(-11);
  EXPECT_LT(C->TextHeight("Mg"), Missing);
}

}  // namespace
