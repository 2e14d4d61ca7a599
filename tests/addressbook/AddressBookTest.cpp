// The address book driven as a user drives it: menu commands through their items and
// shortcuts through Qt's key events, in-place edits typed, file dialogs and message boxes
// answered by their hooks.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "AddressBookFixture.h"
#include "ModalWatch.h"
#include "OstrelItemsEditorFormUnit.h"

namespace {

using namespace vcl;
using namespace ostrel;
using namespace addressbooktest;
namespace fs = std::filesystem;

// Open, edit in place, Save As in each format, start anew, open what was saved.
TEST_F(AddressBookTest, OpenEditSaveAsRoundTripInEachFormat) {
  for (const std::string Extension : {"cards", "vcf", "csv"}) {
    SCOPED_TRACE(Extension);
    OpenWithKeys(WriteCards("start.cards", Two));
    EXPECT_EQ(Title(), "start.cards - 2 cards");
    AppendToLine(0, 0, "23");
    EXPECT_EQ(Title(), "start.cards* - 2 cards");
    EXPECT_TRUE(Book->GetModified());

    FileAnswers.push_back(PathOf("saved." + Extension));
    Book->FileSaveAs->Click();
    EXPECT_EQ(Title(), "saved." + Extension + " - 2 cards");
    EXPECT_FALSE(Book->GetModified());

    Book->FileNew->Click();
    EXPECT_EQ(Title(), "Untitled - 0 cards");
    OpenWithKeys(PathOf("saved." + Extension));
    EXPECT_EQ(Shown(), (std::vector<TCardLines>{{"Alice", "Phone=123"}, {"Bob", "Mail=bob@example.org"}}));
    EXPECT_FALSE(Book->GetModified());
  }
  EXPECT_TRUE(Asked.empty()) << Asked.front().Text;
}

// A card file opens in the view's order while Sort is on, in the file's order while it is off.
TEST_F(AddressBookTest, OpeningFollowsTheSortSwitch) {
  const std::vector<TCardLines> Unordered{{"Carl", "Phone=3"}, {"Alice", "Phone=1"}, {"Bob", "Mail=bob@example.org"}};
  const std::string File = WriteCards("unordered.cards", Unordered);
  OpenWithKeys(File);
  EXPECT_EQ(Shown(), (std::vector<TCardLines>{{"Alice", "Phone=1"}, {"Bob", "Mail=bob@example.org"}, {"Carl", "Phone=3"}}));
  Book->CardSort->Click();
  ASSERT_FALSE(Cards->GetSorted());
  OpenWithKeys(File);
  EXPECT_EQ(Shown(), Unordered);
}

// Namesakes go by their lines, names alike but for case by their bytes: a list sorted and
// saved is found in order when it is opened again, one key made per card.
TEST_F(AddressBookTest, NamesakesGoByTheirLinesAndASavedOrderIsKept) {
  TAnsiTextKeys Keys;
  int KeysMade = 0;
  Cards->SetOnItemSortKey([&](TObject*, TOstrelItem* Item, AnsiString& Key) {
    ++KeysMade;
    demo::AppendContactKey(Keys, Item, Key);
  });
  TOstrelItems& Items = *Cards->GetItems();
  Items.BeginUpdate();
  for (const TCardLines& Card : {TCardLines{"Anna", "Phone=2"}, {"bob"}, {"Anna", "Phone=1"}, {"Bob"}, {"Anna", "Phone=1"}}) {
    TOstrelItem* Item = Items.Add(Card[0]);
    for (std::size_t I = 1; I < Card.size(); ++I) Item->GetSubItems()->Add(Card[I]);
  }
  Items.EndUpdate();
  Items.Sort();
  const std::vector<TCardLines> Sorted{{"Anna", "Phone=1"}, {"Anna", "Phone=1"}, {"Anna", "Phone=2"}, {"Bob"}, {"bob"}};
  EXPECT_EQ(Shown(), Sorted);
  Cards->SaveToFile(PathOf("sorted.cards"));
  KeysMade = 0;
  Cards->LoadFromFile(PathOf("sorted.cards"));
  EXPECT_EQ(Shown(), Sorted);
  EXPECT_EQ(KeysMade, Items.GetCount());
}

// Ctrl+S saves to the open file; an edit not yet ended with Enter is saved too.
TEST_F(AddressBookTest, SaveShortcutStoresAnOpenEdit) {
  OpenWithKeys(WriteCards("book.cards", Two));
  ASSERT_TRUE(Cards->EditSubItem(Cards->GetItems()->GetItemFromIndex(1), 0));
  vcltest::ProcessMessages();
  vcltest::PressKey(VK_END);
  vcltest::TypeText("x");
  vcltest::PressKey('S', {ssCtrl});
  vcltest::ProcessMessages();
  EXPECT_EQ(Title(), "book.cards - 2 cards");
  Book->FileNew->Click();
  OpenWithKeys(PathOf("book.cards"));
  EXPECT_EQ(Shown()[1], (TCardLines{"Bob", "Mail=bob@example.orgx"}));
}

// New, Open and Exit ask about unsaved changes: Yes saves first, No drops them, Cancel
// keeps the book as it is.
TEST_F(AddressBookTest, UnsavedChangesAskYesNoCancel) {
  struct TRow {
    int Answer;
    bool Proceeds;
    bool Saved;
  };
  for (const TRow Row : {TRow{mrYes, true, true}, TRow{mrNo, true, false}, TRow{mrCancel, false, false}}) {
    SCOPED_TRACE(Row.Answer);
    const std::string File = WriteCards("asked.cards", Two);
    OpenWithKeys(File);
    Book->PopupNew->Click();  // a new card, its first line in the editor
    Cards->HideItemEditor(false);
    ASSERT_EQ(Title(), "asked.cards* - 3 cards");
    Asked.clear();

    MessageAnswers.push_back(Row.Answer);
    Book->FileNew->Click();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Type, mtConfirmation);
    EXPECT_NE(Asked[0].Text.find("asked.cards"), std::string::npos);
    EXPECT_EQ(Title(), Row.Proceeds ? "Untitled - 0 cards" : "asked.cards* - 3 cards");

    const auto Reader = std::make_unique<TOstrel>(nullptr);
    Reader->LoadFromFile(File);
    EXPECT_EQ(Reader->GetItems()->GetCount(), Row.Saved ? 3 : 2);

    // Exit asks the same way; only Cancel keeps the window.
    if (!Row.Proceeds) {
      MessageAnswers.push_back(mrCancel);
      Book->FileExit->Click();
      vcltest::ProcessMessages();
      EXPECT_TRUE(Form->GetVisible());
      MessageAnswers.push_back(mrNo);
      Book->FileExit->Click();
      vcltest::ProcessMessages();
      EXPECT_FALSE(Form->GetVisible());
      Form->Show();
      vcltest::ProcessMessages();
      Cards->SetFocus();
      MessageAnswers.push_back(mrNo);
      Book->FileNew->Click();  // the changes are still unsaved: asked, and answered No
      EXPECT_EQ(Title(), "Untitled - 0 cards");
    }
  }
}

