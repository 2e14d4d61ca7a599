// The card view on a real form with a window: loading relayouts once, after every field of
// every card is read.

#include <gtest/gtest.h>

#include "Harness.h"
#include "OstrelProbe.h"

namespace ostrel_test {
namespace {

class OstrelWindowed : public vcltest::THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = vcltest::MakeForm(400, 200);
    Table = new TProbe(Form.get());
    Table->SetBorderStyle(bsNone);
    Table->SetParent(Form.get());
    Table->SetBounds(0, 0, 400, 200);
    Table->HandleNeeded();
    vcltest::ProcessMessages();
  }
  void TearDown() override {
    Form.reset();
    THostTest::TearDown();
  }

  // A card stream of Count cards with three sub-items each (64 pixels high by default).
  static void WriteCards(TMemoryStream& Stream, int Count) {
    TOstrel Source(nullptr);
    for (int I = 0; I < Count; ++I) {
      TOstrelItem* Item = Source.GetItems()->Add("Card " + std::to_string(I));
      for (const char* Line : {"Phone=1", "Mail=a@b", "City=Rome"}) Item->GetSubItems()->Add(Line);
    }
    Source.SaveToStream(&Stream);
    Stream.SetPosition(0);
  }

  std::unique_ptr<TForm> Form;
  TProbe* Table = nullptr;  // owned by the form
};

TEST_F(OstrelWindowed, LoadingLaysOutOnceWithTheFullHeightOfEveryCard) {
  ASSERT_EQ(Table->GetClientHeight(), 200);
  TMemoryStream Stream;
  WriteCards(Stream, 40);
  Table->ItemHeights = 0;
  const int Invalidates = Table->Invalidates;
  Table->LoadFromStream(&Stream);
  EXPECT_EQ(Table->Invalidates, Invalidates + 1);
  EXPECT_LE(Table->ItemHeights, 2 * 40);  // one layout pass, not one per card
  // Two 64-pixel cards fit a 200-pixel column: tops 6 and 76; the third opens column 1.
  const TOstrelItems& Items = *Table->GetItems();
  EXPECT_EQ(Items[1]->GetTop(), 76);
  EXPECT_EQ(Items[2]->GetColumn(), 1);
  EXPECT_EQ(Items[2]->GetTop(), 6);
  EXPECT_EQ(Items[39]->GetColumn(), 19);
  EXPECT_EQ(Table->GetColumnCount(), 20);
}

TEST_F(OstrelWindowed, ASortedLoadAlsoLaysOutOnce) {
  Table->SetSorted(true);
  TMemoryStream Stream;
  WriteCards(Stream, 40);
  Table->ItemHeights = 0;
  Table->LoadFromStream(&Stream);
  EXPECT_LE(Table->ItemHeights, 2 * 40);
  EXPECT_EQ(Table->GetItems()->GetItemFromIndex(1)->GetText(), "Card 1");
  EXPECT_EQ(Table->GetItems()->GetItemFromIndex(2)->GetText(), "Card 10");  // sorted by bytes
}

TEST_F(OstrelWindowed, ClearingCardsLaysOutOnce) {
  TMemoryStream Stream;
  WriteCards(Stream, 10);
  Table->LoadFromStream(&Stream);
  Table->SetSelected(Table->GetItems()->GetItemFromIndex(3));
  const int Invalidates = Table->Invalidates;
  Table->GetItems()->Clear();
  EXPECT_EQ(Table->Invalidates, Invalidates + 1);
  EXPECT_EQ(Table->GetColumnCount(), 0);
  vcltest::ProcessMessages();  // paints the empty control without touching a freed card
}

TEST_F(OstrelWindowed, TheWindowFollowsSizeCtl3DAndBorderStyle) {
  TMemoryStream Stream;
  WriteCards(Stream, 4);
  Table->LoadFromStream(&Stream);
  EXPECT_EQ(Table->GetColumnCount(), 2);
  Table->SetHeight(300);  // WM_SIZE lays the cards out again: four fit one column
  vcltest::ProcessMessages();
  EXPECT_EQ(Table->GetColumnCount(), 1);

  Table->WindowsDestroyed = 0;
  Table->SetCtl3D(false);  // CM_CTL3DCHANGED makes a new window with the new styles
  EXPECT_EQ(Table->WindowsDestroyed, 1);
  Table->SetBorderStyle(bsSingle);
  EXPECT_EQ(Table->WindowsDestroyed, 2);
  Table->SetBorderStyle(bsSingle);
  EXPECT_EQ(Table->WindowsDestroyed, 2);
  EXPECT_TRUE(Table->HandleAllocated());
  EXPECT_EQ(Table->GetItems()->GetCount(), 4);  // the cards outlive the window
}

}  // namespace
}  // namespace ostrel_test
