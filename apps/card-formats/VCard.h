#pragma once
// vCard files to contacts and back. The reader takes what phones, mail programs and address
// books write: versions 2.1 (quoted-printable, CHARSET, bare types), 3.0 and 4.0, folded
// lines, grouped names (item1.TEL with its X-ABLabel), escapes; photos, keys and properties
// it does not know are passed over without harm to the rest. The writer writes vCard 3.0
// in UTF-8, folded at 75 bytes, so that reading it back gives the same cards.
// VCardFields.h lists which property becomes which card line.

#include <string>
#include <string_view>
#include <vector>

#include "ContactCards.h"

namespace cards {

// Every card of Text. A file cut short keeps the card it was in. EFormatError when Text
// has something but no BEGIN:VCARD line.
std::vector<TContactCard> ReadVCards(std::string_view Text);

// One contact as a vCard, from BEGIN to END, lines ending in CRLF.
std::string VCardOf(const TContactCard& Contact);

}  // namespace cards
