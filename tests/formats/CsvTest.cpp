// CSV both ways: RFC 4180 quoting, the shapes of spreadsheet and mail exports, and the
// errors of broken files.

#include <gtest/gtest.h>

#include "Csv.h"

namespace {

using cards::TContactCard;

struct TCsvCase {
  const char* What;
  std::string Text;
  std::vector<TContactCard> Expected;
};

class CsvRead : public testing::TestWithParam<TCsvCase> {};

TEST_P(CsvRead, GivesTheCards) { EXPECT_EQ(cards::ReadCsv(GetParam().Text), GetParam().Expected) << GetParam().What; }

INSTANTIATE_TEST_SUITE_P(
    Shapes, CsvRead,
    testing::Values(
        TCsvCase{"quotes, doubled quotes, separators and line breaks inside quotes",
                 "Name,Phone,Note\r\n\"Doe, Ann\",\"1\",\"She said \"\"hi\"\"\r\nand left\"\r\nBob,2,\r\n",
                 {{"Doe, Ann", {"Phone=1", "Note=She said \"hi\"", "Note=and left"}}, {"Bob", {"Phone=2"}}}},
        TCsvCase{"a byte-order mark, LF line ends, no line end at the end, blank records",
                 "\xEF\xBB\xBFName,Mail\n\nAnn,a@b\n,\nBob,b@c", {{"Ann", {"Mail=a@b"}}, {"Bob", {"Mail=b@c"}}}},
        TCsvCase{"semicolons from a spreadsheet set to a European locale",
                 "Name;City;Phone\r\nAnn;Köln;+49 1,5\r\n", {{"Ann", {"City=Köln", "Phone=+49 1,5"}}}},
        TCsvCase{"tabs", "Name\tPhone\nAnn\t1\n", {{"Ann", {"Phone=1"}}}},
        TCsvCase{"caption from given, middle and family name columns",
                 "First Name,Middle Name,Last Name,E-mail Address\r\nAnn,B.,Doe,a@b\r\n,,Solo,\r\n",
                 {{"Ann B. Doe", {"First Name=Ann", "Middle Name=B.", "Last Name=Doe", "E-mail Address=a@b"}},
                  {"Solo", {"Last Name=Solo"}}}},
        TCsvCase{"caption from Display Name, in any case, wherever the column is",
                 "phone,DISPLAY NAME\r\n1,Ann\r\n", {{"Ann", {"phone=1"}}}},
        TCsvCase{"caption from the first column when no column names one",
                 "Who,Phone\r\nAnn,1\r\n", {{"Ann", {"Phone=1"}}}},
        TCsvCase{"repeated columns and the unnamed column",
                 "Name,Phone (cell),Phone (cell),\r\nAnn,1,2,met at the fair\r\n",
                 {{"Ann", {"Phone (cell)=1", "Phone (cell)=2", "met at the fair"}}}},
        TCsvCase{"a stray quote inside a field and spaces around fields stay",
                 "Name,Nick\r\nAnn, 5\" tall \r\n", {{"Ann", {"Nick= 5\" tall "}}}},
        TCsvCase{"a record with only line breaks in the name is as blank as an empty one",
                 "Name,Phone\r\n\"\r\n\",\r\nAnn,1\r\n", {{"Ann", {"Phone=1"}}}},
        TCsvCase{"short records and empty trailing fields",
                 "Name,Phone,Mail\r\nAnn\r\nBob,,\r\n", {{"Ann", {}}, {"Bob", {}}}}),
    [](const testing::TestParamInfo<TCsvCase>& Info) { return "Case" + std::to_string(Info.index); });

TEST(CsvErrors, SayWhatAndOnWhichLine) {
  const std::pair<const char*, const char*> Cases[] = {
      {"Name,Note\r\nAnn,\"open\r\nstill open\r\n", "line 2: a quoted field is not closed"},
      {"Name,Phone\r\nAnn,1\r\n\"Bob\nB\",2,3\r\n", "line 3 has more fields than the header has names (2)"},
  };
  for (const auto& [Text, Message] : Cases) {
    try {
      cards::ReadCsv(Text);
      ADD_FAILURE() << "no error for " << Text;
    } catch (const cards::EFormatError& E) {
      EXPECT_STREQ(E.what(), Message);
    }
  }
  EXPECT_TRUE(cards::ReadCsv("").empty());
  EXPECT_TRUE(cards::ReadCsv("Name,Phone\r\n").empty());
}

TEST(CsvWrite, QuotesWhatNeedsItAndGivesEachNameItsColumns) {
  const std::vector<TContactCard> Cards = {
      {"Doe, Ann", {"Phone=1", "Note=say \"hi\"", "Phone=2", "met at the fair"}},
      {"Bob", {"Mail=b@c", "Phone=3"}},
  };
  EXPECT_EQ(cards::CsvOf(Cards),
            "Name,Phone,Phone,Note,,Mail\r\n"
            "\"Doe, Ann\",1,2,\"say \"\"hi\"\"\",met at the fair,\r\n"
            "Bob,3,,,,b@c\r\n");
}

TEST(CsvWrite, ReadsBackToTheSameCardsWithLinesInColumnOrder) {
  const std::vector<TContactCard> Cards = {
      {"Ann", {"Mail=a@b", "Phone=1", "=starts with equals", "Street=Main St, 1", "Phone=2"}},
      {"Bo \"B\" Ek", {"Note=line", "Name=not the caption"}},
      {"", {"Phone=3"}},
  };
  const std::vector<TContactCard> Expected = {
      {"Ann", {"Mail=a@b", "Phone=1", "Phone=2", "=starts with equals", "Street=Main St, 1"}},
      {"Bo \"B\" Ek", {"Note=line", "Name=not the caption"}},
      {"", {"Phone=3"}},
  };
  const std::vector<TContactCard> Read = cards::ReadCsv(cards::CsvOf(Cards));
  EXPECT_EQ(Read, Expected);
  EXPECT_EQ(cards::CsvOf(Read), cards::CsvOf(Cards));
}

// A card with nothing in it would be a blank line that the next reading passes over, so the
// text would change on every trip; it is left out at once.
TEST(CsvWrite, LeavesOutACardWithNothingInIt) {
  EXPECT_EQ(cards::CsvOf({{"", {}}, {"Bo", {}}, {"", {}}}), "Name\r\nBo\r\n");
  const std::string Once = cards::CsvOf(cards::ReadCsv("Middle Name,)Full Name\r\"\n\""));
  EXPECT_EQ(cards::CsvOf(cards::ReadCsv(Once)), Once);
}

}  // namespace
