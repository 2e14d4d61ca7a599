#include <algorithm>
#include <map>

#include "VCard.h"
#include "VCardFields.h"

namespace cards {

namespace {

using vcard::TProperty;

bool IsNamed(const TProperty& Property, const char* Name, const char* Value) {
  if (Property.Name != Name) return false;
  std::string Upper = Property.Value;
  for (char& C : Upper)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  while (!Upper.empty() && (Upper.back() == ' ' || Upper.back() == '\t')) Upper.pop_back();
  return Upper == Value;
}

// Apple's address book names a grouped property's type in the group's X-ABLabel:
// "_$!<Mobile>!$_" for its own labels, the user's words for others.
std::string LabelText(const std::string& Value) {
  std::string Label = vcard::Unescape(Value);
  if (Label.size() > 8 && Label.compare(0, 4, "_$!<") == 0 && Label.compare(Label.size() - 4, 4, ">!$_") == 0)
    Label = Label.substr(4, Label.size() - 8);
  for (char& C : Label)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Label;
}

TContactCard CardOf(const std::vector<TProperty>& Properties) {
  std::map<std::string, std::string> Labels;
  for (const TProperty& Property : Properties)
    if (Property.Name == "X-ABLABEL" && !Property.Group.empty()) Labels[Property.Group] = LabelText(Property.Value);
  TContactCard Card;
  for (const TProperty& Property : Properties) {
    if (Property.Name == "FN") {
      if (Card.Caption.empty()) Card.Caption = vcard::TextOf(Property);
      continue;
    }
    const auto Label = Property.Group.empty() ? Labels.end() : Labels.find(Property.Group);
    for (std::string& Line : vcard::LinesOf(Property, Label == Labels.end() ? std::string() : Label->second))
      Card.Lines.push_back(std::move(Line));
  }
  if (Card.Caption.empty()) Card.Caption = vcard::CaptionFromLines(Card.Lines);
  return Card;
}

}  // namespace

std::vector<TContactCard> ReadVCards(std::string_view Text) {
  std::vector<TContactCard> Cards;
  std::vector<TProperty> Current;
  int Depth = 0;  // vCard 2.1 nests an AGENT's card inside its owner's
  for (TProperty& Property : vcard::ReadProperties(Text)) {
    if (IsNamed(Property, "BEGIN", "VCARD")) {
      ++Depth;
    } else if (IsNamed(Property, "END", "VCARD") && Depth > 0) {
      if (--Depth == 0) {
        Cards.push_back(CardOf(Current));
        Current.clear();
      }
    } else if (Depth == 1) {
      Current.push_back(std::move(Property));
    }
  }
  if (Depth > 0) Cards.push_back(CardOf(Current));
  if (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
  const bool Blank = std::all_of(Text.begin(), Text.end(), [](char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n'; });
  if (Cards.empty() && !Blank) throw EFormatError("not a vCard file: no BEGIN:VCARD line");
  return Cards;
}

}  // namespace cards
