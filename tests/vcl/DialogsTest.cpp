// File dialogs and message boxes answered through their hooks: accepted, dismissed, the
// checks of the options (file and path must exist, overwrite prompt), the default extension,
// the message boxes' results, and the dialogs' properties in a form file.

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "Dialogs.h"
#include "Harness.h"
#include "TypInfo.h"

using namespace vcl;
using namespace vcltest;

namespace {

struct TMessageSeen {
  std::string Text;
  TMsgDlgType Type;
  TMsgDlgButtons Buttons;
};

class DialogsTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Folder = std::filesystem::temp_directory_path() / ("ostrel-dialogs-" + std::to_string(::getpid()));
    std::filesystem::create_directories(Folder);
    std::ofstream(Existing()) << "cards";
    SetMessageDlgHook([this](const AnsiString& Msg, TMsgDlgType Type, TMsgDlgButtons Buttons) {
      Messages.push_back({Msg, Type, Buttons});
      return Answer;
    });
  }
  void TearDown() override {
    SetFileDialogHook(nullptr);
    SetMessageDlgHook(nullptr);
    std::filesystem::remove_all(Folder);
    THostTest::TearDown();
  }
  std::string Existing() const { return (Folder / "table.cards").string(); }
  std::string Missing() const { return (Folder / "none.cards").string(); }
  // Answers the file dialog with these names in turn; an empty name cancels.
  void AnswerWith(std::vector<std::string> Names) {
    Answers = std::move(Names);
    SetFileDialogHook([this](TOpenDialog& Dialog) {
      Seen.push_back(Dialog.GetFileName());
      if (Asked >= Answers.size() || Answers[Asked].empty()) return ++Asked, false;
      Dialog.SetFileName(Answers[Asked++]);
      return true;
    });
  }

  std::filesystem::path Folder;
  std::vector<TMessageSeen> Messages;
  int Answer = mrOk;
  std::vector<std::string> Answers;
  std::vector<std::string> Seen;  // the file name each call of the hook found
  size_t Asked = 0;
};

TEST_F(DialogsTest, AnAcceptedOpenDialogGivesTheNameAndTheHookSeesTheSettings) {
  TOpenDialog Dialog(nullptr);
  Dialog.SetTitle("Load table from file");
  Dialog.SetFilter("All Files (*.*)|*.*");
  Dialog.SetOptions({ofPathMustExist, ofFileMustExist, ofEnableSizing});
  std::string Title;
  SetFileDialogHook([&](TOpenDialog& D) {
    Title = D.GetTitle();
    D.SetFileName(Existing());
    return true;
  });
  EXPECT_TRUE(Dialog.Execute());
  EXPECT_EQ(Dialog.GetFileName(), Existing());
  EXPECT_EQ(Title, "Load table from file");
  EXPECT_TRUE(Messages.empty());
}

TEST_F(DialogsTest, ADismissedDialogChangesNothing) {
  TSaveDialog Dialog(nullptr);
  Dialog.SetFileName("before.cards");
  Dialog.SetFilterIndex(2);
  SetFileDialogHook([](TOpenDialog& D) {
    D.SetFileName("changed.cards");
    D.SetFilterIndex(1);
    return false;
  });
  EXPECT_FALSE(Dialog.Execute());
  EXPECT_EQ(Dialog.GetFileName(), "before.cards");
  EXPECT_EQ(Dialog.GetFilterIndex(), 2);
}

TEST_F(DialogsTest, OptionsRefuseNamesWithAMessageAndAskAgain) {
  struct TCase {
    const char* Name;
    bool Save;
    TOpenOptions Options;
    const char* First;  // in the test folder: the name refused or accepted first
    int Answer;                                     // to a question about it
    bool FirstAccepted;
    const char* Message;                            // expected in the message, if any
  };
  const TCase Cases[] = {
      {"file must exist", false, {ofFileMustExist}, "none.cards", mrOk, false, "File not found"},
      {"path must exist", false, {ofPathMustExist}, "no/x.cards",
       mrOk, false, "Path does not exist"},
      {"overwrite declined", true, {ofOverwritePrompt}, "table.cards", mrNo, false,
       "already exists"},
      {"overwrite confirmed", true, {ofOverwritePrompt}, "table.cards", mrYes, true,
       "already exists"},
      {"no prompt asked for", true, {}, "table.cards", mrNo, true, nullptr},
      {"a new file needs no prompt", true, {ofOverwritePrompt}, "none.cards", mrNo, true, nullptr},
      {"a folder is not a file", false, {}, "", mrOk, false, "folder"},
  };
  for (const TCase& Case : Cases) {
    Messages.clear();
    Asked = 0;
    Seen.clear();
    Answer = Case.Answer;
    std::unique_ptr<TOpenDialog> Dialog(Case.Save ? new TSaveDialog(nullptr) : new TOpenDialog(nullptr));
    Dialog->SetOptions(Case.Options);
    const std::string First = (Folder / Case.First).string();
    AnswerWith({First, Existing()});
    if (Case.Save) Answers[1] = (Folder / "fresh.cards").string();
    EXPECT_TRUE(Dialog->Execute()) << Case.Name;
    EXPECT_EQ(Dialog->GetFileName(), Case.FirstAccepted ? First : Answers[1]) << Case.Name;
    EXPECT_EQ(Asked, Case.FirstAccepted ? 1u : 2u) << Case.Name;
    if (Case.Message) {
      ASSERT_EQ(Messages.size(), 1u) << Case.Name;
      EXPECT_NE(Messages[0].Text.find(Case.Message), std::string::npos) << Messages[0].Text;
      EXPECT_NE(Messages[0].Text.find(First), std::string::npos) << "the message names the file";
      EXPECT_EQ(Messages[0].Type, mtWarning);
    } else {
      EXPECT_TRUE(Messages.empty()) << Case.Name;
    }
  }
}

