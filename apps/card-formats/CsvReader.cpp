#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "Csv.h"
#include "CsvCells.h"
#include "LineBreaks.h"
#include "TextEncoding.h"

namespace cards {

namespace {

// The fields of a record in one string: a field costs its bytes and one end, however many
// empty ones a line of separators makes.
struct TFields {
  std::string Bytes;
  std::vector<std::uint32_t> Ends;  // where each field ends in Bytes
  std::size_t Count() const { return Ends.size(); }
  std::string_view Field(std::size_t I) const {
    const std::uint32_t Start = I == 0 ? 0 : Ends[I - 1];
    return std::string_view(Bytes).substr(Start, Ends[I] - Start);
  }
  void Clear() {
    Bytes.clear();
    Ends.clear();
  }
  void Add(std::string_view Field) {
    Bytes.append(Field);
    Ends.push_back(static_cast<std::uint32_t>(Bytes.size()));
  }
};

struct TRecord {
  TFields Fields;
  std::int64_t Line = 0;  // where the record starts, 1-based
};

std::string TooLarge(std::int64_t Line) {
  return "line " + std::to_string(Line) + ": a record of more than " + std::to_string(MaxCardBytes >> 20) +
         " MiB; no address book has one";
}

class TCsvParser {
public:
  TCsvParser(TByteReader& In, char Separator) : FIn(In), FSeparator(Separator) {}

  bool Next(TRecord& Record) {
    if (FIn.Peek() < 0) return false;
    Record.Fields.Clear();
    Record.Line = FLine;
    std::string& Bytes = Record.Fields.Bytes;
    std::vector<std::uint32_t>& Ends = Record.Fields.Ends;
    bool Quoted = false;
    bool WasQuoted = false;  // the field began with a quote
    for (int C = Get(); C >= 0; C = Get()) {
      const std::size_t FieldStart = Ends.empty() ? 0 : Ends.back();
      if (C != '"' && C != FSeparator && C != '\r' && C != '\n') {
        // Plain bytes, and the run of them that follows, go in at once.
        Bytes += static_cast<char>(C);
        TakeRun(Bytes, Quoted);
      } else if (Quoted) {
        if (C != '"') {
          Bytes += static_cast<char>(C);
        } else if (FIn.Peek() == '"') {
          Bytes += '"';
          Get();
        } else {
          Quoted = false;
        }
      } else if (C == FSeparator) {
        Ends.push_back(static_cast<std::uint32_t>(Bytes.size()));
        WasQuoted = false;
      } else if (C == '\r' || C == '\n') {
        if (C == '\r' && FIn.Peek() == '\n') Get();
        Ends.push_back(static_cast<std::uint32_t>(Bytes.size()));
        return true;
      } else if (C == '"' && Bytes.size() == FieldStart && !WasQuoted) {
        Quoted = WasQuoted = true;
      } else {
        Bytes += static_cast<char>(C);  // a stray quote inside an unquoted field is kept
      }
      if (Bytes.size() + Ends.size() > MaxCardBytes) throw EFormatError(TooLarge(Record.Line));
    }
    if (Quoted) throw EFormatError("line " + std::to_string(Record.Line) + ": a quoted field is not closed");
    Ends.push_back(static_cast<std::uint32_t>(Bytes.size()));
    return true;
  }

private:
  // The bytes up to the next one that means something here (a quote, a line break, and
  // outside quotes the separator); none of them ends a line.
  void TakeRun(std::string& Bytes, bool Quoted) {
    const std::string_view Ahead = FIn.Ahead();
    std::size_t End = 0;
    while (End < Ahead.size() && Ahead[End] != '"' && Ahead[End] != '\r' && Ahead[End] != '\n' &&
           (Quoted || Ahead[End] != FSeparator))
      ++End;
    Bytes.append(Ahead.substr(0, End));
    FIn.Skip(End);
  }

  // LF, and a CR that no LF follows, end a line.
  int Get() {
    const int C = FIn.Get();
    if (C == '\n' || (C == '\r' && FIn.Peek() != '\n')) ++FLine;
    return C;
  }

