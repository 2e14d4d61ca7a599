#pragma once
// The address book's commands: its menu bar and the cards' context menu, opening and saving
// card, vCard and CSV files, and keeping the window's title (file name, card count and an
// asterisk for unsaved changes). No Qt here, so that a test can drive it headless; answers
// come from the framework's dialogs.

#include <memory>

#include "Dialogs.h"
#include "Forms.h"
#include "LongWork.h"
#include "Menus.h"
#include "Ostrel.h"

namespace demo {

// "1 card", "N cards".
vcl::AnsiString CardCount(int Count);

// The address book's order, as the card view's sort key of Card appended to Key: by name in
// the user's language (Keys), case aside, then by the name's bytes, then, for namesakes, by
// their lines, so that a list saved in order is found in order again when it is opened.
void AppendContactKey(vcl::TAnsiTextKeys& Keys, ostrel::TOstrelItem* Card, vcl::AnsiString& Key);

// Reads a file into Cards, replacing what they held, a card at a time whatever the format
// (a card file, or a .vcf or .csv file through its reader); sorted when Cards are. Exception
// (naming the file) when it cannot be read, is not a regular file, holds more than its card
// count says, or needs more memory than there is; EWorkCancelled when Progress said to
// stop. Either way Cards are left as they were. Empty Cards fill as the file is read: they
// are laid out at each call of Progress, which may turn the message loop. Warnings, when
// given, gets what the reader changed or dropped, one a line, each naming the file; empty
// when nothing was.
void LoadContacts(ostrel::TOstrel* Cards, const vcl::AnsiString& FileName, vcl::AnsiString* Warnings = nullptr,
                  const TProgress& Progress = {});
// Writes Cards in the format FileName's extension names; the file is replaced only once all
// of it is written. Exception naming the file when it cannot be written; EWorkCancelled,
// with the file as it was, when Progress said to stop (a pipe, written in place, is
// written to the end).
void SaveContacts(ostrel::TOstrel* Cards, const vcl::AnsiString& FileName, const TProgress& Progress = {});

class TAddressBook {
public:
  // Gives Form its menu bar and close question and Cards their context menu; the menus are
  // components of Form.
  TAddressBook(vcl::TForm* Form, ostrel::TOstrel* Cards);

  // Opens FileName at start-up, with the window already up and filling as the file is
  // read; Exception when it cannot be read (nothing is shown), EWorkCancelled when the user
  // cancelled or closed the window. The reader's warnings, for the caller to show; empty
  // when none.
  vcl::AnsiString Load(const vcl::AnsiString& FileName);

  // File commands. Those that could drop changes ask first (Yes saves, No drops them,
  // Cancel keeps everything); failures are shown in a message box. Each returns false when
  // it did not happen.
  bool NewFile();
  bool Open();
  bool Save();
  bool SaveAs();
  void Exit() { FForm->Close(); }

  // Card commands. New adds a card and starts editing its first line; Delete asks first.
  void NewCard();
  bool DeleteCard();
  // Sort on keeps the cards in name order (and sorts them now); off keeps their order.
  void SetSorted(bool Value);
  void EditAllCards();
  void SetRightToLeft(bool Value);

  // Unsaved changes: asks whether to save them; false when the user cancelled or saving failed.
  bool CanDropChanges();

  // Opening and saving show their progress here and can be cancelled; while one runs,
  // every command returns false at once.
  TLongWork& GetWork() { return *FWork; }

  bool GetModified() const { return FModified; }
  const vcl::AnsiString& GetFileName() const { return FFileName; }  // empty for a new book

  // The menus, for the form and for tests.
  vcl::TMainMenu* MainMenu = nullptr;
  vcl::TPopupMenu* CardsMenu = nullptr;
  vcl::TMenuItem* FileNew = nullptr;
  vcl::TMenuItem* FileOpen = nullptr;
  vcl::TMenuItem* FileSave = nullptr;
  vcl::TMenuItem* FileSaveAs = nullptr;
  vcl::TMenuItem* FileExit = nullptr;
  vcl::TMenuItem* CardNew = nullptr;
  vcl::TMenuItem* CardDelete = nullptr;
  vcl::TMenuItem* CardSort = nullptr;  // checked while the cards are kept in name order
  vcl::TMenuItem* CardEditAll = nullptr;
  vcl::TMenuItem* ViewRightToLeft = nullptr;  // checked while right to left
  vcl::TMenuItem* PopupNew = nullptr;
  vcl::TMenuItem* PopupDelete = nullptr;
  vcl::TMenuItem* PopupEditAll = nullptr;

private:
  void BuildMenus();
  // An open in-place edit is stored before a command reads or replaces the cards.
  void StoreEdit();
  // After a change of the cards: the title gets its asterisk.
  void Changed();
  void SetFile(const vcl::AnsiString& FileName);
  void UpdateTitle();
  bool SaveTo(const vcl::AnsiString& FileName);
  // Reads FileName into the cards with progress; the reader's warnings.
  vcl::AnsiString LoadWithProgress(const vcl::AnsiString& FileName);

  vcl::TForm* FForm;
  ostrel::TOstrel* FCards;
  std::unique_ptr<TLongWork> FWork;
  vcl::AnsiString FFileName;
  bool FModified = false;
};

}  // namespace demo
