// The card stream format byte for byte, reading damaged and lying streams, and loading and
// saving through the control.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "OstrelProbe.h"
#include "WithoutRoot.h"

namespace ostrel_test {
namespace {

using TByteVector = std::vector<unsigned char>;
using TTexts = std::vector<std::string>;

// Two cards: Ann with two sub-items, and Bob with no sub-items, a hint and no hint shown.
const TByteVector WorkedExample = {
    0xC8, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,                                            // list
    0xC8, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 'A', 'n', 'n', 0x00, 0x00, 0x00, 0x00,  // Ann
    0x16, 0x00, 0x00, 0x00, 'P', 'h', 'o', 'n', 'e', '=', '1', '2', '3', 0x0D, 0x0A,        //
    'C', 'i', 't', 'y', '=', 'R', 'o', 'm', 'e', 0x0D, 0x0A, 0x01, 0x00, 0x00, 0x00, 0x00,  //
    0xC8, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 'B', 'o', 'b', 0x00, 0x00, 0x00, 0x00,  // Bob
    0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 'H', 'i'};

void FillWorkedExample(TOstrel& Table) {
  TOstrelItem* Ann = Table.GetItems()->Add("Ann");
  Ann->GetSubItems()->Add("Phone=123");
  Ann->GetSubItems()->Add("City=Rome");
  TOstrelItem* Bob = Table.GetItems()->Add("Bob");
  Bob->SetShowHint(false);
  Bob->SetHint("Hi");
}

void Load(TOstrel& Table, const TByteVector& Data) {
  TMemoryStream Stream;
  PutBytes(Stream, Data);
  Table.LoadFromStream(&Stream);
}

// A little-endian 32-bit field.
void Put32(TByteVector& Data, std::uint32_t Value) {
  for (int I = 0; I < 4; ++I) Data.push_back(static_cast<unsigned char>(Value >> (8 * I)));
}

void PutString(TByteVector& Data, const std::string& S) {
  Put32(Data, static_cast<std::uint32_t>(S.size()));
  Data.insert(Data.end(), S.begin(), S.end());
}

// A list holding one version-200 card with these sub-items as text.
TByteVector OneCardWithSubItemText(const std::string& SubItemText) {
  TByteVector Data;
  Put32(Data, 200);
  Put32(Data, 1);
  Put32(Data, 200);
  PutString(Data, "Card");
  Put32(Data, 0);
  PutString(Data, SubItemText);
  Data.push_back(1);
  PutString(Data, "");
  return Data;
}

TTexts SubItems(const TOstrelItem* Item) {
  TTexts Result;
  for (int I = 0; I < Item->GetSubItems()->GetCount(); ++I) Result.push_back(Item->GetSubItems()->Get(I));
  return Result;
}

TEST(OstrelStream, TheWorkedExampleIsWrittenByteForByteAndReadBackEqual) {
  TProbe Written;
  FillWorkedExample(Written);
  TMemoryStream Stream;
  Written.SaveToStream(&Stream);
  EXPECT_EQ(Bytes(Stream), WorkedExample);
  EXPECT_EQ(Stream.GetPosition(), 80);

  TProbe Read;
  Stream.SetPosition(0);
  Read.LoadFromStream(&Stream);
  EXPECT_EQ(Stream.GetPosition(), 80);
  ASSERT_EQ(Texts(*Read.GetItems()), (TTexts{"Ann", "Bob"}));
  for (int I = 0; I < 2; ++I) {
    const TOstrelItem* Copy = Read.GetItems()->GetItemFromIndex(I);
    const TOstrelItem* Original = Written.GetItems()->GetItemFromIndex(I);
    EXPECT_TRUE(Copy->IsEqual(Original));
    EXPECT_EQ(Copy->GetHint(), Original->GetHint());
    EXPECT_EQ(Copy->GetShowHint(), Original->GetShowHint());
  }
  EXPECT_EQ(Read.GetSelected(), nullptr);
  EXPECT_EQ(Name(Read.GetItemFocused()), "Ann");
}

TEST(OstrelStream, AnEmptyListIsEightBytesAndReadingItEmptiesTheList) {
  TProbe Table;
  TMemoryStream Stream;
  Table.SaveToStream(&Stream);
  EXPECT_EQ(Bytes(Stream), (TByteVector{0xC8, 0, 0, 0, 0, 0, 0, 0}));
  AddCards(*Table.GetItems(), {"a", "b"});
  Stream.SetPosition(0);
  Table.LoadFromStream(&Stream);
  EXPECT_EQ(Table.GetItems()->GetCount(), 0);
}

TEST(OstrelStream, AnyListVersionAndNoOrANegativeCountAreAccepted) {
  for (std::uint32_t Version : {0u, 1u, 0xFFFFFFFFu}) {
    for (std::uint32_t Count : {0u, 0x80000000u, 0xFFFFFFFFu}) {
      TProbe Table;
      AddCards(*Table.GetItems(), {"old"});
      TByteVector Data;
      Put32(Data, Version);
      Put32(Data, Count);
      Load(Table, Data);
      EXPECT_EQ(Table.GetItems()->GetCount(), 0) << Version << " " << Count;
    }
  }
  TProbe Table;
  TByteVector Data = WorkedExample;
  Data[0] = 7;
  Load(Table, Data);
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"Ann", "Bob"}));
}

