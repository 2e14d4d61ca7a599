#include <algorithm>
#include <optional>
#include <string>

#include "Csv.h"
#include "LineBreaks.h"

namespace cards {

namespace {

struct TRecord {
  std::vector<std::string> Fields;
  int Line = 0;  // where the record starts, 1-based
};

class TCsvParser {
public:
  TCsvParser(std::string_view Text, char Separator) : FText(Text), FSeparator(Separator) {}

  std::optional<TRecord> Next() {
    if (FPos >= FText.size()) return std::nullopt;
    TRecord Record{{std::string()}, FLine};
    bool Quoted = false;
    bool WasQuoted = false;  // the field began with a quote
    while (FPos < FText.size()) {
      const char C = FText[FPos++];
      CountLine(C);
      if (Quoted) {
        if (C != '"') {
          Record.Fields.back() += C;
        } else if (FPos < FText.size() && FText[FPos] == '"') {
          Record.Fields.back() += '"';
          ++FPos;
        } else {
          Quoted = false;
        }
      } else if (C == FSeparator) {
        Record.Fields.emplace_back();
        WasQuoted = false;
      } else if (C == '\r' || C == '\n') {
        if (C == '\r' && FPos < FText.size() && FText[FPos] == '\n') CountLine(FText[FPos++]);
        return Record;
      } else if (C == '"' && Record.Fields.back().empty() && !WasQuoted) {
        Quoted = WasQuoted = true;
      } else {
        Record.Fields.back() += C;  // a stray quote inside an unquoted field is kept
      }
    }
    if (Quoted) throw EFormatError("line " + std::to_string(Record.Line) + ": a quoted field is not closed");
    return Record;
  }

private:
  // LF, and a CR that no LF follows, end a line.
  void CountLine(char C) {
    if (C == '\n' || (C == '\r' && (FPos >= FText.size() || FText[FPos] != '\n'))) ++FLine;
  }

  std::string_view FText;
  char FSeparator;
  std::size_t FPos = 0;
  int FLine = 1;
};

// The one of comma, semicolon and tab that the header line has most of, outside quotes.
char SeparatorOf(std::string_view Text) {
  int Counts[3] = {0, 0, 0};
  bool Quoted = false;
  for (char C : Text) {
    if (C == '"') Quoted = !Quoted;
    if (Quoted) continue;
    if (C == '\r' || C == '\n') break;
    if (C == ',') ++Counts[0];
    if (C == ';') ++Counts[1];
    if (C == '\t') ++Counts[2];
  }
  if (Counts[1] > Counts[0] && Counts[1] >= Counts[2]) return ';';
  if (Counts[2] > Counts[0] && Counts[2] > Counts[1]) return '\t';
  return ',';
}

std::string Folded(const std::string& Header) {
  std::string Out;
  for (char C : Header) Out += C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
  while (!Out.empty() && Out.back() == ' ') Out.pop_back();
  while (!Out.empty() && Out.front() == ' ') Out.erase(0, 1);
  return Out;
}

int ColumnOf(const std::vector<std::string>& Header, std::initializer_list<const char*> Names) {
  for (std::size_t I = 0; I < Header.size(); ++I)
    for (const char* Name : Names)
      if (Folded(Header[I]) == Name) return static_cast<int>(I);
  return -1;
}

struct TColumns {
  int Caption = -1;  // the column that is the caption, or -1 when the parts make it
  int Parts[3] = {-1, -1, -1};  // given, middle and family name
};

TColumns ColumnsOf(const std::vector<std::string>& Header) {
  TColumns Columns;
  Columns.Caption = ColumnOf(Header, {"name", "full name", "display name", "fn"});
  if (Columns.Caption >= 0) return Columns;
  Columns.Parts[0] = ColumnOf(Header, {"first name", "given name"});
  Columns.Parts[1] = ColumnOf(Header, {"middle name", "additional name"});
  Columns.Parts[2] = ColumnOf(Header, {"last name", "family name"});
  if (std::all_of(std::begin(Columns.Parts), std::end(Columns.Parts), [](int Column) { return Column < 0; }))
    Columns.Caption = 0;
  return Columns;
}

TContactCard CardOf(const TRecord& Record, const std::vector<std::string>& Header, const TColumns& Columns) {
  auto Field = [&](int Column) {
    return Column >= 0 && static_cast<std::size_t>(Column) < Record.Fields.size() ? Record.Fields[static_cast<std::size_t>(Column)] : std::string();
  };
  TContactCard Card;
  // A caption is one line: the lines of a cell are joined; empty lines count for nothing,
  // here and below, since a card line with an empty value is not written back.
  auto Join = [](const std::string& Text, const char* Separator, std::string& Into) {
    for (const std::string& Piece : SplitBreaks(Text))
      if (!Piece.empty()) Into += (Into.empty() ? "" : Separator) + Piece;
  };
  if (Columns.Caption >= 0) {
    Join(Field(Columns.Caption), ", ", Card.Caption);
  } else {
    for (int Part : Columns.Parts) Join(Field(Part), " ", Card.Caption);
  }
  for (std::size_t I = 0; I < Record.Fields.size(); ++I) {
    if (static_cast<int>(I) == Columns.Caption || Record.Fields[I].empty()) continue;
    if (I >= Header.size())
      throw EFormatError("line " + std::to_string(Record.Line) + " has more fields than the header has names (" +
                         std::to_string(Header.size()) + ")");
    for (const std::string& Piece : SplitBreaks(Record.Fields[I]))
      if (!Piece.empty()) Card.Lines.push_back(Header[I].empty() ? Piece : Header[I] + "=" + Piece);
  }
  return Card;
}

}  // namespace

std::vector<TContactCard> ReadCsv(std::string_view Text) {
  if (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
  TCsvParser Parser(Text, SeparatorOf(Text));
  std::vector<TContactCard> Cards;
  const std::optional<TRecord> Header = Parser.Next();
  if (!Header) return Cards;
  const TColumns Columns = ColumnsOf(Header->Fields);
  while (const std::optional<TRecord> Record = Parser.Next()) {
    const bool Blank = std::all_of(Record->Fields.begin(), Record->Fields.end(), [](const std::string& F) { return F.empty(); });
    if (Blank) continue;
    // A record with nothing the card keeps (only line breaks in the name, say) is as blank.
    TContactCard Card = CardOf(*Record, Header->Fields, Columns);
    if (!Card.Caption.empty() || !Card.Lines.empty()) Cards.push_back(std::move(Card));
  }
  return Cards;
}

}  // namespace cards
