#pragma once
// Cards as JSON: {"cards": [{"text", "data", "subItems", "showHint", "hint"}, ...]}.
// A string that is well-formed UTF-8 is a JSON string; any other bytes are written as
// {"base64": "..."}, so that every card file converts to JSON and back without loss.

#include <iosfwd>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "Ostrel.h"

namespace cards {

// JSON that does not describe cards; the message says where and what.
class ECardJsonError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

void WriteCardsJson(const ostrel::TOstrelItems& Items, std::ostream& Out);

// Appends the cards that Document describes to Items, in one batch. Nothing is added when
// Document is wrong anywhere (ECardJsonError).
void ReadCardsJson(const nlohmann::json& Document, ostrel::TOstrelItems& Items);

}  // namespace cards
