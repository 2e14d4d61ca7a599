#include <algorithm>

#include "ByteText.h"
#include "TextEncoding.h"
#include "VCard.h"
#include "VCardFields.h"

namespace cards {

namespace {

// Lines longer than 75 bytes go on in lines that start with a space, never inside a UTF-8
// sequence.
void AppendFolded(std::string& Out, const std::string& Line) {
  constexpr std::size_t Width = 75;
  std::size_t Start = 0;
  std::size_t Room = Width;
  while (Line.size() - Start > Room) {
    std::size_t Cut = Start + Room;
    while (Cut > Start + 1 && (static_cast<unsigned char>(Line[Cut]) & 0xC0) == 0x80) --Cut;
    Out.append(Line, Start, Cut - Start).append("\r\n ");
    Start = Cut;
    Room = Width - 1;
  }
  Out.append(Line, Start, std::string::npos).append("\r\n");
}

}  // namespace

std::string VCardOf(const TContactCard& Given) {
  // Text that is not UTF-8 is written as the reader reads it.
  TContactCard Repaired;
  const bool Valid = IsValidUtf8(Given.Caption) &&
                     std::all_of(Given.Lines.begin(), Given.Lines.end(), [](const std::string& Line) { return IsValidUtf8(Line); });
  if (!Valid) {
    Repaired.Caption = RepairUtf8(Given.Caption);
    for (const std::string& Line : Given.Lines) Repaired.Lines.push_back(RepairUtf8(Line));
  }
  const TContactCard& Contact = Valid ? Given : Repaired;
  bool HasName = false;
  const std::vector<std::string> Properties = vcard::PropertiesOf(Contact.Lines, HasName);
  std::string Out = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
  AppendFolded(Out, "FN:" + vcard::Escape(Contact.Caption));
  // Version 3.0 wants an N in every card.
  if (!HasName) Out += "N:;;;;\r\n";
  // FN gives line breaks back as ", ", and an empty FN makes the reader look for a caption
  // in the lines: such a caption goes exactly as our own property too.
  const bool Breaks = Contact.Caption.find_first_of("\r\n") != std::string::npos;
  if (Breaks || (Contact.Caption.empty() && !vcard::CaptionFromLines(Contact.Lines).empty()))
    AppendFolded(Out, "X-OSTREL-CAPTION:" + vcard::Escape(Contact.Caption, true));
  for (const std::string& Property : Properties) AppendFolded(Out, Property);
  Out += "END:VCARD\r\n";
  return Out;
}

}  // namespace cards
