// Drawing on surfaces kept at the screen's device pixel ratio (this program runs under
// QT_SCALE_FACTOR above 1): coordinates stay the classic logical pixels, a one-pixel line
// is the same whole number of device pixels wherever it lies, areas cover exactly their
// scaled device pixels, text is finer than a doubled picture, and the focus frame's
// checkerboard keeps its one-logical-pixel rhythm.

#include <QGuiApplication>
#include <QImage>
#include <cmath>

#include "DrawingFixture.h"
#include "QtEmbedding.h"

using namespace vcl;
using namespace vcltest;

namespace {

class ScaledDrawingTest : public TDrawingFixture {
protected:
  QImage Surface() { return ControlSurface(Probe.get()); }
  qreal Ratio() { return Surface().devicePixelRatio(); }
  // Where a logical pixel boundary lands, and which device pixel shows a logical pixel's centre.
  int Edge(int Logical) { return static_cast<int>(std::floor(Logical * Ratio() + 0.5)); }
  int Centre(int Logical) { return static_cast<int>(std::floor((Logical + 0.5) * Ratio())); }
  int LineWidth() { return std::max(1, static_cast<int>(std::lround(Ratio()))); }
  static bool Dark(QRgb C) { return qGray(C) < 128; }
  // The dark device pixels of Image inside Area.
  static QRect DarkBounds(const QImage& Image, const QRect& Area, int* Count = nullptr) {
    QRect Bounds;
    int N = 0;
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
      for (int X = Area.left(); X <= Area.right(); ++X)
        if (Image.valid(X, Y) && Dark(Image.pixel(X, Y))) {
          Bounds |= QRect(X, Y, 1, 1);
          ++N;
        }
    if (Count) *Count = N;
    return Bounds;
  }
  QRect Device(const TRect& R) { return QRect(QPoint(Edge(R.Left), Edge(R.Top)), QPoint(Edge(R.Right) - 1, Edge(R.Bottom) - 1)); }
  // The whole probe, in device pixels.
  QRect All() { return QRect(QPoint(0, 0), Surface().size()); }
};

TEST_F(ScaledDrawingTest, TheSurfaceHasTheScreensRatioAndTheScaledClientSize) {
  const QImage S = Surface();
  EXPECT_GT(S.devicePixelRatio(), 1) << "run this program with QT_SCALE_FACTOR above 1";
  EXPECT_EQ(S.devicePixelRatio(), qApp->devicePixelRatio());
  EXPECT_EQ(S.size(), QSize(Edge(200), Edge(100)));
  EXPECT_EQ(Probe->GetClientWidth(), 200) << "coordinates stay logical";
  Probe->SetBounds(0, 0, 151, 77);
  EXPECT_EQ(Surface().size(), QSize(Edge(151), Edge(77)));
}

TEST_F(ScaledDrawingTest, OnePixelLinesHaveTheSameDeviceWidthWhereverTheyLie) {
  // Neighbouring logical positions fall on different device fractions at 1.5.
  const int Rows[] = {10, 13, 17, 20, 24, 27};
  const int Columns[] = {110, 113, 117, 120, 124, 127};
  Draw([&](TCanvas* C) {
    C->GetPen()->SetColor(clBlack);
    for (const int Y : Rows) {
      C->MoveTo(2, Y);
      C->LineTo(90, Y);
    }
    for (const int X : Columns) {
      C->MoveTo(X, 2);
      C->LineTo(X, 90);
    }
  });
  const QImage S = Surface();
  for (const int Y : Rows) {
    SCOPED_TRACE(Y);
    int Count = 0;
    const QRect Across = DarkBounds(S, QRect(Edge(50), Edge(Y - 1), 1, Edge(Y + 2) - Edge(Y - 1)), &Count);
    EXPECT_EQ(Count, LineWidth());
    EXPECT_EQ(Across.height(), LineWidth()) << "one solid run";
    EXPECT_EQ(DarkBounds(S, QRect(0, Edge(Y - 1), Edge(100), Edge(Y + 2) - Edge(Y - 1))).left(), Edge(2));
    EXPECT_EQ(DarkBounds(S, QRect(0, Edge(Y - 1), Edge(100), Edge(Y + 2) - Edge(Y - 1))).right(), Edge(90) - 1)
        << "the end point is not drawn";
  }
  for (const int X : Columns) {
    SCOPED_TRACE(X);
    int Count = 0;
    const QRect Across = DarkBounds(S, QRect(Edge(X - 1), Edge(50), Edge(X + 2) - Edge(X - 1), 1), &Count);
    EXPECT_EQ(Count, LineWidth());
    EXPECT_EQ(Across.width(), LineWidth());
  }
}

TEST_F(ScaledDrawingTest, APrefixUnderlineIsOneLineUnderItsCharacter) {
  const int X = 11, Y = 10;
  int Width = 0;
  auto Text = [&](const char* Shown, unsigned Format) {
    Draw([&](TCanvas* C) {
      C->GetFont()->SetHeight(-15);
      C->GetFont()->SetColor(clBlack);
      C->GetBrush()->SetStyle(bsClear);
      Width = C->TextWidth("W");
      TRect R{X, Y, 150, 40};
      DrawText(C->GetHandle(), Shown, -1, &R, DT_SINGLELINE | Format);
    });
    return Surface();
  };
  const QImage Plain = Text("W", DT_NOPREFIX);
  const QImage Underlined = Text("&W", 0);
  QRect Added;
  int Count = 0;
  for (int Y = 0; Y < Plain.height(); ++Y)
    for (int X = 0; X < Plain.width(); ++X)
      if (Plain.pixel(X, Y) != Underlined.pixel(X, Y)) {
        Added |= QRect(X, Y, 1, 1);
        ++Count;
      }
  EXPECT_EQ(Added.left(), Edge(X));
  EXPECT_EQ(Added.width(), Edge(X + Width) - Edge(X));
  EXPECT_EQ(Added.height(), LineWidth());
  EXPECT_EQ(Count, Added.width() * Added.height()) << "one solid line";
}

TEST_F(ScaledDrawingTest, AFrameIsOneLineWidthOnEverySideInsideItsRectangle) {
  const TRect Frames[] = {{10, 10, 41, 30}, {51, 11, 80, 36}, {90, 15, 96, 22}};
  for (const TRect& R : Frames) {
    SCOPED_TRACE(testing::Message() << R.Left << "," << R.Top);
    Draw([&](TCanvas* C) {
      C->GetBrush()->SetColor(clBlack);
      C->FrameRect(R);
    });
    const QImage S = Surface();
    const QRect D = Device(R);
    EXPECT_TRUE(D.contains(DarkBounds(S, All()))) << "nothing outside the rectangle's device pixels";
    const int MidX = Centre((R.Left + R.Right) / 2), MidY = Centre((R.Top + R.Bottom) / 2);
    int Top = 0, Bottom = 0, Left = 0, Right = 0;
    DarkBounds(S, QRect(MidX, D.top(), 1, D.height() / 2), &Top);
    DarkBounds(S, QRect(MidX, D.top() + D.height() / 2, 1, D.height() - D.height() / 2), &Bottom);
    DarkBounds(S, QRect(D.left(), MidY, D.width() / 2, 1), &Left);
    DarkBounds(S, QRect(D.left() + D.width() / 2, MidY, D.width() - D.width() / 2, 1), &Right);
    EXPECT_EQ(Top, LineWidth());
    EXPECT_EQ(Bottom, LineWidth());
    EXPECT_EQ(Left, LineWidth());
    EXPECT_EQ(Right, LineWidth());
  }
}

TEST_F(ScaledDrawingTest, AFilledRectangleCoversExactlyItsScaledDevicePixels) {
  const TRect Rects[] = {{3, 5, 17, 11}, {10, 10, 11, 11}, {0, 0, 7, 9}, {101, 33, 150, 34}};
  for (const TRect& R : Rects) {
    SCOPED_TRACE(testing::Message() << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom);
    Draw([&](TCanvas* C) {
      C->GetBrush()->SetColor(clBlack);
      C->FillRect(R);
    });
    int Count = 0;
    const QRect Bounds = DarkBounds(Surface(), All(), &Count);
    EXPECT_EQ(Bounds, Device(R));
    EXPECT_EQ(Count, Device(R).width() * Device(R).height()) << "no hole";
  }
}

TEST_F(ScaledDrawingTest, AreasSideBySideTileWithoutGapOrOverlap) {
  Draw([](TCanvas* C) {
    for (int Left = 0; Left < 40; Left += 5) {
      C->GetBrush()->SetColor(Left % 10 ? clRed : clBlue);
      C->FillRect(TRect{Left, 0, Left + 5, 7});
    }
  });
  const QImage S = Surface();
  for (int Left = 0; Left < 40; Left += 5)
    for (int X = Edge(Left); X < Edge(Left + 5); ++X)
      EXPECT_EQ(S.pixel(X, Edge(3)), Left % 10 ? qRgb(255, 0, 0) : qRgb(0, 0, 255)) << X;
  EXPECT_EQ(S.pixel(Edge(40), Edge(3)), qRgb(255, 255, 255));
}

TEST_F(ScaledDrawingTest, APartialRepaintChangesExactlyTheInvalidDevicePixels) {
  TColor Fill = clBlack;
  Draw([&](TCanvas* C) {
    C->GetBrush()->SetColor(Fill);
    C->FillRect(Probe->GetClientRect());
  });
  Fill = clRed;
  const TRect Part{13, 7, 31, 22};
  InvalidateRect(Probe->GetHandle(), &Part, true);
  const QImage S = Surface();
  int Wrong = 0;
  for (int Y = 0; Y < S.height(); ++Y)
    for (int X = 0; X < S.width(); ++X) Wrong += Device(Part).contains(X, Y) != (S.pixel(X, Y) == qRgb(255, 0, 0));
  EXPECT_EQ(Wrong, 0);
  EXPECT_EQ(S.pixel(Edge(Part.Right), Edge(Part.Top)), qRgb(0, 0, 0));
}

// The colours a device row of the top edge of a focus frame at (10, 20) shows at the centre
// of each logical pixel, and whether each dark dot is a full line width thick.
TEST_F(ScaledDrawingTest, TheFocusCheckerboardKeepsAPeriodOfTwoLogicalPixels) {
  TBitmap Bitmap;
  Bitmap.LoadFromResourceName(HInstance, "FOCUS_BITMAP");
  TBrush FocusBrush;
  FocusBrush.SetHandle(CreatePatternBrush(Bitmap.GetHandle()));
  const TRect R{10, 20, 40, 30};
  const std::function<void(TCanvas*)> Ways[] = {
      [&](TCanvas* C) { C->DrawFocusRect(R); },
      [&](TCanvas* C) {
        C->GetFont()->SetColor(clBlack);
        C->SetBrush(&FocusBrush);
        C->FrameRect(R);
      },
  };
  for (const auto& Way : Ways) {
    Draw(Way);
    const QImage S = Surface();
    for (int X = R.Left; X < R.Right; ++X) {
      SCOPED_TRACE(X);
      const bool On = (X + R.Top) % 2 == 0;
      EXPECT_EQ(Dark(S.pixel(Centre(X), Centre(R.Top))), On);
      EXPECT_EQ(Dark(S.pixel(Centre(X), Centre(R.Bottom - 1))), (X + R.Bottom - 1) % 2 == 0);
      // Away from the corners, where the sides' own dots begin.
      if (X == R.Left || X == R.Right - 1) continue;
      int Thick = 0;
      DarkBounds(S, QRect(Centre(X), Edge(R.Top) - 1, 1, Edge(R.Top + 1) - Edge(R.Top) + 2), &Thick);
      EXPECT_EQ(Thick, On ? LineWidth() : 0) << "a dot is the line's width across, all of it one colour";
    }
    for (int Y = R.Top; Y < R.Bottom; ++Y) EXPECT_EQ(Dark(S.pixel(Centre(R.Left), Centre(Y))), (R.Left + Y) % 2 == 0) << Y;
  }
  Draw([&](TCanvas* C) {
    C->DrawFocusRect(R);
    C->DrawFocusRect(R);
  });
  EXPECT_FALSE(DarkBounds(Surface(), All()).isValid()) << "a second frame restores every device pixel";
}

TEST_F(ScaledDrawingTest, TextIsDrawnAtDeviceResolutionInsideItsLogicalCell) {
  const AnsiString Text = "Wavy glyphs: Ag@%";
  TRect Cell{5, 10, 0, 0};
  Draw([&](TCanvas* C) {
    C->GetFont()->SetHeight(-15);
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsClear);
    Cell.Right = Cell.Left + C->TextWidth(Text);
    Cell.Bottom = Cell.Top + C->TextHeight(Text);
    C->TextOut(Cell.Left, Cell.Top, Text);
  });
  const QImage S = Surface();
  const QRect Ink = DarkBounds(S, All());
  ASSERT_TRUE(Ink.isValid());
  EXPECT_TRUE(Device(Cell).adjusted(-LineWidth(), -LineWidth(), LineWidth(), LineWidth()).contains(Ink))
      << "measured in logical pixels, drawn inside them";
  EXPECT_GT(Ink.width(), Device(Cell).width() / 2);
  // A picture drawn at one pixel per logical pixel and enlarged shows each logical pixel in
  // one colour, and without smoothing in black and white only.
  int Split = 0, Grey = 0;
  for (int Y = Cell.Top; Y < Cell.Bottom; ++Y)
    for (int X = Cell.Left; X < Cell.Right; ++X) {
      const QRect Block = Device(TRect{X, Y, X + 1, Y + 1});
      const QRgb First = S.pixel(Block.topLeft());
      bool Uniform = true;
      for (int DY = Block.top(); DY <= Block.bottom(); ++DY)
        for (int DX = Block.left(); DX <= Block.right(); ++DX) {
          Uniform = Uniform && S.pixel(DX, DY) == First;
          Grey += qGray(S.pixel(DX, DY)) > 40 && qGray(S.pixel(DX, DY)) < 215;
        }
      Split += !Uniform;
    }
  EXPECT_GT(Split, 20) << "glyph edges run through logical pixels";
  EXPECT_GT(Grey, 20) << "edges are smoothed";
}

}  // namespace
