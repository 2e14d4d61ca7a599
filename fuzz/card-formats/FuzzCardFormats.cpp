// Feeds arbitrary bytes to the vCard and CSV readers: each must give cards or raise its own
// error, never crash or run out of bounds, and give the same cards and warnings whether the
// bytes come whole or a few at a time (the readers go a block, a line and a card at a time).
// What the vCard reader gives must read back the same from the vCard writer's text, and
// what the CSV reader gives must read back the same from the CSV writer's text. The first
// byte picks a wrapping: as it is, as UTF-16 (either order, with a byte-order mark), or
// trickled in pieces of one to seven bytes.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Csv.h"
#include "VCard.h"

namespace {

using cards::TContactCard;

class TTrickleSource final : public cards::TByteSource {
public:
  TTrickleSource(std::string_view Text, std::size_t Step) : FText(Text), FStep(Step) {}
  std::size_t Read(char* Into, std::size_t Size) override {
    const std::size_t Count = std::min({Size, FText.size(), FStep});
    std::copy_n(FText.data(), Count, Into);
    FText.remove_prefix(Count);
    FStep = FStep % 7 + 1;
    return Count;
  }

private:
  std::string_view FText;
  std::size_t FStep;
};

struct TResult {
  std::vector<TContactCard> Cards;
  std::vector<std::string> Warnings;
  std::string Error;
  bool operator==(const TResult&) const = default;
};

template <class TRead>
TResult Run(TRead&& Read, cards::TByteSource& Source) {
  TResult Result;
  cards::TReadReport Report;
  try {
    Read(Source, [&](TContactCard& Card) { Result.Cards.push_back(std::move(Card)); }, Report);
  } catch (const cards::EFormatError& E) {
    Result.Error = E.what();
  }
  Result.Warnings = Report.Lines();
  return Result;
}

void Check(std::string_view Text, std::size_t Step) {
  const auto ReadVCards = [](cards::TByteSource& S, const cards::TContactSink& E, cards::TReadReport& R) { cards::ReadVCards(S, E, R); };
  const auto ReadCsv = [](cards::TByteSource& S, const cards::TContactSink& E, cards::TReadReport& R) { cards::ReadCsv(S, E, R); };
  for (const bool VCard : {true, false}) {
    cards::TTextSource Whole(Text);
    TTrickleSource Trickled(Text, Step);
    const TResult A = VCard ? Run(ReadVCards, Whole) : Run(ReadCsv, Whole);
    const TResult B = VCard ? Run(ReadVCards, Trickled) : Run(ReadCsv, Trickled);
    if (!(A == B)) std::abort();
    if (!A.Error.empty() || A.Cards.empty()) continue;
    for (const TContactCard& Card : A.Cards)
      for (const std::string& Line : Card.Lines)
        if (Line.find('\0') != std::string::npos) std::abort();  // a card's lines cannot keep one
    if (VCard) {
      std::string Written;
      for (const TContactCard& Card : A.Cards) Written += cards::VCardOf(Card);
      if (cards::ReadVCards(Written) != A.Cards) std::abort();
    } else if (cards::ReadCsv(cards::CsvOf(A.Cards)) != A.Cards) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const std::uint8_t Mode = Data[0];
  const std::string_view Text(reinterpret_cast<const char*>(Data + 1), Size - 1);
  if (Mode % 4 == 1 || Mode % 4 == 2) {
    // The same bytes as UTF-16 code units, each byte a unit.
    const bool BigEndian = Mode % 4 == 2;
    std::string Wide = BigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char C : Text) {
      Wide += BigEndian ? '\0' : C;
      Wide += BigEndian ? C : '\0';
    }
    Check(Wide, Mode / 4 % 7 + 1);
  } else {
    Check(Text, Mode / 4 % 7 + 1);
  }
  return 0;
}