// The list reserves room for the cards the stream can hold, not for the count it promises.
TEST(OstrelStream, AHugeCountLoadsTheCardsThereAndRaises) {
  TByteVector Data = WorkedExample;
  Data[4] = 0xFF;
  Data[5] = 0xFF;
  Data[6] = 0xFF;
  Data[7] = 0x7F;
  TProbe Table;
  EXPECT_THROW(Load(Table, Data), EReadError);
  // The third card was begun when the stream ran out.
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"Ann", "Bob", ""}));
  EXPECT_EQ(SubItems(Table.GetItems()->GetItemFromIndex(0)), (TTexts{"Phone=123", "City=Rome"}));
}

TEST(OstrelStream, AVersion100RecordEndsAfterItsSubItems) {
  TByteVector Data;
  Put32(Data, 200);
  Put32(Data, 2);
  Put32(Data, 100);
  PutString(Data, "Old");
  Put32(Data, 9);
  PutString(Data, "Phone=1\r\n");
  Data.insert(Data.end(), WorkedExample.begin() + 54, WorkedExample.end());  // Bob
  TProbe Table;
  Load(Table, Data);
  ASSERT_EQ(Texts(*Table.GetItems()), (TTexts{"Old", "Bob"}));
  const TOstrelItem* Old = Table.GetItems()->GetItemFromIndex(0);
  EXPECT_TRUE(Old->GetShowHint());
  EXPECT_EQ(Old->GetHint(), "");
  EXPECT_EQ(Old->GetData(), reinterpret_cast<void*>(9));
  EXPECT_EQ(SubItems(Old), (TTexts{"Phone=1"}));
  EXPECT_EQ(Table.GetItems()->GetItemFromIndex(1)->GetHint(), "Hi");
}

