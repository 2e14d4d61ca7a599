// A form built through the designer's input, saved, opened again in a new designer and run
// as a preview; the unsaved-changes question; damaged and missing files.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "DesignerFixture.h"

namespace designer_test {
namespace {

std::string TempPath(const std::string& Name) {
  return testing::TempDir() + "designer-" + std::to_string(::getpid()) + "-" + Name;
}

std::string FileText(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::ostringstream Text;
  Text << In.rdbuf();
  return Text.str();
}

void AnswerFileDialogs(const std::string& Path) {
  SetFileDialogHook([Path](TOpenDialog& Dialog) {
    Dialog.SetFileName(Path);
    return true;
  });
}

TEST_F(DesignerTest, AFormBuiltSavedReopenedAndPreviewedShowsTheSameCards) {
  const std::string Path = TempPath("cards.dfm");
  DropThroughClicks("Velmora", "TOstrelButtonsBar", 5, 5);
  TOstrel* Cards = DropCards(60, 10);
  Drag(Designer->GetHandles().Get(THandle::BottomRight), TPoint{3, 3}, 120, 80);
  const TRect Bounds = Cards->GetBoundsRect();
  SetInInspector("ColumnWidth", "140");
  WhenShown(AddCardsAndOk({"Zoe", "Adam", "Mia"}));
  Designer->EditSelection();  // as a double click does
  ASSERT_EQ(CardTexts(Cards), (std::vector<std::string>{"Adam", "Mia", "Zoe"}));
  EXPECT_TRUE(TitleMarked());

  AnswerFileDialogs(Path);
  ASSERT_TRUE(Window->Files().SaveAs());
  EXPECT_FALSE(TitleMarked());
  EXPECT_EQ(Window->GetCaption(), "designer-" + std::to_string(::getpid()) + "-cards.dfm - Ostrel Designer");
  const std::string Text = FileText(Path);
  EXPECT_EQ(Text.rfind("object Form1: TForm", 0), 0u) << Text;
  EXPECT_NE(Text.find("object Ostrel1: TOstrel"), std::string::npos);
  EXPECT_NE(Text.find("Items.Data = {"), std::string::npos);
  EXPECT_EQ(Text.find("Visible = True"), std::string::npos) << "the designer's own showing is not stored";

  // A second designer opens the file through its Open command.
  auto Second = OpenWindow();
  ASSERT_TRUE(Second->Files().Open());
  auto* Reopened = dynamic_cast<TOstrel*>(Second->Designer().GetForm()->FindComponent("Ostrel1"));
  ASSERT_NE(Reopened, nullptr);
  EXPECT_EQ(CardTexts(Reopened), CardTexts(Cards));
  EXPECT_EQ(Reopened->GetBoundsRect(), Bounds);
  EXPECT_EQ(Reopened->GetColumnWidth(), 140);
  EXPECT_TRUE(Reopened->HasState(csDesigning));
  EXPECT_NE(Second->Designer().GetForm()->FindComponent("OstrelButtonsBar1"), nullptr);
  EXPECT_FALSE(Second->Designer().GetModified());

  // The preview is the form as it runs: read from the text, not designed, shown.
  TForm* Preview = Second->Designer().Preview();
  ASSERT_NE(Preview, nullptr);
  EXPECT_TRUE(Preview->GetVisible());
  EXPECT_EQ(Preview->GetDesigner(), nullptr);
  auto* Running = dynamic_cast<TOstrel*>(Preview->FindComponent("Ostrel1"));
  ASSERT_NE(Running, nullptr);
  EXPECT_FALSE(Running->HasState(csDesigning));
  EXPECT_EQ(CardTexts(Running), (std::vector<std::string>{"Adam", "Mia", "Zoe"}));
  // At run time a click selects a card.
  vcltest::ProcessMessages();
  vcltest::Click(Running, 20, 12);
  ASSERT_NE(Running->GetSelected(), nullptr);
  EXPECT_EQ(Running->GetSelected()->GetText(), "Adam");
  Preview->Hide();
  Second.reset();
  std::remove(Path.c_str());
}

TEST_F(DesignerTest, OpeningAMissingOrDamagedFileExplainsItAndKeepsTheForm) {
  const std::string Damaged = TempPath("damaged.dfm");
  struct TRow {
    const char* Name;
    std::string Path;
    const char* Content;  // null: no file
    const char* Reason;
  };
  const TRow Rows[] = {
      {"missing", TempPath("missing.dfm"), nullptr, "missing.dfm"},
      {"broken syntax", Damaged, "object Form1: TForm\n  Left = \n  Top = 3\nend\n", "line 2"},
      {"unknown class", Damaged, "object Form1: TForm\n  object X1: TNoSuchControl\n  end\nend\n", "TNoSuchControl"},
      {"not a form", Damaged, "\x89PNG\r\n\x1a\n", "Cannot open"},
  };
  TOstrel* Cards = DropCards();
  const std::string Before = Designer->SaveToText();
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    Messages.clear();
    if (Row.Content) std::ofstream(Row.Path, std::ios::binary) << Row.Content;
    EXPECT_FALSE(Window->Files().OpenFile(Row.Path));
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Type, mtError);
    EXPECT_NE(Messages[0].Text.find("Cannot open " + Row.Path), std::string::npos) << Messages[0].Text;
    EXPECT_NE(Messages[0].Text.find(Row.Reason), std::string::npos) << Messages[0].Text;
    // The designer goes on with the form it had.
    EXPECT_EQ(Designer->GetForm()->FindComponent("Ostrel1"), Cards);
    EXPECT_EQ(Designer->SaveToText(), Before);
    EXPECT_TRUE(TitleMarked());
    EXPECT_EQ(Window->Files().GetFileName(), "");
  }
  std::remove(Damaged.c_str());
}