// vCard and CSV files open in name order while Sort is on, into an empty
// book and over one with cards alike, so that the letter bar finds the right cards; with
// Sort off they keep the file's order.
TEST_F(AddressBookTest, VCardAndCsvOpenSortedWhileSortIsOn) {
  const std::string VCard = WriteText("unordered.vcf", "BEGIN:VCARD\r\nFN:Carl\r\nTEL:3\r\nEND:VCARD\r\n"
                                                       "BEGIN:VCARD\r\nFN:Alice\r\nTEL:1\r\nEND:VCARD\r\n"
                                                       "BEGIN:VCARD\r\nFN:Bob\r\nEND:VCARD\r\n");
  const std::string Csv = WriteText("unordered.csv", "Name,Phone\r\nCarl,3\r\nAlice,1\r\nBob,\r\n");
  const std::vector<TCardLines> Sorted{{"Alice", "Phone=1"}, {"Bob"}, {"Carl", "Phone=3"}};
  const std::vector<TCardLines> Unordered{{"Carl", "Phone=3"}, {"Alice", "Phone=1"}, {"Bob"}};
  for (const std::string& File : {VCard, Csv}) {
    SCOPED_TRACE(File);
    Book->FileNew->Click();
    OpenWithKeys(File);  // into an empty book
    EXPECT_EQ(Shown(), Sorted);
    OpenWithKeys(File);  // over cards
    EXPECT_EQ(Shown(), Sorted);
  }
  Book->CardSort->Click();  // off, and nothing changes: no question below
  ASSERT_FALSE(Cards->GetSorted());
  for (const std::string& File : {VCard, Csv}) {
    SCOPED_TRACE(File);
    Book->FileNew->Click();
    OpenWithKeys(File);
    EXPECT_EQ(Shown(), Unordered);
    OpenWithKeys(File);
    EXPECT_EQ(Shown(), Unordered);
  }
  EXPECT_TRUE(Asked.empty()) << Asked.front().Text;
}

