// Text in many fonts and many texts: what is kept from one drawing to the next never shows
// a stale font or a stale shape, and shortened text keeps the longest start that fits.

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>

#include "DrawingFixture.h"
#include "QtEmbedding.h"

using namespace vcl;
using namespace vcltest;

namespace {

class TextDrawingTest : public TDrawingFixture {
protected:
  TextDrawingTest() : TDrawingFixture(420, 240, TRect{0, 0, 400, 200}) {}
  // The columns of a row band that hold black.
  std::vector<int> Ink(int Top, int Bottom) {
    const QImage Surface = ControlSurface(Probe.get());
    std::vector<int> Columns;
    for (int X = 0; X < Surface.width(); ++X)
      for (int Y = Top; Y < Bottom; ++Y)
        if ((Surface.pixel(X, Y) & 0xFFFFFF) == 0) {
          Columns.push_back(X);
          break;
        }
    return Columns;
  }
  // A copy of the surface's pixels between two rows.
  QImage Band(int Top, int Bottom) { return ControlSurface(Probe.get()).copy(0, Top, 420, Bottom - Top); }
  static void Line(TCanvas* C, const AnsiString& Text, int Top, unsigned Format, int Width = 400) {
    TRect R{0, Top, Width, Top + 30};
    DrawText(C->GetHandle(), Text.c_str(), -1, &R, Format | DT_SINGLELINE | DT_NOPREFIX);
  }
  static void Black(TCanvas* C) {
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsClear);
  }
};

TEST_F(TextDrawingTest, EachTextTakesTheFontSetJustBeforeIt) {
  TCanvas* C = Probe->GetCanvas();
  const int Plain = C->TextWidth("Wonderful");
  C->GetFont()->SetStyle(TFontStyles{fsBold});
  const int Bold = C->TextWidth("Wonderful");
  C->GetFont()->SetStyle(TFontStyles{});
  C->GetFont()->SetHeight(-22);
  const int Large = C->TextWidth("Wonderful");
  C->GetFont()->SetHeight(-11);
  EXPECT_LT(Plain, Bold);
  EXPECT_LT(Plain, Large);
  EXPECT_EQ(C->TextWidth("Wonderful"), Plain);

  Draw([](TCanvas* Canvas) {
    Black(Canvas);
    Line(Canvas, "Wonderful", 0, 0);
    Canvas->GetFont()->SetStyle(TFontStyles{fsBold});
    Line(Canvas, "Wonderful", 40, 0);
    Canvas->GetFont()->SetStyle(TFontStyles{});
    Line(Canvas, "Wonderful", 80, 0);
  });
  const auto First = Ink(0, 30), Emboldened = Ink(40, 70), Again = Ink(80, 110);
  ASSERT_FALSE(First.empty());
  EXPECT_GT(Emboldened.back(), First.back()) << "the same text in another font is shaped anew";
  EXPECT_EQ(Again, First);
}

TEST_F(TextDrawingTest, ManyFontsAndTextsLaterStillDrawTheFirstAlike) {
  Draw([](TCanvas* C) {
    Black(C);
    Line(C, "Reference text", 0, 0);
  });
  const auto Before = Ink(0, 30);
  ASSERT_FALSE(Before.empty());
  TCanvas* C = Probe->GetCanvas();
  for (int Height = 5; Height < 400; ++Height) {
    C->GetFont()->SetHeight(-Height);
    EXPECT_GT(C->TextHeight("Mg"), 0);
  }
  C->GetFont()->SetHeight(-11);
  Black(C);
  for (int I = 0; I < 3000; ++I) Line(C, "Text number " + std::to_string(I), 120, 0);
  Draw([](TCanvas* Canvas) {
    Black(Canvas);
    Line(Canvas, "Reference text", 0, 0);
  });
  EXPECT_EQ(Ink(0, 30), Before);
}

// What DrawText should show of Text in Width: all of it when it fits, else the longest
// start, not cut inside a character, whose width with "..." added fits.
AnsiString LongestFittingStart(TCanvas* C, const AnsiString& Text, int Width) {
  if (C->TextWidth(Text) <= Width) return Text;
  const QString Whole = QString::fromStdString(Text);
  for (qsizetype Keep = Whole.size() - 1; Keep > 0; --Keep) {
    if (Whole[Keep - 1].isHighSurrogate()) continue;
    const AnsiString Candidate = Whole.left(Keep).toStdString() + "...";
    if (C->TextWidth(Candidate) <= Width) return Candidate;
  }
  return "...";
}

TEST_F(TextDrawingTest, ShortenedTextKeepsTheLongestStartThatFits) {
  const std::vector<AnsiString> Texts{"AVAWAY Tower, Yard. Fifty", "Ünïcödé façade street 12", "e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301",
                                      "Smile \U0001F600\U0001F600\U0001F600 now", "\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645"};
  for (const AnsiString& Text : Texts) {
    for (const int Width : {12, 25, 41, 58, 90}) {
      AnsiString Expected;
      Draw([&](TCanvas* C) {
        Black(C);
        Expected = LongestFittingStart(C, Text, Width);
        Line(C, Text, 0, DT_END_ELLIPSIS, Width);
        Line(C, Expected, 40, 0);
        Line(C, Text, 80, DT_END_ELLIPSIS, Width);  // what was kept of it the first time
      });
      const auto Shortened = Ink(0, 30);
      EXPECT_EQ(Shortened, Ink(40, 70)) << Text << " in " << Width << " shows as " << Expected;
      EXPECT_EQ(Ink(80, 110), Shortened) << Text << " in " << Width << ", again";
      ASSERT_FALSE(Shortened.empty()) << Text;
      EXPECT_LT(Shortened.back(), Width) << Text;
    }
  }
}

