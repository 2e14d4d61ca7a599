#include "ContactCards.h"

#include "Ostrel.h"

namespace cards {

TContactCard ContactOf(const ostrel::TOstrelItem& Card) {
  TContactCard Contact{Card.GetText(), {}};
  const vcl::TStrings* SubItems = Card.GetSubItems();
  Contact.Lines.reserve(static_cast<std::size_t>(SubItems->GetCount()));
  for (int I = 0; I < SubItems->GetCount(); ++I) Contact.Lines.push_back(SubItems->Get(I));
  return Contact;
}

void AddContact(ostrel::TOstrelItems& Items, const TContactCard& Contact) {
  ostrel::TOstrelItem* Card = Items.Add(Contact.Caption);
  vcl::TStrings* Lines = Card->GetSubItems();
  for (const std::string& Line : Contact.Lines) Lines->Add(Line);
}

namespace {
bool EndsWithNoCase(const std::string& Text, std::string_view Suffix) {
  if (Text.size() < Suffix.size()) return false;
  for (std::size_t I = 0; I < Suffix.size(); ++I) {
    char C = Text[Text.size() - Suffix.size() + I];
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
    if (C != Suffix[I]) return false;
  }
  return true;
}
}  // namespace

TContactFormat FormatOfFileName(const std::string& FileName) {
  if (EndsWithNoCase(FileName, ".vcf") || EndsWithNoCase(FileName, ".vcard")) return TContactFormat::VCard;
  if (EndsWithNoCase(FileName, ".csv")) return TContactFormat::Csv;
  return TContactFormat::Cards;
}

}  // namespace cards
