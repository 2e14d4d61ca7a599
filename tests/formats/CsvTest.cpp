// CSV both ways: RFC 4180 quoting, the shapes of spreadsheet and mail exports, and the
// errors of broken files.

#include <gtest/gtest.h>

#include <algorithm>

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
      {"Bob", {"Phone=3", "Mail=b@c"}},
  };
  EXPECT_EQ(cards::CsvOf(Cards),
            "Name,Phone,Phone,Note,,Mail,Ostrel line order\r\n"
            "\"Doe, Ann\",1,2,\"say \"\"hi\"\"\",met at the fair,,2 4 3 5\r\n"
            "Bob,3,,,,b@c,\r\n");
}

// The order of a card's lines, lines with an empty value and cards with
// nothing in them all come back; the line-order cell is written only where column order
// would not give the card back.
TEST(CsvWrite, KeepsLineOrderEmptyValuesAndEmptyCards) {
  const std::vector<TContactCard> Cards = {
      {"Ann", {"Mail=a@b", "Phone=1", "=starts with equals", "Street=Main St, 1", "Phone=2", "Phone=", "Note="}},
      {"Bo \"B\" Ek", {"Note=line", "Name=not the caption"}},
      {"", {"Phone=3"}},
      {"", {}},
      {"Line\r\nbreaks", {}},
      {"", {""}},
      {"Cy", {"Mail=c@d", "Phone=4"}},
  };
  const std::string Text = cards::CsvOf(Cards);
  EXPECT_EQ(cards::ReadCsv(Text), Cards) << Text;
  EXPECT_EQ(cards::CsvOf(cards::ReadCsv(Text)), Text);
  EXPECT_NE(Text.find("\r\n,,,,,,,,,-\r\n"), std::string::npos) << "an empty card: " << Text;
  EXPECT_NE(Text.find("\r\nCy,c@d,4,,,,,,,\r\n"), std::string::npos) << "column order needs no cell: " << Text;
}

// Lines of more names than MaxLineColumns, more lines of one name than it has columns and
// names too long for a header all have a place, and come back in order.
TEST(CsvWrite, BoundsItsColumnsAndKeepsEveryLine) {
  TContactCard Many{"Many", {}};
  for (int I = 0; I < 300; ++I) Many.Lines.push_back("Name" + std::to_string(I) + "=" + std::to_string(I));
  for (int I = 0; I < 3; ++I) Many.Lines.push_back("Name7=again " + std::to_string(I));
  Many.Lines.push_back(std::string(cards::MaxNameBytes + 1, 'n') + "=long name");
  Many.Lines.push_back("no name");
  const std::vector<TContactCard> Cards = {Many, {"Few", {"Name299=x", "Name0=y"}}};
  const std::string Text = cards::CsvOf(Cards);
  const std::string Header = Text.substr(0, Text.find("\r\n"));
  EXPECT_EQ(std::count(Header.begin(), Header.end(), ','), static_cast<long>(cards::MaxLineColumns) + 2) << Header;
  EXPECT_EQ(cards::ReadCsv(Text), Cards);
}

// Cells a spreadsheet would take for a formula get an apostrophe; phone
// numbers stay as they are; the reader takes the apostrophe off again.
TEST(CsvWrite, NeutralisesFormulasAndReadsThemBackExactly) {
  const std::vector<TContactCard> Cards = {
      {"=HYPERLINK(\"http://x\")", {"Phone=+39 06 123 4567", "Phone=-", "Note=+SUM(A1:A9)", "Note=-2+3",
                                   "Note=@cmd", "Note=\tTab", "Note='=quoted already", "Note='plain", "=x=1"}},
  };
  const std::string Text = cards::CsvOf(Cards);
  EXPECT_NE(Text.find("\"'=HYPERLINK(\"\"http://x\"\")\""), std::string::npos) << Text;
  EXPECT_NE(Text.find(",+39 06 123 4567,-,"), std::string::npos) << "phone numbers stay: " << Text;
  EXPECT_NE(Text.find("'+SUM(A1:A9)"), std::string::npos) << Text;
  EXPECT_NE(Text.find(",-2+3,"), std::string::npos) << "digits and signs only: " << Text;
  EXPECT_NE(Text.find("'@cmd"), std::string::npos) << Text;
  EXPECT_NE(Text.find("\"'\tTab\""), std::string::npos) << Text;
  EXPECT_NE(Text.find("''=quoted already"), std::string::npos) << Text;
  EXPECT_NE(Text.find(",'plain,"), std::string::npos) << Text;
  EXPECT_NE(Text.find(",'=x=1,"), std::string::npos) << "a line without a name is a cell too: " << Text;
  for (std::size_t Start = 0; Start < Text.size();) {
    const std::size_t End = Text.find_first_of(",\r\n", Start);
    const std::string Cell = Text.substr(Start, End - Start);
    const char First = Cell.starts_with('"') ? Cell[1] : Cell[0];
    const bool Phone = Cell.find_first_not_of("0123456789 +-()/.") == std::string::npos;
    EXPECT_TRUE(Phone || std::string_view("=+-@\t").find(First) == std::string_view::npos) << Cell;
    Start = End == std::string::npos ? Text.size() : End + 1;
  }
  EXPECT_EQ(cards::ReadCsv(Text), Cards);
  // Other programs' neutralised cells read the same way.
  EXPECT_EQ(cards::ReadCsv("Name,Note\r\n'=1+1,'@x\r\n"), (std::vector<TContactCard>{{"=1+1", {"Note=@x"}}}));
}