TEST(OstrelStream, SubItemTextSplitsAtEveryLineBreakAndEndsAtAZeroByte) {
  const struct {
    std::string Text;
    TTexts Lines;
  } Cases[] = {
      {"a\r\n\r\n", {"a", ""}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {std::string("a\r\nb\0c\r\n", 8), {"a", "b"}},
      {"", {}},
  };
  for (const auto& Case : Cases) {
    TProbe Table;
    Load(Table, OneCardWithSubItemText(Case.Text));
    EXPECT_EQ(SubItems(Table.GetItems()->GetFirstItem()), Case.Lines);
  }
  // A sub-item holding a line break comes back as two.
  TProbe Written, Read;
  Written.GetItems()->Add("Card")->GetSubItems()->Add("one\ntwo");
  TMemoryStream Stream;
  Written.SaveToStream(&Stream);
  Stream.SetPosition(0);
  Read.LoadFromStream(&Stream);
  EXPECT_EQ(SubItems(Read.GetItems()->GetFirstItem()), (TTexts{"one", "two"}));
}

TEST(OstrelStream, DataKeepsItsLow32BitsAndComesBackZeroExtended) {
  TProbe Written, Read;
  Written.GetItems()->AddObject("a", reinterpret_cast<void*>(static_cast<std::uintptr_t>(0xFFFFFFFFu)));
  if constexpr (sizeof(void*) == 8)
    Written.GetItems()->AddObject("b", reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x1234567890ull)));
  TMemoryStream Stream;
  Written.SaveToStream(&Stream);
  const TByteVector Data = Bytes(Stream);
  EXPECT_EQ(TByteVector(Data.begin() + 17, Data.begin() + 21), (TByteVector{0xFF, 0xFF, 0xFF, 0xFF}));
  Stream.SetPosition(0);
  Read.LoadFromStream(&Stream);
  EXPECT_EQ(Read.GetItems()->GetItemFromIndex(0)->GetData(), reinterpret_cast<void*>(std::uintptr_t{0xFFFFFFFFu}));
  if constexpr (sizeof(void*) == 8) {
    EXPECT_EQ(Read.GetItems()->GetItemFromIndex(1)->GetData(), reinterpret_cast<void*>(std::uintptr_t{0x34567890u}));
  }
}

// Cut the worked example after every byte: reading stops with the read error, keeping the
// cards read completely and the card being read with the fields completed before the cut.
TEST(OstrelStream, EveryTruncationKeepsExactlyWhatWasComplete) {
  for (std::size_t Cut = 0; Cut < WorkedExample.size(); ++Cut) {
    SCOPED_TRACE("cut after " + std::to_string(Cut) + " bytes");
    TProbe Table;
    Table.SetSorted(true);
    Table.SetCustomSort(true);
    AddCards(*Table.GetItems(), {"old"});
    int Comparisons = 0;
    Table.SetOnSortItems([&](TObject*, TOstrelItem*, TOstrelItem*, int&) { ++Comparisons; });
    const int Before = Table.Invalidates;
    EXPECT_THROW(Load(Table, TByteVector(WorkedExample.begin(), WorkedExample.begin() + Cut)), EReadError);
    const TOstrelItems& Items = *Table.GetItems();
    const int Expected = (Cut >= 8) + (Cut >= 54);
    ASSERT_EQ(Items.GetCount(), Expected);
    EXPECT_EQ(Items.GetUpdateCount(), 0);
    EXPECT_EQ(Table.Invalidates, Before + 1);  // one relayout, at the end
    EXPECT_EQ(Comparisons, 0);               // no sort after a failure
    if (Expected >= 1) {
      const TOstrelItem* Ann = Items[0];
      EXPECT_EQ(Ann->GetText(), Cut >= 19 ? "Ann" : "");
      EXPECT_EQ(SubItems(Ann).size(), Cut >= 49 ? 2u : 0u);
      EXPECT_EQ(Ann->GetShowHint(), true);
    }
    if (Expected == 2) {
      const TOstrelItem* Bob = Items[1];
      EXPECT_EQ(Bob->GetText(), Cut >= 65 ? "Bob" : "");
      EXPECT_EQ(Bob->GetShowHint(), Cut < 74);  // the flag is complete from 74 on
      EXPECT_EQ(Bob->GetHint(), "");
    }
  }
}

TEST(OstrelStream, NegativeAndOversizedLengthsAreReadErrors) {
  for (std::uint32_t Length : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 5u}) {
    TByteVector Data;
    Put32(Data, 200);
    Put32(Data, 1);
    Put32(Data, 200);
    Put32(Data, Length);
    Data.insert(Data.end(), {'a', 'b', 'c', 'd'});  // fewer than 5
    TProbe Table;
    TMemoryStream Stream;
    PutBytes(Stream, Data);
    EXPECT_THROW(Table.LoadFromStream(&Stream), EReadError) << Length;
    EXPECT_EQ(Stream.GetPosition(), 16) << "nothing read after the length " << Length;
    EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{""}));
  }
}

