// The list view through Qt's event path: clicks and arrow keys moving the selection with
// OnChange reports in order, changes by code, rows that outlive the window, batches, hit
// tests, and the rows and columns read back from a form file.

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTreeWidget>

#include "ComCtrls.h"
#include "Harness.h"
#include "QtEmbedding.h"
#include "TypInfo.h"

using namespace vcl;
using namespace vcltest;

namespace {

std::string Describe(TListItem* Item, TItemChange Change) {
  static const char* const Kinds[] = {"text", "image", "state"};
  return (Item ? Item->GetCaption() : std::string("none")) + ":" + Kinds[Change];
}

class ListViewTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(300, 220);
    List = new TListView(Form.get());
    List->SetBounds(10, 10, 200, 150);
    List->SetViewStyle(vsReport);
    List->SetRowSelect(true);
    List->SetHideSelection(false);
    List->SetReadOnly(true);
    List->SetColumnClick(false);
    TListColumn* Name = List->GetColumns()->Add();
    Name->SetCaption("Sub Item");
    Name->SetWidth(70);
    TListColumn* Value = List->GetColumns()->Add();
    Value->SetCaption("Value");
    Value->SetWidth(70);
    for (const char* Caption : {"Phone", "Note", "Fax"}) {
      TListItem* Item = List->GetItems()->Add();
      Item->SetCaption(Caption);
      if (std::string(Caption) != "Note") Item->GetSubItems()->Add(std::string(Caption) + " value");
    }
    List->SetParent(Form.get());
    List->SetOnChange([this](TObject*, TListItem* Item, TItemChange Change) {
      Reports.push_back(Describe(Item, Change));
    });
    ProcessMessages();
  }
  void TearDown() override {
    Form.reset();
    THostTest::TearDown();
  }
  QTreeWidget* Tree() { return qobject_cast<QTreeWidget*>(ControlWidget(List)); }
  // A point inside the caption cell of a row, in the list view's client coordinates.
  TPoint RowPoint(int Index) {
    const TRect R = List->GetItems()->GetItem(Index)->DisplayRect();
    return TPoint{R.Left + 10, (R.Top + R.Bottom) / 2};
  }
  void ClickRow(int Index) {
    const TPoint P = RowPoint(Index);
    Click(List, P.X, P.Y);
  }
  std::vector<std::string> StateReports() {
    std::vector<std::string> Result;
    for (const std::string& R : Reports)
      if (R.ends_with(":state")) Result.push_back(R);
    return Result;
  }

  std::unique_ptr<TForm> Form;
  TListView* List = nullptr;
  std::vector<std::string> Reports;
};

TEST_F(ListViewTest, TheWindowShowsTheColumnsAndRowsHeldBeforeItExisted) {
  ASSERT_NE(Tree(), nullptr) << "a list view's window is a tree widget";
  EXPECT_FALSE(Tree()->isHeaderHidden()) << "report style shows the header";
  EXPECT_EQ(Tree()->headerItem()->text(0), QString("Sub Item"));
  EXPECT_EQ(Tree()->headerItem()->text(1), QString("Value"));
  EXPECT_EQ(Tree()->columnWidth(1), 70);
  ASSERT_EQ(Tree()->topLevelItemCount(), 3);
  EXPECT_EQ(Tree()->topLevelItem(0)->text(1), QString("Phone value"));
  EXPECT_EQ(Tree()->topLevelItem(1)->text(1), QString()) << "a row without sub-items has an empty cell";
  EXPECT_EQ(Tree()->editTriggers(), QAbstractItemView::NoEditTriggers) << "ReadOnly";
  EXPECT_FALSE(Tree()->header()->sectionsClickable()) << "ColumnClick false";
}

TEST_F(ListViewTest, ClicksReportTheRowThatLostTheSelectionThenTheOneThatGainedIt) {
  ClickRow(0);
  EXPECT_EQ(List->GetSelected(), List->GetItems()->GetItem(0));
  EXPECT_EQ(StateReports(), std::vector<std::string>{"Phone:state"});
  Reports.clear();
  ClickRow(2);
  EXPECT_EQ(List->GetSelected(), List->GetItems()->GetItem(2));
  EXPECT_EQ(List->GetItemFocused(), List->GetItems()->GetItem(2));
  EXPECT_EQ(StateReports(), (std::vector<std::string>{"Phone:state", "Fax:state"}));
  EXPECT_FALSE(List->GetItems()->GetItem(0)->GetSelected());
  EXPECT_TRUE(Tree()->topLevelItem(2)->isSelected());
  EXPECT_EQ(List->GetSelCount(), 1);
}