// What a reader changed is shown once, as a warning naming the file, over the cards it read.
TEST_F(AddressBookTest, ReaderWarningsAreShownOnceAfterOpening) {
  const std::string File = WriteText("no-end.vcf", "BEGIN:VCARD\r\nFN:Ann\r\nBEGIN:VCARD\r\nFN:Bob\r\nEND:VCARD\r\n");
  OpenWithKeys(File);
  EXPECT_EQ(Shown(), (std::vector<TCardLines>{{"Ann"}, {"Bob"}}));
  EXPECT_EQ(Title(), "no-end.vcf - 2 cards");
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0].Type, mtWarning);
  EXPECT_EQ(Asked[0].Text, File + ": line 1: this card has no END:VCARD; the BEGIN:VCARD on line 3 starts the next card");
  Asked.clear();
  OpenWithKeys(WriteCards("calm.cards", Two));
  EXPECT_TRUE(Asked.empty());
}

// A zero byte in a vCard or CSV value costs no line once the cards are
// saved as a card file and opened again.
TEST_F(AddressBookTest, ZeroByteCostsNoLineAfterSavingAndOpening) {
  const std::string VCard = WriteText("zero.vcf", std::string("BEGIN:VCARD\r\nFN:Ann\r\nNOTE:a\0b\r\nTEL:1\r\nEND:VCARD\r\n", 49));
  const std::string Csv = WriteText("zero.csv", std::string("Name,Note,Phone\r\nAnn,a\0b,1\r\n", 28));
  for (const std::string& File : {VCard, Csv}) {
    SCOPED_TRACE(File);
    Asked.clear();
    OpenWithKeys(File);
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_NE(Asked[0].Text.find("zero byte"), std::string::npos) << Asked[0].Text;
    const std::vector<TCardLines> Read{{"Ann", "Note=a\xEF\xBF\xBD" "b", "Phone=1"}};
    EXPECT_EQ(Shown(), Read);
    FileAnswers.push_back(PathOf("zero.cards"));
    Book->FileSaveAs->Click();
    Book->FileNew->Click();
    OpenWithKeys(PathOf("zero.cards"));
    EXPECT_EQ(Shown(), Read);
  }
}

// A saved book (or a new one without changes) is closed and replaced without a question.
TEST_F(AddressBookTest, NoQuestionWithoutChanges) {
  OpenWithKeys(WriteCards("calm.cards", Two));
  OpenWithKeys(PathOf("calm.cards"));
  Book->FileNew->Click();
  EXPECT_TRUE(Asked.empty());
  EXPECT_EQ(Title(), "Untitled - 0 cards");
}

// A file that cannot be read is named in an error box; the cards on show stay.
TEST_F(AddressBookTest, UnreadableFileShowsErrorAndKeepsCards) {
  const std::vector<std::pair<std::string, std::string>> Broken = {
      {"broken.cards", "not a card file at all"},
      {"broken.vcf", "not a vCard"},
      {"broken.csv", "Name,Phone\r\n\"Alice,1\r\n"},
  };
  // Into an empty book: the cards read before the damage do not stay.
  const std::string Cut = WriteCards("cut.cards", {{"Alice", "Phone=1"}, {"Bob"}, {"Carl", "Phone=3"}});
  fs::resize_file(Cut, fs::file_size(Cut) - 4);
  OpenWithKeys(Cut);
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_NE(Asked[0].Text.find("cut.cards"), std::string::npos) << Asked[0].Text;
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(Title(), "Untitled - 0 cards");

  OpenWithKeys(WriteCards("good.cards", Two));
  for (const auto& [Name, Text] : Broken) {
    SCOPED_TRACE(Name);
    Asked.clear();
    OpenWithKeys(WriteText(Name, Text));
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Type, mtError);
    EXPECT_NE(Asked[0].Text.find(Name), std::string::npos) << Asked[0].Text;
    EXPECT_EQ(Shown(), Two);
    EXPECT_EQ(Title(), "good.cards - 2 cards");
  }
  Asked.clear();
  OpenWithKeys(PathOf("missing.cards"));
  EXPECT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Shown(), Two);
}

