#pragma once
// vCard files to contacts and back. The reader takes what phones, mail programs and address
// books write: versions 2.1 (quoted-printable, CHARSET, bare types), 3.0 and 4.0, folded
// lines, grouped names (item1.TEL with its X-ABLabel), escapes, UTF-16 files; photos, keys
// and properties it does not know are passed over without harm to the rest. The writer
// writes vCard 3.0 in UTF-8, folded at 75 bytes, so that reading it back gives the same
// cards. VCardFields.h lists which property becomes which card line.
//
// What the reader changes, each reported as a warning with its line:
// - a BEGIN:VCARD inside a card that is not the nested card of an empty AGENT starts a new
//   card: the card before it had lost its END:VCARD;
// - a zero byte (which a card's lines cannot keep) becomes U+FFFD;
// - bytes that are not UTF-8, nor the CHARSET named, are read one by one as Windows-1252;
// - a group label (X-ABLabel) longer than MaxNameBytes, or with characters a type cannot
//   hold, is not copied into each line of its group as a type: it is kept once, as the line
//   "Label (GROUP)=TEXT" where the label stands;
// - a type list longer than MaxNameBytes goes with the first line of a note or organization
//   only, not with every one of its lines;
// - text outside BEGIN:VCARD .. END:VCARD is passed over.
// It stops with EFormatError for a file that has no BEGIN:VCARD line in its first 64 KiB
// ("not a vCard file"), for a card or a line of more than MaxCardBytes, and for UTF-32.

#include <string>
#include <string_view>
#include <vector>

#include "ByteSource.h"
#include "ContactCards.h"

namespace cards {

// The cards of Source, handed to Each a card at a time. A file cut short keeps the card
// it was in. Empty input, or only blank lines, has no cards.
void ReadVCards(TByteSource& Source, const TContactSink& Each, TReadReport& Report);
// The same for a whole text, the cards in a list (tests and small texts).
std::vector<TContactCard> ReadVCards(std::string_view Text, TReadReport* Report = nullptr);

// One contact as a vCard, from BEGIN to END, lines ending in CRLF. Bytes that are not UTF-8
// are written as the reader would read them (Windows-1252 characters), so that the file is
// UTF-8 throughout. A caption that FN cannot give back (one with line breaks, or an empty
// one of a card whose lines would make a caption) goes exactly in X-OSTREL-CAPTION too.
std::string VCardOf(const TContactCard& Contact);

}  // namespace cards