TEST_F(ListViewTest, APressOnEmptySpaceDeselectsAndOnMouseDownFindsNoRow) {
  ClickRow(1);
  std::vector<bool> RowUnderPress;
  List->SetOnMouseDown([&](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button == mbLeft) RowUnderPress.push_back(List->GetItemAt(X, Y) != nullptr);
  });
  Reports.clear();
  Click(List, 20, 140);
  EXPECT_EQ(List->GetSelected(), nullptr);
  EXPECT_EQ(StateReports(), std::vector<std::string>{"Note:state"});
  ClickRow(0);
  EXPECT_EQ(RowUnderPress, (std::vector<bool>{false, true}));
}

TEST_F(ListViewTest, ArrowKeysMoveTheSelectionAndStayWithTheListView) {
  ClickRow(0);
  Reports.clear();
  PressKey(VK_DOWN);
  EXPECT_EQ(List->GetSelected(), List->GetItems()->GetItem(1));
  EXPECT_EQ(StateReports(), (std::vector<std::string>{"Phone:state", "Note:state"}));
  EXPECT_TRUE(List->Focused()) << "arrows are not dialog navigation in a list view";
  PressKey(VK_DOWN);
  PressKey(VK_UP);
  EXPECT_EQ(List->GetSelected(), List->GetItems()->GetItem(1));
  PressKey(VK_END);
  EXPECT_EQ(List->GetSelected(), List->GetItems()->GetItem(2));
}

TEST_F(ListViewTest, ChangesByCodeReportTheirKindAndShowInTheWindow) {
  TListItem* Note = List->GetItems()->GetItem(1);
  Note->SetSelected(true);
  List->SetSelected(List->GetItems()->GetItem(2));
  EXPECT_EQ(StateReports(), (std::vector<std::string>{"Note:state", "Note:state", "Fax:state"}));
  EXPECT_TRUE(Tree()->topLevelItem(2)->isSelected());
  EXPECT_FALSE(Tree()->topLevelItem(1)->isSelected());
  Reports.clear();
  Note->SetCaption("Memo");
  Note->GetSubItems()->Add("a memo");
  EXPECT_EQ(Reports, (std::vector<std::string>{"Memo:text", "Memo:text"}));
  EXPECT_EQ(Tree()->topLevelItem(1)->text(0), QString("Memo"));
  EXPECT_EQ(Tree()->topLevelItem(1)->text(1), QString("a memo"));
  Reports.clear();
  List->SetSelected(nullptr);
  EXPECT_EQ(StateReports(), std::vector<std::string>{"Fax:state"});
  EXPECT_TRUE(Tree()->selectedItems().isEmpty());
}

TEST_F(ListViewTest, DeletingTheSelectedRowReportsNothingAndLeavesNoSelection) {
  ClickRow(1);
  Reports.clear();
  List->GetItems()->Delete(1);
  EXPECT_TRUE(Reports.empty());
  EXPECT_EQ(List->GetSelected(), nullptr);
  EXPECT_EQ(Tree()->topLevelItemCount(), 2);
  EXPECT_TRUE(Tree()->selectedItems().isEmpty());
  EXPECT_THROW(List->GetItems()->Delete(5), EListError);
  EXPECT_THROW(List->GetItems()->Insert(3), EListError);
}

TEST_F(ListViewTest, AHandlerMayClearTheRowsWhileTheSelectionMoves) {
  ClickRow(0);
  List->SetOnChange([this](TObject*, TListItem* Item, TItemChange Change) {
    if (Change == ctState && Item && !Item->GetSelected()) List->GetItems()->Clear();
  });
  ClickRow(2);
  EXPECT_EQ(List->GetItems()->GetCount(), 0);
  EXPECT_EQ(Tree()->topLevelItemCount(), 0);
}