// A damaged card list says where the data ended or lied and in which field, the same from
// memory and from a file, which the message also names.
TEST(OstrelStream, ReadErrorsGiveTheOffsetAndTheField) {
  struct TRow {
    TByteVector Data;
    std::int64_t Offset;
    const char* Problem;
  };
  auto Head = [](std::uint32_t TextLength) {
    TByteVector Data;
    for (const std::uint32_t V : {200u, 1u, 200u, TextLength}) Put32(Data, V);
    return Data;
  };
  TByteVector Lying = Head(1000);
  Lying.insert(Lying.end(), {'a', 'b', 'c', 'd'});
  const TRow Rows[] = {
      {TByteVector(WorkedExample.begin(), WorkedExample.begin() + 60), 60, "the data ends inside a card's text"},
      {TByteVector(WorkedExample.begin(), WorkedExample.begin() + 6), 6, "the data ends inside the card count"},
      {TByteVector(WorkedExample.begin(), WorkedExample.begin() + 49), 49, "the data ends inside a card's show-hint flag"},
      {Lying, 12, "a card's text of 1000 bytes is longer than the 4 bytes left"},
      {Head(0xFFFFFFFFu), 12, "a card's text has a negative length"},
  };
  const auto Path = std::filesystem::temp_directory_path() / ("ostrel-read-" + std::to_string(::getpid()) + ".cards");
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Problem);
    TProbe Table;
    try {
      Load(Table, Row.Data);
      ADD_FAILURE() << "read";
    } catch (const EOstrelReadError& E) {
      EXPECT_EQ(E.Message(), "Stream read error at byte offset " + std::to_string(Row.Offset) + ": " + Row.Problem);
    }
    std::ofstream(Path, std::ios::binary).write(reinterpret_cast<const char*>(Row.Data.data()),
                                                static_cast<std::streamsize>(Row.Data.size()));
    try {
      Table.LoadFromFile(Path.string());
      ADD_FAILURE() << "read";
    } catch (const EOstrelReadError& E) {
      EXPECT_EQ(E.Message(), "Stream read error in " + Path.string() + " at byte offset " + std::to_string(Row.Offset) +
                                 ": " + Row.Problem);
    }
  }
  std::filesystem::remove(Path);
}

// A pipe-like stream: it does not know its size and records how much it was asked for.
class TUnsizedStream : public TMemoryStream {
public:
  bool SizeKnown() const override { return false; }
  long Read(void* Buffer, long Count) override {
    LargestRead = std::max(LargestRead, Count);
    return TMemoryStream::Read(Buffer, Count);
  }
  long LargestRead = 0;
};

TEST(OstrelStream, AStreamOfUnknownSizeIsReadInBoundedPieces) {
  TByteVector Data = OneCardWithSubItemText("");
  Data.resize(12);
  Put32(Data, 0x7FFFFFF0u);  // claims nearly 2 GiB; ten bytes follow
  Data.insert(Data.end(), 10, 'x');
  TProbe Table;
  TUnsizedStream Stream;
  PutBytes(Stream, Data);
  EXPECT_THROW(Table.LoadFromStream(&Stream), EReadError);
  EXPECT_LE(Stream.LargestRead, 64 * 1024);

  // A long string that is really there arrives whole.
  const std::string Long(200 * 1024, 'q');
  TProbe Written;
  Written.GetItems()->Add(Long);
  TUnsizedStream Honest;
  Written.SaveToStream(&Honest);
  Honest.SetPosition(0);
  Table.LoadFromStream(&Honest);
  EXPECT_EQ(Table.GetItems()->GetFirstItem()->GetText(), Long);
}

