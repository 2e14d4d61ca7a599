#pragma once
// Contacts as CSV with a header line (RFC 4180: fields with commas, quotes or line breaks in
// double quotes, "" for a quote, CRLF between records).
//
// The writer's first column, "Name", is the caption; every other column is named after the
// card lines it holds ("Phone", "Mail (work)"), in the order the names first appear,
// repeated as often as the card with most such lines needs, and an unnamed column holds
// whole lines: lines without a name, lines whose name is longer than MaxNameBytes, and
// lines of names beyond the first MaxLineColumns columns. A line that finds no column of
// its own goes into the last column of its name, or of the unnamed ones, as a further line
// of that cell. The last column, "Ostrel line order", keeps what columns cannot: for a card
// whose lines would not come back in column order, or that has a line with an empty value,
// or nothing at all, it lists the (1-based) numbers of the columns that hold its lines, in
// the card's order ("3 2 2": a line of column 3, then two of column 2's cell), or "-" for a
// card without lines; for the other cards it is empty. So every card comes back exactly as
// it went: its caption, every line and their order.
//
// A cell that a spreadsheet would take for a formula (one starting with "=", "+", "-", "@",
// a tab or a CR, after any apostrophes) is written with an apostrophe before it, unless it
// is a phone number (only digits, spaces and + - ( ) / .). The reader takes one apostrophe
// off such a cell, so that the trip back is exact.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ByteSource.h"
#include "ContactCards.h"

namespace cards {

// Named columns a CSV file gets at most, beside Name, the unnamed and the line order.
constexpr std::size_t MaxLineColumns = 256;

// The cards of CSV text, handed to Each a card at a time. With our line-order column (the
// last one, after a first column "Name"), cards come back as the writer describes. In
// other files the caption comes from a column called Name, Full Name, Display Name or FN,
// else from First/Given, Middle and Last/Family name columns, else from the first column,
// its line breaks joined by ", "; each other non-empty cell becomes "Header=Value" (a cell
// with line breaks, one line per non-empty line), and records with nothing in them are
// passed over. A UTF-8 byte-order mark is skipped and UTF-16 converted; a cell that is not
// UTF-8 has its other bytes read as Windows-1252; the separator is the comma, or the
// semicolon or tab when the header has more of those.
// Warnings: a column name longer than MaxNameBytes is cut to that (at a character's start)
// in the lines it names; a zero byte becomes U+FFFD; bytes read as Windows-1252; a line
// order that does not fit its record (the lines then come in column order).
// EFormatError for a quoted field that never closes, a record with more non-empty fields
// than the header has names, a record of more than MaxCardBytes, a zero byte in the header
// line ("not a CSV file") and UTF-32.
void ReadCsv(TByteSource& Source, const TContactSink& Each, TReadReport& Report);
// The same for a whole text, the cards in a list (tests and small texts).
std::vector<TContactCard> ReadCsv(std::string_view Text, TReadReport* Report = nullptr);

// The writer in two passes over the same cards: each goes through Add, then Finish, then
// Header and RowOf for each card in the same order. It keeps only the names and their
// counts, never the cards.
class TCsvLayout {
public:
  void Add(const TContactCard& Contact);
  void Finish();
  std::string Header() const;  // with its CRLF
  std::string RowOf(const TContactCard& Contact) const;

private:
  struct TName {
    std::string Text;
    std::size_t Width = 0;  // the most lines of this name in one card
    std::size_t First = 0;  // its first column, once finished
    std::size_t Columns = 0;
  };
  std::vector<TName> FNames;  // in the order they first appear
  std::unordered_map<std::string, std::size_t> FIndex;
  std::vector<std::string> FHeader;
  std::size_t FWhole = 0;  // the column of whole lines beyond the others; 0 when none
};

// The contacts as CSV, header first.
std::string CsvOf(const std::vector<TContactCard>& Contacts);

}  // namespace cards