// A card file whose count says fewer cards than it holds, or a negative count, once opened
// without a word, and the next save dropped the rest. A FIFO froze the window in open().
TEST_F(AddressBookTest, ACardFileThatHoldsMoreThanItsCountSaysIsRefused) {
  const std::string Three = WriteCards("three.cards", {{"Alice"}, {"Bob"}, {"Carl"}});
  std::ifstream In(Three, std::ios::binary);
  const std::string Bytes(std::istreambuf_iterator<char>(In), {});
  auto WithCount = [&](const std::string& Name, int Count) {
    std::string Changed = Bytes;
    for (int I = 0; I < 4; ++I) Changed[4 + I] = static_cast<char>((static_cast<unsigned>(Count) >> (8 * I)) & 0xFF);
    return WriteText(Name, Changed);
  };
  const std::string Fifo = PathOf("pipe.cards");
  ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
  const struct {
    std::string File, Problem;
  } Rows[] = {
      {WithCount("short.cards", 1), "more bytes follow the last card"},
      {WithCount("negative.cards", -2), "the card count is negative"},
      {WriteText("zeros.cards", std::string(64, '\0')), "more bytes follow the last card"},
      {Fifo, "not a regular file"},
  };
  for (const bool Empty : {true, false}) {
    if (!Empty) OpenWithKeys(WriteCards("good.cards", Two));
    for (const auto& Row : Rows) {
      SCOPED_TRACE(Row.File + (Empty ? " into an empty book" : ""));
      Asked.clear();
      OpenWithKeys(Row.File);
      ASSERT_EQ(Asked.size(), 1u);
      EXPECT_NE(Asked[0].Text.find(Row.File), std::string::npos) << Asked[0].Text;
      EXPECT_NE(Asked[0].Text.find(Row.Problem), std::string::npos) << Asked[0].Text;
      EXPECT_EQ(Shown(), Empty ? std::vector<TCardLines>{} : Two);
    }
  }
}

// A save that fails is shown; the book keeps its name and its unsaved mark.
TEST_F(AddressBookTest, FailedSaveShowsErrorAndStaysModified) {
  fs::create_directories(Dir / "gone");
  OpenWithKeys(WriteCards("gone/kept.cards", Two));
  fs::remove_all(Dir / "gone");  // its folder goes while the book is open
  AppendToLine(1, 0, "m");
  Book->FileSave->Click();
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0].Type, mtError);
  EXPECT_NE(Asked[0].Text.find("kept.cards"), std::string::npos) << Asked[0].Text;
  EXPECT_EQ(Title(), "kept.cards* - 2 cards");
  EXPECT_TRUE(Book->GetModified());
}

// Card commands: new and delete change the count, sort the order; each marks the book
// changed. Delete asks first and keeps the card on No.
TEST_F(AddressBookTest, CardCommandsMarkChanges) {
  Book->CardSort->Click();  // off: the file's order stays
  EXPECT_FALSE(Cards->GetSorted());
  OpenWithKeys(WriteCards("order.cards", {{"Zoe"}, {"Adam"}}));
  EXPECT_EQ(Shown(), (std::vector<TCardLines>{{"Zoe"}, {"Adam"}}));
  EXPECT_FALSE(Book->GetModified());

  Book->CardSort->Click();
  EXPECT_TRUE(Book->CardSort->GetChecked());
  EXPECT_EQ(Shown(), (std::vector<TCardLines>{{"Adam"}, {"Zoe"}}));
  EXPECT_EQ(Title(), "order.cards* - 2 cards");

  Book->Save();
  Cards->SetSelected(Cards->GetItems()->GetItemFromIndex(0));
  Book->MainMenu->GetItems()->GetItem(1)->Click();  // the Card menu opens: Delete is enabled
  ASSERT_TRUE(Book->PopupDelete->GetEnabled());
  MessageAnswers.push_back(mrNo);
  Book->PopupDelete->Click();
  EXPECT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Title(), "order.cards - 2 cards");
  MessageAnswers.push_back(mrYes);
  vcltest::PressKey(VK_DELETE, {ssCtrl});
  vcltest::ProcessMessages();
  EXPECT_EQ(Shown(), (std::vector<TCardLines>{{"Zoe"}}));
  EXPECT_EQ(Title(), "order.cards* - 1 card");

  Book->Save();
  vcltest::PressKey(VK_INSERT, {ssCtrl});
  vcltest::ProcessMessages();
  EXPECT_EQ(Title(), "order.cards* - 2 cards");
  EXPECT_NE(Cards->GetEditor(), nullptr);  // the new card's first line is being edited
}

