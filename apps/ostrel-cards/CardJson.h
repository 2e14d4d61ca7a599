#pragma once
// Cards as JSON: {"cards": [{"text", "data", "subItems", "showHint", "hint"}, ...]}.
// A string that is well-formed UTF-8 is a JSON string; any other bytes are written as
// {"base64": "..."}, so that every card file converts to JSON and back without loss.
// Both directions go a card at a time: memory follows the largest card, not the file.

#include <iosfwd>
#include <stdexcept>

#include "Ostrel.h"

namespace cards {

// JSON that does not describe cards; the message says where and what.
class ECardJsonError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The card file read from Cards' position, as JSON. What was read before a damaged card
// is already written when the card's EOstrelReadError comes; a negative count or bytes
// after the last card are such errors too.
void WriteCardsJson(vcl::TStream& Cards, std::ostream& Out);

// The card file that the JSON from In describes, written to Out from its position; Out
// must seek back there to set the card count at the end. ECardJsonError when the JSON is
// wrong anywhere (Out then holds a part). Returns the number of cards.
int ReadCardsJson(vcl::TStream& In, vcl::TStream& Out);

}  // namespace cards
