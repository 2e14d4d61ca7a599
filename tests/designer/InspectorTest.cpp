// The object inspector: the selected component's properties and events with the values
// their editors give, typed values, refused values, the Items dialog and value stepping.

#include "DesignerFixture.h"

namespace designer_test {
namespace {

TEST_F(DesignerTest, ListsTheSelectedComponentsPropertiesAndEventsWithTheirEditorsValues) {
  TOstrel* Cards = DropCards();
  const TInspectorRows& Rows = Window->Inspector().Rows();
  struct TRow {
    const char* Name;
    const char* Value;
    bool Dialog;
  };
  for (const TRow& Row : {TRow{"Name", "Ostrel1", false}, TRow{"Left", "60", false}, TRow{"Items", "(TOstrelItems)", true},
                          TRow{"CaptionColor", "clSilver", false}, TRow{"CaptionFont.Name", "MS Sans Serif", false},
                          TRow{"OnChange", "", false}}) {
    SCOPED_TRACE(Row.Name);
    const int Index = Rows.IndexOf(Row.Name);
    ASSERT_GE(Index, 0);
    EXPECT_EQ(Rows.Value(Index), Row.Value);
    EXPECT_EQ(Rows.HasDialog(Index), Row.Dialog);
    // What the list shows is what the editor gives.
    EXPECT_EQ(Window->Inspector().List->GetItems()->GetItem(Index)->GetSubItems()->Get(0), Row.Value);
  }
  // Events come after every property.
  EXPECT_TRUE(Rows.IsEvent(Rows.Count() - 1));
  EXPECT_FALSE(Rows.IsEvent(Rows.IndexOf("ShowDividers")));
  EXPECT_LT(Rows.IndexOf("ShowDividers"), Rows.IndexOf("OnChange"));

  ASSERT_TRUE(Window->Inspector().ChooseRow("Items"));
  EXPECT_TRUE(Window->Inspector().DialogButton->GetEnabled());
  ASSERT_TRUE(Window->Inspector().ChooseRow("Left"));
  EXPECT_FALSE(Window->Inspector().DialogButton->GetEnabled());
  (void)Cards;
}

TEST_F(DesignerTest, TypedValuesSetThePropertyAndRefusedOnesAreExplained) {
  TOstrel* Cards = DropCards(60, 10);
  struct TRow {
    const char* Property;
    const char* Typed;
    std::function<bool(TOstrel*)> Holds;
  };
  const TRow Rows[] = {
      {"ColumnWidth", "150", [](TOstrel* C) { return C->GetColumnWidth() == 150; }},
      {"Left", "33", [](TOstrel* C) { return C->GetLeft() == 33; }},
      {"CaptionColor", "clRed", [](TOstrel* C) { return C->GetCaptionColor() == clRed; }},
      {"ShowDividers", "False", [](TOstrel* C) { return !C->GetShowDividers(); }},
      {"Name", "Contacts", [](TOstrel* C) { return C->GetName() == "Contacts"; }},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Property);
    SetInInspector(Row.Property, Row.Typed);
    EXPECT_TRUE(Row.Holds(Cards));
    EXPECT_TRUE(TitleMarked());
  }
  EXPECT_EQ(Window->Inspector().Header->GetCaption(), "Contacts: TOstrel");
  // The handles follow a move made in the inspector.
  EXPECT_EQ(Designer->GetHandles().Get(THandle::TopLeft)->GetBoundsRect(), HandleRect(Cards->GetBoundsRect(), THandle::TopLeft));

  // Leaving the box sets what was typed, as Enter does.
  ASSERT_TRUE(Window->Inspector().ChooseRow("ItemTextWidth"));
  Press(Window->Inspector().ValueEdit);
  Window->Inspector().ValueEdit->SelectAll();
  vcltest::TypeText("90");
  Press(Cards);
  EXPECT_EQ(Cards->GetItemTextWidth(), 90);

  EXPECT_TRUE(Messages.empty());
  SetInInspector("ColumnWidth", "wide");
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Type, mtError);
  EXPECT_EQ(Cards->GetColumnWidth(), 150);
  EXPECT_EQ(Window->Inspector().ValueEdit->GetText(), "150") << "the box shows the value again";
}

TEST_F(DesignerTest, TheItemsButtonOpensTheItemsEditorAndOkBringsItsCards) {
  TOstrel* Cards = DropCards();
  Designer->MarkSaved();
  ASSERT_TRUE(Window->Inspector().ChooseRow("Items"));
  WhenShown(AddCardsAndOk({"Zoe", "Adam"}));
  Press(Window->Inspector().DialogButton);
  EXPECT_EQ(Steps, 1);
  EXPECT_EQ(CardTexts(Cards), (std::vector<std::string>{"Adam", "Zoe"}));
  EXPECT_TRUE(TitleMarked());
  EXPECT_EQ(Window->Inspector().ValueEdit->GetText(), "(TOstrelItems)");
}

TEST_F(DesignerTest, ADoubleClickOnARowStepsThroughItsValues) {
  TOstrel* Cards = DropCards();
  TListView* List = Window->Inspector().List;
  const int Index = Window->Inspector().Rows().IndexOf("CustomDrawing");
  ASSERT_GE(Index, 0);
  TListItem* Row = List->GetItems()->GetItem(Index);
  int Y = -1;
  for (int Probe = 0; Probe < List->GetClientHeight() && Y < 0; ++Probe)
    if (List->GetItemAt(20, Probe) == Row) Y = Probe + 3;
  ASSERT_GE(Y, 0) << "the row is not in sight";
  for (const bool Expected : {true, false}) {
    vcltest::DoubleClick(List, 20, Y);
    vcltest::ProcessMessages();
    EXPECT_EQ(Cards->GetCustomDrawing(), Expected);
    EXPECT_EQ(Window->Inspector().ValueEdit->GetText(), Expected ? "True" : "False");
  }
}

}  // namespace
}  // namespace designer_test
