// Apply, OK and Cancel, saving and loading, what turns Apply on, and the handlers let go
// before the dialog is torn down.

#include <QTimer>
#include <fstream>

#include "ItemsEditorFixture.h"
#include "OstrelItemsEditing.h"

namespace itemseditor_test {
namespace {

TEST_F(ItemsEditorTest, ApplyCopiesTheCardsIntoTheEditedControlAndKeepsTheDialogAsItIs) {
  Open({{"Ann", "Phone=1"}});
  ClickCard("Ann");
  TypeInto(Dialog->TextEdit, "a");
  Press(Dialog->ApplyButton);
  EXPECT_EQ(Texts(Edited->GetItems()), (std::vector<std::string>{"Anna"}));
  EXPECT_EQ(Lines(Edited->GetItems()->GetItemFromIndex(0)), (std::vector<std::string>{"Phone=1"}));
  EXPECT_EQ(Designer->Count, 1);
  EXPECT_FALSE(ApplyOn());
  EXPECT_EQ(Dialog->Table->GetSelected(), TableCard(0)) << "the dialog keeps its selection";
  EXPECT_EQ(Dialog->TextEdit->GetText(), "Anna");
}

TEST_F(ItemsEditorTest, AClickOnTheDisabledApplyCopiesNothing) {
  Open({{"Ann", "Phone=1"}, {"Bob"}});
  TOstrelItem* Bob = Edited->GetItems()->GetItemFromIndex(1);
  Edited->SetSelected(Bob);
  ASSERT_FALSE(ApplyOn());
  Press(Dialog->ApplyButton);
  vcltest::DoubleClick(Dialog->ApplyButton, 10, 10);
  vcltest::ProcessMessages();
  EXPECT_EQ(Designer->Count, 0) << "Apply did not run";
  EXPECT_EQ(Edited->GetItems()->GetItemFromIndex(1), Bob) << "the edited cards were not replaced";
  EXPECT_EQ(Edited->GetSelected(), Bob);
}

TEST_F(ItemsEditorTest, ApplyIsTurnedOnByEveryEditAndByLoadAndClearButNotBySaveOrADismissedDialog) {
  struct TCase {
    const char* Name;
    std::function<void(ItemsEditorTest&)> Prepare;  // before Apply turns it off
    std::function<void(ItemsEditorTest&)> Act;
    bool ApplyAfter;
  };
  const auto Nothing = [](ItemsEditorTest&) {};
  const auto SelectRow = [](ItemsEditorTest& T) { T.ClickRow(0); };
  const TCase Cases[] = {
      {"select another card", Nothing, [](ItemsEditorTest& T) { T.ClickCard("Bob"); }, true},
      {"type a text", Nothing, [](ItemsEditorTest& T) { TypeInto(T.Dialog->TextEdit, "x"); }, true},
      {"type a hint", Nothing, [](ItemsEditorTest& T) { TypeInto(T.Dialog->HintEdit, "x"); }, true},
      {"show hint", Nothing, [](ItemsEditorTest& T) { Press(T.Dialog->ShowHintCheckBox); }, true},
      {"select a row", Nothing, [](ItemsEditorTest& T) { T.ClickRow(1); }, true},
      {"rename a row", SelectRow, [](ItemsEditorTest& T) { TypeInto(T.Dialog->SubItemEdit, "x"); }, true},
      {"revalue a row", SelectRow, [](ItemsEditorTest& T) { TypeInto(T.Dialog->SubItemValueEdit, "x"); }, true},
      {"new sub-item", Nothing, [](ItemsEditorTest& T) { Press(T.Dialog->NewSubitemButton); }, true},
      {"delete sub-item", SelectRow, [](ItemsEditorTest& T) { Press(T.Dialog->DeleteSubItemButton); }, true},
      {"new item", Nothing, [](ItemsEditorTest& T) { Press(T.Dialog->NewItemButton); }, true},
      {"delete item", Nothing, [](ItemsEditorTest& T) { Press(T.Dialog->DeleteItemButton); }, true},
      {"clear", Nothing, [](ItemsEditorTest& T) { Press(T.Dialog->ClearButton); }, true},
      {"save", Nothing,
       [](ItemsEditorTest& T) {
         T.FileAnswer = T.TempFile("apply-state.cards");
         Press(T.Dialog->SaveToFileButton);
       },
       false},
      {"dismissed load", Nothing, [](ItemsEditorTest& T) { Press(T.Dialog->LoadFromFileButton); }, false},
      {"dismissed save", Nothing, [](ItemsEditorTest& T) { Press(T.Dialog->SaveToFileButton); }, false},
      {"load", Nothing,
       [](ItemsEditorTest& T) {
         T.FileAnswer = T.TempFile("apply-state-load.cards");
         T.Edited->SaveToFile(T.FileAnswer);
         Press(T.Dialog->LoadFromFileButton);
       },
       true},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Dialog.reset();
    Edited->GetItems()->Clear();
    FileAnswer.clear();
    Open({{"Ann", "Phone=1", "Note"}, {"Bob"}});
    ClickCard("Ann");
    Case.Prepare(*this);
    Press(Dialog->ApplyButton);
    ASSERT_FALSE(ApplyOn());
    Case.Act(*this);
    vcltest::ProcessMessages();
    EXPECT_EQ(ApplyOn(), Case.ApplyAfter);
    if (!Case.ApplyAfter) {
      EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Phone=1", "Note"}));
    }
  }
}

TEST_F(ItemsEditorTest, SaveThenLoadBringsTheCardsBackWithNoCardSelected) {
  Open({{"Ann", "Phone=1", "Note"}, {"Bob", "=x"}});
  FileAnswer = TempFile("save-load.cards");
  Press(Dialog->SaveToFileButton);
  ClickCard("Ann");
  Press(Dialog->ClearButton);
  Press(Dialog->NewItemButton);
  Press(Dialog->ApplyButton);
  Press(Dialog->LoadFromFileButton);
  EXPECT_EQ(Texts(Dialog->Table->GetItems()), (std::vector<std::string>{"Ann", "Bob"}));
  EXPECT_EQ(Lines(TableCard(0)), (std::vector<std::string>{"Phone=1", "Note"}));
  EXPECT_EQ(Lines(TableCard(1)), (std::vector<std::string>{"=x"}));
  ExpectNoCardState();
  EXPECT_TRUE(ApplyOn());
  EXPECT_EQ(DialogTitles, (std::vector<std::string>{"Save table to file", "Load table from file"}));
}

// The application's handler reports the error; the dialog stays open, consistent with its
// card view, and Apply keeps its state.
TEST_F(ItemsEditorTest, AFailedLoadLeavesTheDialogOpenAndConsistent) {
  const std::string Whole = TempFile("whole.cards");
  {
    Open({{"Ann", "Phone=1"}, {"Bob"}, {"Cid"}});
    Dialog->Table->SaveToFile(Whole);
    Dialog.reset();
  }
  const std::string Cut = TempFile("cut.cards");
  std::filesystem::copy_file(Whole, Cut);
  std::filesystem::resize_file(Cut, std::filesystem::file_size(Whole) - 6);

  Edited->GetItems()->Clear();
  Open({{"Zed", "Mail=z"}});
  ClickCard("Zed");
  Press(Dialog->ApplyButton);
  FileAnswer = TempFile("not-cards.cards");
  std::ofstream(FileAnswer) << "no";
  Press(Dialog->LoadFromFileButton);
  EXPECT_EQ(TakeExceptions().size(), 1u);
  EXPECT_EQ(Dialog->Table->GetItems()->GetCount(), 0) << "the list was emptied before the bytes were found wanting";
  ExpectNoCardState();
  EXPECT_FALSE(ApplyOn());

  FileAnswer = Cut;
  Press(Dialog->LoadFromFileButton);
  EXPECT_EQ(TakeExceptions().size(), 1u);
  EXPECT_TRUE(ControlWidget(Dialog.get())->isVisible());
  EXPECT_EQ(Texts(Dialog->Table->GetItems()), (std::vector<std::string>{"Ann", "Bob", "Cid"}))
      << "the cards read before the damage stay, the cut one too";
  ExpectNoCardState();
  EXPECT_FALSE(ApplyOn());
  ClickCard("Bob");
  EXPECT_EQ(Dialog->TextEdit->GetText(), "Bob") << "the dialog goes on working";
}

TEST_F(ItemsEditorTest, TheLinkLabelOpensTheHomePageThatTheReadmeNames) {
  Open();
  std::vector<std::string> Opened;
  SetShellExecuteHook([&](const AnsiString& Operation, const AnsiString& File) {
    Opened.push_back(Operation + " " + File);
    return true;
  });
  Press(Dialog->URLLabel);
  SetShellExecuteHook(nullptr);
  EXPECT_EQ(Opened, (std::vector<std::string>{std::string("open ") + OstrelHomePage}));
  EXPECT_EQ(Dialog->URLLabel->GetCaption(), OstrelHomePage) << "the label shows the address it opens";
  EXPECT_LE(Dialog->URLLabel->GetBoundsRect().Right, Dialog->LogoPanel->GetClientWidth()) << "and all of it";
  std::ifstream Readme(OSTREL_SOURCE_DIR "/README.md");
  const std::string Text((std::istreambuf_iterator<char>(Readme)), std::istreambuf_iterator<char>());
  EXPECT_NE(Text.find(std::string("Home page: ") + OstrelHomePage), std::string::npos);
}

// ----- the modal run, with the user's steps posted into its loop

class ItemsEditorModalTest : public ItemsEditorTest {
protected:
  // Runs ExecuteItemsEditor on the edited control; Steps run inside its modal loop with the
  // dialog that is open then.
  bool Execute(std::function<void(TOstrelItemsEditorForm&)> Steps) {
    const auto Form = std::make_unique<TOstrelItemsEditorForm>(nullptr);
    QTimer::singleShot(0, [Steps, Shown = Form.get()] {
      QWidget* Window = ControlWidget(Shown);
      EXPECT_TRUE(Window->isVisible());
      Window->activateWindow();
      vcltest::RunUntil([Window] { return Window->isActiveWindow(); });
      Steps(*Shown);
    });
    // Steps that leave the dialog open fail the test instead of hanging it.
    QTimer Watchdog;
    Watchdog.setSingleShot(true);
    QObject::connect(&Watchdog, &QTimer::timeout, [Shown = Form.get()] {
      ADD_FAILURE() << "the dialog is still open";
      Shown->SetModalResult(mrAbort);
    });
    Watchdog.start(10000);
    return ExecuteItemsEditor(*Form, Edited->GetItems(), Designer);
  }
  static void ClickFirstCard(TOstrelItemsEditorForm& Form) {
    const TRect R = Form.Table->GetItemClientRect(Form.Table->GetItems()->GetItemFromIndex(0));
    vcltest::Click(Form.Table, R.Left + 4, R.Top + 3);
  }
};

TEST_F(ItemsEditorModalTest, OkCopiesTheCardsBackAndCancelAfterApplyKeepsTheAppliedCards) {
  Edited->GetItems()->Add("Ann")->GetSubItems()->Add("Phone=1");
  EXPECT_TRUE(Execute([](TOstrelItemsEditorForm& Form) {
    EXPECT_EQ(Form.Table->GetSelected(), nullptr) << "opens in the no-card state";
    ClickFirstCard(Form);
    TypeInto(Form.TextEdit, "e");
    Press(Form.OKButton);
  }));
  EXPECT_EQ(Texts(Edited->GetItems()), (std::vector<std::string>{"Anne"}));
  EXPECT_EQ(Designer->Count, 0) << "OK reports through the opener, not the dialog";

  EXPECT_FALSE(Execute([](TOstrelItemsEditorForm& Form) {
    Press(Form.NewItemButton);
    Press(Form.ApplyButton);
    Press(Form.ClearButton);
    Press(Form.CancelButton);
  }));
  EXPECT_EQ(Texts(Edited->GetItems()), (std::vector<std::string>{"Anne", "New Item"}));
  EXPECT_EQ(Designer->Count, 1);
}

TEST_F(ItemsEditorModalTest, EscapeAndTheCloseBoxCancel) {
  Edited->GetItems()->Add("Ann");
  EXPECT_FALSE(Execute([](TOstrelItemsEditorForm& Form) {
    Press(Form.NewItemButton);
    vcltest::PressKey(VK_ESCAPE);
  }));
  EXPECT_FALSE(Execute([](TOstrelItemsEditorForm& Form) {
    Press(Form.ClearButton);
    ControlWidget(&Form)->close();
  }));
  EXPECT_EQ(Texts(Edited->GetItems()), (std::vector<std::string>{"Ann"}));
}

TEST_F(ItemsEditorModalTest, TheCardViewReadsInTheEditedControlsDirection) {
  Edited->SetBiDiMode(bdRightToLeft);
  EXPECT_FALSE(Execute([](TOstrelItemsEditorForm& Form) {
    EXPECT_EQ(Form.Table->GetBiDiMode(), bdRightToLeft);
    Press(Form.CancelButton);
  }));
}

// OnDestroy detaches the handlers, so that freeing the cards and the edits runs none of them.
TEST_F(ItemsEditorTest, FormDestroyLetsGoOfTheHandlersThatTearingDownWouldRun) {
  Open({{"Ann", "Phone=1"}});
  ClickCard(0);
  Press(Dialog->ApplyButton);  // off, so that a handler that still ran would turn it on
  ASSERT_FALSE(ApplyOn());
  Dialog->FormDestroy(Dialog.get());
  Dialog->TextEdit->SetText("changed");
  EXPECT_EQ(TableCard(0)->GetText(), "Ann");
  Dialog->Table->GetItems()->Clear();
  EXPECT_TRUE(Dialog->TextEdit->GetEnabled()) << "the no-card state came from a handler";
  EXPECT_FALSE(ApplyOn());
}

}  // namespace
}  // namespace itemseditor_test
