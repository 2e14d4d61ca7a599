// Pixels of the card view's surface: caption bands, lines, focus frame, dividers, the text
// of an empty list, and what text drawing must never do.

#include <QImage>
#include <algorithm>
#include <string>
#include <vector>

#include "CardViewFixture.h"
#include "QtEmbedding.h"

namespace cardview_test {
namespace {

constexpr TColor Green = 0x00C000;
constexpr TColor Blue = 0xFF0000;  // colours are 0x00BBGGRR
constexpr TColor Red = 0x0000FF;

bool Dark(QRgb Pixel) { return qGray(Pixel) < 100; }

// Smallest rectangle holding every pixel that Matches; empty when none does.
template <class F>
TRect Extent(const QImage& Image, const TRect& Area, F&& Matches) {
  TRect E{Area.Right, Area.Bottom, Area.Left, Area.Top};
  for (int Y = std::max(Area.Top, 0); Y < std::min(Area.Bottom, Image.height()); ++Y)
    for (int X = std::max(Area.Left, 0); X < std::min(Area.Right, Image.width()); ++X)
      if (Matches(Image.pixel(X, Y))) {
        E.Left = std::min(E.Left, X);
        E.Top = std::min(E.Top, Y);
        E.Right = std::max(E.Right, X + 1);
        E.Bottom = std::max(E.Bottom, Y + 1);
      }
  return E;
}

class PaintTest : public CardViewTest {
protected:
  QImage Surface() {
    View->Repaint();
    return ControlSurface(View);
  }
  static QRgb Rgb(TColor Color) { return ToQColor(Color).rgb(); }
  bool Is(const QImage& Image, int X, int Y, TColor Color) { return Image.pixel(X, Y) == Rgb(Color); }

