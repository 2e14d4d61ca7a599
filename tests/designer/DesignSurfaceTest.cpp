// The designed form under the mouse and the keyboard: dropping palette classes, selecting,
// moving and sizing, and controls that do not act as they do at run time.

#include "DesignerFixture.h"

namespace designer_test {
namespace {

TEST_F(DesignerTest, PaletteClicksDropNamedControlsWhereTheFormIsClicked) {
  struct TRow {
    const char* Page;
    const char* ClassName;
    int X, Y;
    const char* Name;
  };
  const TRow Rows[] = {
      {"Velmora", "TOstrel", 60, 10, "Ostrel1"},
      {"Velmora", "TOstrelButtonsBar", 5, 5, "OstrelButtonsBar1"},
      {"Velmora", "TOstrel", 300, 200, "Ostrel2"},
      {"Standard", "TButton", 200, 20, "Button1"},
      {"Standard", "TCheckBox", 200, 60, "CheckBox1"},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TComponent* Dropped = DropThroughClicks(Row.Page, Row.ClassName, Row.X, Row.Y);
    ASSERT_NE(Dropped, nullptr);
    EXPECT_EQ(Dropped->ClassName(), Row.ClassName);
    EXPECT_EQ(Dropped->GetName(), Row.Name);
    EXPECT_EQ(Dropped->GetOwner(), Designer->GetForm());
    EXPECT_TRUE(Dropped->HasState(csDesigning));
    auto* Control = dynamic_cast<TControl*>(Dropped);
    EXPECT_EQ(Control->GetParent(), Designer->GetForm());
    EXPECT_EQ(Control->GetLeft(), Row.X);
    EXPECT_EQ(Control->GetTop(), Row.Y);
    EXPECT_GT(Control->GetWidth(), 0);
    EXPECT_EQ(Designer->GetDropClass(), nullptr) << "one click drops one control";
  }
  EXPECT_EQ(dynamic_cast<TButton*>(Designer->GetForm()->FindComponent("Button1"))->GetCaption(), "Button1");
  EXPECT_EQ(Window->Palette().GetPage(), "Standard");
}

TEST_F(DesignerTest, AControlDroppedOnAPanelGoesInsideIt) {
  auto* Panel = dynamic_cast<TPanel*>(DropThroughClicks("Standard", "TPanel", 10, 10));
  ASSERT_NE(Panel, nullptr);
  TComponent* Box = DropThroughClicks("Standard", "TCheckBox", 12, 8, Panel);
  ASSERT_NE(Box, nullptr);
  EXPECT_EQ(dynamic_cast<TControl*>(Box)->GetParent(), Panel);
  EXPECT_EQ(dynamic_cast<TControl*>(Box)->GetLeft(), 12);

  // Deleting the panel takes what it holds along.
  Designer->Select(Panel);
  Designer->DeleteSelection();
  EXPECT_EQ(Designer->GetForm()->GetComponentCount(), 0);
  EXPECT_EQ(Designer->GetSelection(), Designer->GetForm());
}

TEST_F(DesignerTest, ClicksSelectAndDesignedControlsDoNotActAsAtRunTime) {
  TOstrel* Cards = DropCards();
  Cards->GetItems()->Add("Ann");
  auto* Box = dynamic_cast<TCheckBox*>(DropThroughClicks("Standard", "TCheckBox", 300, 20));
  ASSERT_NE(Box, nullptr);

  Press(Cards);
  EXPECT_EQ(Designer->GetSelection(), Cards);
  EXPECT_EQ(Cards->GetSelected(), nullptr) << "the click selected no card";
  Press(Box);
  EXPECT_EQ(Designer->GetSelection(), Box);
  EXPECT_FALSE(Box->GetChecked()) << "the click did not check the box";
  EXPECT_EQ(Window->Inspector().Header->GetCaption(), "CheckBox1: TCheckBox");
  vcltest::Click(Designer->GetForm(), 5, 300);
  EXPECT_EQ(Designer->GetSelection(), Designer->GetForm());
  EXPECT_FALSE(Designer->GetHandles().Get(THandle::TopLeft)->GetVisible()) << "the form has no handles";
}

TEST_F(DesignerTest, DraggingMovesTheControlAndItsHandlesSizeIt) {
  TOstrel* Cards = DropCards(60, 10);
  const TRect Dropped = Cards->GetBoundsRect();
  Drag(Cards, TPoint{20, 20}, 30, 15);
  EXPECT_EQ(Cards->GetLeft(), 90);
  EXPECT_EQ(Cards->GetTop(), 25);
  EXPECT_EQ(Cards->GetWidth(), Dropped.Width());

  struct TRow {
    THandle Handle;
    int DX, DY;
    TRect Expected;  // relative to the bounds before
  };
  for (const TRow& Row : {TRow{THandle::BottomRight, 25, 10, {0, 0, 25, 10}}, TRow{THandle::TopLeft, -5, 7, {-5, 7, 0, 0}},
                          TRow{THandle::Right, -12, 40, {0, 0, -12, 0}}}) {
    SCOPED_TRACE(static_cast<int>(Row.Handle));
    const TRect Before = Cards->GetBoundsRect();
    TGrabHandle* Handle = Designer->GetHandles().Get(Row.Handle);
    ASSERT_TRUE(Handle->GetVisible());
    Drag(Handle, TPoint{3, 3}, Row.DX, Row.DY);
    EXPECT_EQ(Cards->GetBoundsRect(), (TRect{Before.Left + Row.Expected.Left, Before.Top + Row.Expected.Top,
                                             Before.Right + Row.Expected.Right, Before.Bottom + Row.Expected.Bottom}));
    // The handles follow the control.
    EXPECT_EQ(Handle->GetBoundsRect(), HandleRect(Cards->GetBoundsRect(), Row.Handle));
  }
  EXPECT_TRUE(TitleMarked());
}

TEST_F(DesignerTest, ArrowKeysMoveTheSelectionByAPixelAndShiftArrowsSizeIt) {
  TOstrel* Cards = DropCards(60, 10);
  const TRect Start = Cards->GetBoundsRect();
  vcltest::PressKey(VK_RIGHT);
  vcltest::PressKey(VK_DOWN);
  vcltest::PressKey(VK_DOWN);
  vcltest::PressKey(VK_RIGHT, {ssShift});
  EXPECT_EQ(Cards->GetBoundsRect(), (TRect{Start.Left + 1, Start.Top + 2, Start.Right + 2, Start.Bottom + 2}));
}

TEST_F(DesignerTest, TheDeleteKeyDeletesTheSelectedControl) {
  DropCards();
  vcltest::PressKey(VK_DELETE);
  EXPECT_EQ(Designer->GetForm()->FindComponent("Ostrel1"), nullptr);
  EXPECT_EQ(Designer->GetSelection(), Designer->GetForm());
}

}  // namespace
}  // namespace designer_test