TEST(OstrelStream, LoadingKeepsTheStoredOrderOrSortsOnceAtTheEnd) {
  TByteVector Data;
  {
    TProbe Source;
    AddCards(*Source.GetItems(), {"c", "a", "d", "b"});
    TMemoryStream Stream;
    Source.SaveToStream(&Stream);
    Data = Bytes(Stream);
  }
  TProbe Unsorted;
  Load(Unsorted, Data);
  EXPECT_EQ(Texts(*Unsorted.GetItems()), (TTexts{"c", "a", "d", "b"}));

  TProbe Sorted;
  Sorted.SetSorted(true);
  Sorted.SetCustomSort(true);
  bool SawUnreadCard = false;
  Sorted.SetOnSortItems([&](TObject*, TOstrelItem* A, TOstrelItem* B, int& R) {
    SawUnreadCard = SawUnreadCard || A->GetText().empty() || B->GetText().empty();
    R = CompareStr(A->GetText(), B->GetText());
  });
  const int Before = Sorted.Invalidates;
  Load(Sorted, Data);
  EXPECT_EQ(Texts(*Sorted.GetItems()), (TTexts{"a", "b", "c", "d"}));
  EXPECT_FALSE(SawUnreadCard);  // no sort while the cards were being read
  EXPECT_EQ(Sorted.Invalidates, Before + 1);
  EXPECT_EQ(Name(Sorted.GetItemFocused()), "c");
}

TEST(OstrelStream, BytesAfterTheLastCardAreLeftUnread) {
  TByteVector Data = WorkedExample;
  Data.insert(Data.end(), {1, 2, 3});
  TProbe Table;
  TMemoryStream Stream;
  PutBytes(Stream, Data);
  Table.LoadFromStream(&Stream);
  EXPECT_EQ(Stream.GetPosition(), 80);
}

// Takes Room bytes, then refuses.
class TFullStream : public TMemoryStream {
public:
  explicit TFullStream(long Room) : FRoom(Room) {}
  long Write(const void* Buffer, long Count) override {
    const long N = std::min(Count, FRoom);
    FRoom -= N;
    return N > 0 ? TMemoryStream::Write(Buffer, N) : 0;
  }

private:
  long FRoom;
};

TEST(OstrelStream, AWriteErrorPassesOnAndKeepsWhatWasWritten) {
  TProbe Table;
  FillWorkedExample(Table);
  TFullStream Stream(30);
  EXPECT_THROW(Table.SaveToStream(&Stream), EWriteError);
  EXPECT_EQ(Bytes(Stream), TByteVector(WorkedExample.begin(), WorkedExample.begin() + 30));
}

// ------------------------------------------------------------------ files

class OstrelFiles : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = std::filesystem::temp_directory_path() /
          ("ostrel-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }

  static TByteVector FileBytes(const std::filesystem::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    return TByteVector(std::istreambuf_iterator<char>(In), {});
  }
  static void WriteFile(const std::filesystem::path& Path, const TByteVector& Data) {
    std::ofstream Out(Path, std::ios::binary);
    Out.write(reinterpret_cast<const char*>(Data.data()), static_cast<std::streamsize>(Data.size()));
  }
  std::size_t EntriesInDir() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(Dir), {}));
  }

  std::filesystem::path Dir;
};

TEST_F(OstrelFiles, SavingOverALongerFileLeavesOnlyTheNewCards) {
  const auto Path = Dir / "contacts.cards";
  WriteFile(Path, TByteVector(500, 0xAB));
  TProbe Table;
  FillWorkedExample(Table);
  Table.SaveToFile(Path.string());
  EXPECT_EQ(FileBytes(Path), WorkedExample);
  EXPECT_EQ(EntriesInDir(), 1u);  // no temporary file is left behind

  TProbe Read;
  Read.LoadFromFile(Path.string());
  EXPECT_EQ(Texts(*Read.GetItems()), (TTexts{"Ann", "Bob"}));
  EXPECT_EQ(Read.GetItems()->GetItemFromIndex(1)->GetHint(), "Hi");
}

