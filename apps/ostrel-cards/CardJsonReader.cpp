// from-json: the JSON goes through nlohmann's SAX parser, and every card is written to the
// card file as soon as it is complete, so that memory follows the largest card.

#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <vector>

#include "ByteText.h"
#include "CardJson.h"

namespace cards {

using nlohmann::json;
using ostrel::TOstrelItem;
using ostrel::TOstrelItems;

namespace {

// The bytes of a stream, read in large pieces. JSON allows no zero byte anywhere, yet the
// parser takes one for the end of the input and would ignore the rest: each becomes a byte
// that JSON does not allow either, and the first one's offset is kept for the message.
class TJsonSource {
public:
  explicit TJsonSource(vcl::TStream& In) : FIn(In), FBuffer(64 * 1024) {}
  bool AtEnd() {
    if (FPos == FEnd) Refill();
    return FPos == FEnd;
  }
  char Current() const { return FBuffer[FPos]; }
  void Advance() { ++FPos; }
  std::int64_t ZeroAt() const { return FZeroAt; }

private:
  void Refill() {
    FOffset += static_cast<std::int64_t>(FEnd);
    FPos = 0;
    const long N = FIn.Read(FBuffer.data(), static_cast<long>(FBuffer.size()));
    FEnd = N > 0 ? static_cast<std::size_t>(N) : 0;
    for (std::size_t I = 0; I < FEnd; ++I) {
      if (FBuffer[I] != '\0') continue;
      if (FZeroAt < 0) FZeroAt = FOffset + static_cast<std::int64_t>(I);
      FBuffer[I] = '\x01';
    }
  }
  vcl::TStream& FIn;
  std::vector<char> FBuffer;
  std::size_t FPos = 0;
  std::size_t FEnd = 0;
  std::int64_t FOffset = 0;  // of FBuffer[0] in the stream
  std::int64_t FZeroAt = -1;
};

// The parser's view of a TJsonSource: an input iterator, the end iterator has no source.
class TJsonBytes {
public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = char;
  TJsonBytes() = default;
  explicit TJsonBytes(TJsonSource& Source) : FSource(&Source) {}
  char operator*() const { return FSource->Current(); }
  TJsonBytes& operator++() {
    FSource->Advance();
    return *this;
  }
  bool operator==(const TJsonBytes& Other) const { return AtEnd() == Other.AtEnd(); }

private:
  bool AtEnd() const { return !FSource || FSource->AtEnd(); }
  TJsonSource* FSource = nullptr;
};

// Follows the document's structure, which the card format fixes, and turns the parser's
// events into cards; anything out of place ends the reading with an ECardJsonError.
class TCardSax : public nlohmann::json_sax<json> {
public:
  TCardSax(vcl::TStream& Out, const TJsonSource& Source) : FOut(Out), FSource(Source) {}
  int Count() const { return FCount; }
  // Passes the cards written so far on to the output.
  void Flush() {
    FPending.SaveToStream(&FOut);
    FPending.SetSize(0);
  }

  bool null() override { return Unexpected(); }
  bool boolean(bool Value) override {
    if (FLevel != TLevel::Card || FKey != "showHint") return Unexpected();
    FCard.SetShowHint(Value);
    return true;
  }
  bool number_integer(number_integer_t) override { return FKey == "data" ? BadData() : Unexpected(); }
  bool number_unsigned(number_unsigned_t Value) override {
    if (FLevel != TLevel::Card || FKey != "data") return Unexpected();
    if (Value > std::numeric_limits<std::uint32_t>::max()) return BadData();
    FCard.SetData(reinterpret_cast<void*>(static_cast<std::uintptr_t>(Value)));
    return true;
  }
  bool number_float(number_float_t, const string_t&) override { return FKey == "data" ? BadData() : Unexpected(); }
  bool binary(binary_t&) override { return Unexpected(); }
  bool string(string_t& Value) override;
  bool start_object(std::size_t) override;
  bool key(string_t& Key) override;
  bool end_object() override;
  bool start_array(std::size_t) override;
  bool end_array() override;
  bool parse_error(std::size_t Position, const std::string&, const nlohmann::detail::exception& Error) override;

private:
  enum class TLevel { Start, Document, Cards, Card, SubItems, Base64, End };

  std::string Where() const { return "card " + std::to_string(FCount); }
  std::string Field() const { return Where() + " \"" + FKey + "\""; }
  std::string SubItemWhere() const { return Where() + " sub-item " + std::to_string(FCard.GetSubItems()->GetCount()); }
  // Where a text, hint or sub-item goes; it may be a string or {"base64": "..."}.
  std::string BytesWhere() const {
    return (FLevel == TLevel::Base64 ? FBytesOwner : FLevel) == TLevel::SubItems ? SubItemWhere() : Field();
  }
  [[noreturn]] bool Fail(const std::string& Message) const { throw ECardJsonError(Message); }
  bool BadData() const { return Fail(Field() + " must be an integer from 0 to 4294967295"); }
  bool Unexpected() const;
  bool StoreBytes(std::string Bytes);

