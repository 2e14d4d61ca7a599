// ostrel-cards: card files for people who keep their contacts in them.
//   ostrel-cards to-json FILE                         print the cards of FILE as JSON
//   ostrel-cards from-json JSON OUT                   write the cards of JSON to the card file OUT
//   ostrel-cards generate --count N [--seed S] OUT    write N generated contact cards to OUT
// Exit status: 0 done, 1 bad input (the message says what and where), 2 wrong usage.

#include <charconv>
#include <iostream>
#include <memory>
#include <new>
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

int ToJson(const std::string& FileName) {
  TFileStream File(FileName, fmOpenRead);
  std::ios::sync_with_stdio(false);
  try {
    cards::WriteCardsJson(File, std::cout);
  } catch (const EOstrelReadError& E) {
    std::cout.flush();
    return InputError(EOstrelReadError(FileName, E.GetOffset(), E.GetProblem()).Message());
  }
  std::cout.flush();
  return std::cout ? 0 : InputError("cannot write to the standard output");
}

int FromJson(const std::string& JsonName, const std::string& OutName) {
  TFileStream In(JsonName, fmOpenRead);
  TSafeFileStream Out(OutName);
  try {
    if (Out.Replaces()) {
      cards::ReadCardsJson(In, Out);
    } else {
      // A pipe or a device cannot go back to the card count: the cards wait in memory.
      TMemoryStream Staged;
      cards::ReadCardsJson(In, Staged);
      Staged.SaveToStream(&Out);
    }
  } catch (const cards::ECardJsonError& E) {
    return InputError(JsonName + ": " + E.what());
  }
  Out.Commit();
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
  // A card view without a window holds the cards and writes the card file.
  const auto Cards = std::make_unique<TOstrel>(nullptr);
  cards::GenerateContacts(*Cards->GetItems(), static_cast<int>(Count), Seed);
  Cards->SaveToFile(OutName);
  return 0;
}

int Run(const std::vector<std::string>& Args) {
  if (Args.empty()) return UsageError("no command");
  const std::string& Command = Args[0];
  const std::vector<std::string> Rest(Args.begin() + 1, Args.end());
  if (Command == "to-json") return Rest.size() == 1 ? ToJson(Rest[0]) : UsageError("to-json takes one card file");
  if (Command == "from-json")
    return Rest.size() == 2 ? FromJson(Rest[0], Rest[1]) : UsageError("from-json takes a JSON file and an output file");
  if (Command == "generate") return Generate(Rest);
  return UsageError("unknown command \"" + Command + "\"");
}

}  // namespace

// Files that cannot be read or written, and input too large for the memory there is, end
// with a message and status 1; the messages of the framework name the file and the reason.
int main(int Argc, char** Argv) {
  try {
    return Run(std::vector<std::string>(Argv + (Argc > 0 ? 1 : 0), Argv + Argc));
  } catch (const Exception& E) {
    return InputError(E.Message());
  } catch (const std::bad_alloc&) {
    return InputError("out of memory");
  }
}