TEST_F(ListViewTest, ABatchShowsItsRowsOnlyWhenItEnds) {
  TListItems* Items = List->GetItems();
  Items->BeginUpdate();
  Items->Clear();
  for (int I = 0; I < 5; ++I) Items->Add()->SetCaption("Row " + std::to_string(I));
  EXPECT_EQ(Tree()->topLevelItemCount(), 3) << "the window waits for the batch";
  Items->EndUpdate();
  ASSERT_EQ(Tree()->topLevelItemCount(), 5);
  EXPECT_EQ(Tree()->topLevelItem(4)->text(0), QString("Row 4"));
}

TEST_F(ListViewTest, RowsAndStatesSurviveTheWindowBeingMadeAgain) {
  ClickRow(2);
  QTreeWidget* Before = Tree();
  List->SetBorderStyle(bsNone);  // needs a new window
  ProcessMessages();
  EXPECT_NE(Tree(), Before);
  ASSERT_EQ(Tree()->topLevelItemCount(), 3);
  EXPECT_EQ(Tree()->topLevelItem(0)->text(0), QString("Phone"));
  EXPECT_TRUE(Tree()->topLevelItem(2)->isSelected());
  EXPECT_EQ(List->GetSelected(), List->GetItems()->GetItem(2));
}

TEST_F(ListViewTest, GetItemAtFindsRowsButNotTheHeaderNorEmptySpace) {
  const TPoint Row1 = RowPoint(1);
  EXPECT_EQ(List->GetItemAt(Row1.X, Row1.Y), List->GetItems()->GetItem(1));
  EXPECT_EQ(List->GetItemAt(Row1.X + 90, Row1.Y), List->GetItems()->GetItem(1)) << "the value cell belongs to the row";
  EXPECT_EQ(List->GetItemAt(10, 3), nullptr) << "the header";
  EXPECT_EQ(List->GetItemAt(10, 130), nullptr) << "below the last row";
  EXPECT_GT(RowPoint(1).Y, RowPoint(0).Y);
  TListView Windowless(nullptr);
  EXPECT_EQ(Windowless.GetItemAt(5, 5), nullptr);
}

TEST_F(ListViewTest, HideSelectionDecidesWhetherTheSelectionShowsWithoutTheFocus) {
  const QPalette& P = Tree()->palette();
  EXPECT_NE(P.color(QPalette::Inactive, QPalette::Highlight), P.color(QPalette::Inactive, QPalette::Base));
  List->SetHideSelection(true);
  EXPECT_EQ(Tree()->palette().color(QPalette::Inactive, QPalette::Highlight),
            Tree()->palette().color(QPalette::Inactive, QPalette::Base));
}

TEST_F(ListViewTest, WithoutReadOnlyF2EditsTheCaptionInPlace) {
  List->SetReadOnly(false);
  ClickRow(1);
  Reports.clear();
  PressKey(VK_F2);
  ASSERT_NE(QApplication::focusWidget(), Tree()) << "an editor took the keyboard";
  PressKey('A', {ssCtrl});  // the editor's own select-all
  TypeText("Memo");
  PressKey(VK_RETURN);
  ProcessMessages();  // the item view stores an edit once the key is handled
  EXPECT_EQ(List->GetItems()->GetItem(1)->GetCaption(), "Memo");
  EXPECT_EQ(Reports, std::vector<std::string>{"Memo:text"});
}

