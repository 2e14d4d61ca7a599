#pragma once
// Contacts as CSV with a header line (RFC 4180: fields with commas, quotes or line breaks in
// double quotes, "" for a quote, CRLF between records). The writer's first column, "Name",
// is the caption; every other column is named after the card lines it holds ("Phone",
// "Mail (work)"), repeated as often as the card with most such lines needs, and an unnamed
// column holds lines without a name. Line order within a card follows the columns, and
// lines with an empty value are left out, as is a card with no caption and no lines (a
// blank record to any reader): the rest comes back as it went.

#include <string>
#include <string_view>
#include <vector>

#include "ContactCards.h"

namespace cards {

// The cards of CSV text. The caption comes from a column called Name, Full Name, Display
// Name or FN, else from First/Given, Middle and Last/Family name columns, else from the
// first column; each other non-empty cell becomes "Header=Value" (a cell with line breaks,
// one line per line). A byte-order mark is skipped; the separator is the comma, or the
// semicolon or tab when the header has more of those. EFormatError for a quoted field that
// never closes or a record with more non-empty fields than the header has names.
std::vector<TContactCard> ReadCsv(std::string_view Text);

// The contacts as CSV, header first.
std::string CsvOf(const std::vector<TContactCard>& Contacts);

}  // namespace cards
