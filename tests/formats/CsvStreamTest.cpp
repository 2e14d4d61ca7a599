// The CSV reader a card at a time: records that cross the reader's blocks come out the
// same however the bytes arrive, and a bad record midway stops it after the cards before.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Csv.h"

namespace {

using cards::TContactCard;

// Bytes Step at a time, so that every field and quote crosses a read.
class TChoppedSource final : public cards::TByteSource {
public:
  TChoppedSource(std::string_view Text, std::size_t Step) : FText(Text), FStep(Step) {}
  std::size_t Read(char* Into, std::size_t Size) override {
    const std::size_t Count = std::min({Size, FStep, FText.size()});
    std::memcpy(Into, FText.data(), Count);
    FText.remove_prefix(Count);
    return Count;
  }

private:
  std::string_view FText;
  std::size_t FStep;
};

struct TStreamed {
  std::vector<TContactCard> Cards;
  std::string Error;
};

TStreamed ReadChopped(const std::string& Text, std::size_t Step) {
  TStreamed Result;
  TChoppedSource Source(Text, Step);
  cards::TReadReport Report;
  try {
    cards::ReadCsv(Source, [&](TContactCard& Card) { Result.Cards.push_back(std::move(Card)); }, Report);
  } catch (const cards::EFormatError& E) {
    Result.Error = E.what();
  }
  return Result;
}

// A quoted cell of separators, quotes and line breaks longer than a read block, between
// plain records.
std::string LongRecordFile() {
  std::string Note;
  for (int I = 0; Note.size() < 200000; ++I) Note += "part " + std::to_string(I) + ", \"\"q\"\";\r\n";
  return "Name,Note,Phone\r\nAnn,plain,1\r\n\"Long, Bob\",\"" + Note + "\",2\r\nCy,,3\r\n";
}

TEST(CsvStream, RecordsAcrossReadsComeOutTheSameHoweverTheBytesArrive) {
  const std::string Text = LongRecordFile();
  const std::vector<TContactCard> Whole = cards::ReadCsv(Text);
  ASSERT_EQ(Whole.size(), 3u);
  EXPECT_EQ(Whole[1].Caption, "Long, Bob");
  EXPECT_EQ(Whole[1].Lines.front(), "Note=part 0, \"q\";");
  EXPECT_EQ(Whole[1].Lines.back(), "Phone=2");
  EXPECT_EQ(Whole[2], (TContactCard{"Cy", {"Phone=3"}}));
  for (const std::size_t Step : {1u, 7u, 65536u, 1u << 20}) {
    SCOPED_TRACE(Step);
    const TStreamed Chopped = ReadChopped(Text, Step);
    EXPECT_EQ(Chopped.Error, "");
    EXPECT_EQ(Chopped.Cards, Whole);
  }
}

TEST(CsvStream, BadRecordMidwayStopsAfterTheCardsBeforeItNamingItsLine) {
  // The line breaks inside the long quoted cell count: the bad record's line is the one
  // a text editor shows.
  std::string Text = LongRecordFile();
  const auto Lines = static_cast<long>(std::count(Text.begin(), Text.end(), '\n'));
  Text += "Dee,4,5,6\r\nEve,,7\r\n";
  for (const std::size_t Step : {3u, 65536u}) {
    SCOPED_TRACE(Step);
    const TStreamed Result = ReadChopped(Text, Step);
    EXPECT_EQ(Result.Error, "line " + std::to_string(Lines + 1) + " has more fields than the header has names (3)");
    ASSERT_EQ(Result.Cards.size(), 3u) << "the cards before the bad record came, none after it";
    EXPECT_EQ(Result.Cards[2].Caption, "Cy");
  }
  const TStreamed Unclosed = ReadChopped("Name,Phone\r\nAnn,1\r\nBob,\"2\r\n", 5);
  EXPECT_EQ(Unclosed.Error, "line 3: a quoted field is not closed");
  EXPECT_EQ(Unclosed.Cards, (std::vector<TContactCard>{{"Ann", {"Phone=1"}}}));
}

}  // namespace