  // Cards reach the output in pieces of this size, not a system call for each field.
  static constexpr std::int64_t PendingSize = 64 * 1024;
  vcl::TStream& FOut;
  vcl::TMemoryStream FPending;
  const TJsonSource& FSource;
  TLevel FLevel = TLevel::Start;
  std::string FKey;  // the field whose value comes next
  TLevel FBytesOwner = TLevel::Card;  // where a {"base64": ...} object's bytes go
  bool FHaveBase64 = false;
  bool FHaveCards = false;
  bool FHaveText = false;
  TOstrelItem FCard{nullptr};
  int FCount = 0;
};

bool TCardSax::Unexpected() const {
  switch (FLevel) {
    case TLevel::Start:
    case TLevel::Document: Fail("the document must be an object with a \"cards\" array");
    case TLevel::Cards: Fail(Where() + " must be an object");
    case TLevel::Card:
      if (FKey == "data") BadData();
      if (FKey == "subItems") Fail(Field() + " must be an array");
      if (FKey == "showHint") Fail(Field() + " must be true or false");
      [[fallthrough]];
    default: Fail(BytesWhere() + " must be a string or {\"base64\": \"...\"}");
  }
}

bool TCardSax::StoreBytes(std::string Bytes) {
  const TLevel Owner = FLevel == TLevel::Base64 ? FBytesOwner : FLevel;
  if (Owner == TLevel::SubItems) {
    // A card file keeps sub-items as lines: these bytes would split or cut the line.
    if (Bytes.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
      Fail(SubItemWhere() + " contains a line break or a zero byte, which a card file cannot keep");
    FCard.GetSubItems()->Add(Bytes);
  } else if (FKey == "text") {
    FCard.SetText(Bytes);
    FHaveText = true;
  } else {
    FCard.SetHint(Bytes);
  }
  return true;
}

bool TCardSax::string(string_t& Value) {
  if (FLevel == TLevel::Base64) {
    const auto Bytes = DecodeBase64(Value);
    if (!Bytes) Fail(BytesWhere() + ": \"base64\" is not valid base64");
    FHaveBase64 = true;
    return StoreBytes(*Bytes);
  }
  if (FLevel == TLevel::SubItems || (FLevel == TLevel::Card && (FKey == "text" || FKey == "hint")))
    return StoreBytes(std::move(Value));
  return Unexpected();
}

bool TCardSax::start_object(std::size_t) {
  switch (FLevel) {
    case TLevel::Start: FLevel = TLevel::Document; return true;
    case TLevel::Cards:
      FLevel = TLevel::Card;
      FKey.clear();
      FHaveText = false;
      FCard.SetText(std::string());
      FCard.SetData(nullptr);
      FCard.GetSubItems()->Clear();
      FCard.SetShowHint(true);
      FCard.SetHint(std::string());
      return true;
    case TLevel::Card:
      if (FKey != "text" && FKey != "hint") return Unexpected();
      [[fallthrough]];
    case TLevel::SubItems:
      FBytesOwner = FLevel;
      FLevel = TLevel::Base64;
      FHaveBase64 = false;
      return true;
    default: return Unexpected();
  }
}

bool TCardSax::key(string_t& Key) {
  if (FLevel == TLevel::Document && Key != "cards") Fail("the document has an unknown field \"" + Key + "\"");
  if (FLevel == TLevel::Card && Key != "text" && Key != "data" && Key != "subItems" && Key != "showHint" && Key != "hint")
    Fail(Where() + " has an unknown field \"" + Key + "\"");
  if (FLevel == TLevel::Base64 && (Key != "base64" || FHaveBase64)) return Unexpected();
  if (FLevel != TLevel::Base64) FKey = Key;
  return true;
}

bool TCardSax::end_object() {
  switch (FLevel) {
    case TLevel::Document:
      if (!FHaveCards) return Unexpected();
      FLevel = TLevel::End;
      return true;
    case TLevel::Card:
      if (!FHaveText) Fail(Where() + " has no \"text\"");
      if (FCount == std::numeric_limits<int>::max()) Fail("a card file holds at most 2147483647 cards");
      FCard.WriteData(&FPending);
      if (FPending.GetSize() >= PendingSize) Flush();
      ++FCount;
      FLevel = TLevel::Cards;
      return true;
    case TLevel::Base64:
      if (!FHaveBase64) return Unexpected();
      FLevel = FBytesOwner;
      return true;
    default: return Unexpected();
  }
}

bool TCardSax::start_array(std::size_t) {
  if (FLevel == TLevel::Document && FKey == "cards" && !FHaveCards) {
    FHaveCards = true;
    FLevel = TLevel::Cards;
    return true;
  }
  if (FLevel == TLevel::Card && FKey == "subItems") {
    FCard.GetSubItems()->Clear();
    FLevel = TLevel::SubItems;
    return true;
  }
  return Unexpected();
}

bool TCardSax::end_array() {
  if (FLevel == TLevel::Cards) FLevel = TLevel::Document;
  else if (FLevel == TLevel::SubItems) FLevel = TLevel::Card;
  return true;
}

bool TCardSax::parse_error(std::size_t Position, const std::string&, const nlohmann::detail::exception& Error) {
  if (FSource.ZeroAt() >= 0 && static_cast<std::int64_t>(Position) > FSource.ZeroAt())
    Fail("a zero byte at byte offset " + std::to_string(FSource.ZeroAt()) + ", which JSON does not allow");
  Fail("not JSON at byte offset " + std::to_string(Position) + ": " + Error.what());
}

}  // namespace

int ReadCardsJson(vcl::TStream& In, vcl::TStream& Out) {
  const std::int64_t Start = Out.GetPosition();
  TOstrelItems::WriteHeader(&Out, 0);
  TJsonSource Source(In);
  TCardSax Sax(Out, Source);
  json::sax_parse(TJsonBytes(Source), TJsonBytes(), &Sax);
  Sax.Flush();
  const std::int64_t End = Out.GetPosition();
  Out.SetPosition(Start);
  TOstrelItems::WriteHeader(&Out, Sax.Count());
  Out.SetPosition(End);
  return Sax.Count();
}

}  // namespace cards
