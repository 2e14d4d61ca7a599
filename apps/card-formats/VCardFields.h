#pragma once
// Which vCard property becomes which card lines, and back. Internal to the vCard reader and
// writer; both directions live here so that the writer can check each property it makes
// against what the reader will make of it.
//
// Card lines are "Name=Value" or "Name (type, type)=Value":
//   TEL Phone, EMAIL Mail, URL Web, TITLE Title, BDAY Birthday, NOTE Note (a line each),
//   N Family name, Given name, Additional names, Honorific prefix, Honorific suffix,
//   ADR PO box, Extended address, Street, City, Region, Postal code, Country,
//   ORG Organization, Department (one line per unit).
// Other lines travel as X-OSTREL-LINE, so that cards come back from a vCard file as they
// went. FN is the caption; X-OSTREL-CAPTION, where the writer adds it, is the caption
// exactly (see VCard.h).

#include <string>
#include <vector>

#include "VCardLines.h"

namespace cards::vcard {

// The card lines of one property; none for a property no line holds (FN, PHOTO, unknown
// ones). Label is the group's X-ABLabel, a further type. Types longer than MaxNameBytes
// in all go with the first of several lines only; TypesOnce, when given, tells whether
// that happened.
std::vector<std::string> LinesOf(const TProperty& Property, const std::string& Label, bool* TypesOnce = nullptr);

// A one-line text value (FN): escapes undone, line breaks as ", ".
std::string TextOf(const TProperty& Property);

// A caption for a card without FN: from N, else ORG, else the first mail address or phone.
std::string CaptionFromLines(const std::vector<std::string>& Lines);

// The content lines (unfolded, without line ends) that carry Lines: runs of lines that make
// one property become one, and whatever would not come back as it was goes as
// X-OSTREL-LINE. HasName tells whether an N property is among them.
std::vector<std::string> PropertiesOf(const std::vector<std::string>& Lines, bool& HasName);

}  // namespace cards::vcard
