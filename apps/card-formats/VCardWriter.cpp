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

std::string VCardOf(const TContactCard& Contact) {
  bool HasName = false;
  const std::vector<std::string> Properties = vcard::PropertiesOf(Contact.Lines, HasName);
  std::string Out = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
  AppendFolded(Out, "FN:" + vcard::Escape(Contact.Caption));
  // Version 3.0 wants an N in every card.
  if (!HasName) Out += "N:;;;;\r\n";
  for (const std::string& Property : Properties) AppendFolded(Out, Property);
  Out += "END:VCARD\r\n";
  return Out;
}

}  // namespace cards