TEST_F(DialogsTest, ThePromptOffersYesAndNoAndACancelAfterARefusalKeepsTheOldName) {
  TSaveDialog Dialog(nullptr);
  Dialog.SetOptions({ofOverwritePrompt});
  Dialog.SetFileName("old.cards");
  Answer = mrNo;
  AnswerWith({Existing(), ""});
  EXPECT_FALSE(Dialog.Execute());
  EXPECT_EQ(Dialog.GetFileName(), "old.cards");
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Buttons, (TMsgDlgButtons{mbYes, mbNo}));
  EXPECT_EQ(Seen, (std::vector<std::string>{"old.cards", Existing()})) << "asked again with the refused name";
}

// A hook that answers with the refused name again cannot mean anything else: asking it on
// would never end, so the dialog counts it as a cancel.
TEST_F(DialogsTest, AHookGivingBackTheRefusedNameCancels) {
  TOpenDialog Dialog(nullptr);
  Dialog.SetOptions({ofFileMustExist});
  Dialog.SetFileName("old.cards");
  AnswerWith({Missing(), Missing(), Existing()});
  EXPECT_FALSE(Dialog.Execute());
  EXPECT_EQ(Dialog.GetFileName(), "old.cards");
  EXPECT_EQ(Asked, 2u);
  EXPECT_EQ(Messages.size(), 1u);
}

TEST_F(DialogsTest, TheDefaultExtensionIsAddedOnlyToANameWithoutOne) {
  TSaveDialog Dialog(nullptr);
  Dialog.SetDefaultExt("cards");
  AnswerWith({(Folder / "contacts").string()});
  ASSERT_TRUE(Dialog.Execute());
  EXPECT_EQ(Dialog.GetFileName(), (Folder / "contacts.cards").string());
  Asked = 0;
  AnswerWith({(Folder / "contacts.txt").string()});
  ASSERT_TRUE(Dialog.Execute());
  EXPECT_EQ(Dialog.GetFileName(), (Folder / "contacts.txt").string());
}

TEST_F(DialogsTest, MessageBoxesGiveTheAnswerAndShowMessageOffersOK) {
  Answer = mrYes;
  EXPECT_EQ(MessageDlg("Save changes?", mtConfirmation, mbYesNoCancel, 0), mrYes);
  ShowMessage("Saved");
  MessageDlg("Nothing asked", mtError, {}, 0);
  ASSERT_EQ(Messages.size(), 3u);
  EXPECT_EQ(Messages[0].Type, mtConfirmation);
  EXPECT_EQ(Messages[0].Buttons, mbYesNoCancel);
  EXPECT_EQ(Messages[1].Text, "Saved");
  EXPECT_EQ(Messages[1].Type, mtCustom);
  EXPECT_EQ(Messages[1].Buttons, TMsgDlgButtons{mbOK});
  EXPECT_EQ(Messages[2].Buttons, TMsgDlgButtons{mbOK}) << "no buttons asked for gives OK";
}

TEST_F(DialogsTest, DialogSettingsComeBackFromAFormFile) {
  TForm Form(nullptr);
  Form.SetName("Editor");
  auto* Save = new TSaveDialog(&Form);
  Save->SetName("SaveDialog");
  Save->SetTitle("Save table to file");
  Save->SetFilter("All Files (*.*)|*.*");
  Save->SetOptions({ofOverwritePrompt, ofHideReadOnly, ofPathMustExist, ofEnableSizing});
  Save->SetDefaultExt("cards");
  auto* Open = new TOpenDialog(&Form);
  Open->SetName("OpenDialog");
  const AnsiString Text = WriteComponentText(&Form);
  EXPECT_NE(Text.find("Options = [ofOverwritePrompt, ofHideReadOnly, ofPathMustExist, ofEnableSizing]"), AnsiString::npos)
      << Text;
  EXPECT_EQ(Text.find("Options", Text.find("OpenDialog")), AnsiString::npos) << "default options are not written";
  TForm Copy(nullptr);
  ReadComponentText(Text, &Copy);
  auto* Read = dynamic_cast<TSaveDialog*>(Copy.FindComponent("SaveDialog"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->GetTitle(), "Save table to file");
  EXPECT_EQ(Read->GetFilter(), "All Files (*.*)|*.*");
  EXPECT_EQ(Read->GetDefaultExt(), "cards");
  EXPECT_EQ(Read->GetOptions(), Save->GetOptions());
  ASSERT_NE(dynamic_cast<TOpenDialog*>(Copy.FindComponent("OpenDialog")), nullptr);
  EXPECT_EQ(dynamic_cast<TOpenDialog*>(Copy.FindComponent("OpenDialog"))->GetOptions(), (TOpenOptions{ofHideReadOnly, ofEnableSizing}));
}

}  // namespace