TEST_F(DesignerTest, UnsavedChangesAreAskedAboutBeforeTheyWouldBeLost) {
  const std::string Path = TempPath("asked.dfm");
  DropCards();
  struct TRow {
    int Answer;
    bool Done;
    bool Saved;
  };
  for (const TRow& Row : {TRow{mrCancel, false, false}, TRow{mrYes, true, true}}) {
    SCOPED_TRACE(Row.Answer);
    Messages.clear();
    Answer = Row.Answer;
    AnswerFileDialogs(Path);
    EXPECT_EQ(Window->Files().NewFile(), Row.Done);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Type, mtConfirmation);
    EXPECT_EQ(Messages[0].Text, "Save the changes to the new form?");
    EXPECT_EQ(Designer->GetForm()->FindComponent("Ostrel1") != nullptr, !Row.Done);
    EXPECT_EQ(FileText(Path).find("Ostrel1") != std::string::npos, Row.Saved);
  }
  // A form without changes goes without a question.
  Messages.clear();
  EXPECT_TRUE(Window->Files().NewFile());
  EXPECT_TRUE(Messages.empty());
  EXPECT_FALSE(TitleMarked());
  std::remove(Path.c_str());
}

TEST_F(DesignerTest, ASaveThatFailsIsExplainedAndTheFormStaysModified) {
  // The form's file was saved into a folder that has gone since.
  const std::string Folder = TempPath("folder");
  const std::string Path = Folder + "/form.dfm";
  ASSERT_EQ(::mkdir(Folder.c_str(), 0700), 0);
  AnswerFileDialogs(Path);
  ASSERT_TRUE(Window->Files().SaveAs());
  std::remove(Path.c_str());
  ::rmdir(Folder.c_str());
  DropCards();
  EXPECT_FALSE(Window->Files().Save());
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Type, mtError);
  EXPECT_NE(Messages[0].Text.find("Cannot save " + Path), std::string::npos) << Messages[0].Text;
  EXPECT_TRUE(TitleMarked());
  EXPECT_EQ(Window->Files().GetFileName(), Path);
}

TEST_F(DesignerTest, ClosingTheWindowAsksAboutUnsavedChanges) {
  DropCards();
  Answer = mrCancel;
  Window->Close();
  EXPECT_TRUE(Window->GetVisible()) << "Cancel keeps the window";
  ASSERT_EQ(Messages.size(), 1u);
  Answer = mrNo;
  Window->Close();
  EXPECT_FALSE(Window->GetVisible());
  EXPECT_EQ(Messages.size(), 2u);
}

}  // namespace
}  // namespace designer_test