// A header cell is copied into the line of every row it names; a long
// one is cut, once, with a warning, so that 1 MiB over 1,000 rows is not 1 GB.
TEST(CsvHostile, LongColumnNameIsCutWithAWarning) {
  std::string Text = "Name," + std::string(1 << 20, 'h') + "é\r\n";
  for (int I = 0; I < 1000; ++I) Text += "N" + std::to_string(I) + "," + std::to_string(I) + "\r\n";
  cards::TReadReport Report;
  const std::vector<TContactCard> Cards = cards::ReadCsv(Text, &Report);
  ASSERT_EQ(Cards.size(), 1000u);
  EXPECT_EQ(Cards[999], (TContactCard{"N999", {std::string(cards::MaxNameBytes, 'h') + "=999"}}));
  EXPECT_EQ(Report.Warnings,
            (std::vector<std::string>{"line 1: the name of column 2 (1048578 bytes) is cut to its first 256 in the lines it names"}));
}

// Per cell, UTF-8 stays and other bytes are Windows-1252; a
// zero byte becomes U+FFFD; UTF-16 files are converted.
TEST(CsvHostile, CellsAreTextWhateverTheEncoding) {
  cards::TReadReport Report;
  EXPECT_EQ(cards::ReadCsv(std::string("Name,City,Note\r\nM\xFCller,K\xC3\xB6ln,a\0b\r\n", 34), &Report),
            (std::vector<TContactCard>{{"Müller", {"City=Köln", "Note=a\xEF\xBF\xBD" "b"}}}));
  EXPECT_EQ(Report.Warnings, (std::vector<std::string>{"line 2: bytes that are not UTF-8 read as Windows-1252 characters",
                                                       "line 2: a zero byte, which a card cannot keep, is shown as U+FFFD"}));
  const std::string Ascii = "Name;Phone\r\nAnn;1\r\n";
  for (const bool BigEndian : {false, true}) {
    std::string Wide = BigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char C : Ascii) Wide += BigEndian ? std::string{'\0', C} : std::string{C, '\0'};
    EXPECT_EQ(cards::ReadCsv(Wide), (std::vector<TContactCard>{{"Ann", {"Phone=1"}}})) << BigEndian;
  }
}

TEST(CsvHostile, LineOrderThatDoesNotFitIsReported) {
  cards::TReadReport Report;
  const std::string Header = "Name,Phone,Mail,Ostrel line order\r\n";
  EXPECT_EQ(cards::ReadCsv(Header + "Ann,1,a@b,3 9\r\nBo,2,,3\r\nCy,,,-\r\nDi,,,\r\n", &Report),
            (std::vector<TContactCard>{{"Ann", {"Phone=1", "Mail=a@b"}}, {"Bo", {"Phone=2"}}, {"Cy", {}}, {"Di", {}}}));
  EXPECT_EQ(Report.Warnings.size(), 2u);
  EXPECT_EQ(Report.Warnings[0], "line 2: the line order \"3 9\" does not fit the record; lines in column order");
}

TEST(CsvHostile, EndlessOrHugeInputStopsWithAClearError) {
  const std::string Zeros("Name\0\0\0", 7);
  try {
    cards::ReadCsv(Zeros);
    ADD_FAILURE() << "zeros read";
  } catch (const cards::EFormatError& E) {
    EXPECT_STREQ(E.what(), "not a CSV file: a zero byte in its header line");
  }
  const std::string Huge = "Name,Note\r\nAnn,\"" + std::string(cards::MaxCardBytes, 'x') + "\"\r\n";
  try {
    cards::ReadCsv(Huge);
    ADD_FAILURE() << "a record beyond the limit read";
  } catch (const cards::EFormatError& E) {
    EXPECT_STREQ(E.what(), "line 2: a record of more than 64 MiB; no address book has one");
  }
}

}  // namespace
