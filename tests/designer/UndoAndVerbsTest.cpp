// The modified mark and undo; the component editor's verbs in the context menu, and a
// double click running its Edit.

#include "DesignerFixture.h"

#include <QAction>
#include <QMenu>

#include "PopupWatch.h"

namespace designer_test {
namespace {

TEST_F(DesignerTest, ChangesMarkTheTitleAndCtrlZTakesThemBackOneByOne) {
  EXPECT_FALSE(TitleMarked());
  EXPECT_FALSE(Window->EditUndo->GetEnabled());
  TOstrel* Cards = DropCards(60, 10);
  EXPECT_TRUE(TitleMarked());
  EXPECT_TRUE(Window->EditUndo->GetEnabled());
  Drag(Cards, TPoint{10, 10}, 40, 0);
  SetInInspector("ColumnWidth", "150");
  ASSERT_EQ(Cards->GetLeft(), 100);

  // Each undo brings back the form before one change, the same component selected.
  Press(Cards);  // selects it, and the keyboard goes to the designed form
  vcltest::PressKey('Z', {ssCtrl});
  auto* Back = dynamic_cast<TOstrel*>(Designer->GetSelection());
  ASSERT_NE(Back, nullptr);
  EXPECT_EQ(Back->GetName(), "Ostrel1");
  EXPECT_EQ(Back->GetColumnWidth(), 100);
  EXPECT_EQ(Back->GetLeft(), 100);
  EXPECT_EQ(Window->Inspector().Header->GetCaption(), "Ostrel1: TOstrel");

  Window->EditUndo->Click();
  Back = dynamic_cast<TOstrel*>(Designer->GetForm()->FindComponent("Ostrel1"));
  ASSERT_NE(Back, nullptr);
  EXPECT_EQ(Back->GetLeft(), 60);
  EXPECT_TRUE(Back->HasState(csDesigning));

  Window->EditUndo->Click();
  EXPECT_EQ(Designer->GetForm()->GetComponentCount(), 0);
  EXPECT_FALSE(Window->EditUndo->GetEnabled());
  EXPECT_TRUE(TitleMarked()) << "undone changes are changes too";
  Window->EditUndo->Click();  // nothing left: nothing happens
  EXPECT_EQ(Designer->GetForm()->GetComponentCount(), 0);
}

TEST_F(DesignerTest, UndoBringsBackADeletedCardViewWithItsCards) {
  TOstrel* Cards = DropCards();
  WhenShown(AddCardsAndOk({"Ann"}));
  Designer->EditSelection();
  Designer->DeleteSelection();
  ASSERT_EQ(Designer->GetForm()->FindComponent("Ostrel1"), nullptr);
  Designer->Undo();
  Cards = dynamic_cast<TOstrel*>(Designer->GetForm()->FindComponent("Ostrel1"));
  ASSERT_NE(Cards, nullptr);
  EXPECT_EQ(CardTexts(Cards), std::vector<std::string>{"Ann"});
}

TEST_F(DesignerTest, TheContextMenuListsTheComponentEditorsVerbs) {
  TOstrel* Cards = DropCards();
  DropThroughClicks("Standard", "TButton", 300, 20);
  struct TRow {
    TComponent* Selected;
    std::vector<std::string> Verbs;
  };
  for (const TRow& Row : {TRow{Cards, {"&Items Editor"}}, TRow{Designer->GetForm()->FindComponent("Button1"), {}},
                          TRow{Designer->GetForm(), {}}}) {
    SCOPED_TRACE(Row.Selected->GetName());
    Designer->Select(Row.Selected);
    TMenuItem* Items = Designer->ContextMenu()->GetItems();
    std::vector<std::string> Verbs;
    for (int I = 0; I < Items->GetCount(); ++I) Verbs.push_back(Items->GetItem(I)->GetCaption());
    EXPECT_EQ(Verbs, Row.Verbs);
  }
  auto Editor = GetComponentEditor(Cards, Designer->shared_from_this());
  EXPECT_EQ(Editor->GetVerb(1), "");
  Editor->ExecuteVerb(1);  // no verb 1: no dialog opens
  EXPECT_EQ(Shown(), nullptr);

  // Choosing the verb opens the items editor on the card view.
  Designer->Select(Cards);
  WhenShown(AddCardsAndOk({"Ben"}));
  Designer->ContextMenu()->GetItems()->GetItem(0)->Click();
  EXPECT_EQ(Steps, 1);
  EXPECT_EQ(CardTexts(Cards), std::vector<std::string>{"Ben"});
}

TEST_F(DesignerTest, ARightClickPopsUpTheVerbsOfTheControlUnderThePointer) {
  TOstrel* Cards = DropCards();
  Designer->Select(Designer->GetForm());
  QStringList Texts;
  vcltest::TPopupWatch Watch;
  Watch.WhenShown([&](QMenu& Menu) {
    EXPECT_EQ(Designer->GetSelection(), Cards);
    for (QAction* Action : Menu.actions()) Texts << Action->text();
  });
  vcltest::Click(Cards, 30, 30, mbRight);
  vcltest::ProcessMessages();
  EXPECT_EQ(Watch.Steps, 1);
  EXPECT_EQ(Texts, QStringList{"&Items Editor"});
}

TEST_F(DesignerTest, TheItemsEditorChosenFromTheRightClickMenuOpensOnceTheMenuIsGoneAndClosesEveryWay) {
  TOstrel* Cards = DropCards();
  struct TCase {
    const char* Way;
    std::function<void(TOstrelItemsEditorForm&)> Close;
    std::vector<std::string> Cards;
  };
  const TCase Cases[] = {
      {"Escape", [](TOstrelItemsEditorForm&) { vcltest::PressKey(VK_ESCAPE); }, {}},
      {"Cancel", [](TOstrelItemsEditorForm& D) { Press(D.CancelButton); }, {}},
      {"OK", [](TOstrelItemsEditorForm& D) { Press(D.OKButton); }, {"Ann"}},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Way);
    Cards->GetItems()->Clear();
    vcltest::TPopupWatch Menu;
    Menu.WhenShown([](QMenu&) { vcltest::KeyToOpenMenu(Qt::Key_I, "i"); });
    bool MenuOpenUnderDialog = true;
    WhenShown([&](TOstrelItemsEditorForm& Dialog) {
      MenuOpenUnderDialog = QApplication::activePopupWidget() != nullptr;
      Press(Dialog.NewItemButton);
      vcltest::TypeText("Ann");
      Case.Close(Dialog);
    });
    vcltest::Click(Cards, 30, 30, mbRight);
    vcltest::ProcessMessages();
    // Events that arrive after the dialog has gone find only live widgets.
    vcltest::MouseMove(Cards, 40, 40);
    vcltest::RunFor(50);
    EXPECT_EQ(Menu.Steps, 1);
    EXPECT_EQ(Steps, 1);
    EXPECT_FALSE(MenuOpenUnderDialog) << "the verb runs after the menu has closed";
    EXPECT_EQ(CardTexts(Cards), Case.Cards);
  }
}

TEST_F(DesignerTest, ADoubleClickRunsTheComponentEditorsEdit) {
  TOstrel* Cards = DropCards();
  WhenShown([](TOstrelItemsEditorForm& Dialog) {
    Press(Dialog.NewItemButton);
    Press(Dialog.CancelButton);
  });
  vcltest::DoubleClick(Cards, 30, 30);
  EXPECT_EQ(Steps, 1);
  EXPECT_EQ(Cards->GetItems()->GetCount(), 0) << "Cancel copies nothing back";
}

}  // namespace
}  // namespace designer_test
