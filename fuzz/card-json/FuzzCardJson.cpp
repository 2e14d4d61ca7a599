// Feeds arbitrary bytes to the JSON reader of ostrel-cards: it must either write a card
// file or raise its own error, never crash or run out of bounds; the card file it wrote
// must convert to JSON that reads back to the same card file.

#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "CardJson.h"

using namespace vcl;

namespace {

AnsiString CardFileOf(const AnsiString& Json) {
  TMemoryStream In;
  In.WriteBuffer(Json.data(), static_cast<long>(Json.size()));
  In.SetPosition(0);
  TMemoryStream Out;
  cards::ReadCardsJson(In, Out);
  return AnsiString(reinterpret_cast<const char*>(Out.Memory()), static_cast<std::size_t>(Out.GetSize()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  AnsiString Cards;
  try {
    Cards = CardFileOf(AnsiString(reinterpret_cast<const char*>(Data), Size));
  } catch (const cards::ECardJsonError&) {
    return 0;
  }
  TMemoryStream Written;
  Written.WriteBuffer(Cards.data(), static_cast<long>(Cards.size()));
  Written.SetPosition(0);
  std::ostringstream Json;
  cards::WriteCardsJson(Written, Json);
  if (CardFileOf(Json.str()) != Cards) std::abort();
  return 0;
}
