#pragma once
// The address book on a real form, as the demo sets it up, with its file dialogs and
// message boxes answered by hooks; for the tests of its commands and of its long work.

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

#include "AddressBook.h"
#include "Harness.h"

namespace addressbooktest {

using namespace vcl;
using namespace ostrel;
namespace fs = std::filesystem;

// A card: its caption, then its lines.
using TCardLines = std::vector<std::string>;

struct TAskedMessage {
  std::string Text;
  TMsgDlgType Type;
};

class AddressBookTest : public vcltest::THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Dir = fs::temp_directory_path() / ("ostrel-addressbook-" + std::to_string(getpid()));
    fs::create_directories(Dir);
    Form = vcltest::MakeForm(800, 500);
    Cards = new TOstrel(Form.get());
    Cards->SetParent(Form.get());
    Cards->SetAlign(alClient);
    Cards->SetSorted(true);  // as the demo keeps them
    Book = std::make_unique<demo::TAddressBook>(Form.get(), Cards);
    Cards->SetFocus();
    SetFileDialogHook([this](TOpenDialog& Dialog) {
      if (FileAnswers.empty()) return false;
      Dialog.SetFileName(FileAnswers.front());
      FileAnswers.pop_front();
      return true;
    });
    SetMessageDlgHook([this](const AnsiString& Msg, TMsgDlgType Type, TMsgDlgButtons) {
      Asked.push_back({Msg, Type});
      if (MessageAnswers.empty()) return static_cast<int>(mrCancel);
      const int Answer = MessageAnswers.front();
      MessageAnswers.pop_front();
      return Answer;
    });
  }
  void TearDown() override {
    SetFileDialogHook(nullptr);
    SetMessageDlgHook(nullptr);
    Form.reset();  // first: the card view's handlers point into the book
    Book.reset();
    fs::remove_all(Dir);
    THostTest::TearDown();
  }

  std::string PathOf(const std::string& Name) const { return (Dir / Name).string(); }

  // A card file with these cards, in this order.
  std::string WriteCards(const std::string& Name, const std::vector<TCardLines>& Content) {
    const auto Scratch = std::make_unique<TOstrel>(nullptr);
    for (const TCardLines& Card : Content) {
      TOstrelItem* Item = Scratch->GetItems()->Add(Card[0]);
      for (std::size_t I = 1; I < Card.size(); ++I) Item->GetSubItems()->Add(Card[I]);
    }
    Scratch->SaveToFile(PathOf(Name));
    return PathOf(Name);
  }
  std::string WriteText(const std::string& Name, const std::string& Text) {
    std::ofstream(PathOf(Name), std::ios::binary) << Text;
    return PathOf(Name);
  }

  std::vector<TCardLines> Shown() const {
    std::vector<TCardLines> Result;
    for (int I = 0; I < Cards->GetItems()->GetCount(); ++I) {
      TOstrelItem* Item = Cards->GetItems()->GetItemFromIndex(I);
      TCardLines Card{Item->GetText()};
      for (int L = 0; L < Item->GetSubItems()->GetCount(); ++L) Card.push_back(Item->GetSubItems()->Get(L));
      Result.push_back(Card);
    }
    return Result;
  }
  std::string Title() const { return Form->GetCaption(); }

  void OpenWithKeys(const std::string& FileName) {
    FileAnswers.push_back(FileName);
    vcltest::PressKey('O', {ssCtrl});
    vcltest::ProcessMessages();
  }
  // Types Text at the end of a card's line through the in-place editor, ended by Enter.
  void AppendToLine(int Card, int Line, const std::string& Text) {
    ASSERT_TRUE(Cards->EditSubItem(Cards->GetItems()->GetItemFromIndex(Card), Line));
    vcltest::ProcessMessages();
    vcltest::PressKey(VK_END);
    vcltest::TypeText(Text);
    vcltest::PressKey(VK_RETURN);
    ASSERT_TRUE(vcltest::RunUntil([this] { return Cards->GetEditor() == nullptr; }));
  }

  const std::vector<TCardLines> Two{{"Alice", "Phone=1"}, {"Bob", "Mail=bob@example.org"}};
  fs::path Dir;
  std::unique_ptr<TForm> Form;
  TOstrel* Cards = nullptr;
  std::unique_ptr<demo::TAddressBook> Book;
  std::deque<std::string> FileAnswers;
  std::deque<int> MessageAnswers;
  std::vector<TAskedMessage> Asked;
};

}  // namespace addressbooktest
