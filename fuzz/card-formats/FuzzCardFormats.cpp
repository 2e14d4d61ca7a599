// Feeds arbitrary bytes to the vCard and CSV readers: each must give cards or raise its own
// error, never crash or run out of bounds. What the vCard reader gives must read back the
// same from the vCard writer's text, and what the CSV reader gives must settle after one
// trip through the CSV writer.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Csv.h"
#include "VCard.h"

namespace {

using cards::TContactCard;

void CheckVCard(std::string_view Text) {
  std::vector<TContactCard> Cards;
  try {
    Cards = cards::ReadVCards(Text);
  } catch (const cards::EFormatError&) {
    return;
  }
  std::string Written;
  for (const TContactCard& Card : Cards) Written += cards::VCardOf(Card);
  if (!Cards.empty() && cards::ReadVCards(Written) != Cards) std::abort();
}

void CheckCsv(std::string_view Text) {
  std::vector<TContactCard> Cards;
  try {
    Cards = cards::ReadCsv(Text);
  } catch (const cards::EFormatError&) {
    return;
  }
  const std::string Once = cards::CsvOf(cards::ReadCsv(cards::CsvOf(Cards)));
  if (cards::CsvOf(cards::ReadCsv(Once)) != Once) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
  CheckVCard(Text);
  CheckCsv(Text);
  return 0;
}