  TByteReader& FIn;
  char FSeparator;
  std::int64_t FLine = 1;
};

// The header line's bytes, read and put back: the one of comma, semicolon and tab that it
// has most of, outside quotes.
char SniffSeparator(TByteReader& In) {
  std::string Raw;
  int Counts[3] = {0, 0, 0};
  bool Quoted = false;
  for (int C = In.Get(); C >= 0; C = In.Get()) {
    Raw += static_cast<char>(C);
    if (C == 0) throw EFormatError("not a CSV file: a zero byte in its header line");
    if (Raw.size() > MaxCardBytes) throw EFormatError(TooLarge(1));
    if (C == '"') Quoted = !Quoted;
    if (Quoted) continue;
    if (C == '\r' || C == '\n') break;
    if (C == ',') ++Counts[0];
    if (C == ';') ++Counts[1];
    if (C == '\t') ++Counts[2];
  }
  In.Unget(Raw);
  if (Counts[1] > Counts[0] && Counts[1] >= Counts[2]) return ';';
  if (Counts[2] > Counts[0] && Counts[2] > Counts[1]) return '\t';
  return ',';
}

std::string Folded(std::string_view Header) {
  std::string Out;
  for (char C : Header) Out += C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
  while (!Out.empty() && Out.back() == ' ') Out.pop_back();
  while (!Out.empty() && Out.front() == ' ') Out.erase(0, 1);
  return Out;
}

int ColumnOf(const TFields& Header, std::initializer_list<const char*> Names) {
  for (std::size_t I = 0; I < Header.Count(); ++I) {
    const std::string Name = Folded(Header.Field(I));
    for (const char* Wanted : Names)
      if (Name == Wanted) return static_cast<int>(I);
  }
  return -1;
}

struct TColumns {
  int Caption = -1;  // the column that is the caption, or -1 when the parts make it
  int Parts[3] = {-1, -1, -1};  // given, middle and family name
  int Order = -1;  // our line-order column, the last one
};

TColumns ColumnsOf(const TFields& Header) {
  TColumns Columns;
  if (Header.Count() >= 2 && Header.Field(0) == "Name" && Header.Field(Header.Count() - 1) == csv::OrderHeader) {
    Columns.Caption = 0;
    Columns.Order = static_cast<int>(Header.Count() - 1);
    return Columns;
  }
  Columns.Caption = ColumnOf(Header, {"name", "full name", "display name", "fn"});
  if (Columns.Caption >= 0) return Columns;
  Columns.Parts[0] = ColumnOf(Header, {"first name", "given name"});
  Columns.Parts[1] = ColumnOf(Header, {"middle name", "additional name"});
  Columns.Parts[2] = ColumnOf(Header, {"last name", "family name"});
  if (std::all_of(std::begin(Columns.Parts), std::end(Columns.Parts), [](int Column) { return Column < 0; }))
    Columns.Caption = 0;
  return Columns;
}

class TCsvReader {
public:
  TCsvReader(TByteSource& Source, const TContactSink& Each, TReadReport& Report)
      : FInput(Source), FIn(FInput), FEach(Each), FReport(Report) {}

  void Run() {
    TCsvParser Parser(FIn, SniffSeparator(FIn));
    TRecord Record;
    if (Parser.Next(Record)) {
      ReadHeader(Record);
      while (Parser.Next(Record)) {
        const TFields& Fields = Record.Fields;
        bool Blank = true;
        for (std::size_t I = 0; I < Fields.Count() && Blank; ++I) Blank = Fields.Field(I).empty();
        if (Blank) continue;
        TContactCard Card = CardOf(Record);
        // In other files, a record with nothing the card keeps (only line breaks in the
        // name, say) is as blank.
        if (FColumns.Order >= 0 || !Card.Caption.empty() || !Card.Lines.empty()) FEach(Card);
      }
    }
    if (FInput.Replaced() > 0)
      FReport.Warn(0, std::to_string(FInput.Replaced()) + " " + FInput.Encoding() + " units that are no character read as U+FFFD");
  }

private:
  void ReadHeader(const TRecord& Record) {
    FColumns = ColumnsOf(Record.Fields);
    for (std::size_t I = 0; I < Record.Fields.Count(); ++I) {
      std::string Name = Text(Record.Fields.Field(I), Record.Line);
      const bool Copied = static_cast<int>(I) != FColumns.Caption && static_cast<int>(I) != FColumns.Order;
      if (Copied && Name.size() > MaxNameBytes) {
        std::size_t Cut = MaxNameBytes;
        while (Cut > 0 && (static_cast<unsigned char>(Name[Cut]) & 0xC0) == 0x80) --Cut;
        FReport.Warn(Record.Line, "the name of column " + std::to_string(I + 1) + " (" + std::to_string(Name.size()) +
                                      " bytes) is cut to its first " + std::to_string(Cut) + " in the lines it names");
        Name.resize(Cut);
      }
      FHeader.Add(Name);
    }
  }

  // A cell as card text: the writer's apostrophe off, bytes that are not UTF-8 read as
  // Windows-1252, zero bytes as U+FFFD.
  std::string Text(std::string_view Raw, std::int64_t Line) {
    bool Repaired = false;
    std::string Out = ToUtf8(csv::Unneutralised(Raw), {}, &Repaired);
    if (Repaired && !FRepairWarned) {
      FRepairWarned = true;
      FReport.Warn(Line, "bytes that are not UTF-8 read as Windows-1252 characters");
    }
    if (Out.find('\0') != std::string::npos) {
      std::string Clean;
      for (char C : Out) C == '\0' ? Clean.append("\xEF\xBF\xBD") : Clean.append(1, C);
      Out = std::move(Clean);
      FReport.Warn(Line, "a zero byte, which a card cannot keep, is shown as U+FFFD");
    }
    return Out;
  }

  std::string LineOf(std::size_t Column, const std::string& Piece) const {
    const std::string_view Name = FHeader.Field(Column);
    return Name.empty() ? Piece : std::string(Name) + "=" + Piece;
  }

