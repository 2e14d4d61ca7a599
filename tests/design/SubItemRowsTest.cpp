// The conversion between a card's sub-items and the rows of the items editor's list.

#include <gtest/gtest.h>

#include "Ostrel.h"
#include "OstrelSubItemRows.h"

using namespace ostrel;
using vcl::AnsiString;

namespace {

struct TRowCase {
  const char* SubItem;
  const char* Caption;
  std::optional<AnsiString> Value;
};

const TRowCase RowCases[] = {
    {"Phone=123", "Phone", AnsiString("123")},
    {"Note", "Note", std::nullopt},
    {"=x", "=x", std::nullopt},
    {"Fax=", "Fax", AnsiString("")},
    {"", "", std::nullopt},
    {"=", "=", std::nullopt},
    {"a=b=c", "a", AnsiString("b=c")},
    {"Mail= x@y ", "Mail", AnsiString(" x@y ")},
    {"Город=Москва", "Город", AnsiString("Москва")},
};

class SubItemRowTest : public testing::TestWithParam<TRowCase> {};

TEST_P(SubItemRowTest, ShowsTheLineAsItsRowAndWritesItBackUnchanged) {
  const TRowCase& Case = GetParam();
  const TSubItemRow Row = SubItemToRow(Case.SubItem);
  EXPECT_EQ(Row.Caption, Case.Caption);
  EXPECT_EQ(Row.Value, Case.Value);
  EXPECT_EQ(RowToSubItem(Row), Case.SubItem);
}

// The row has a value cell exactly when the card calls the line a name and value pair.
TEST_P(SubItemRowTest, HasAValueCellExactlyForNamedLines) {
  TOstrelItem Card(nullptr);
  Card.GetSubItems()->Add(GetParam().SubItem);
  EXPECT_EQ(SubItemToRow(GetParam().SubItem).Value.has_value(), Card.IsSubItemNameAndValue(0));
}

INSTANTIATE_TEST_SUITE_P(Lines, SubItemRowTest, testing::ValuesIn(RowCases));

struct TWriteCase {
  TSubItemRow Row;
  const char* SubItem;
};

// Rows the dialog makes by editing: a name without a value cell is a plain line, a row whose
// caption was emptied keeps its value behind a leading "=".
const TWriteCase WriteCases[] = {
    {{"Phone", std::nullopt}, "Phone"},
    {{"Phone", AnsiString("")}, "Phone="},
    {{"", AnsiString("5")}, "=5"},
    {{"New SubItem", AnsiString("New Value")}, "New SubItem=New Value"},
};

class RowWriteTest : public testing::TestWithParam<TWriteCase> {};

TEST_P(RowWriteTest, WritesCaptionAndValueCell) { EXPECT_EQ(RowToSubItem(GetParam().Row), GetParam().SubItem); }

INSTANTIATE_TEST_SUITE_P(EditedRows, RowWriteTest, testing::ValuesIn(WriteCases));

}  // namespace