TEST_F(ListViewTest, ColumnClickMakesTheHeadersButtons) {
  std::vector<std::string> Clicked;
  List->SetOnColumnClick([&](TObject*, TListColumn* Column) { Clicked.push_back(Column->GetCaption()); });
  QHeaderView* Header = Tree()->header();
  const QPoint Value(Header->sectionViewportPosition(1) + 10, Header->height() / 2);
  auto ClickHeader = [&] {
    for (QEvent::Type Type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent Event(Type, QPointF(Value), Header->viewport()->mapToGlobal(QPointF(Value)), Qt::LeftButton,
                        Type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(Header->viewport(), &Event);
    }
    ProcessMessages();
  };
  ClickHeader();
  EXPECT_TRUE(Clicked.empty()) << "ColumnClick false";
  List->SetColumnClick(true);
  ClickHeader();
  EXPECT_EQ(Clicked, std::vector<std::string>{"Value"});
}

// ---------------------------------------------------------------- form files

class ListViewFormFileTest : public ListViewTest {};

TEST_F(ListViewFormFileTest, ColumnsRowsAndOptionsComeBackFromTheFormText) {
  List->SetName("SubItemsListView");
  List->GetItems()->GetItem(2)->GetSubItems()->Add("second cell");
  List->GetItems()->GetItem(1)->SetCaption("=x 'quoted'");
  const AnsiString Text = WriteComponentText(Form.get());
  EXPECT_NE(Text.find("Columns = <"), AnsiString::npos) << Text;
  EXPECT_NE(Text.find("Items.Data = {"), AnsiString::npos) << Text;
  EXPECT_NE(Text.find("ViewStyle = vsReport"), AnsiString::npos) << Text;

  TForm Copy(nullptr);
  ReadComponentText(Text, &Copy);
  auto* Read = dynamic_cast<TListView*>(Copy.FindComponent("SubItemsListView"));
  ASSERT_NE(Read, nullptr);
  ASSERT_EQ(Read->GetColumns()->GetCount(), 2);
  EXPECT_EQ(Read->GetColumns()->GetItem(0)->GetCaption(), "Sub Item");
  EXPECT_EQ(Read->GetColumns()->GetItem(1)->GetWidth(), 70);
  ASSERT_EQ(Read->GetItems()->GetCount(), 3);
  EXPECT_EQ(Read->GetItems()->GetItem(1)->GetCaption(), "=x 'quoted'");
  EXPECT_EQ(Read->GetItems()->GetItem(1)->GetSubItems()->GetCount(), 0);
  EXPECT_EQ(Read->GetItems()->GetItem(2)->GetSubItems()->GetTextStr(), "Fax value\r\nsecond cell\r\n");
  EXPECT_TRUE(Read->GetRowSelect());
  EXPECT_FALSE(Read->GetHideSelection());
  EXPECT_TRUE(Read->GetReadOnly());
  EXPECT_FALSE(Read->GetColumnClick());
  EXPECT_TRUE(Read->GetHotTrackStyles().Empty());
  EXPECT_EQ(WriteComponentText(&Copy), Text) << "written again, the text is the same";
}

TEST_F(ListViewFormFileTest, DamagedTextIsRefusedWithTheLineAndKeepsNothingHalfRead) {
  struct TCase {
    const char* Body;
    const char* Expected;
  };
  const TCase Cases[] = {
      {"Columns = <\n item\n Caption = 'A'\n Nonsense = 1\n end>", "Columns[0].Nonsense"},
      {"Columns = < thing end>", "'item' expected"},
      // Two rows promised, a caption of 255 bytes announced in a stream that has 4.
      {"Items.Data = {\n 02000000010000004100000000FF00000041424344}", "Items.Data"},
      {"HotTrackStyles = [htBogus]", "HotTrackStyles"},
  };
  for (const TCase& Case : Cases) {
    TForm Target(nullptr);
    const AnsiString Text = "object Form1: TForm\n object L: TListView\n" + AnsiString(Case.Body) + "\n end\nend\n";
    try {
      ReadComponentText(Text, &Target);
      ADD_FAILURE() << "accepted: " << Case.Body;
    } catch (const Exception& E) {
      EXPECT_NE(E.Message().find(Case.Expected), AnsiString::npos) << E.Message();
      EXPECT_NE(E.Message().find("line"), AnsiString::npos) << E.Message();
    }
    EXPECT_EQ(Target.FindComponent("L"), nullptr) << Case.Body;
  }
}

TEST_F(ListViewFormFileTest, AssigningRowsReplacesThemAndRefusesOtherKinds) {
  TListView Source(nullptr);
  Source.GetItems()->Add()->SetCaption("only");
  TListView Target(nullptr);
  Target.GetItems()->Add()->SetCaption("old");
  Target.GetItems()->Assign(Source.GetItems());
  ASSERT_EQ(Target.GetItems()->GetCount(), 1);
  EXPECT_EQ(Target.GetItems()->GetItem(0)->GetCaption(), "only");
  EXPECT_THROW(Target.GetItems()->Assign(Source.GetColumns()), EConvertError);
}

}  // namespace
