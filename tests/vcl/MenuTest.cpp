// Menus through Qt's event path: the form's menu bar above the client area, shortcuts from
// any control, Alt with an accelerator then a letter, disabled items, context menus on a
// right click and the context-menu key, and menus read back from a form file.

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "Harness.h"
#include "Menus.h"
#include "PopupWatch.h"
#include "Probe.h"
#include "QtEmbedding.h"
#include "StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

void CloseMenus() {
  while (QWidget* Popup = QApplication::activePopupWidget()) Popup->close();
  ProcessMessages();
}

class MenuTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(320, 240);
    Menu = new TMainMenu(Form.get());
    FileItem = AddMenuItem(Menu->GetItems(), "&File", nullptr);
    OpenItem = AddMenuItem(FileItem, "&Open...", nullptr, TextToShortCut("Ctrl+O"));
    SaveItem = AddMenuItem(FileItem, "&Save", nullptr, TextToShortCut("Ctrl+S"));
    AddMenuItem(FileItem, "-", nullptr);
    ExitItem = AddMenuItem(FileItem, "E&xit", nullptr);
    ViewItem = AddMenuItem(Menu->GetItems(), "&View", nullptr);
    RightToLeft = AddMenuItem(ViewItem, "&Right to left", nullptr, TextToShortCut("Ctrl+R"));
    for (TMenuItem* Item : {FileItem, OpenItem, SaveItem, ExitItem, ViewItem, RightToLeft})
      Item->SetOnClick([this](TObject* Sender) { Clicks.push_back(static_cast<TMenuItem*>(Sender)->GetCaption()); });
    Edit = new TEdit(Form.get());
    Edit->SetBounds(10, 10, 120, 24);
    Edit->SetParent(Form.get());
    Form->SetMenu(Menu);
    Edit->SetFocus();
    ProcessMessages();
  }
  void TearDown() override {
    Watch.StopWatching();
    CloseMenus();
    Form.reset();
    THostTest::TearDown();
  }
  // The bar shown now; a bar replaced by a rebuild is hidden until Qt deletes it.
  QMenuBar* Bar() {
    for (QMenuBar* Bar : ControlWidget(Form.get())->findChildren<QMenuBar*>())
      if (!Bar->isHidden()) return Bar;
    return nullptr;
  }

  std::unique_ptr<TForm> Form;
  TMainMenu* Menu = nullptr;
  TMenuItem *FileItem = nullptr, *OpenItem = nullptr, *SaveItem = nullptr, *ExitItem = nullptr;
  TMenuItem *ViewItem = nullptr, *RightToLeft = nullptr;
  TEdit* Edit = nullptr;
  std::vector<std::string> Clicks;
  TPopupWatch Watch;
};

TEST_F(MenuTest, TheBarShowsTheTopItemsAboveTheClientArea) {
  ASSERT_NE(Bar(), nullptr);
  ASSERT_EQ(Bar()->actions().size(), 2);
  EXPECT_EQ(Bar()->actions()[0]->text(), QString("&File"));
  QMenu* File = Bar()->actions()[0]->menu();
  ASSERT_NE(File, nullptr);
  EXPECT_EQ(File->actions()[1]->text(), QString("&Save\tCtrl+S")) << "the shortcut is shown beside the caption";
  EXPECT_TRUE(File->actions()[2]->isSeparator());
  const int BarHeight = Bar()->height();
  EXPECT_GT(BarHeight, 0);
  EXPECT_EQ(Form->GetClientHeight(), ControlWidget(Form.get())->height() - BarHeight);
  EXPECT_EQ(ControlWidget(Edit)->y(), 10 + BarHeight) << "children sit below the bar";
  Form->SetMenu(nullptr);
  ProcessMessages();
  EXPECT_EQ(Bar(), nullptr);
  EXPECT_EQ(ControlWidget(Edit)->y(), 10);
  EXPECT_EQ(Form->GetClientHeight(), ControlWidget(Form.get())->height());
}

