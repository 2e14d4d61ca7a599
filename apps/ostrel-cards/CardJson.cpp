#include "CardJson.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "ByteText.h"
#include "CardFiles.h"

namespace cards {

using ostrel::TOstrelItem;

namespace {

// The writer keeps the fields in the order people read them.
using ordered_json = nlohmann::ordered_json;

ordered_json BytesToJson(const std::string& Bytes) {
  if (IsValidUtf8(Bytes)) return Bytes;
  return ordered_json{{"base64", EncodeBase64(Bytes)}};
}

// One field after another, so that a card of millions of sub-items is never a JSON tree.
void WriteCard(const TOstrelItem& Card, std::ostream& Out) {
  Out << "{\"text\":" << BytesToJson(Card.GetText()).dump()
      << ",\"data\":" << static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Card.GetData()))
      << ",\"subItems\":[";
  const vcl::TStrings* SubItems = Card.GetSubItems();
  for (int J = 0; J < SubItems->GetCount(); ++J) Out << (J == 0 ? "" : ",") << BytesToJson(SubItems->Get(J)).dump();
  Out << "],\"showHint\":" << (Card.GetShowHint() ? "true" : "false") << ",\"hint\":" << BytesToJson(Card.GetHint()).dump()
      << "}";
}

}  // namespace

void WriteCardsJson(vcl::TStream& Cards, std::ostream& Out) {
  const int Count = ReadCardCount(&Cards);
  Out << "{\"cards\": [";
  TOstrelItem Card(nullptr);
  for (int I = 0; I < Count; ++I) {
    Card.ReadData(&Cards);
    Out << (I == 0 ? "\n  " : ",\n  ");
    WriteCard(Card, Out);
  }
  ExpectEndOfCards(&Cards);
  Out << (Count > 0 ? "\n]}\n" : "]}\n");
}

}  // namespace cards
