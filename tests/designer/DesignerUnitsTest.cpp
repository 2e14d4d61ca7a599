// The designer's pure parts: handle geometry, the undo history, the palette's pages.

#include <gtest/gtest.h>

#include "ComponentPalette.h"
#include "DesignHistory.h"
#include "GrabHandles.h"
#include "StdCtrls.h"

namespace designer_test {
namespace {

using namespace vcl;
using namespace designer;

TEST(GrabHandleGeometry, HandlesSitOnTheCornersAndEdgeMiddles) {
  const TRect Bounds{10, 20, 110, 60};  // 100 x 40
  struct TRow {
    THandle Handle;
    TPoint Centre;
  };
  for (const TRow& Row : {TRow{THandle::TopLeft, {10, 20}}, TRow{THandle::Top, {59, 20}}, TRow{THandle::TopRight, {109, 20}},
                          TRow{THandle::Right, {109, 39}}, TRow{THandle::BottomRight, {109, 59}},
                          TRow{THandle::Bottom, {59, 59}}, TRow{THandle::BottomLeft, {10, 59}},
                          TRow{THandle::Left, {10, 39}}}) {
    SCOPED_TRACE(static_cast<int>(Row.Handle));
    const TRect R = HandleRect(Bounds, Row.Handle);
    EXPECT_EQ(R.Width(), HandleSize);
    EXPECT_EQ(R.Height(), HandleSize);
    EXPECT_EQ((TPoint{R.Left + HandleSize / 2, R.Top + HandleSize / 2}), Row.Centre);
  }
}

TEST(GrabHandleGeometry, DraggingAHandleMovesItsSidesAndStopsShortOfTheOpposite) {
  const TRect Bounds{10, 20, 110, 60};
  struct TRow {
    THandle Handle;
    int DX, DY;
    TRect Expected;
  };
  const TRow Rows[] = {
      {THandle::BottomRight, 5, 7, {10, 20, 115, 67}},
      {THandle::TopLeft, -4, 3, {6, 23, 110, 60}},
      {THandle::Top, 50, -5, {10, 15, 110, 60}},  // the top handle leaves the width alone
      {THandle::Left, 500, 0, {109, 20, 110, 60}},  // past the right side: one pixel wide
      {THandle::Bottom, 0, -100, {10, 20, 110, 21}},
      {THandle::TopRight, -200, 100, {10, 59, 11, 60}},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(static_cast<int>(Row.Handle));
    EXPECT_EQ(DragHandle(Bounds, Row.Handle, Row.DX, Row.DY), Row.Expected);
  }
}

TEST(DesignHistory, UndoGoesBackThroughRealChangesOnly) {
  TDesignHistory History;
  History.Reset("a");
  EXPECT_FALSE(History.IsModified());
  History.Record("a");  // reported, but the text is the same: modified, nothing to undo
  EXPECT_TRUE(History.IsModified());
  EXPECT_FALSE(History.CanUndo());
  History.Record("b");
  History.Record("c");
  History.MarkSaved();
  EXPECT_FALSE(History.IsModified());
  ASSERT_TRUE(History.CanUndo());
  EXPECT_EQ(History.Previous(), "b");
  History.Undo();
  EXPECT_EQ(History.Current(), "b");
  EXPECT_TRUE(History.IsModified());
  History.Undo();
  EXPECT_EQ(History.Current(), "a");
  EXPECT_FALSE(History.CanUndo());
  History.Reset("z");
  EXPECT_FALSE(History.CanUndo());
}

TEST(DesignHistory, KeepsOnlyTheNewestStates) {
  TDesignHistory History;
  History.Reset("0");
  for (std::size_t I = 1; I <= TDesignHistory::MaxUndo + 5; ++I) History.Record(std::to_string(I));
  std::size_t Undone = 0;
  while (History.CanUndo()) {
    History.Undo();
    ++Undone;
  }
  EXPECT_EQ(Undone, TDesignHistory::MaxUndo);
  EXPECT_EQ(History.Current(), "5");
}

// Older states are kept as differences from the next one: undo must still give back every
// state byte for byte, whatever the two texts share at their start and end.
TEST(DesignHistory, UndoRestoresEveryStateExactlyFromDifferences) {
  const std::vector<AnsiString> States = {
      "object Form1\n  Left = 8\nend\n",
      "object Form1\n  Left = 9\nend\n",      // a nudge: one byte
      "object Form1\n  Left = 10\nend\n",     // a byte more
      "object Form1\n  Left = 9\nend\n",      // and back
      "",                                         // everything gone
      "aaaa",                                     // start and end overlap
      "aaaaaaa",
      "aa",
      "xaay",
      "object Form2\n  Caption = 'Kept'\nend\n",  // nothing shared
      "object Form2\n  Caption = 'Kept'\nend\n  extra\n",
      "prefix object Form2\n  Caption = 'Kept'\nend\n  extra\n",
      std::string("with\0nul", 8),
  };
  TDesignHistory History;
  History.Reset(States[0]);
  for (std::size_t I = 1; I < States.size(); ++I) History.Record(States[I]);
  EXPECT_EQ(History.UndoCount(), States.size() - 1);
  for (std::size_t I = States.size() - 1; I-- > 0;) {
    SCOPED_TRACE(I);
    ASSERT_TRUE(History.CanUndo());
    EXPECT_EQ(History.Previous(), States[I]);
    History.Undo();
    EXPECT_EQ(History.Current(), States[I]);
  }
  EXPECT_FALSE(History.CanUndo());
  EXPECT_EQ(History.UndoBytes(), 0u);
}

// A nudge on a form of 50 MB kept a whole copy: about 106 MB for each arrow key.
TEST(DesignHistory, ANudgeOnAHugeFormKeepsBytesNotCopies) {
  AnsiString Text = "object Form1: TForm\n  object Label1: TLabel\n    Left = 100\n  end\n";
  Text += AnsiString(8 << 20, 'c') + "\nend\n";
  const std::size_t At = Text.find("100");
  TDesignHistory History;
  History.Reset(Text);
  for (int Left = 101; Left <= 150; ++Left) {
    Text.replace(At, 3, std::to_string(Left));
    History.Record(Text);
  }
  EXPECT_EQ(History.UndoCount(), 50u);
  EXPECT_LT(History.UndoBytes(), 50u * 128u);
  for (int Left = 149; Left >= 100; --Left) {
    History.Undo();
    ASSERT_EQ(History.Current().substr(At - 7, 13), "Left = " + std::to_string(Left) + "\n  ");
    ASSERT_EQ(History.Current().size(), Text.size());
  }
}

TEST(DesignHistory, StaysUnderItsBoundOfBytesDroppingTheOldestStates) {
  constexpr std::size_t Bound = 1 << 20;
  TDesignHistory History(Bound);
  // Texts that share nothing: each difference is a whole text of 300 KB.
  auto Text = [](int I) { return AnsiString(300 << 10, static_cast<char>('a' + I % 26)); };
  History.Reset(Text(0));
  for (int I = 1; I <= 10; ++I) {
    History.Record(Text(I));
    EXPECT_LE(History.UndoBytes(), Bound);
  }
  EXPECT_EQ(History.UndoCount(), 3u);  // three of 300 KB fit in 1 MB, four do not
  for (int I = 9; I >= 7; --I) {
    History.Undo();
    EXPECT_EQ(History.Current(), Text(I));
  }
  EXPECT_FALSE(History.CanUndo());
  EXPECT_EQ(History.Current(), Text(7));

  // A state whose difference alone is over the bound cannot be gone back to, nor can any
  // before it.
  History.Record("small");
  History.Record(AnsiString(Bound + 1, 'z'));  // "small" is what is kept
  ASSERT_TRUE(History.CanUndo());
  History.Record("tiny");  // the huge text would be kept
  EXPECT_FALSE(History.CanUndo());
  EXPECT_EQ(History.UndoBytes(), 0u);
  EXPECT_TRUE(History.IsModified());
  History.Record("tinier");
  ASSERT_TRUE(History.CanUndo());
  History.Undo();
  EXPECT_EQ(History.Current(), "tiny");
}

TEST(ComponentPalette, InstallsTheStandardPageThenVelmoraWithBothControlsEachTime) {
  for (int Round = 0; Round < 2; ++Round) {  // a second designer in the same program
    SCOPED_TRACE(Round);
    TComponentPalette Palette;
    Palette.Install();
    ASSERT_EQ(Palette.Pages().size(), 2u);
    EXPECT_EQ(Palette.Pages()[0].Name, "Standard");
    const TPalettePage* Velmora = Palette.FindPage("velmora");
    ASSERT_NE(Velmora, nullptr);
    std::vector<AnsiString> Names;
    for (const TClassInfo* Info : Velmora->Classes) Names.push_back(Info->ClassName());
    EXPECT_EQ(Names, (std::vector<AnsiString>{"TOstrelButtonsBar", "TOstrel"}));
    EXPECT_EQ(Palette.FindClass("tbutton"), &TButton::StaticClassInfo());
    EXPECT_EQ(RegisterComponentsProc, nullptr) << "the environment is handed back";
  }
  TComponentPalette Palette;
  Palette.Add("Standard", {&TButton::StaticClassInfo(), &TLabel::StaticClassInfo()});
  Palette.Add("standard", {&TButton::StaticClassInfo()});
  ASSERT_EQ(Palette.Pages().size(), 1u);
  EXPECT_EQ(Palette.Pages()[0].Classes.size(), 2u);
}

}  // namespace
}  // namespace designer_test
