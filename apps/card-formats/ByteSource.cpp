#include "ByteSource.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "Classes.h"

namespace cards {

std::size_t TTextSource::Read(char* Into, std::size_t Size) {
  const std::size_t Count = std::min(Size, FText.size());
  std::memcpy(Into, FText.data(), Count);
  FText.remove_prefix(Count);
  return Count;
}

std::size_t TStreamSource::Read(char* Into, std::size_t Size) {
  const long Count = FStream.Read(Into, static_cast<long>(std::min<std::size_t>(Size, std::numeric_limits<long>::max())));
  return Count > 0 ? static_cast<std::size_t>(Count) : 0;
}

bool TByteReader::Fill() {
  constexpr std::size_t Block = 65536;
  FBuffer.resize(Block);
  FPos = 0;
  FBuffer.resize(FSource.Read(FBuffer.data(), Block));
  return !FBuffer.empty();
}

void TByteReader::Unget(std::string_view Bytes) {
  FBuffer = std::string(Bytes) + FBuffer.substr(FPos);
  FPos = 0;
}

void TReadReport::Warn(std::int64_t Line, const std::string& What) {
  if (Warnings.size() < MaxWarnings)
    Warnings.push_back(Line > 0 ? "line " + std::to_string(Line) + ": " + What : What);
  else
    ++Unlisted;
}

std::vector<std::string> TReadReport::Lines() const {
  std::vector<std::string> All = Warnings;
  if (Unlisted > 0) All.push_back("and " + std::to_string(Unlisted) + " more warning" + (Unlisted == 1 ? "" : "s"));
  return All;
}

std::vector<TContactCard> ReadAll(TStreamingReader Read, std::string_view Text, TReadReport* Report) {
  std::vector<TContactCard> Cards;
  TTextSource Source(Text);
  TReadReport Ignored;
  Read(Source, [&](TContactCard& Card) { Cards.push_back(std::move(Card)); }, Report ? *Report : Ignored);
  return Cards;
}

}  // namespace cards