TEST_F(MenuTest, ShortcutsFireFromAnyControlButNotWhenDisabledOrHidden) {
  struct TCase {
    Word Key;
    TShiftState Shift;
    std::vector<std::string> Expected;
  };
  const TCase Cases[] = {
      // The submenus on the way run their OnClick first, as when they open.
      {'S', {ssCtrl}, {"&File", "&Save"}},
      {'R', {ssCtrl}, {"&View", "&Right to left"}},
      {'S', {}, {}},                                  // a plain letter is typed, not a shortcut
      {'O', {ssCtrl, ssShift}, {}},
  };
  for (const TCase& Case : Cases) {
    Clicks.clear();
    PressKey(Case.Key, Case.Shift);
    EXPECT_EQ(Clicks, Case.Expected) << "key " << Case.Key;
  }
  EXPECT_EQ(Edit->GetText(), "s") << "only the plain key reached the edit";
  Clicks.clear();
  SaveItem->SetEnabled(false);
  PressKey('S', {ssCtrl});
  FileItem->SetEnabled(false);
  PressKey('O', {ssCtrl});
  RightToLeft->SetVisible(false);
  PressKey('R', {ssCtrl});
  EXPECT_EQ(Clicks, std::vector<std::string>{"&File"}) << "the enabled parent opens in spirit, nothing disabled fires";
  EXPECT_FALSE(Bar()->actions()[0]->isEnabled());
}

