#include "CardJson.h"

#include <limits>
#include <ostream>
#include <vector>

#include "ByteText.h"

namespace cards {

using nlohmann::json;
using ostrel::TOstrelItem;
using ostrel::TOstrelItems;

namespace {

// The writer keeps the fields in the order people read them.
using ordered_json = nlohmann::ordered_json;

ordered_json BytesToJson(const std::string& Bytes) {
  if (IsValidUtf8(Bytes)) return Bytes;
  return ordered_json{{"base64", EncodeBase64(Bytes)}};
}

std::string BytesFromJson(const json& Value, const std::string& Where) {
  if (Value.is_string()) return Value.get<std::string>();
  if (Value.is_object() && Value.size() == 1 && Value.contains("base64") && Value["base64"].is_string()) {
    if (auto Bytes = DecodeBase64(Value["base64"].get<std::string>())) return *Bytes;
    throw ECardJsonError(Where + ": \"base64\" is not valid base64");
  }
  throw ECardJsonError(Where + " must be a string or {\"base64\": \"...\"}");
}

// What one card of the JSON holds, checked before any card is added.
struct TCardFields {
  std::string Text;
  std::uint32_t Data = 0;
  std::vector<std::string> SubItems;
  bool ShowHint = true;
  std::string Hint;
};

TCardFields CardFromJson(const json& Card, std::size_t Index) {
  const std::string Where = "card " + std::to_string(Index);
  if (!Card.is_object()) throw ECardJsonError(Where + " must be an object");
  TCardFields Fields;
  for (const auto& [Key, Value] : Card.items()) {
    const std::string Field = Where + " \"" + Key + "\"";
    if (Key == "text") {
      Fields.Text = BytesFromJson(Value, Field);
    } else if (Key == "data") {
      if (!Value.is_number_integer() || Value.get<long long>() < 0 ||
          Value.get<long long>() > std::numeric_limits<std::uint32_t>::max())
        throw ECardJsonError(Field + " must be an integer from 0 to 4294967295");
      Fields.Data = Value.get<std::uint32_t>();
    } else if (Key == "subItems") {
      if (!Value.is_array()) throw ECardJsonError(Field + " must be an array");
      for (std::size_t I = 0; I < Value.size(); ++I) {
        const std::string SubItemWhere = Where + " sub-item " + std::to_string(I);
        std::string SubItem = BytesFromJson(Value[I], SubItemWhere);
        // A card file keeps sub-items as lines: these bytes would split or cut the line.
        if (SubItem.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
          throw ECardJsonError(SubItemWhere + " contains a line break or a zero byte, which a card file cannot keep");
        Fields.SubItems.push_back(std::move(SubItem));
      }
    } else if (Key == "showHint") {
      if (!Value.is_boolean()) throw ECardJsonError(Field + " must be true or false");
      Fields.ShowHint = Value.get<bool>();
    } else if (Key == "hint") {
      Fields.Hint = BytesFromJson(Value, Field);
    } else {
      throw ECardJsonError(Where + " has an unknown field \"" + Key + "\"");
    }
  }
  return Fields;
}

}  // namespace

void WriteCardsJson(const TOstrelItems& Items, std::ostream& Out) {
  Out << "{\"cards\": [";
  for (int I = 0; I < Items.GetCount(); ++I) {
    const TOstrelItem* Item = Items.GetItemFromIndex(I);
    ordered_json SubItems = ordered_json::array();
    for (int J = 0; J < Item->GetSubItems()->GetCount(); ++J) SubItems.push_back(BytesToJson(Item->GetSubItems()->Get(J)));
    const ordered_json Card = {
        {"text", BytesToJson(Item->GetText())},
        {"data", static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Item->GetData()))},
        {"subItems", std::move(SubItems)},
        {"showHint", Item->GetShowHint()},
        {"hint", BytesToJson(Item->GetHint())},
    };
    Out << (I == 0 ? "\n  " : ",\n  ") << Card.dump();
  }
  Out << (Items.GetCount() > 0 ? "\n]}\n" : "]}\n");
}

void ReadCardsJson(const json& Document, TOstrelItems& Items) {
  if (!Document.is_object() || !Document.contains("cards") || !Document["cards"].is_array())
    throw ECardJsonError("the document must be an object with a \"cards\" array");
  for (const auto& [Key, Value] : Document.items())
    if (Key != "cards") throw ECardJsonError("the document has an unknown field \"" + Key + "\"");
  const json& List = Document["cards"];
  std::vector<TCardFields> Cards;
  Cards.reserve(List.size());
  for (std::size_t I = 0; I < List.size(); ++I) Cards.push_back(CardFromJson(List[I], I));

  Items.BeginUpdate();
  try {
    for (const TCardFields& Fields : Cards) {
      TOstrelItem* Item = Items.Add(Fields.Text);
      Item->SetData(reinterpret_cast<void*>(static_cast<std::uintptr_t>(Fields.Data)));
      for (const std::string& SubItem : Fields.SubItems) Item->GetSubItems()->Add(SubItem);
      Item->SetShowHint(Fields.ShowHint);
      Item->SetHint(Fields.Hint);
    }
  } catch (...) {
    Items.EndUpdate();
    throw;
  }
  Items.EndUpdate();
}

}  // namespace cards
