// The control's shell: defaults, setters, window styles, destruction.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "OstrelProbe.h"

namespace ostrel_test {
namespace {

TEST(OstrelControl, ColumnWidthIsAtLeast40AndItemTextWidthAtMostTheColumnWidth) {
  TProbe Table;
  Table.SetColumnWidth(10);
  EXPECT_EQ(Table.GetColumnWidth(), 40);
  const int Repaints = Table.Repaints;
  Table.SetColumnWidth(40);
  EXPECT_EQ(Table.Repaints, Repaints);
  Table.SetColumnWidth(100);
  EXPECT_EQ(Table.Repaints, Repaints + 1);  // repainted at once

  Table.SetItemTextWidth(500);
  EXPECT_EQ(Table.GetItemTextWidth(), 100);
  Table.SetColumnWidth(60);
  EXPECT_EQ(Table.GetItemTextWidth(), 100);  // a narrower column leaves it alone
  Table.SetItemTextWidth(-5);
  EXPECT_EQ(Table.GetItemTextWidth(), -5);  // no lower bound

  Table.SetMaxItemHintWidth(5);
  EXPECT_EQ(Table.GetMaxItemHintWidth(), 20);
  Table.SetBorderWidth(-3);
  EXPECT_EQ(Table.GetBorderWidth(), -3);
  Table.SetItemLineHeight(0);
  EXPECT_EQ(Table.GetItemLineHeight(), 0);
}

// Each setter, its current value and another one, and how it repaints a change.
struct TSetterCase {
  const char* Name;
  std::function<void(TOstrel&, bool Other)> Set;
  int Invalidates;  // for a change
  int Repaints;
};

TEST(OstrelControl, SettersDoNothingForTheValueTheyHaveAndRepaintAChange) {
  const TSetterCase Cases[] = {
      {"CustomDrawing", [](TOstrel& T, bool O) { T.SetCustomDrawing(O); }, 1, 0},
      {"ItemLineHeight", [](TOstrel& T, bool O) { T.SetItemLineHeight(O ? 20 : 16); }, 1, 0},
      {"CaptionHeight", [](TOstrel& T, bool O) { T.SetCaptionHeight(O ? 20 : 16); }, 1, 0},
      {"CaptionColor", [](TOstrel& T, bool O) { T.SetCaptionColor(O ? clWhite : clSilver); }, 1, 0},
      {"ColumnWidth", [](TOstrel& T, bool O) { T.SetColumnWidth(O ? 150 : 100); }, 1, 1},  // Repaint invalidates first
      {"ItemTextWidth", [](TOstrel& T, bool O) { T.SetItemTextWidth(O ? 50 : 70); }, 1, 0},
      {"BorderWidth", [](TOstrel& T, bool O) { T.SetBorderWidth(O ? 2 : 6); }, 1, 1},
      {"NoItemsText", [](TOstrel& T, bool O) { T.SetNoItemsText(O ? "Empty" : "No Items"); }, 1, 0},
      {"ShowDividers", [](TOstrel& T, bool O) { T.SetShowDividers(!O); }, 1, 0},
      {"DividersColor", [](TOstrel& T, bool O) { T.SetDividersColor(O ? clWhite : clSilver); }, 1, 0},
      {"SelectionColor", [](TOstrel& T, bool O) { T.SetSelectionColor(O ? clWhite : clHighlight); }, 1, 0},
      {"SelectionTextColor", [](TOstrel& T, bool O) { T.SetSelectionTextColor(O ? 1 : clHighlightText); }, 1, 0},
      {"HideSelection", [](TOstrel& T, bool O) { T.SetHideSelection(O); }, 1, 0},
      {"AllowSizing", [](TOstrel& T, bool O) { T.SetAllowSizing(!O); }, 0, 0},
      {"CustomSort", [](TOstrel& T, bool O) { T.SetCustomSort(O); }, 0, 0},
      {"RightClickSelect", [](TOstrel& T, bool O) { T.SetRightClickSelect(!O); }, 0, 0},
      {"MaxItemHintWidth", [](TOstrel& T, bool O) { T.SetMaxItemHintWidth(O ? 300 : 100); }, 0, 0},
      {"Sorted", [](TOstrel& T, bool O) { T.SetSorted(O); }, 1, 0},  // sorting relayouts
  };
  for (const TSetterCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TProbe Table;
    AddCards(*Table.GetItems(), {"b", "a"});
    const int Invalidates = Table.Invalidates;
    const int Repaints = Table.Repaints;
    Case.Set(Table, false);
    EXPECT_EQ(Table.Invalidates, Invalidates);
    EXPECT_EQ(Table.Repaints, Repaints);
    Case.Set(Table, true);
    EXPECT_EQ(Table.Invalidates - Invalidates, Case.Invalidates);
    EXPECT_EQ(Table.Repaints - Repaints, Case.Repaints);
  }
}

TEST(OstrelControl, TheCaptionFontIsCopiedAndEveryChangeRepaints) {
  TProbe Table;
  TFont Font;
  Font.SetName("Serif");
  const int Before = Table.Invalidates;
  Table.SetCaptionFont(&Font);
  EXPECT_EQ(Table.GetCaptionFont()->GetName(), "Serif");
  EXPECT_NE(Table.GetCaptionFont(), &Font);
  EXPECT_GT(Table.Invalidates, Before);
  const int AfterCopy = Table.Invalidates;
  Table.GetCaptionFont()->SetHeight(-20);
  EXPECT_EQ(Table.Invalidates, AfterCopy + 1);
}

TEST(OstrelControl, WindowStylesFollowBorderStyleAndCtl3D) {
  TProbe Table;
  const auto Styles = [&Table] {
    TCreateParams Params;
    Table.CreateParams(Params);
    return Params;
  };
  TCreateParams Sunken = Styles();
  EXPECT_TRUE(Sunken.Style & WS_HSCROLL);
  EXPECT_FALSE(Sunken.Style & WS_BORDER);
  EXPECT_TRUE(Sunken.ExStyle & WS_EX_CLIENTEDGE);
  Table.SetCtl3D(false);
  TCreateParams Flat = Styles();
  EXPECT_TRUE(Flat.Style & WS_BORDER);
  EXPECT_FALSE(Flat.ExStyle & WS_EX_CLIENTEDGE);
  Table.SetBorderStyle(bsNone);
  Table.SetCtl3D(true);
  TCreateParams None = Styles();
  EXPECT_TRUE(None.Style & WS_HSCROLL);
  EXPECT_FALSE(None.Style & WS_BORDER);
  EXPECT_FALSE(None.ExStyle & WS_EX_CLIENTEDGE);
}

TEST(OstrelControl, WithoutNewStyleControlsASingleBorderIsALineEvenWithCtl3D) {
  struct TRestore {
    ~TRestore() { NewStyleControls = true; }
  } Restore;
  ASSERT_TRUE(NewStyleControls);
  NewStyleControls = false;
  TProbe Table;
  ASSERT_TRUE(Table.GetCtl3D());
  TCreateParams Params;
  Table.CreateParams(Params);
  EXPECT_TRUE(Params.Style & WS_BORDER);
  EXPECT_FALSE(Params.ExStyle & WS_EX_CLIENTEDGE);
  Table.SetBorderStyle(bsNone);
  TCreateParams None;
  Table.CreateParams(None);
  EXPECT_FALSE(None.Style & WS_BORDER);
  EXPECT_FALSE(None.ExStyle & WS_EX_CLIENTEDGE);
}

TEST(OstrelControl, AHandlerErrorWhileTheControlIsDestroyedGoesToTheApplication) {
  ASSERT_NE(Application, nullptr);
  TLog Log;
  const TExceptionEvent Saved = Application->GetOnException();
  Application->SetOnException([&Log](TObject*, const Exception& E) { Log.push_back("Reported " + E.Message()); });
  {
    TProbe Table;
    AddCards(*Table.GetItems(), {"a", "b"});
    Table.SetOnDeletion([&Log](TObject*, TOstrelItem* Item) {
      Log.push_back("Deletion " + Name(Item));
      throw Exception("lost " + Item->GetText());
    });
  }
  Application->SetOnException(Saved);
  EXPECT_EQ(Log, (TLog{"Deletion a", "Deletion b", "Reported lost a"}));
}

}  // namespace
}  // namespace ostrel_test