TEST_F(MenuTest, AltWithAnAcceleratorOpensTheMenuAndALetterChoosesAnItem) {
  PressKey('F', {ssAlt});
  QWidget* Popup = QApplication::activePopupWidget();
  ASSERT_NE(Popup, nullptr) << "Alt+F opens the File menu";
  EXPECT_EQ(Popup, Bar()->actions()[0]->menu());
  EXPECT_EQ(Clicks, std::vector<std::string>{"&File"}) << "the opening submenu's OnClick";
  KeyToOpenMenu(Qt::Key_X, "x");
  EXPECT_EQ(Clicks, (std::vector<std::string>{"&File", "E&xit"}));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  Clicks.clear();
  PressKey('Q', {ssAlt});
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no item has that accelerator";
  ViewItem->SetEnabled(false);
  PressKey('V', {ssAlt});
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a disabled top item does not open";
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(MenuTest, F10TakesTheKeyboardIntoTheBarAtItsFirstEnabledItem) {
  struct TCase {
    const char* Name;
    std::function<void()> Prepare;
    int Opened;  // the top item whose menu opens; -1: none
  };
  const TCase Cases[] = {
      {"the first item", [] {}, 0},
      {"the first is disabled", [this] { FileItem->SetEnabled(false); }, 1},
      {"the first is hidden", [this] { FileItem->SetVisible(false); }, 1},
      {"an item owns F10", [this] { ExitItem->SetShortCut(VK_F10); }, -1},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    for (TMenuItem* Item : {FileItem, ViewItem}) {
      Item->SetEnabled(true);
      Item->SetVisible(true);
    }
    ExitItem->SetShortCut(scNone);
    Case.Prepare();
    Edit->SetFocus();
    ProcessMessages();
    Clicks.clear();
    PressKey(VK_F10);
    QWidget* Open = QApplication::activePopupWidget();
    if (Case.Opened < 0) {
      EXPECT_EQ(Open, nullptr);
      EXPECT_EQ(Clicks, (std::vector<std::string>{"&File", "E&xit"})) << "the item's own shortcut wins";
      continue;
    }
    ASSERT_NE(Open, nullptr);
    EXPECT_EQ(Open, Bar()->actions()[Case.Opened]->menu());
    KeyToOpenMenu(Qt::Key_Escape);
    CloseMenus();
  }
  PressKey(VK_F10, {ssCtrl});
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "only F10 alone";
}

// Alt pressed and released with nothing in between enters the bar as F10 does; Alt that
// was part of a chord, or was followed by a click, does not.
TEST_F(MenuTest, AltAloneTakesTheKeyboardIntoTheBar) {
  auto AltKey = [](QEvent::Type Type, Qt::KeyboardModifiers Modifiers) {
    QKeyEvent Event(Type, Qt::Key_Alt, Modifiers);
    QApplication::sendEvent(QApplication::focusWidget(), &Event);
  };
  AltKey(QEvent::KeyPress, Qt::NoModifier);
  AltKey(QEvent::KeyRelease, Qt::AltModifier);
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(QApplication::activePopupWidget(), Bar()->actions()[0]->menu());
  KeyToOpenMenu(Qt::Key_Escape);
  CloseMenus();
  EXPECT_EQ(Clicks, std::vector<std::string>{"&File"}) << "the opened item hears its click, no more";

  Edit->SetFocus();
  ProcessMessages();
  AltKey(QEvent::KeyPress, Qt::NoModifier);
  PressKey('V', {ssAlt});
  ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "Alt+V opens View";
  KeyToOpenMenu(Qt::Key_Escape);
  CloseMenus();
  Edit->SetFocus();
  ProcessMessages();
  AltKey(QEvent::KeyRelease, Qt::AltModifier);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the Alt of a chord";

  AltKey(QEvent::KeyPress, Qt::NoModifier);
  Click(Edit, 5, 5);
  AltKey(QEvent::KeyRelease, Qt::AltModifier);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a click came between";
}

TEST_F(MenuTest, ADisabledItemInAnOpenMenuIsNotChosen) {
  SaveItem->SetEnabled(false);
  PressKey('F', {ssAlt});
  KeyToOpenMenu(Qt::Key_S, "s");
  EXPECT_EQ(Clicks, std::vector<std::string>{"&File"});
}

TEST_F(MenuTest, ItemsAddedOrDeletedLaterShowInTheBar) {
  TMenuItem* Help = AddMenuItem(Menu->GetItems(), "&Help", nullptr);
  EXPECT_EQ(Help->GetOwner(), Form.get()) << "owned by the form of its menu";
  ASSERT_EQ(Bar()->actions().size(), 3);
  EXPECT_EQ(Bar()->actions()[2]->text(), QString("&Help"));
  delete Help;
  EXPECT_EQ(Bar()->actions().size(), 2);
  delete SaveItem;
  SaveItem = nullptr;
  EXPECT_EQ(FileItem->GetCount(), 3);
  EXPECT_EQ(Bar()->actions()[0]->menu()->actions().size(), 3);
  EXPECT_THROW(FileItem->Add(OpenItem), EMenuError) << "an item has one parent";
  EXPECT_THROW(OpenItem->Add(FileItem), EMenuError) << "not inside itself";
}

TEST_F(MenuTest, RadioItemsOfAGroupCheckOneAtATime) {
  TMenuItem* Left = AddMenuItem(ViewItem, "&Left", nullptr);
  TMenuItem* Right = AddMenuItem(ViewItem, "R&ight", nullptr);
  for (TMenuItem* Item : {Left, Right}) Item->SetRadioItem(true);
  Left->SetChecked(true);
  Right->SetChecked(true);
  EXPECT_FALSE(Left->GetChecked());
  QMenu* View = Bar()->actions()[1]->menu();
  ASSERT_EQ(View->actions().size(), 3);
  EXPECT_TRUE(View->actions()[2]->isChecked());
  EXPECT_FALSE(View->actions()[1]->isChecked());
}

// ---------------------------------------------------------------- context menus

class PopupMenuTest : public MenuTest {
protected:
  void SetUp() override {
    MenuTest::SetUp();
    Popup = new TPopupMenu(Form.get());
    CopyItem = AddMenuItem(Popup->GetItems(), "&Copy", nullptr, TextToShortCut("Ctrl+C"));
    CopyItem->SetOnClick([this](TObject*) { Clicks.push_back("copy"); });
    Popup->SetOnPopup([this](TObject*) { Clicks.push_back("popup"); });
    Probe = new TProbe(Form.get(), Form.get(), TRect{10, 50, 150, 150});
    Probe->SetPopupMenu(Popup);
    ProcessMessages();
  }
  TPopupMenu* Popup = nullptr;
  TMenuItem* CopyItem = nullptr;
  TProbe* Probe = nullptr;
};

TEST_F(PopupMenuTest, ARightClickShowsTheControlsMenuAtThePointerAndReturnsAfterTheChosenItem) {
  const TPoint Screen = Probe->ClientToScreen(TPoint{30, 40});
  Watch.WhenShown([&](QMenu& Shown) {
    EXPECT_EQ(Clicks, (std::vector<std::string>{"right button up", "popup"}));
    EXPECT_EQ(Popup->GetPopupComponent(), Probe);
    EXPECT_EQ(Shown.pos(), QPoint(Screen.X, Screen.Y));
    CopyItem->SetOnClick([this](TObject*) {
      // The item runs once the menu has closed: no popup holds the input meanwhile.
      Clicks.push_back(QApplication::activePopupWidget() ? "copy in an open menu" : "copy");
    });
    KeyToOpenMenu(Qt::Key_C, "c");
  });
  MouseDown(Probe, 30, 40, mbRight);
  Clicks.push_back("right button up");
  MouseUp(Probe, 30, 40, mbRight);
  Clicks.push_back("returned");
  EXPECT_EQ(Watch.Steps, 1);
  EXPECT_EQ(Clicks, (std::vector<std::string>{"right button up", "popup", "copy", "returned"}))
      << "the right click returns after the menu closed and its item ran";
}

TEST_F(PopupMenuTest, PopupReturnsWhenTheMenuClosesWithoutAChoice) {
  for (const char* Way : {"Escape", "closed"}) {
    SCOPED_TRACE(Way);
    Clicks.clear();
    Watch.WhenShown([Way](QMenu& Shown) {
      if (std::string(Way) == "Escape") KeyToOpenMenu(Qt::Key_Escape);
      else Shown.close();
    });
    Popup->Popup(100, 100);
    EXPECT_EQ(Watch.Steps, 1);
    EXPECT_EQ(Clicks, std::vector<std::string>{"popup"}) << "nothing chosen, nothing runs";
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  }
}

TEST_F(PopupMenuTest, TheContextMenuKeyShowsItAndAControlWithoutOneAsksItsParent) {
  Probe->SetFocus();
  QWidget* Target = QApplication::focusWidget();
  ASSERT_NE(Target, nullptr);
  const TPoint Corner = Probe->ClientToScreen(TPoint{0, 0});
  QPoint ShownAt;
  Watch.WhenShown([&ShownAt](QMenu& Shown) { ShownAt = Shown.pos(); });
  for (QEvent::Type Type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent Key(Type, Qt::Key_Menu, Qt::NoModifier);
    QApplication::sendEvent(Target, &Key);
  }
  ProcessMessages();
  EXPECT_EQ(Watch.Steps, 1) << "the context-menu key";
  EXPECT_EQ(ShownAt, QPoint(Corner.X, Corner.Y));
  Probe->SetPopupMenu(nullptr);
  Form->SetPopupMenu(Popup);
  Watch.WhenShown([](QMenu&) {});
  Click(Probe, 5, 5, mbRight);
  EXPECT_EQ(Watch.Steps, 1) << "the form's menu for a control without one";
  EXPECT_EQ(Popup->GetPopupComponent(), Form.get());
  Popup->SetAutoPopup(false);
  Watch.WhenShown([](QMenu&) {});
  Click(Probe, 5, 5, mbRight);
  ProcessMessages();
  EXPECT_EQ(Watch.Steps, 0) << "AutoPopup off";
}

TEST_F(PopupMenuTest, APopupMenusShortcutWorksForItsControlOnly) {
  Probe->SetFocus();
  PressKey('C', {ssCtrl});
  EXPECT_EQ(Clicks, std::vector<std::string>{"copy"});
  Edit->SetFocus();
  PressKey('C', {ssCtrl});
  EXPECT_EQ(Clicks, std::vector<std::string>{"copy"}) << "the edit has no popup menu";
}

TEST_F(PopupMenuTest, AMenuFreedWhileShownLeavesNothingBehind) {
  Watch.WhenShown([this](QMenu&) {
    delete Popup;
    EXPECT_EQ(Probe->GetPopupMenu(), nullptr);
    KeyToOpenMenu(Qt::Key_C, "c");
  });
  Click(Probe, 30, 40, mbRight);
  EXPECT_EQ(Watch.Steps, 1);
  EXPECT_EQ(Clicks, std::vector<std::string>{"popup"}) << "the freed item's click does not run";
}

TEST_F(PopupMenuTest, AnItemThatFreesTheMenuAndItsControlRunsAfterTheMenuIsGone) {
  CopyItem->SetOnClick([this](TObject*) {
    delete Probe;
    Probe = nullptr;
    delete Popup;
    Clicks.push_back("freed");
  });
  Watch.WhenShown([](QMenu&) { KeyToOpenMenu(Qt::Key_C, "c"); });
  Click(Probe, 30, 40, mbRight);
  ProcessMessages();
  EXPECT_EQ(Clicks, (std::vector<std::string>{"popup", "freed"}));
  EXPECT_TRUE(TakeExceptions().empty());
}

// ---------------------------------------------------------------- shortcuts and files

TEST(ShortCutText, NamesAndParsesShortcutsBothWays) {
  struct TCase {
    const char* Text;
    TShortCut Value;
  };
  const TCase Cases[] = {
      {"Ctrl+S", static_cast<TShortCut>(scCtrl | 'S')},
      {"Shift+Ctrl+N", static_cast<TShortCut>(scShift | scCtrl | 'N')},
      {"Alt+F4", static_cast<TShortCut>(scAlt | VK_F4)},
      {"Del", VK_DELETE},
      {"F2", VK_F2},
      {"Ctrl+Enter", static_cast<TShortCut>(scCtrl | VK_RETURN)},
  };
  for (const TCase& Case : Cases) {
    EXPECT_EQ(TextToShortCut(Case.Text), Case.Value) << Case.Text;
    EXPECT_EQ(ShortCutToText(Case.Value), Case.Text);
  }
  EXPECT_EQ(TextToShortCut("ctrl+s"), TextToShortCut("Ctrl+S"));
  for (const char* Bad : {"", "Ctrl+", "Hyper+S", "Ctrl+Nothing"}) EXPECT_EQ(TextToShortCut(Bad), scNone) << Bad;
  EXPECT_EQ(ShortCut('S', {ssCtrl}), TextToShortCut("Ctrl+S"));
  EXPECT_EQ(GetHotkey("E&xit"), 'X');
  EXPECT_EQ(GetHotkey("Save && &Close"), 'C');
  EXPECT_EQ(GetHotkey("Plain"), 0);
}

TEST_F(MenuTest, MenusNestInTheFormTextAndComeBackWithTheFormsMenuBar) {
  Form->SetName("MainForm");
  Menu->SetName("MainMenu1");
  const char* Names[] = {"FileItem", "OpenItem", "SaveItem", "ExitItem", "ViewItem", "RightToLeftItem"};
  TMenuItem* Items[] = {FileItem, OpenItem, SaveItem, ExitItem, ViewItem, RightToLeft};
  for (int I = 0; I < 6; ++I) Items[I]->SetName(Names[I]);
  SaveItem->SetEnabled(false);
  RightToLeft->SetChecked(true);
  Edit->SetName("Edit1");
  const AnsiString Text = WriteComponentText(Form.get());
  EXPECT_NE(Text.find("Menu = MainMenu1"), AnsiString::npos) << Text;
  EXPECT_NE(Text.find("ShortCut = 16467"), AnsiString::npos) << Text;

  TForm Copy(nullptr);
  ReadComponentText(Text, &Copy);
  auto* ReadMenu = dynamic_cast<TMainMenu*>(Copy.FindComponent("MainMenu1"));
  ASSERT_NE(ReadMenu, nullptr);
  EXPECT_EQ(Copy.GetMenu(), ReadMenu);
  ASSERT_EQ(ReadMenu->GetItems()->GetCount(), 2);
  TMenuItem* File = ReadMenu->GetItems()->GetItem(0);
  EXPECT_EQ(File->GetName(), "FileItem");
  ASSERT_EQ(File->GetCount(), 4) << "the separator has no name and still comes back";
  EXPECT_TRUE(File->GetItem(2)->IsLine());
  EXPECT_EQ(File->GetItem(1)->GetShortCut(), TextToShortCut("Ctrl+S"));
  EXPECT_FALSE(File->GetItem(1)->GetEnabled());
  EXPECT_TRUE(ReadMenu->GetItems()->GetItem(1)->GetItem(0)->GetChecked());
  EXPECT_EQ(WriteComponentText(&Copy), Text);

  TForm Wrong(nullptr);
  EXPECT_THROW(ReadComponentText("object F: TForm\n object M: TMainMenu\n object E: TEdit\n end\n end\nend\n", &Wrong),
               EReadError)
      << "an edit cannot nest in a menu";
  EXPECT_THROW(ReadComponentText("object F: TForm\n object E: TEdit\n object M: TMenuItem\n end\n end\nend\n", &Wrong),
               EReadError)
      << "a menu item cannot nest in an edit";
}

}  // namespace
