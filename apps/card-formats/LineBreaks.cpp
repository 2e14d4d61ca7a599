#include "LineBreaks.h"

namespace cards {

std::vector<std::string> SplitBreaks(std::string_view Value) {
  std::vector<std::string> Pieces;
  for (;;) {
    const std::size_t Break = FindBreak(Value);
    Pieces.emplace_back(Value.substr(0, Break));
    if (Break == std::string_view::npos) return Pieces;
    const bool CrLf = Value[Break] == '\r' && Break + 1 < Value.size() && Value[Break + 1] == '\n';
    Value.remove_prefix(Break + (CrLf ? 2 : 1));
  }
}

std::string OneLine(std::string_view Value) {
  std::string Out;
  Out.reserve(Value.size());
  for (;;) {
    const std::size_t Break = FindBreak(Value);
    Out.append(Value.substr(0, Break));
    if (Break == std::string_view::npos) return Out;
    Out += ", ";
    const bool CrLf = Value[Break] == '\r' && Break + 1 < Value.size() && Value[Break + 1] == '\n';
    Value.remove_prefix(Break + (CrLf ? 2 : 1));
  }
}

std::string OneLine(std::string&& Value) {
  // Most values hold no break: they are kept, not copied.
  return FindBreak(Value) == std::string::npos ? std::move(Value) : OneLine(std::string_view(Value));
}

}  // namespace cards
