// A form built through the designer's input, saved, opened again in a new designer and run
// as a preview; the unsaved-changes question; damaged and missing files.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <new>
#include <sstream>

#include "DesignerFixture.h"
#include "TypInfo.h"

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
  const std::string Fifo = TempPath("fifo.dfm");
  const std::string Folder = TempPath("folder.dfm");
  enum TMake { Nothing, File, FifoWithoutWriter, AFolder };
  struct TRow {
    const char* Name;
    std::string Path;
    TMake Make;
    std::string Content;
    std::string Reason;
  };
  const std::string Ellipsis = "\xE2\x80\xA6";
  const TRow Rows[] = {
      {"missing", TempPath("missing.dfm"), Nothing, "", "missing.dfm"},
      {"broken syntax", Damaged, File, "object Form1: TForm\n  Left = \n  Top = 3\nend\n", "line 2"},
      {"unknown class", Damaged, File, "object Form1: TForm\n  object X1: TNoSuchControl\n  end\nend\n", "TNoSuchControl"},
      {"not a form", Damaged, File, "\x89PNG\r\n\x1a\n", "Cannot open"},
      // Opening waited for a writer, so the designer never showed its window.
      {"a FIFO without a writer", Fifo, FifoWithoutWriter, "", "not a regular file"},
      {"a folder", Folder, AFolder, "", "not a regular file"},
      // Quoted whole, the name took the message box 20 seconds to show.
      {"a class name of 5 MB", Damaged, File, "object Form1: TForm\n  object X1: T" + std::string(5 << 20, 'N') + "\n  end\nend\n",
       std::string(79, 'N') + Ellipsis + " not found on line 2"},
  };
  TOstrel* Cards = DropCards();
  const std::string Before = Designer->SaveToText();
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    Messages.clear();
    if (Row.Make == File) std::ofstream(Row.Path, std::ios::binary) << Row.Content;
    if (Row.Make == FifoWithoutWriter) {
      ASSERT_EQ(::mkfifo(Row.Path.c_str(), 0600), 0);
    }
    if (Row.Make == AFolder) {
      ASSERT_EQ(::mkdir(Row.Path.c_str(), 0700), 0);
    }
    EXPECT_FALSE(Window->Files().OpenFile(Row.Path));
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Type, mtError);
    EXPECT_NE(Messages[0].Text.find("Cannot open " + Row.Path), std::string::npos) << Messages[0].Text;
    EXPECT_NE(Messages[0].Text.find(Row.Reason), std::string::npos) << Messages[0].Text.substr(0, 500);
    EXPECT_LT(Messages[0].Text.size(), 500u);
    // The designer goes on with the form it had.
    EXPECT_EQ(Designer->GetForm()->FindComponent("Ostrel1"), Cards);
    EXPECT_EQ(Designer->SaveToText(), Before);
    EXPECT_TRUE(TitleMarked());
    EXPECT_EQ(Window->Files().GetFileName(), "");
  }
  std::remove(Damaged.c_str());
  std::remove(Fifo.c_str());
  ::rmdir(Folder.c_str());
}

// A component whose value needs more memory than there is: reading or writing its Greed
// raises std::bad_alloc, as a huge form does when memory runs out.
class TGreedy : public TComponent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo Info = TClassInfoBuilder<TGreedy>("TGreedy", &TComponent::StaticClassInfo())
                                       .Creates()
                                       .Integer("Greed", &TGreedy::GetGreed, &TGreedy::SetGreed, 0)
                                       .Build();
    return Info;
  }
  using TComponent::TComponent;
  static inline bool WritingFails = false;
  int GetGreed() const {
    if (WritingFails) throw std::bad_alloc();
    return FGreed;
  }
  void SetGreed(int Value) {
    if (Value > 1) throw std::bad_alloc();
    FGreed = Value;
  }

private:
  int FGreed = 0;
};

TEST_F(DesignerTest, RunningOutOfMemoryInAnOpenOrASaveIsExplainedAndKeepsTheForm) {
  RegisterClass(TGreedy::StaticClassInfo());
  const std::string Path = TempPath("greedy.dfm");
  std::ofstream(Path, std::ios::binary) << "object Form1: TForm\n  object Greedy1: TGreedy\n    Greed = 2\n  end\nend\n";
  TOstrel* Cards = DropCards();
  const std::string Before = Designer->SaveToText();
  EXPECT_FALSE(Window->Files().OpenFile(Path));
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Type, mtError);
  EXPECT_EQ(Messages[0].Text, "Cannot open " + Path + ": there is not enough memory to read it. The form being designed is kept.");
  EXPECT_EQ(Designer->GetForm()->FindComponent("Ostrel1"), Cards);
  EXPECT_EQ(Designer->SaveToText(), Before);
  EXPECT_TRUE(Designer->CanUndo());
  EXPECT_TRUE(TitleMarked());

  // A form that runs out of memory while it is written is kept, and still unsaved.
  Messages.clear();
  const std::string Saved = TempPath("greedy-saved.dfm");
  Designer->DropComponent(TGreedy::StaticClassInfo(), nullptr, 0, 0);
  TGreedy::WritingFails = true;
  AnswerFileDialogs(Saved);
  EXPECT_FALSE(Window->Files().SaveAs());
  TGreedy::WritingFails = false;
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Text, "Cannot save " + Saved + ": there is not enough memory to write it. The form being designed is kept.");
  EXPECT_TRUE(FileText(Saved).empty());
  EXPECT_NE(Designer->GetForm()->FindComponent("Greedy1"), nullptr);
  EXPECT_TRUE(TitleMarked());
  EXPECT_EQ(Window->Files().GetFileName(), "");

  // The history's text, written before the opened form is shown, is the shown form's text:
  // a change that changes nothing leaves nothing to undo.
  std::ofstream(Path, std::ios::binary) << "object Form1: TForm\n  object Greedy1: TGreedy\n    Greed = 1\n  end\nend\n";
  ASSERT_TRUE(Window->Files().OpenFile(Path));
  Designer->Modified();
  EXPECT_FALSE(Designer->CanUndo());
  UnRegisterClass(TGreedy::StaticClassInfo());
  std::remove(Path.c_str());
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