// Card: Edit all cards... runs the items editor on the book's cards: OK brings its edits
// in, Cancel after Apply keeps what Apply brought, Cancel alone changes nothing; the title
// and the question on leaving follow.
TEST_F(AddressBookTest, EditAllCardsBringsInWhatTheDialogKept) {
  struct TCase {
    const char* Name;
    bool Apply, Ok, Changed;
  };
  const TCase Cases[] = {
      {"cancel", false, false, false},
      {"apply then cancel", true, false, true},
      {"ok", false, true, true},
  };
  const auto Press = [](TControl* Button) {
    vcltest::Click(Button, Button->GetWidth() / 2, Button->GetHeight() / 2);
    vcltest::ProcessMessages();
  };
  vcltest::TModalWatch<TOstrelItemsEditorForm> Watch;
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    if (Book->GetModified()) MessageAnswers.push_back(mrNo);  // drop the last case's changes
    OpenWithKeys(WriteCards("start.cards", Two));
    Watch.WhenShown([&](TOstrelItemsEditorForm& Dialog) {
      EXPECT_EQ(Dialog.Table->GetItems()->GetCount(), 2);
      Press(Dialog.NewItemButton);
      vcltest::TypeText("Carol");  // replaces "New Item", selected in the focused text box
      if (Case.Apply) Press(Dialog.ApplyButton);
      Press(Case.Ok ? Dialog.OKButton : Dialog.CancelButton);
    });
    vcltest::PressKey('E', {ssCtrl});
    vcltest::ProcessMessages();
    EXPECT_EQ(Watch.Steps, 1);
    if (Case.Changed) {
      EXPECT_EQ(Shown(), (std::vector<TCardLines>{{"Alice", "Phone=1"}, {"Bob", "Mail=bob@example.org"}, {"Carol"}}));
      EXPECT_EQ(Title(), "start.cards* - 3 cards");
    } else {
      EXPECT_EQ(Shown(), Two);
      EXPECT_EQ(Title(), "start.cards - 2 cards");
    }
    EXPECT_EQ(Book->GetModified(), Case.Changed);
  }
  Watch.StopWatching();
}

// View: Right to left turns the form's reading order over and shows a check mark.
TEST_F(AddressBookTest, RightToLeftToggles) {
  EXPECT_FALSE(Book->ViewRightToLeft->GetChecked());
  Book->ViewRightToLeft->Click();
  EXPECT_EQ(Form->GetBiDiMode(), bdRightToLeft);
  EXPECT_EQ(Cards->GetBiDiMode(), bdRightToLeft);
  EXPECT_TRUE(Book->ViewRightToLeft->GetChecked());
  Book->ViewRightToLeft->Click();
  EXPECT_EQ(Form->GetBiDiMode(), bdLeftToRight);
  EXPECT_FALSE(Book->ViewRightToLeft->GetChecked());
  EXPECT_FALSE(Book->GetModified());  // a view setting, not a change of the cards
}

// The menu bar: File, Card and View with the commands the book offers.
TEST_F(AddressBookTest, MenuBarAndContextMenu) {
  EXPECT_EQ(Form->GetMenu(), Book->MainMenu);
  EXPECT_EQ(Cards->GetPopupMenu(), Book->CardsMenu);
  TMenuItem* Bar = Book->MainMenu->GetItems();
  ASSERT_EQ(Bar->GetCount(), 3);
  EXPECT_EQ(Bar->GetItem(0)->GetCaption(), "&File");
  EXPECT_EQ(Bar->GetItem(1)->GetCaption(), "&Card");
  EXPECT_EQ(Bar->GetItem(2)->GetCaption(), "&View");
  EXPECT_EQ(Book->FileOpen->GetParent(), Bar->GetItem(0));
  EXPECT_EQ(Book->CardEditAll->GetParent(), Bar->GetItem(1));
  EXPECT_EQ(Book->ViewRightToLeft->GetParent(), Bar->GetItem(2));
  // Nothing to delete without a selected card: both delete items are greyed when opened.
  Bar->GetItem(1)->Click();
  EXPECT_FALSE(Book->CardDelete->GetEnabled());
}

}  // namespace