TEST_F(OstrelFiles, SavingThroughASymbolicLinkWritesTheFileItNamesAndKeepsTheLink) {
  std::filesystem::create_directory(Dir / "real");
  const auto Target = Dir / "real" / "contacts.cards";
  WriteFile(Target, TByteVector(500, 0xAB));
  const auto Link = Dir / "link.cards";
  std::filesystem::create_symlink(Target, Link);
  TProbe Table;
  FillWorkedExample(Table);
  Table.SaveToFile(Link.string());
  EXPECT_TRUE(std::filesystem::is_symlink(Link));
  EXPECT_EQ(FileBytes(Target), WorkedExample);
  EXPECT_EQ(EntriesInDir(), 2u);                  // the folder and the link, nothing left over
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir / "real"), {}), 1);
}

// A link that names no file yet keeps being a link: the file it names is created.
TEST_F(OstrelFiles, SavingThroughADanglingLinkCreatesTheFileItNames) {
  const auto Link = Dir / "link.cards";
  std::filesystem::create_symlink("new.cards", Link);
  TProbe Table;
  FillWorkedExample(Table);
  Table.SaveToFile(Link.string());
  EXPECT_TRUE(std::filesystem::is_symlink(Link));
  EXPECT_EQ(FileBytes(Dir / "new.cards"), WorkedExample);
  EXPECT_EQ(EntriesInDir(), 2u);
}

TEST_F(OstrelFiles, AMissingFileRaisesTheOpenErrorAndChangesNothing) {
  TProbe Table;
  AddCards(*Table.GetItems(), {"kept"});
  EXPECT_THROW(Table.LoadFromFile((Dir / "missing.cards").string()), EFOpenError);
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"kept"}));
}

TEST_F(OstrelFiles, AShortFileLoadsItsCompleteCardsAndRaises) {
  const auto Path = Dir / "short.cards";
  WriteFile(Path, TByteVector(WorkedExample.begin(), WorkedExample.begin() + 60));
  TProbe Table;
  EXPECT_THROW(Table.LoadFromFile(Path.string()), EReadError);
  EXPECT_EQ(Texts(*Table.GetItems()), (TTexts{"Ann", ""}));
}

TEST_F(OstrelFiles, AFileThatCannotBeCreatedLeavesTheOldOneAsItWas) {
  TProbe Table;
  FillWorkedExample(Table);
  EXPECT_THROW(Table.SaveToFile((Dir / "no-such-dir" / "x.cards").string()), EFCreateError);

  // The new content is written beside the target first, in a folder that takes no new
  // file here. Root may write anywhere, so as root the save runs in a child that gave up root.
  const auto Folder = Dir / "locked";
  std::filesystem::create_directory(Folder);
  const auto Path = Folder / "contacts.cards";
  const TByteVector Old(100, 0x11);
  WriteFile(Path, Old);
  ::chmod(Dir.c_str(), 0755);
  ::chmod(Folder.c_str(), 0555);
  ::chmod(Path.c_str(), 0666);
  const auto Message = testsupport::WithoutRoot([&] {
    try {
      Table.SaveToFile(Path.string());
    } catch (const EFCreateError& E) {
      return E.Message();
    }
    return std::string("nothing raised");
  });
  ::chmod(Folder.c_str(), 0755);
  ASSERT_TRUE(Message);
  // The file the caller named, and why.
  EXPECT_EQ(Message->rfind("Cannot create file " + Path.string() + ": ", 0), 0u) << *Message;
  EXPECT_NE(Message->find("cannot be written"), std::string::npos) << *Message;
  EXPECT_EQ(FileBytes(Path), Old);
}

TEST_F(OstrelFiles, AFailedReplaceRemovesTheNewFile) {
  const auto Path = Dir / "taken";
  std::filesystem::create_directory(Path);
  std::filesystem::create_directory(Path / "inside");  // a folder that is not empty is not replaced
  TProbe Table;
  FillWorkedExample(Table);
  EXPECT_THROW(Table.SaveToFile(Path.string()), EFCreateError);
  EXPECT_EQ(EntriesInDir(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(Path / "inside"));
}

}  // namespace
}  // namespace ostrel_test