  // Every non-empty line of every cell but the caption's, in column order.
  void ColumnOrder(const TRecord& Record, std::vector<std::string>& Lines) {
    const TFields& Fields = Record.Fields;
    for (std::size_t I = 0; I < Fields.Count(); ++I) {
      if (static_cast<int>(I) == FColumns.Caption || static_cast<int>(I) == FColumns.Order || Fields.Field(I).empty())
        continue;
      if (I >= FHeader.Count())
        throw EFormatError("line " + std::to_string(Record.Line) + " has more fields than the header has names (" +
                           std::to_string(FHeader.Count()) + ")");
      for (const std::string& Piece : SplitBreaks(Text(Fields.Field(I), Record.Line)))
        if (!Piece.empty()) Lines.push_back(LineOf(I, Piece));
    }
  }

  // The lines in the order our line-order cell gives; false when it does not fit the
  // record (a column that is not there or has no line left, a line no number takes).
  bool ListedOrder(const TRecord& Record, std::string_view Order, std::vector<std::string>& Lines) {
    const TFields& Fields = Record.Fields;
    if (Order == "-") {
      for (std::size_t I = 1; I < Fields.Count(); ++I)
        if (static_cast<int>(I) != FColumns.Order && !Fields.Field(I).empty()) return false;
      return true;
    }
    const std::size_t Last = std::min(Fields.Count(), FHeader.Count() - 1);  // the order column's
    std::vector<std::vector<std::string>> Pieces(Last);
    std::vector<std::size_t> Taken(Last, 0);
    std::size_t Pos = 0;
    while (Pos < Order.size()) {
      if (Order[Pos] == ' ') {
        ++Pos;
        continue;
      }
      std::size_t Number = 0;
      std::size_t Digits = 0;
      for (; Pos < Order.size() && Order[Pos] >= '0' && Order[Pos] <= '9' && Digits < 12; ++Pos, ++Digits)
        Number = Number * 10 + static_cast<std::size_t>(Order[Pos] - '0');
      if (Digits == 0 || (Pos < Order.size() && Order[Pos] != ' ')) return false;
      const std::size_t Column = Number - 1;
      if (Number < 2 || Column >= Last) return false;
      if (Taken[Column] == 0) Pieces[Column] = SplitBreaks(Text(Fields.Field(Column), Record.Line));
      if (Taken[Column] == Pieces[Column].size()) return false;
      Lines.push_back(LineOf(Column, Pieces[Column][Taken[Column]++]));
    }
    for (std::size_t I = 1; I < Last; ++I)
      if (Taken[I] < Pieces[I].size() || (Taken[I] == 0 && !Fields.Field(I).empty())) return false;
    return true;
  }

  TContactCard CardOf(const TRecord& Record) {
    const TFields& Fields = Record.Fields;
    auto Field = [&](int Column) {
      return Column >= 0 && static_cast<std::size_t>(Column) < Fields.Count() ? Text(Fields.Field(static_cast<std::size_t>(Column)), Record.Line)
                                                                              : std::string();
    };
    TContactCard Card;
    if (FColumns.Order >= 0) {
      // Our own file: the caption as it is, the lines in the order the last cell gives.
      Card.Caption = Field(0);
      const std::string Order = Field(FColumns.Order);
      if (!Order.empty()) {
        for (std::size_t I = FHeader.Count(); I < Fields.Count(); ++I)
          if (!Fields.Field(I).empty())
            throw EFormatError("line " + std::to_string(Record.Line) + " has more fields than the header has names (" +
                               std::to_string(FHeader.Count()) + ")");
        if (ListedOrder(Record, Order, Card.Lines)) return Card;
        Card.Lines.clear();
        FReport.Warn(Record.Line, "the line order \"" + Order.substr(0, 40) + "\" does not fit the record; lines in column order");
      }
      ColumnOrder(Record, Card.Lines);
      return Card;
    }
    // A caption is one line: the lines of a cell are joined; empty lines count for nothing.
    auto Join = [](const std::string& Text, const char* Separator, std::string& Into) {
      for (const std::string& Piece : SplitBreaks(Text))
        if (!Piece.empty()) Into += (Into.empty() ? "" : Separator) + Piece;
    };
    if (FColumns.Caption >= 0) {
      Join(Field(FColumns.Caption), ", ", Card.Caption);
    } else {
      for (int Part : FColumns.Parts) Join(Field(Part), " ", Card.Caption);
    }
    ColumnOrder(Record, Card.Lines);
    return Card;
  }

  TUtf8Input FInput;
  TByteReader FIn;
  const TContactSink& FEach;
  TReadReport& FReport;
  TColumns FColumns;
  TFields FHeader;  // the names, as card text
  bool FRepairWarned = false;
};

}  // namespace

void ReadCsv(TByteSource& Source, const TContactSink& Each, TReadReport& Report) {
  TCsvReader(Source, Each, Report).Run();
}

std::vector<TContactCard> ReadCsv(std::string_view Text, TReadReport* Report) {
  return ReadAll(static_cast<TStreamingReader>(&ReadCsv), Text, Report);
}

}  // namespace cards
