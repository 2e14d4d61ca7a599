// The dialog's layout: anchored controls follow a resize, the size limits hold, Tab walks
// the enabled controls in their order, and the logo sizes its image.

#include "ItemsEditorFixture.h"

namespace itemseditor_test {
namespace {

TEST_F(ItemsEditorTest, ResizingMovesAndStretchesTheAnchoredControls) {
  Open();
  struct TMove {
    TControl* Control;
    int Left, Top, Width, Height;  // how each edge follows a growth of (1, 1)
  };
  TOstrelItemsEditorForm& F = *Dialog;
  const TMove Moves[] = {
      {F.LogoPanel, 0, 0, 1, 0},          {F.Image1, 0, 0, 0, 0},
      {F.WebLabel, 1, 0, 0, 0},           {F.URLLabel, 1, 0, 0, 0},
      {F.OstrelButtonsBar1, 0, 0, 0, 1},  {F.Table, 0, 0, 1, 1},
      {F.NewItemButton, 1, 0, 0, 0},      {F.DeleteItemButton, 1, 0, 0, 0},
      {F.ClearButton, 1, 0, 0, 0},        {F.SaveToFileButton, 1, 1, 0, 0},
      {F.LoadFromFileButton, 1, 1, 0, 0}, {F.TextLabel, 1, 0, 0, 0},
      {F.TextEdit, 1, 0, 0, 0},           {F.HintLabel, 1, 0, 0, 0},
      {F.HintEdit, 1, 0, 0, 0},           {F.ShowHintCheckBox, 1, 0, 0, 0},
      {F.SubItemsGroupBox, 1, 0, 0, 1},   {F.SubItemsListView, 0, 0, 0, 1},
      {F.SubItemLabel, 0, 1, 0, 0},       {F.SubItemEdit, 0, 1, 0, 0},
      {F.ValueLabel, 0, 1, 0, 0},         {F.SubItemValueEdit, 0, 1, 0, 0},
      {F.NewSubitemButton, 0, 1, 0, 0},   {F.DeleteSubItemButton, 0, 1, 0, 0},
      {F.OKButton, 0, 1, 0, 0},           {F.CancelButton, 0, 1, 0, 0},
      {F.ApplyButton, 1, 1, 0, 0},
  };
  std::vector<TRect> Before;
  for (const TMove& M : Moves) Before.push_back(M.Control->GetBoundsRect());
  const int DX = 120, DY = 90;
  F.SetBounds(F.GetLeft(), F.GetTop(), F.GetWidth() + DX, F.GetHeight() + DY);
  vcltest::ProcessMessages();
  for (size_t I = 0; I < std::size(Moves); ++I) {
    const TMove& M = Moves[I];
    const TRect& B = Before[I];
    const TRect After = M.Control->GetBoundsRect();
    EXPECT_EQ(After.Left, B.Left + M.Left * DX) << M.Control->GetName();
    EXPECT_EQ(After.Top, B.Top + M.Top * DY) << M.Control->GetName();
    EXPECT_EQ(After.Width(), B.Width() + M.Width * DX) << M.Control->GetName();
    EXPECT_EQ(After.Height(), B.Height() + M.Height * DY) << M.Control->GetName();
  }
}

TEST_F(ItemsEditorTest, TheDialogKeepsItsMinimumSizeAndTheButtonsStayInside) {
  Open();
  Dialog->SetBounds(Dialog->GetLeft(), Dialog->GetTop(), 200, 150);
  vcltest::ProcessMessages();
  EXPECT_EQ(Dialog->GetWidth(), 419);
  EXPECT_EQ(Dialog->GetHeight(), 331);
  for (TControl* Button : std::initializer_list<TControl*>{Dialog->OKButton, Dialog->ApplyButton}) {
    EXPECT_LE(Button->GetBoundsRect().Right, Dialog->GetClientWidth()) << Button->GetName();
    EXPECT_LE(Button->GetBoundsRect().Bottom, Dialog->GetClientHeight()) << Button->GetName();
  }
}

TEST_F(ItemsEditorTest, TabWalksTheEnabledControlsInTheirOrder) {
  Open({{"Ann", "Phone=1"}});
  Dialog->NewItemButton->SetFocus();
  std::vector<std::string> Walk;
  for (int I = 0; I < 7; ++I) {
    vcltest::PressKey(VK_TAB);
    vcltest::ProcessMessages();
    TWinControl* Active = Dialog->GetActiveControl();
    Walk.push_back(Active ? Active->GetName() : "none");
  }
  EXPECT_EQ(Walk, (std::vector<std::string>{"ClearButton", "SaveToFileButton", "LoadFromFileButton", "OKButton",
                                            "CancelButton", "Table", "NewItemButton"}));
}

TEST_F(ItemsEditorTest, TabVisitsEveryEnabledControlInTheDialogsOrderGoingIntoTheGroupBox) {
  Open({{"Ann", "Phone=1", "Note"}, {"Bob"}});
  ClickCard("Ann");
  ClickRow(0);  // a card and a row selected: every field is on, Apply too
  ASSERT_TRUE(ApplyOn());
  // The form's order, with the group box's own order where it stands (10), then the card
  // list (11), Hint (13) and "Show hint" (14); the logo panel holds nothing to focus.
  const std::vector<std::string> Cycle = {
      "TextEdit",       "OKButton",         "CancelButton",        "ApplyButton",      "SubItemsListView",
      "SubItemEdit",    "SubItemValueEdit", "NewSubitemButton",    "DeleteSubItemButton", "Table",
      "HintEdit",       "ShowHintCheckBox", "NewItemButton",       "DeleteItemButton", "ClearButton",
      "SaveToFileButton", "LoadFromFileButton"};
  struct TRow {
    const char* Name;
    TShiftState Shift;
  };
  for (const TRow& Row : {TRow{"Tab", {}}, TRow{"Shift+Tab", {ssShift}}}) {
    SCOPED_TRACE(Row.Name);
    Dialog->TextEdit->SetFocus();
    vcltest::ProcessMessages();
    std::vector<std::string> Walk, Expected;
    const bool Forward = Row.Shift.Empty();
    for (size_t I = 1; I <= Cycle.size(); ++I) {
      vcltest::PressKey(VK_TAB, Row.Shift);
      vcltest::ProcessMessages();
      TWinControl* Active = Dialog->GetActiveControl();
      Walk.push_back(Active ? Active->GetName() : "none");
      Expected.push_back(Cycle[(Forward ? I : Cycle.size() - I) % Cycle.size()]);
    }
    EXPECT_EQ(Walk, Expected);
  }
}

TEST_F(ItemsEditorTest, TheLogoIsTheProductsOwnPictureAndSizesItsImage) {
  Open();
  EXPECT_EQ(Dialog->Image1->GetPicture()->GetWidth(), 218);
  EXPECT_EQ(Dialog->Image1->GetPicture()->GetHeight(), 72);
  EXPECT_EQ(Dialog->Image1->GetWidth(), 218);
  EXPECT_EQ(Dialog->Image1->GetHeight(), 72);
  TBitmap Shipped;
  Shipped.LoadFromFile(OSTREL_SOURCE_DIR "/resources/ostrel-logo.bmp");
  const TBitmap* Stored = Dialog->Image1->GetPicture()->GetBitmap();
  for (TPoint P : {TPoint{0, 0}, TPoint{30, 15}, TPoint{80, 30}, TPoint{217, 71}})
    EXPECT_EQ(Stored->GetPixel(P.X, P.Y), Shipped.GetPixel(P.X, P.Y)) << P.X << "," << P.Y;
}

}  // namespace
}  // namespace itemseditor_test
