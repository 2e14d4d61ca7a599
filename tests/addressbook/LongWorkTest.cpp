// Opening and saving as long work: busy cursor, progress in the status bar, Cancel, and
// what cancelling, closing the window and a bad record midway leave behind.

#include <QApplication>

#include "AddressBookFixture.h"

namespace {

using namespace vcl;
using namespace ostrel;
using namespace addressbooktest;

class LongWorkTest : public AddressBookTest {
protected:
  void SetUp() override {
    AddressBookTest::SetUp();
    OpenWithKeys(WriteCards("start.cards", Two));
    ASSERT_EQ(Shown(), Two);
  }
  void TearDown() override {
    Book->GetWork().OnStep = nullptr;
    AddressBookTest::TearDown();
  }
  // A vCard file of Count cards, "Card 0" and on.
  std::string WriteVCards(const std::string& Name, int Count, const std::string& After = "") {
    std::string Text;
    for (int I = 0; I < Count; ++I) Text += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Card " + std::to_string(I) + "\r\nTEL:" + std::to_string(I) + "\r\nEND:VCARD\r\n";
    return WriteText(Name, Text + After);
  }
  // Runs Act at the first step of the next piece of work, once.
  void AtFirstStep(std::function<void()> Act) {
    Book->GetWork().OnStep = [this, Act = std::move(Act)] {
      const std::function<void()> Once = Act;  // clearing the hook frees this lambda
      Book->GetWork().OnStep = nullptr;
      Once();
    };
  }
  std::string ReadFile(const std::string& Path) {
    std::ifstream In(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), {});
  }
};

// The state a user sees while a file is read: it is all back to normal afterwards.
TEST_F(LongWorkTest, OpeningShowsBusyAndLocksTheCommandsUntilDone) {
  const std::string File = WriteVCards("many.vcf", 50);
  bool Seen = false;
  AtFirstStep([&] {
    Seen = true;
    EXPECT_TRUE(Book->GetWork().GetBusy());
    EXPECT_EQ(Screen->GetCursor(), crHourGlass);
    EXPECT_EQ(Book->GetWork().StatusBar->GetSimpleText(), "Opening many.vcf...");
    EXPECT_FALSE(Cards->GetEnabled());
    EXPECT_FALSE(Book->FileNew->GetParent()->GetEnabled()) << "the File menu";
    // Commands that would work on the cards or start other work refuse.
    EXPECT_FALSE(Book->NewFile());
    EXPECT_FALSE(Book->Save());
    EXPECT_FALSE(Book->DeleteCard());
    EXPECT_THROW(Book->Load(File), Exception) << "no second piece of work over the first";
  });
  FileAnswers.push_back(File);
  EXPECT_TRUE(Book->Open());
  EXPECT_TRUE(Seen);
  EXPECT_EQ(Cards->GetItems()->GetCount(), 50);
  EXPECT_EQ(Title(), "many.vcf - 50 cards");
  EXPECT_FALSE(Book->GetWork().GetBusy());
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Book->GetWork().StatusBar->GetSimpleText(), "");
  EXPECT_FALSE(Book->GetWork().ProgressBar->GetVisible());
  EXPECT_TRUE(Cards->GetEnabled());
  EXPECT_TRUE(Book->FileNew->GetParent()->GetEnabled());
  EXPECT_TRUE(Asked.empty());
}

// Cancel by its button and by Escape, over cards on show and over an empty book.
TEST_F(LongWorkTest, CancelledOpenLeavesTheCardsAndTheFileAsTheyWere) {
  for (const bool Empty : {false, true}) {
    SCOPED_TRACE(Empty ? "empty book" : "cards on show");
    if (Empty) {
      ASSERT_TRUE(Book->NewFile());
    }
    const std::vector<TCardLines> Before = Shown();
    const std::string TitleBefore = Title();
    AtFirstStep([this] { Book->GetWork().CancelButton->Click(); });
    FileAnswers.push_back(WriteVCards("big.vcf", 3000));
    EXPECT_FALSE(Book->Open());
    EXPECT_EQ(Shown(), Before);
    EXPECT_EQ(Title(), TitleBefore);
    EXPECT_FALSE(Book->GetModified());
    EXPECT_TRUE(Asked.empty()) << "a cancel is no error";
    EXPECT_EQ(Screen->GetCursor(), crDefault);
  }
  // Escape presses Cancel once the progress shows.
  AtFirstStep([this] {
    Book->GetWork().CancelButton->SetVisible(true);
    Book->GetWork().CancelButton->SetFocus();
    vcltest::PressKey(VK_ESCAPE);
  });
  FileAnswers.push_back(WriteVCards("big.vcf", 3000));
  EXPECT_FALSE(Book->Open());
  EXPECT_EQ(Shown(), std::vector<TCardLines>{});
}

TEST_F(LongWorkTest, ClosingDuringOpenStopsItAndThenCloses) {
  AtFirstStep([this] { Form->Close(); });
  FileAnswers.push_back(WriteVCards("big.vcf", 3000));
  EXPECT_FALSE(Book->Open());
  EXPECT_EQ(Shown(), Two);
  EXPECT_FALSE(Form->GetVisible()) << "the window closed once the reading had stopped";
  EXPECT_TRUE(Asked.empty()) << "nothing unsaved to ask about";
}

TEST_F(LongWorkTest, BadRecordMidwayIsNamedAndTheCardsOnShowStay) {
  for (const bool Empty : {false, true}) {
    SCOPED_TRACE(Empty ? "empty book" : "cards on show");
    if (Empty) {
      ASSERT_TRUE(Book->NewFile());
    }
    const std::vector<TCardLines> Before = Shown();
    Asked.clear();
    std::string Csv = "Name,Phone\r\n";
    for (int I = 0; I < 2000; ++I) Csv += "Card " + std::to_string(I) + "," + std::to_string(I) + "\r\n";
    FileAnswers.push_back(WriteText("bad.csv", Csv + "Late,1,2\r\nNever,3\r\n"));
    EXPECT_FALSE(Book->Open());
    EXPECT_EQ(Shown(), Before);
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Text, PathOf("bad.csv") + ": line 2002 has more fields than the header has names (2)");
    EXPECT_EQ(Asked[0].Type, mtError);
    EXPECT_FALSE(Book->GetWork().GetBusy());
  }
}

TEST_F(LongWorkTest, CancelledSaveLeavesTheTargetIntact) {
  for (const std::string Extension : {"cards", "vcf", "csv"}) {
    SCOPED_TRACE(Extension);
    const std::string Target = WriteText("target." + Extension, "what was there");
    const std::string TitleBefore = Title();
    AtFirstStep([this] { Book->GetWork().Cancel(); });
    FileAnswers.push_back(Target);
    MessageAnswers.push_back(mrYes);  // replace it
    EXPECT_FALSE(Book->SaveAs());
    EXPECT_EQ(ReadFile(Target), "what was there");
    EXPECT_EQ(Title(), TitleBefore) << "still the file it was";
    // Uncancelled, the same save goes through.
    FileAnswers.push_back(Target);
    MessageAnswers.push_back(mrYes);
    EXPECT_TRUE(Book->SaveAs());
    EXPECT_NE(ReadFile(Target), "what was there");
  }
}

}  // namespace