// A line of megabytes is drawn from its first 64 KiB (cut between characters), so that a
// huge caption is not shaped whole: right-aligned, it shows the end of that start.
TEST_F(TextDrawingTest, AHugeLineIsDrawnFromItsFirst64KiB) {
  struct TRow {
    const char* What;
    AnsiString Start;  // what is drawn
    AnsiString Rest;   // what is not
  };
  AnsiString Accented = "a";
  while (Accented.size() < 65535) Accented += "\u00e9";  // two bytes each: byte 65536 is inside the next
  const TRow Rows[] = {
      {"one-byte letters", AnsiString(65536 - 3, 'x') + "|||", AnsiString(1 << 20, 'W')},
      {"two-byte letters", Accented, "\u00e9" + AnsiString(1 << 20, 'W')},
  };
  for (const TRow& Row : Rows) {
    Draw([&](TCanvas* C) {
      Black(C);
      Line(C, Row.Start + Row.Rest, 0, DT_RIGHT);
      Line(C, Row.Start, 40, DT_RIGHT);
    });
    EXPECT_FALSE(Ink(0, 30).empty()) << Row.What;
    EXPECT_EQ(Ink(0, 30), Ink(40, 70)) << Row.What;
  }
}

TEST_F(TextDrawingTest, TabsAndRightToLeftReadingStillDraw) {
  Draw([](TCanvas* C) {
    Black(C);
    Line(C, "a\tb", 0, 0);
    Line(C, "\u05E9\u05DC\u05D5\u05DD", 40, DT_RTLREADING | DT_RIGHT);
  });
  EXPECT_FALSE(Ink(0, 30).empty());
  const auto RightToLeft = Ink(40, 70);
  ASSERT_FALSE(RightToLeft.empty());
  EXPECT_GT(RightToLeft.front(), 300) << "right-aligned";
}

// Letters that need no shaping are laid out from a table of glyphs, and Han, kana and
// Hangul learnt from their first shaping: the pixels are those of shaping, which a reading
// order from right to left still uses, on the first drawing and on later ones.
TEST_F(TextDrawingTest, TextLaidOutFromTheGlyphTableLooksAsShaped) {
  const std::vector<AnsiString> Texts{"Hello World",          "Wonderful AVAWAY Type",  "Ünïcödé façade 12",
                                      "Ελένη Μαρία", "Иванова Анна",
                                      "王伟 佐藤花子", "Li 王 Wang",  "서울 台北 東京"};
  for (const AnsiString& Text : Texts) {
    Draw([&](TCanvas* C) {
      Black(C);
      Line(C, Text, 0, DT_RTLREADING);
      Line(C, Text, 40, 0);
      Line(C, Text, 80, 0);
      // Cut by the rectangle in the middle of a glyph.
      Line(C, Text, 120, DT_RTLREADING, 33);
      Line(C, Text, 160, 0, 33);
    });
    const QImage Shaped = Band(0, 30);
    EXPECT_FALSE(Ink(0, 30).empty()) << Text;
    EXPECT_EQ(Band(40, 70), Shaped) << Text << ": first drawing";
    EXPECT_EQ(Band(80, 110), Shaped) << Text << ": a later drawing";
    EXPECT_EQ(Band(160, 190), Band(120, 150)) << Text << ": cut";
    EXPECT_LT(Ink(160, 190).back(), 33) << Text;
  }
}

// As the classic text functions, text is not kerned: a run of pairs that a kerning table
// would move closer is as wide as its letters apart (up to the rounding of one width).
TEST_F(TextDrawingTest, TextIsNotKerned) {
  TCanvas* C = Probe->GetCanvas();
  auto Times = [](const AnsiString& Text, int N) {
    AnsiString Result;
    for (int I = 0; I < N; ++I) Result += Text;
    return Result;
  };
  for (const auto& [First, Second] : std::vector<std::pair<AnsiString, AnsiString>>{{"A", "V"}, {"T", "o"}, {"W", "a"}, {"Г", "д"}}) {
    const int Apart = C->TextWidth(Times(First, 20)) + C->TextWidth(Times(Second, 20));
    EXPECT_NEAR(C->TextWidth(Times(First + Second, 20)), Apart, 1) << First << Second;
  }
}

TEST_F(TextDrawingTest, AMissingFamilyFollowsTheApplicationFont) {
  if (!QFontDatabase::hasFamily(QStringLiteral("DejaVu Serif"))) GTEST_SKIP() << "needs the DejaVu Serif font";
  TCanvas* C = Probe->GetCanvas();
  C->GetFont()->SetName("DejaVu Serif");
  const int Serif = C->TextWidth("Wonderful wide words");
  C->GetFont()->SetName("No Such Family At All");
  const int Before = C->TextWidth("Wonderful wide words");
  const QFont Saved = QGuiApplication::font();
  QGuiApplication::setFont(QFont(QStringLiteral("DejaVu Serif")));
  const int After = C->TextWidth("Wonderful wide words");
  QGuiApplication::setFont(Saved);
  EXPECT_NE(Before, Serif) << "the usual fallback is a sans family";
  EXPECT_EQ(After, Serif);
  EXPECT_EQ(C->TextWidth("Wonderful wide words"), Before);
}

}  // namespace