  // A second control on the form to take the focus away.
  void FocusElsewhere() {
    auto* Other = new TOstrel(Form);
    Other->SetParent(Form);
    Other->SetBounds(500, 0, 100, 100);
    Other->SetFocus();
    vcltest::ProcessMessages();
    ASSERT_FALSE(View->Focused());
  }
  void FocusView() {
    View->SetFocus();
    vcltest::ProcessMessages();
    ASSERT_TRUE(View->Focused());
  }
  TRect DarkIn(const QImage& Image, const TRect& Area) { return Extent(Image, Area, Dark); }
};

TEST_F(PaintTest, CaptionBandsTakeTheSelectionColoursByFocusAndHideSelection) {
  SetClientSize(300, 200);
  View->SetSelectionColor(Green);
  AddCard("A", 1);
  AddCard("B", 1);
  View->SetSelected(Card(0));
  const TRect R0 = Card(0)->GetClientRect();
  const TRect R1 = Card(1)->GetClientRect();
  const int BandY = R0.Top + 2;

  FocusView();
  QImage Image = Surface();
  EXPECT_TRUE(Is(Image, R0.Right - 2, BandY, Green));
  EXPECT_TRUE(Is(Image, R1.Right - 2, R1.Top + 2, clSilver));
  EXPECT_TRUE(Is(Image, R0.Right - 2, R0.Top + 16, clWhite)) << "the band is CaptionHeight high";

  FocusElsewhere();
  Image = Surface();
  EXPECT_TRUE(Is(Image, R0.Right - 2, BandY, Green)) << "unfocused keeps the selection";
  View->SetHideSelection(true);
  Image = Surface();
  EXPECT_TRUE(Is(Image, R0.Right - 2, BandY, clSilver)) << "hidden while unfocused";
  FocusView();
  Image = Surface();
  EXPECT_TRUE(Is(Image, R0.Right - 2, BandY, Green)) << "shown again with the focus";
}

TEST_F(PaintTest, TheFocusedCardHasADottedFrameTwoPixelsOutside) {
  SetClientSize(300, 200);
  AddCard("A", 2);
  AddCard("B", 2);
  View->SetSelected(Card(0));
  View->SetFocused(Card(1));
  FocusView();
  const QImage Image = Surface();
  const TRect R = Card(1)->GetClientRect();
  const int Y = R.Top - 2;
  for (int X = R.Left - 2; X + 2 < R.Right + 2; ++X) {
    ASSERT_NE(Image.pixel(X, Y), Image.pixel(X + 1, Y)) << "dotted at " << X;
    ASSERT_EQ(Image.pixel(X, Y), Image.pixel(X + 2, Y)) << "dotted at " << X;
  }
  for (int Row = R.Top - 2; Row + 2 < R.Bottom + 2; ++Row)
    ASSERT_NE(Image.pixel(R.Right + 1, Row), Image.pixel(R.Right + 1, Row + 1)) << "right side at " << Row;
  const TRect S = Card(0)->GetClientRect();
  EXPECT_TRUE(Is(Image, S.Left - 2, S.Top - 2, clWhite)) << "the selected card is not framed";
  EXPECT_TRUE(Is(Image, R.Left - 1, R.Top - 1, clWhite)) << "one pixel of space inside the frame";

  FocusElsewhere();
  const QImage Unfocused = Surface();
  EXPECT_TRUE(Is(Unfocused, R.Left - 2, Y, clWhite));
  EXPECT_TRUE(Is(Unfocused, R.Left - 1, Y, clWhite));
}

TEST_F(PaintTest, CustomDrawingReplacesTheCardButKeepsTheFocusFrame) {
  SetClientSize(300, 200);
  AddCard("A", 2);
  View->SetFocused(Card(0));
  FocusView();
  View->SetCustomDrawing(true);
  QImage Image = Surface();
  const TRect R = Card(0)->GetClientRect();
  EXPECT_TRUE(Is(Image, R.Right - 2, R.Top + 2, clSilver)) << "no handler: default drawing";

  std::vector<TOstrelItem*> Drawn;
  View->SetOnDrawItem([&](TObject* Sender, TCanvas* Canvas, TOstrelItem* Item, TRect& Rect) {
    EXPECT_EQ(Sender, View);
    EXPECT_EQ(Rect, Item->GetClientRect());
    Drawn.push_back(Item);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Blue);
    Canvas->FillRect(Rect);
  });
  Image = Surface();
  EXPECT_EQ(Drawn, std::vector<TOstrelItem*>{Card(0)});
  EXPECT_TRUE(Is(Image, R.Right - 2, R.Top + 2, Blue));
  EXPECT_TRUE(Is(Image, R.Left + 40, R.Top + 30, Blue)) << "no lines drawn over it";
  EXPECT_NE(Image.pixel(R.Left, R.Top - 2), Image.pixel(R.Left + 1, R.Top - 2)) << "frame still drawn";
}

TEST_F(PaintTest, NamesAndValuesStandInTheirOwnAreas) {
  SetClientSize(300, 200);
  TOstrelItem* Item = AddCard("", 0);
  Item->GetSubItems()->Add("Phone=555");
  Item->GetSubItems()->Add("Note");
  Item->GetSubItems()->Add("=x");
  Item->Update();
  const QImage Image = Surface();
  const TRect R = Item->GetClientRect();
  auto Line = [&](int I, int Left, int Right) { return DarkIn(Image, TRect{Left, R.Top + 16 * (I + 1), Right, R.Top + 16 * (I + 2)}); };
  const TRect Name = Line(0, R.Left, R.Left + 60);
  EXPECT_GE(Name.Left, R.Left + 3);
  EXPECT_LE(Name.Left, R.Left + 6);
  const TRect Value = Line(0, R.Left + 50, R.Right);
  EXPECT_GE(Value.Left, R.Left + 70);
  EXPECT_LE(Value.Left, R.Left + 73);
  EXPECT_LE(Line(1, R.Left, R.Right).Left, R.Left + 6) << "a plain line starts at the card's left";
  EXPECT_LE(Line(2, R.Left, R.Right).Left, R.Left + 6) << "an empty name shows the whole line";
}

TEST_F(PaintTest, RightToLeftPutsNamesRightAndValuesLeftOfThem) {
  SetClientSize(300, 200);
  View->SetBiDiMode(bdRightToLeft);
  TOstrelItem* Item = AddCard("", 0);
  Item->GetSubItems()->Add("Phone=555");
  Item->Update();
  const QImage Image = Surface();
  const TRect R = Item->GetClientRect();
  const TRect Name = DarkIn(Image, TRect{R.Right - 67, R.Top + 16, R.Right, R.Top + 32});
  EXPECT_LE(Name.Right, R.Right - 3);
  EXPECT_GE(Name.Right, R.Right - 6);
  const TRect Value = DarkIn(Image, TRect{R.Left, R.Top + 16, R.Right - 68, R.Top + 32});
  EXPECT_LE(Value.Right, R.Right - 70);
  EXPECT_GE(Value.Right, R.Right - 73);
}

TEST_F(PaintTest, DividersRunBetweenTheBordersInsideTheClientAreaOnly) {
  MakeFiveCards();
  View->SetDividersColor(Red);
  QImage Image = Surface();
  for (int X : {112, 224}) {
    EXPECT_FALSE(Is(Image, X, 5, Red));
    for (int Y = 6; Y < 194; ++Y) ASSERT_TRUE(Is(Image, X, Y, Red)) << X << ", " << Y;
    EXPECT_FALSE(Is(Image, X, 194, Red)) << "the end point is not painted";
  }
  const TRect AllRed = Extent(Image, TRect{0, 0, 300, 200}, [](QRgb P) { return P == Rgb(Red); });
  EXPECT_EQ(AllRed, (TRect{112, 6, 225, 194}));
  Scroll(SB_RIGHT);
  Image = Surface();
  for (int X : {64, 176, 288}) EXPECT_TRUE(Is(Image, X, 100, Red)) << X;
  View->SetShowDividers(false);
  Image = Surface();
  EXPECT_TRUE(Extent(Image, TRect{0, 0, 300, 200}, [](QRgb P) { return P == Rgb(Red); }).IsEmpty());
}

TEST_F(PaintTest, AnEmptyListShowsItsTextCentredInSilver) {
  SetClientSize(300, 200);
  FocusElsewhere();
  QImage Image = Surface();
  const TRect Silver = Extent(Image, TRect{0, 0, 300, 200}, [](QRgb P) { return P == Rgb(clSilver); });
  ASSERT_FALSE(Silver.IsEmpty());
  EXPECT_NEAR((Silver.Left + Silver.Right) / 2.0, 150, 3);
  EXPECT_NEAR((Silver.Top + Silver.Bottom) / 2.0, 100, 3);
  EXPECT_TRUE(DarkIn(Image, TRect{0, 0, 300, 200}).IsEmpty()) << "no focus rectangle, no dividers";

  FocusView();
  Image = Surface();
  const TRect Frame = DarkIn(Image, TRect{0, 0, 300, 200});
  ASSERT_FALSE(Frame.IsEmpty()) << "a focus rectangle while focused";
  EXPECT_LT(Frame.Left, Silver.Left);
  EXPECT_GT(Frame.Right, Silver.Right);
  EXPECT_LT(Frame.Top, Silver.Top);
  EXPECT_GT(Frame.Bottom, Silver.Bottom);
  EXPECT_LT(Frame.Right - Frame.Left, Silver.Right - Silver.Left + 16);

  View->SetNoItemsText("");
  Image = Surface();
  EXPECT_TRUE(Extent(Image, TRect{0, 0, 300, 200}, [](QRgb P) { return P != Rgb(clWhite); }).IsEmpty());
}

// Painted by the focus change alone, without a repaint asked for by the test.
TEST_F(PaintTest, FocusComingAndGoingRepaintsTheFocusLook) {
  SetClientSize(300, 200);
  FocusElsewhere();
  View->Repaint();
  const TRect Whole{0, 0, 300, 200};
  EXPECT_TRUE(DarkIn(ControlSurface(View), Whole).IsEmpty());
  FocusView();
  EXPECT_FALSE(DarkIn(ControlSurface(View), Whole).IsEmpty()) << "the empty list's focus rectangle";
  FocusElsewhere();
  EXPECT_TRUE(DarkIn(ControlSurface(View), Whole).IsEmpty());

  AddCard("Ann", 0);
  View->SetSelected(Card(0));
  View->SetHideSelection(true);
  View->Repaint();
  // A point of the caption band right of the short text.
  EXPECT_FALSE(Is(ControlSurface(View), 100, 10, clHighlight)) << "hidden while unfocused";
  FocusView();
  const QImage Focused = ControlSurface(View);
  EXPECT_TRUE(Is(Focused, 100, 10, clHighlight)) << "selection colours once focused";
  EXPECT_NE(Focused.pixel(4, 4), Focused.pixel(5, 4)) << "the dotted frame";
  FocusElsewhere();
  const QImage Unfocused = ControlSurface(View);
  EXPECT_FALSE(Is(Unfocused, 100, 10, clHighlight));
  EXPECT_TRUE(Is(Unfocused, 4, 4, clWhite) && Is(Unfocused, 5, 4, clWhite)) << "no frame";
}

// While the caret is in the in-place editor, the card view still looks focused: later
// repaints keep the selection colours, the card's frame and the edited row's frame.
TEST_F(PaintTest, AnOpenEditKeepsTheFocusLookThroughRepaints) {
  SetClientSize(300, 200);
  AddCard("Ann", 3);
  View->SetSelected(Card(0));
  View->SetFocused(Card(0));
  View->SetHideSelection(true);
  FocusView();
  ASSERT_TRUE(View->EditSubItem(Card(0), 1));
  vcltest::ProcessMessages();
  ASSERT_FALSE(View->Focused()) << "the editor holds the keyboard";
  const QImage Image = Surface();
  EXPECT_TRUE(Is(Image, 100, 10, clHighlight)) << "selection colours kept";
  const TRect Card0 = Card(0)->GetClientRect();
  EXPECT_NE(Image.pixel(Card0.Left - 2, Card0.Top - 2), Image.pixel(Card0.Left - 1, Card0.Top - 2)) << "card frame";
  const TRect Row = Card(0)->GetSubItemRect(1);
  for (int X = Row.Left + 1; X + 1 < Row.Right; X += 7)
    EXPECT_NE(Image.pixel(X, Row.Top), Image.pixel(X + 1, Row.Top)) << "row frame, top, at " << X;

  View->HideItemEditor(false);
  vcltest::ProcessMessages();
  const QImage After = Surface();
  EXPECT_TRUE(Is(After, Row.Left + 1, Row.Top, clWhite) && Is(After, Row.Left + 2, Row.Top, clWhite))
      << "the row frame goes with the editor";
}

TEST_F(PaintTest, TooWideTextEndsInAnEllipsisAndAmpersandsShowAsThemselves) {
  SetClientSize(400, 200);
  AddCard("WWWWWWWWWWWWWWWWWWWWWWWW", 0);
  AddCard("WWW", 0);
  AddCard("A&B", 0);
  AddCard("AB", 0);
  const QImage Image = Surface();
  auto Caption = [&](int I) {
    const TRect R = Card(I)->GetClientRect();
    return DarkIn(Image, TRect{R.Left, R.Top, R.Right, R.Top + 16});
  };
  // The last few dark columns of a cut text are dots: a thin row; of a whole W, its height.
  auto TailHeight = [&](int I) {
    const TRect Text = Caption(I);
    const TRect R = Card(I)->GetClientRect();
    return DarkIn(Image, TRect{Text.Right - 4, R.Top, Text.Right, R.Top + 16}).Height();
  };
  const TRect Long = Caption(0);
  EXPECT_LE(Long.Right, Card(0)->GetClientRect().Right - 2);
  EXPECT_LE(TailHeight(0), 3);
  EXPECT_GE(TailHeight(1), 5);
  EXPECT_GT(Caption(2).Width(), Caption(3).Width() + 3) << "the ampersand is drawn";
}

TEST_F(PaintTest, DeletionsInsideABatchPaintTheCardsWhereTheyStand) {
  SetClientSize(400, 200);
  for (int I = 0; I < 12; ++I) AddCard("Card " + std::to_string(I), 2);
  const TRect First = Card(0)->GetClientRect();
  View->GetItems()->BeginUpdate();
  while (Card(0)->GetColumn() == 0) Card(0)->Delete();
  const TRect Second = Card(0)->GetClientRect();
  ASSERT_EQ(Card(0)->GetColumn(), 1);
  QImage Image = Surface();
  EXPECT_TRUE(Is(Image, First.Right - 2, First.Top + 2, clWhite)) << "deleted cards are gone";
  EXPECT_TRUE(Is(Image, Second.Right - 2, Second.Top + 2, clSilver)) << "the rest stay until the layout";
  const TRect Last = Card(View->GetItems()->GetCount() - 1)->GetClientRect();
  ASSERT_LT(Last.Left, 390) << "the last column is partly in view";
  EXPECT_TRUE(Is(Image, 398, Last.Top + 2, clSilver));
  View->GetItems()->EndUpdate();
  Image = Surface();
  EXPECT_TRUE(Is(Image, First.Right - 2, First.Top + 2, clSilver)) << "the next column moved up";
}

TEST_F(PaintTest, ADrawingHandlerThatDeletesItsCard) {
  SetClientSize(400, 200);
  for (int I = 0; I < 6; ++I) AddCard("Card " + std::to_string(I), 1);
  View->SetCustomDrawing(true);
  int Calls = 0;
  View->SetOnDrawItem([&](TObject*, TCanvas*, TOstrelItem* Item, TRect&) {
    if (++Calls == 2) Item->Delete();
  });
  View->Repaint();
  vcltest::ProcessMessages();
  EXPECT_EQ(View->GetItems()->GetCount(), 5);
  View->SetOnDrawItem(nullptr);
  View->SetCustomDrawing(false);
  const QImage Image = Surface();
  const TRect R = Card(4)->GetClientRect();
  EXPECT_TRUE(Is(Image, R.Right - 2, R.Top + 2, clSilver));
}

// A repaint of part of the view skips the cards that miss it; what it shows must be what a
// repaint of the whole view shows, also where focus frames reach beyond narrow borders.
TEST_F(PaintTest, APartialRepaintShowsWhatAFullOneShows) {
  struct TRow {
    const char* Name;
    int Border;
    TBiDiMode Mode;
  };
  const TRow Rows[] = {{"default border", 6, bdLeftToRight},
                       {"frames over the neighbours", 1, bdLeftToRight},
                       {"no border", 0, bdLeftToRight},
                       {"right to left", 6, bdRightToLeft}};
  for (const TRow& Row : Rows) {
    View->GetItems()->Clear();
    View->SetBorderWidth(Row.Border);
    View->SetBiDiMode(Row.Mode);
    SetClientSize(400, 200);
    for (int I = 0; I < 14; ++I) AddCard("Card " + std::to_string(I), 1 + I % 3);
    FocusView();
    View->SetSelected(Card(4));
    View->SetFocused(Card(5));
    const QImage Full = Surface();
    std::vector<TRect> Parts;
    for (int I = 0; I < View->GetItems()->GetCount(); ++I) {
      TRect R = Card(I)->GetClientRect();
      Parts.push_back(R);
      InflateRect(R, 2, 2);
      Parts.push_back(TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom});  // the frame's lowest row
      Parts.push_back(TRect{R.Left, R.Bottom, R.Right, R.Bottom + Row.Border + 1});  // the gap below
    }
    for (int D = 1; D <= View->GetColumnCount(); ++D) {
      const int X = View->GetDividerX(D);
      Parts.push_back(TRect{X - 1, 0, X + 1, 200});
    }
    Parts.push_back(TRect{50, 60, 350, 90});  // across columns
    for (const TRect& Part : Parts) {
      InvalidateRect(View->GetHandle(), &Part, true);
      View->Update();
      ASSERT_TRUE(ControlSurface(View) == Full)
          << Row.Name << ": repainting " << Part.Left << "," << Part.Top << "," << Part.Right << "," << Part.Bottom;
    }
  }
}

TEST_F(PaintTest, RepaintingOneCardDrawsThatCardAlone) {
  SetClientSize(400, 200);
  for (int I = 0; I < 12; ++I) AddCard("Card " + std::to_string(I), 2);
  std::vector<std::string> Drawn;
  View->SetCustomDrawing(true);
  View->SetOnDrawItem([&](TObject*, TCanvas*, TOstrelItem* Item, TRect&) { Drawn.push_back(Item->GetText()); });
  View->Repaint();
  EXPECT_GT(Drawn.size(), 4u) << "a full repaint draws every card in view";
  Drawn.clear();
  Card(5)->Invalidate();
  View->Update();
  EXPECT_EQ(Drawn, (std::vector<std::string>{"Card 5"}));
}

}  // namespace
}  // namespace cardview_test
