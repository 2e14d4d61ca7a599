#pragma once
// A contact as the formats see it: the caption of its card and the card's lines, most of
// them "Name=Value" sub-items. Readers fill these, writers read them; the bridge below
// moves them in and out of a card list.

#include <stdexcept>
#include <string>
#include <vector>

namespace ostrel {
class TOstrelItems;
class TOstrelItem;
}  // namespace ostrel

namespace cards {

struct TContactCard {
  std::string Caption;
  std::vector<std::string> Lines;
  bool operator==(const TContactCard&) const = default;
};

// Input that is not the format it claims to be; the message says what and, when it can,
// on which line (1-based).
class EFormatError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The caption and sub-items of a card.
TContactCard ContactOf(const ostrel::TOstrelItem& Card);
// Appends the contact as a card; inside a BeginUpdate batch, as readers that go a card
// at a time do, nothing is laid out or sorted yet.
void AddContact(ostrel::TOstrelItems& Items, const TContactCard& Contact);

// The format a file name's extension names; Cards for anything else.
enum class TContactFormat { Cards, VCard, Csv };
TContactFormat FormatOfFileName(const std::string& FileName);

}  // namespace cards
