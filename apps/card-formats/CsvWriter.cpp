#include <algorithm>
#include <map>

#include "Csv.h"

namespace cards {

namespace {

// A line's column name and cell: "Name=Value" goes to Name, a line without a name whole to
// the unnamed column.
std::pair<std::string, std::string> Split(const std::string& Line) {
  const std::size_t Equals = Line.find('=');
  if (Equals == std::string::npos || Equals == 0) return {std::string(), Line};
  return {Line.substr(0, Equals), Line.substr(Equals + 1)};
}

void AppendField(std::string& Out, const std::string& Field) {
  // Semicolons and tabs too, so that a reader guessing the separator is not misled.
  if (Field.find_first_of(",;\t\"\r\n") == std::string::npos) {
    Out += Field;
    return;
  }
  Out += '"';
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

std::string CsvOf(const std::vector<TContactCard>& Contacts) {
  // Each name gets as many columns as the card with most such lines has, in the order the
  // names first appear.
  std::vector<std::string> Names;
  std::map<std::string, std::size_t> Widths;
  for (const TContactCard& Contact : Contacts) {
    std::map<std::string, std::size_t> Counts;
    for (const std::string& Line : Contact.Lines) {
      const std::string Name = Split(Line).first;
      if (!Widths.contains(Name)) Names.push_back(Name);
      Widths[Name] = std::max(Widths[Name], ++Counts[Name]);
    }
  }
  std::vector<std::string> Header{"Name"};
  std::map<std::string, std::size_t> FirstColumn;
  for (const std::string& Name : Names) {
    FirstColumn[Name] = Header.size();
    Header.insert(Header.end(), Widths[Name], Name);
  }
  std::string Out;
  AppendRecord(Out, Header);
  for (const TContactCard& Contact : Contacts) {
    // A card with nothing in it would be a blank line, which readers pass over.
    if (Contact.Caption.empty() && Contact.Lines.empty()) continue;
    std::vector<std::string> Fields(Header.size());
    Fields[0] = Contact.Caption;
    std::map<std::string, std::size_t> Used;
    for (const std::string& Line : Contact.Lines) {
      auto [Name, Value] = Split(Line);
      Fields[FirstColumn[Name] + Used[Name]++] = std::move(Value);
    }
    AppendRecord(Out, Fields);
  }
  return Out;
}

}  // namespace cards
