#include "LineBreaks.h"

namespace cards {

std::vector<std::string> SplitBreaks(std::string_view Value) {
  std::vector<std::string> Pieces(1);
  for (std::size_t I = 0; I < Value.size(); ++I) {
    if (Value[I] != '\r' && Value[I] != '\n') {
      Pieces.back() += Value[I];
      continue;
    }
    if (Value[I] == '\r' && I + 1 < Value.size() && Value[I + 1] == '\n') ++I;
    Pieces.emplace_back();
  }
  return Pieces;
}

std::string OneLine(std::string_view Value) {
  std::string Out;
  Out.reserve(Value.size());
  for (const std::string& Piece : SplitBreaks(Value)) {
    Out += Piece;
    Out += ", ";
  }
  Out.resize(Out.size() - 2);  // SplitBreaks gives at least one piece
  return Out;
}

}  // namespace cards
