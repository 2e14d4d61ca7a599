#include <algorithm>

#include "Csv.h"
#include "CsvCells.h"
#include "LineBreaks.h"

namespace cards {

namespace {

// A line's column name and cell: "Name=Value" goes to Name; a line without a name, or
// with one too long to repeat in a header, goes whole to the unnamed column.
std::pair<std::string_view, std::string_view> Split(std::string_view Line) {
  const std::size_t Equals = Line.find('=');
  if (Equals == std::string_view::npos || Equals == 0 || Equals > MaxNameBytes) return {std::string_view(), Line};
  return {Line.substr(0, Equals), Line.substr(Equals + 1)};
}

void AppendField(std::string& Out, std::string_view Field) {
  const bool Apostrophe = csv::NeedsApostrophe(Field);
  // Semicolons and tabs too, so that a reader guessing the separator is not misled.
  if (Field.find_first_of(",;\t\"\r\n") == std::string_view::npos) {
    if (Apostrophe) Out += '\'';
    Out += Field;
    return;
  }
  Out += '"';
  if (Apostrophe) Out += '\'';
  for (char C : Field) {
    if (C == '"') Out += '"';
    Out += C;
  }
  Out += '"';
}

void AppendRecord(std::string& Out, const std::vector<std::string>& Fields) {
  for (std::size_t I = 0; I < Fields.size(); ++I) {
    if (I > 0) Out += ',';
    AppendField(Out, Fields[I]);
  }
  Out += "\r\n";
}

}  // namespace

void TCsvLayout::Add(const TContactCard& Contact) {
  std::unordered_map<std::size_t, std::size_t> Counts;
  for (const std::string& Line : Contact.Lines) {
    const std::string Name(Split(Line).first);
    auto [Found, New] = FIndex.try_emplace(Name, FNames.size());
    if (New) FNames.push_back({Name});
    TName& Entry = FNames[Found->second];
    Entry.Width = std::max(Entry.Width, ++Counts[Found->second]);
  }
}

void TCsvLayout::Finish() {
  FHeader = {"Name"};
  std::size_t Left = MaxLineColumns;
  bool Overflow = false;
  TName* Unnamed = nullptr;
  for (TName& Name : FNames) {
    Name.First = FHeader.size();
    Name.Columns = std::min(Name.Width, Left);
    Left -= Name.Columns;
    FHeader.insert(FHeader.end(), Name.Columns, Name.Text);
    Overflow = Overflow || Name.Columns == 0;
    if (Name.Text.empty()) Unnamed = &Name;
  }
  // The names beyond the columns go whole into the last unnamed one, made for them if need be.
  if (Overflow && Unnamed && Unnamed->Columns > 0) {
    FWhole = Unnamed->First + Unnamed->Columns - 1;
  } else if (Overflow) {
    FWhole = FHeader.size();
    FHeader.emplace_back();
  }
  FHeader.emplace_back(csv::OrderHeader);
}

std::string TCsvLayout::Header() const {
  std::string Out;
  AppendRecord(Out, FHeader);
  return Out;
}

std::string TCsvLayout::RowOf(const TContactCard& Contact) const {
  const std::size_t OrderColumn = FHeader.size() - 1;
  std::vector<std::string> Fields(FHeader.size());
  std::vector<bool> Filled(FHeader.size(), false);
  std::vector<std::size_t> Order;
  Order.reserve(Contact.Lines.size());
  std::unordered_map<std::size_t, std::size_t> Used;
  auto Put = [&](std::size_t Column, std::string_view Text) {
    if (Filled[Column]) Fields[Column] += "\r\n";
    Fields[Column] += Text;
    Filled[Column] = true;
    Order.push_back(Column);
  };
  for (const std::string& Line : Contact.Lines) {
    const auto [Name, Value] = Split(Line);
    const auto Found = FIndex.find(std::string(Name));
    const TName* Entry = Found == FIndex.end() ? nullptr : &FNames[Found->second];
    if (Entry && Entry->Columns > 0)
      Put(Entry->First + std::min(Used[Found->second]++, Entry->Columns - 1), Value);
    else
      Put(FWhole, Line);
  }
  Fields[0] = Contact.Caption;
  // The reader takes the non-empty lines of the cells in column order unless the last cell
  // says otherwise: it does when that would not give this card's lines.
  bool ColumnOrder = true;
  std::size_t Next = 0;
  for (std::size_t Column = 1; Column < OrderColumn && ColumnOrder; ++Column) {
    if (!Filled[Column]) continue;
    for (const std::string& Piece : SplitBreaks(Fields[Column])) {
      if (Piece.empty()) {
        ColumnOrder = false;  // an empty line, which column order passes over
        break;
      }
      const std::string& Want = Next < Contact.Lines.size() ? Contact.Lines[Next] : std::string();
      ++Next;
      const std::string& Name = FHeader[Column];
      const bool Same = Name.empty() ? Want == Piece
                                     : Want.size() == Name.size() + 1 + Piece.size() && Want.starts_with(Name) &&
                                           Want[Name.size()] == '=' && Want.ends_with(Piece);
      if (!Same) {
        ColumnOrder = false;
        break;
      }
    }
  }
  ColumnOrder = ColumnOrder && Next == Contact.Lines.size();
  if (Contact.Lines.empty()) {
    if (Contact.Caption.empty()) Fields[OrderColumn].push_back('-');  // else a blank record, passed over
  } else if (!ColumnOrder) {
    std::string& Cell = Fields[OrderColumn];
    for (std::size_t Column : Order) {
      if (!Cell.empty()) Cell += ' ';
      Cell += std::to_string(Column + 1);
    }
  }
  std::string Out;
  AppendRecord(Out, Fields);
  return Out;
}

std::string CsvOf(const std::vector<TContactCard>& Contacts) {
  TCsvLayout Layout;
  for (const TContactCard& Contact : Contacts) Layout.Add(Contact);
  Layout.Finish();
  std::string Out = Layout.Header();
  for (const TContactCard& Contact : Contacts) Out += Layout.RowOf(Contact);
  return Out;
}

}  // namespace cards
