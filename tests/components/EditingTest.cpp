// In-place editing through Qt's event path: the editor's whole life, every way an edit ends,
// the value conventions, and the card-level operations.

#include <QLineEdit>

#include "InteractionFixture.h"
#include "QtEmbedding.h"
#include "StdCtrls.h"

namespace cardview_test {
namespace {

class EditingTest : public InteractionTest {
protected:
  void SetLines(int Index, std::initializer_list<const char*> Lines) {
    TStrings* S = Card(Index)->GetSubItems();
    S->Clear();
    for (const char* L : Lines) S->Add(L);
    Card(Index)->Update();
  }
  std::vector<std::string> Lines(int Index) {
    std::vector<std::string> Result;
    for (int I = 0; I < Card(Index)->GetSubItems()->GetCount(); ++I) Result.push_back(Card(Index)->GetSubItems()->Get(I));
    return Result;
  }
  std::string EditorText() { return View->GetEditor() ? View->GetEditor()->GetText() : "<closed>"; }
};

TEST_F(EditingTest, AClickOnASubItemOfTheSelectedCardOpensTheEditorWithTheClickPassedOn) {
  SetLines(2, {"Phone=123", "Note"});
  const TPoint P = LinePoint(2, 0);
  vcltest::Click(View, P.X, P.Y);
  ASSERT_NE(View->GetEditor(), nullptr) << "one click selects the card and opens the editor";
  EXPECT_EQ(View->GetEditItem(), Card(2));
  EXPECT_EQ(EditorText(), "123");
  EXPECT_TRUE(Card(2)->GetEdited());
  EXPECT_EQ(Form->GetActiveControl(), View) << "the form still sees the card view";
  vcltest::ProcessMessages();  // the click handed on to the editor arrives
  auto* Line = qobject_cast<QLineEdit*>(ControlWidget(View->GetEditor()));
  ASSERT_NE(Line, nullptr);
  EXPECT_TRUE(Line->hasFocus());
  EXPECT_FALSE(Line->hasSelectedText()) << "the handed-on click placed a caret";
  vcltest::PressKey(VK_END);
  vcltest::TypeText("456");
  vcltest::PressKey(VK_RETURN);
  EXPECT_NE(View->GetEditor(), nullptr) << "Enter posts; the edit ends from the message loop";
  vcltest::ProcessMessages();
  EXPECT_EQ(View->GetEditor(), nullptr);
  EXPECT_EQ(Lines(2), (std::vector<std::string>{"Phone=123456", "Note"}));
  EXPECT_FALSE(Card(2)->GetEdited());
  EXPECT_TRUE(View->Focused()) << "the keyboard returns to the card view";
}

TEST_F(EditingTest, TheValueConventionsOfNamedAndPlainLines) {
  struct TRow {
    const char* Name;
    std::vector<const char*> Before;
    int Edited;
    const char* Shown;
    const char* Typed;
    std::vector<std::string> After;
  };
  const TRow Rows[] = {
      {"a named line edits its value", {"Phone=123", "Note", "=x", "Fax="}, 0, "123", "9", {"Phone=9", "Note", "=x", "Fax="}},
      {"a plain line is edited whole", {"Phone=123", "Note", "=x", "Fax="}, 1, "Note", "Memo", {"Phone=123", "Memo", "=x", "Fax="}},
      {"'=' first is a plain line", {"Phone=123", "Note", "=x", "Fax="}, 2, "=x", "=y", {"Phone=123", "Note", "=y", "Fax="}},
      {"an empty value", {"Phone=123", "Note", "=x", "Fax="}, 3, "", "1", {"Phone=123", "Note", "=x", "Fax=1"}},
      {"duplicate names: only the edited line", {"Phone=1", "Phone=2"}, 1, "2", "3", {"Phone=1", "Phone=3"}},
      {"emptied named line goes", {"Phone=1", "Mail=m", "City=c"}, 1, "m", "", {"Phone=1", "City=c"}},
      {"emptied plain line stays empty", {"Note", "x"}, 0, "Note", "", {"", "x"}},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TStrings* S = Card(4)->GetSubItems();
    S->Clear();
    for (const char* L : Row.Before) S->Add(L);
    Card(4)->Update();
    ASSERT_TRUE(Card(4)->EditSubItem(Row.Edited));
    EXPECT_EQ(EditorText(), Row.Shown);
    View->GetEditor()->SetText(Row.Typed);
    vcltest::PressKey(VK_RETURN);
    vcltest::ProcessMessages();
    EXPECT_EQ(Lines(4), Row.After);
    // A card that lost a line is laid out again at once: no card overlaps the next.
    for (int I = 0; I + 1 < 7; ++I) {
      if (Card(I)->GetColumn() != Card(I + 1)->GetColumn()) continue;
      EXPECT_EQ(Card(I + 1)->GetClientRect().Top, Card(I)->GetClientRect().Bottom + View->GetBorderWidth()) << I;
    }
  }
}

// Each row opens an edit of card 0's first line, types "x" and ends it one way.
struct TEndRow {
  const char* Name;
  std::function<void(EditingTest&, TOstrel*)> End;
  bool Stored;
};

TEST_F(EditingTest, EveryWayAnEditEnds) {
  auto Post = [](bool Accept) {
    return [Accept](EditingTest&, TOstrel*) {
      vcltest::PressKey(Accept ? VK_RETURN : VK_ESCAPE);
      vcltest::ProcessMessages();
    };
  };
  const TEndRow Rows[] = {
      {"Enter", Post(true), true},
      {"Escape", Post(false), false},
      {"Tab to another control", [](EditingTest&, TOstrel*) { vcltest::PressKey(VK_TAB); }, true},
      {"a press on the card view", [](EditingTest&, TOstrel* V) { vcltest::Click(V, 250, 190); }, true},
      {"scrolling", [](EditingTest&, TOstrel* V) { V->Perform(WM_HSCROLL, SB_LINERIGHT, 0); }, true},
      {"ReadOnly switched on", [](EditingTest&, TOstrel* V) { V->SetReadOnly(true); }, false},
      {"another edit", [](EditingTest&, TOstrel* V) { V->GetItems()->GetItemFromIndex(1)->EditSubItem(0); }, true},
      {"EndEdit(false) on another card", [](EditingTest&, TOstrel* V) { V->GetItems()->GetItemFromIndex(3)->EndEdit(false); }, true},
      {"EndEdit(true)", [](EditingTest&, TOstrel* V) { V->GetItems()->GetItemFromIndex(0)->EndEdit(true); }, false},
  };
  TEdit Other(nullptr);
  Other.SetBounds(0, 210, 80, 20);
  Other.SetParent(Form);
  for (const TEndRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    View->SetReadOnly(false);
    View->HideItemEditor(false);
    View->SetFocus();
    Card(0)->GetSubItems()->Put(0, "Line0=0");
    ASSERT_TRUE(Card(0)->EditSubItem(0));
    vcltest::PressKey(VK_END);
    vcltest::TypeText("x");
    Row.End(*this, View);
    EXPECT_FALSE(Card(0)->GetEdited());
    EXPECT_NE(View->GetEditItem(), Card(0));
    EXPECT_EQ(Card(0)->GetSubItems()->Get(0), Row.Stored ? "Line0=0x" : "Line0=0");
  }
  View->HideItemEditor(false);
}

TEST_F(EditingTest, HandlersVetoRewriteAndFilter) {
  View->SetOnEditingSubItem([](TObject*, TOstrelItem*, int SubItem, bool& CanEdit) { CanEdit = SubItem != 2; });
  EXPECT_FALSE(Card(0)->EditSubItem(2));
  EXPECT_EQ(View->GetEditor(), nullptr);
  View->SetReadOnly(true);
  EXPECT_TRUE(Card(0)->EditSubItem(0)) << "ReadOnly stops only the mouse";
  View->SetReadOnly(false);
  std::vector<std::string> Seen;
  View->SetOnEditedSubItem([&](TObject*, TOstrelItem*, int SubItem, AnsiString& NewText) {
    Seen.push_back(std::to_string(SubItem) + ":" + NewText);
    NewText = "<" + NewText + ">";
  });
  std::string Filtered;
  View->SetOnKeyPress([&](TObject*, char& Key) {
    Filtered += Key;
    if (Key >= '0' && Key <= '9') Key = 0;
  });
  ASSERT_TRUE(Card(0)->EditSubItem(1));
  View->GetEditor()->SetText("");
  vcltest::TypeText("a1b2");
  vcltest::PressKey(VK_RETURN);
  vcltest::ProcessMessages();
  EXPECT_EQ(Filtered, "a1b2") << "typed characters reach OnKeyPress; Enter does not";
  EXPECT_EQ(Seen, std::vector<std::string>{"1:ab"});
  EXPECT_EQ(Card(0)->GetSubItems()->Get(1), "Line1=<ab>");
  ASSERT_TRUE(Card(0)->EditSubItem(1));
  vcltest::PressKey(VK_ESCAPE);
  vcltest::ProcessMessages();
  EXPECT_EQ(Seen.size(), 1u) << "a discarded edit asks no handler";
}

TEST_F(EditingTest, CardLevelErrorsAndCardsOfNoControl) {
  EXPECT_THROW(Card(0)->EditSubItem(3), Exception);
  EXPECT_THROW(Card(0)->EditSubItem(-1), Exception);
  try {
    Card(0)->EditSubItemByName("Fax");
    FAIL();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "SubItem not found");
  }
  Card(0)->EditSubItemByName("Line2");
  EXPECT_EQ(EditorText(), "2");
  TOstrelItem Loose(nullptr);
  Loose.GetSubItems()->Add("A=1");
  EXPECT_FALSE(Loose.EditSubItem(0));
  Loose.EndEdit(false);
  EXPECT_EQ(EditorText(), "2") << "a card of no control ends nothing";
  Card(6)->EndEdit(true);
  Card(6)->EndEdit(true);  // nothing open: nothing happens
  EXPECT_EQ(View->GetEditor(), nullptr);
}

TEST_F(EditingTest, DeletingTheEditedCardEndsTheEditWithoutStoring) {
  ASSERT_TRUE(Card(3)->EditSubItem(0));
  vcltest::TypeText("zz");
  Card(3)->Delete();
  EXPECT_EQ(View->GetEditor(), nullptr);
  EXPECT_EQ(View->GetEditItem(), nullptr);
  ASSERT_TRUE(Card(1)->EditSubItem(0));
  View->GetItems()->Clear();
  EXPECT_EQ(View->GetEditor(), nullptr);
  vcltest::ProcessMessages();
}

TEST_F(EditingTest, AnEndRequestOfAFinishedEditLeavesTheNextOneOpen) {
  ASSERT_TRUE(Card(0)->EditSubItem(0));
  vcltest::PressKey(VK_RETURN);  // posts the request of edit one
  ASSERT_TRUE(Card(1)->EditSubItem(1));  // ends edit one (stored) and opens edit two
  vcltest::ProcessMessages();
  EXPECT_NE(View->GetEditor(), nullptr) << "the stale request ends nothing";
  EXPECT_EQ(View->GetEditItem(), Card(1));
}

// Opening an edit stores the open one first, whose handler may take away what the new
// edit was to open on; the permission handler then hears of nothing.
TEST_F(EditingTest, EndingTheOpenEditMayTakeAwayTheLineOrCardAboutToBeEdited) {
  std::vector<std::string> Asked;
  View->SetOnEditingSubItem([&](TObject*, TOstrelItem* Item, int SubItem, bool&) {
    Asked.push_back(Item->GetText() + " " + std::to_string(SubItem));
  });
  View->SetOnEditedSubItem([](TObject*, TOstrelItem*, int, AnsiString& NewText) { NewText.clear(); });
  ASSERT_TRUE(Card(0)->EditSubItem(0));
  EXPECT_FALSE(View->EditSubItem(Card(0), 2)) << "the empty value removed a line, so line 2 is gone";
  EXPECT_EQ(Lines(0), (std::vector<std::string>{"Line1=1", "Line2=2"}));
  EXPECT_EQ(View->GetEditor(), nullptr);

  ASSERT_TRUE(Card(0)->EditSubItem(0));
  TOstrelItem* Doomed = Card(1);
  View->SetOnEditedSubItem([Doomed](TObject*, TOstrelItem*, int, AnsiString&) { Doomed->Delete(); });
  EXPECT_FALSE(View->EditSubItem(Doomed, 0));
  EXPECT_EQ(View->GetEditor(), nullptr);
  EXPECT_EQ(Asked, (std::vector<std::string>{"Card 0 0", "Card 0 0"}));
}

// A handler told of an edit's end opens an edit elsewhere: it is told once (not again by the
// new edit ending the old one), the value it settled on is stored, and its edit stands.
TEST_F(EditingTest, AnEditOpenedWhileAnEndIsReportedStandsAndTheEndIsReportedOnce) {
  std::vector<std::string> Reported;
  View->SetOnEditedSubItem([&](TObject*, TOstrelItem* Item, int SubItem, AnsiString& NewText) {
    Reported.push_back(Item->GetText() + " " + std::to_string(SubItem));
    NewText += "!";
    Card(1)->EditSubItem(2);
  });
  ASSERT_TRUE(Card(0)->EditSubItem(1));
  vcltest::TypeText("7");
  vcltest::PressKey(VK_RETURN);
  vcltest::ProcessMessages();
  EXPECT_EQ(Reported, (std::vector<std::string>{"Card 0 1"}));
  EXPECT_EQ(Lines(0)[1], "Line1=17!");
  EXPECT_EQ(View->GetEditItem(), Card(1));
  EXPECT_EQ(EditorText(), "2");
}

// An edit ends while its card is on its way out (a handler of the card's deletion ends it):
// nothing is told of a card that is no longer the list's, and nothing is stored in it.
TEST_F(EditingTest, AnEditEndingWhileItsCardIsDeletedIsNotReported) {
  int Reported = 0;
  View->SetOnEditedSubItem([&](TObject*, TOstrelItem*, int, AnsiString&) { ++Reported; });
  View->SetOnChanging([this](TObject*, TOstrelItem*, bool&) { View->HideItemEditor(true); });
  View->SetSelected(Card(2));
  ASSERT_TRUE(Card(2)->EditSubItem(0));
  Card(2)->Delete();  // handing over the selection asks OnChanging, which ends the edit
  EXPECT_EQ(Reported, 0);
  EXPECT_EQ(View->GetEditor(), nullptr);
  EXPECT_EQ(View->GetItems()->GetCount(), 6);
}

TEST_F(EditingTest, AnEditWhoseLineWasRemovedEndsWithoutReportingOrStoring) {
  int Reported = 0;
  View->SetOnEditedSubItem([&](TObject*, TOstrelItem*, int, AnsiString&) { ++Reported; });
  ASSERT_TRUE(Card(0)->EditSubItem(2));
  Card(0)->GetSubItems()->Delete(2);
  Card(0)->Update();
  View->HideItemEditor(true);
  EXPECT_EQ(Reported, 0);
  EXPECT_EQ(View->GetEditor(), nullptr);
  EXPECT_EQ(Lines(0), (std::vector<std::string>{"Line0=0", "Line1=1"}));
}

TEST_F(EditingTest, AnEditingPermissionHandlerMayDestroyTheCardView) {
  TOstrelItem* Item = Card(0);
  View->SetOnEditingSubItem([this](TObject*, TOstrelItem*, int, bool&) {
    auto* Test = this;
    delete View;
    Test->View = nullptr;
  });
  EXPECT_FALSE(Item->EditSubItem(0));
  EXPECT_EQ(View, nullptr);
}

// A handler asked whether one line may be edited opens an edit elsewhere: its edit stands
// and the one asked about does not open over it.
TEST_F(EditingTest, AnEditOpenedByThePermissionHandlerStands) {
  View->SetOnEditingSubItem([this](TObject*, TOstrelItem* Item, int, bool&) {
    if (Item == Card(0)) Card(1)->EditSubItem(2);
  });
  EXPECT_FALSE(Card(0)->EditSubItem(0));
  EXPECT_EQ(View->GetEditItem(), Card(1));
  EXPECT_EQ(EditorText(), "2");
  EXPECT_FALSE(Card(0)->GetEdited());
  EXPECT_TRUE(Card(1)->GetEdited());
  int Editors = 0;
  for (int I = 0; I < View->GetComponentCount(); ++I)
    Editors += dynamic_cast<TOstrelEditor*>(View->GetComponent(I)) ? 1 : 0;
  EXPECT_EQ(Editors, 1) << "no editor is left behind";
  View->HideItemEditor(false);
}

// Scrolling stores an open edit first; run under AddressSanitizer, these show that the
// scroll reads nothing of a card view that OnEditedSubItem destroyed.
class EditEndsByScrollTest : public EditingTest {
protected:
  void SetUp() override {
    EditingTest::SetUp();
    ASSERT_TRUE(Card(0)->EditSubItem(0));
    View->SetOnEditedSubItem([this](TObject*, TOstrelItem*, int, AnsiString&) {
      auto* Test = this;
      delete View;
      Test->View = nullptr;
    });
  }
};

TEST_F(EditEndsByScrollTest, TheScrollBarMayFindTheCardViewDestroyed) {
  PostMessage(View->GetHandle(), WM_HSCROLL, SB_LINERIGHT, 0);
  vcltest::ProcessMessages();
  EXPECT_EQ(View, nullptr);
}

TEST_F(EditEndsByScrollTest, TheWheelMayFindTheCardViewDestroyed) {
  vcltest::Wheel(View, 150, 100, -120);
  EXPECT_EQ(View, nullptr);
}

TEST_F(EditingTest, HandlersThatDestroyTheCardViewDuringAnEdit) {
  ASSERT_TRUE(Card(0)->EditSubItem(0));
  View->SetOnKeyPress([this](TObject*, char&) {
    // The handler is part of the view: nothing of it may be read once the view is gone.
    auto* Test = this;
    delete View;
    Test->View = nullptr;
  });
  vcltest::TypeText("q");
  EXPECT_EQ(View, nullptr);
  vcltest::ProcessMessages();
}

}  // namespace
}  // namespace cardview_test
