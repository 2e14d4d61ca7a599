// ostrel-cards: card files for people who keep their contacts in them.
//   ostrel-cards to-json FILE                         print the cards of FILE as JSON
//   ostrel-cards from-json JSON OUT                   write the cards of JSON to the card file OUT
//   ostrel-cards generate --count N [--seed S] OUT    write N generated contact cards to OUT
// Exit status: 0 done, 1 bad input (the message says what and where), 2 wrong usage.

#include <charconv>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "CardJson.h"
#include "ContactGenerator.h"
#include "Ostrel.h"

using namespace vcl;
using namespace ostrel;

namespace {

constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;

const char* const Usage =
    "usage: ostrel-cards to-json FILE\n"
    "       ostrel-cards from-json JSON OUT\n"
    "       ostrel-cards generate --count N [--seed S] OUT\n";

int UsageError(const std::string& Problem) {
  std::cerr << "ostrel-cards: " << Problem << "\n" << Usage;
  return ExitUsage;
}

int InputError(const std::string& Problem) {
  std::cerr << "ostrel-cards: " << Problem << "\n";
  return ExitBadInput;
}

// A card view without a window: it holds the cards and reads and writes card files.
std::unique_ptr<TOstrel> NewCardView() { return std::make_unique<TOstrel>(nullptr); }

int ToJson(const std::string& FileName) {
  auto Cards = NewCardView();
  TMemoryStream Stream;
  try {
    Stream.LoadFromFile(FileName);
  } catch (const Exception& E) {
    return InputError(E.Message());
  }
  try {
    Cards->LoadFromStream(&Stream);
  } catch (const Exception& E) {
    return InputError(FileName + ": not a card file: " + E.Message() + " at byte offset " +
                      std::to_string(Stream.GetPosition()));
  }
  std::ios::sync_with_stdio(false);
  cards::WriteCardsJson(*Cards->GetItems(), std::cout);
  std::cout.flush();
  return std::cout ? 0 : InputError("cannot write to the standard output");
}

int FromJson(const std::string& JsonName, const std::string& OutName) {
  std::ifstream In(JsonName, std::ios::binary);
  if (!In) return InputError("cannot open " + JsonName);
  nlohmann::json Document;
  try {
    Document = nlohmann::json::parse(In);
  } catch (const nlohmann::json::parse_error& E) {
    return InputError(JsonName + ": not JSON at byte offset " + std::to_string(E.byte) + ": " + E.what());
  }
  auto Cards = NewCardView();
  try {
    cards::ReadCardsJson(Document, *Cards->GetItems());
  } catch (const cards::ECardJsonError& E) {
    return InputError(JsonName + ": " + E.what());
  }
  try {
    Cards->SaveToFile(OutName);
  } catch (const Exception& E) {
    return InputError(E.Message());
  }
  return 0;
}

bool ParseNumber(const std::string& Text, std::uint64_t& Value) {
  const char* End = Text.data() + Text.size();
  auto [Ptr, Error] = std::from_chars(Text.data(), End, Value);
  return !Text.empty() && Error == std::errc() && Ptr == End;
}

int Generate(const std::vector<std::string>& Args) {
  std::uint64_t Count = 0;
  std::uint64_t Seed = 1;
  bool HaveCount = false;
  std::string OutName;
  for (std::size_t I = 0; I < Args.size(); ++I) {
    const std::string& Arg = Args[I];
    if (Arg == "--count" || Arg == "--seed") {
      if (I + 1 >= Args.size()) return UsageError(Arg + " needs a number");
      std::uint64_t& Target = Arg == "--count" ? Count : Seed;
      if (!ParseNumber(Args[++I], Target)) return UsageError(Arg + " needs a number, not \"" + Args[I] + "\"");
      HaveCount = HaveCount || Arg == "--count";
    } else if (!Arg.empty() && Arg[0] == '-') {
      return UsageError("unknown option " + Arg);
    } else if (OutName.empty()) {
      OutName = Arg;
    } else {
      return UsageError("one output file only");
    }
  }
  if (!HaveCount) return UsageError("generate needs --count");
  if (Count > 100'000'000) return UsageError("--count is at most 100000000");
  if (OutName.empty()) return UsageError("generate needs an output file");
  auto Cards = NewCardView();
  cards::GenerateContacts(*Cards->GetItems(), static_cast<int>(Count), Seed);
  try {
    Cards->SaveToFile(OutName);
  } catch (const Exception& E) {
    return InputError(E.Message());
  }
  return 0;
}

}  // namespace

int main(int Argc, char** Argv) {
  const std::vector<std::string> Args(Argv + (Argc > 0 ? 1 : 0), Argv + Argc);
  if (Args.empty()) return UsageError("no command");
  const std::string& Command = Args[0];
  const std::vector<std::string> Rest(Args.begin() + 1, Args.end());
  if (Command == "to-json") return Rest.size() == 1 ? ToJson(Rest[0]) : UsageError("to-json takes one card file");
  if (Command == "from-json")
    return Rest.size() == 2 ? FromJson(Rest[0], Rest[1]) : UsageError("from-json takes a JSON file and an output file");
  if (Command == "generate") return Generate(Rest);
  return UsageError("unknown command \"" + Command + "\"");
}
