// ostrel-cards: card files for people who keep their contacts in them.
//   ostrel-cards to-json FILE                         print the cards of FILE as JSON
//   ostrel-cards from-json JSON OUT                   write the cards of JSON to the card file OUT
//   ostrel-cards to-vcard FILE [OUT]                  the cards of FILE as vCard 3.0
//   ostrel-cards from-vcard VCF OUT                   the contacts of a vCard file as cards
//   ostrel-cards to-csv FILE [OUT]                    the cards of FILE as CSV
//   ostrel-cards from-csv CSV OUT                     the rows of a CSV file as cards
//   ostrel-cards generate --count N [--seed S] OUT    write N generated contacts to OUT, a card
//                                                     file, or vCard (.vcf) or CSV (.csv) by its name
// "-" for a file is the standard input or output; an output left out is the standard output.
// Exit status: 0 done, 1 bad input (the message says what and where), 2 wrong usage.

#include <charconv>
#include <iostream>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "CardFiles.h"
#include "CardJson.h"
#include "ContactGenerator.h"
#include "Csv.h"
#include "VCard.h"
#include "Ostrel.h"

using namespace vcl;
using namespace ostrel;

namespace {

constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;

const char* const Usage =
    "usage: ostrel-cards to-json FILE\n"
    "       ostrel-cards from-json JSON OUT\n"
    "       ostrel-cards to-vcard FILE [OUT]\n"
    "       ostrel-cards from-vcard VCF OUT\n"
    "       ostrel-cards to-csv FILE [OUT]\n"
    "       ostrel-cards from-csv CSV OUT\n"
    "       ostrel-cards generate --count N [--seed S] OUT\n"
    "FILE is a card file; \"-\" names the standard input or output.\n";

// What --help adds to the usage.
const char* const Details =
    "\n"
    "vCard and CSV go a card at a time. What a reader changes or drops is told on the\n"
    "standard error as a warning (the exit status stays 0): a card without END:VCARD (the\n"
    "next BEGIN:VCARD starts a new card), a zero byte (shown as U+FFFD), bytes that are not\n"
    "UTF-8 (each read as Windows-1252), a vCard group label or type list over 256 bytes (the\n"
    "label kept once as the line \"Label (GROUP)=...\", the types on a note's first line only),\n"
    "a CSV column name over 256 bytes (cut to 256). UTF-16 files with or without a byte-order\n"
    "mark are read. A file that has no BEGIN:VCARD in its first 64 KiB is not a vCard file; a\n"
    "card, line or CSV record over 64 MiB stops the reading.\n"
    "to-csv writes a column per line name (at most 256) and, last, \"Ostrel line order\", which\n"
    "keeps the order of a card's lines, lines with an empty value and empty cards: from-csv\n"
    "gives back every card as it went. A cell a spreadsheet would take for a formula (starting\n"
    "with = + - @, a tab or a CR) gets an apostrophe before it, unless it is a phone number\n"
    "(digits, spaces and + - ( ) / . only); from-csv takes the apostrophe off again.\n"
    "to-csv reads a card file twice; from a pipe it holds the card file in memory.\n";

const std::string StandardStream = "-";

// Reading "-" opens the standard input, whatever it is.
AnsiString InputName(const std::string& Name) { return Name == StandardStream ? AnsiString("/dev/stdin") : Name; }

int UsageError(const std::string& Problem) {
  std::cerr << "ostrel-cards: " << Problem << "\n" << Usage;
  return ExitUsage;
}

int InputError(const std::string& Problem) {
  std::cerr << "ostrel-cards: " << Problem << "\n";
  return ExitBadInput;
}

int WriteStandardOutput(const std::string& Bytes) {
  std::cout.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  std::cout.flush();
  return std::cout ? 0 : InputError("cannot write to the standard output");
}

std::string BytesOf(TMemoryStream& Stream) {
  return std::string(reinterpret_cast<const char*>(Stream.Memory()), static_cast<std::size_t>(Stream.GetSize()));
}

// The cards of a card view without a window to the card file OutName, or "-".
int SaveCards(TOstrel& Cards, const std::string& OutName) {
  if (OutName != StandardStream) {
    Cards.SaveToFile(OutName);
    return 0;
  }
  TMemoryStream Staged;
  Cards.SaveToStream(&Staged);
  return WriteStandardOutput(BytesOf(Staged));
}

int ToJson(const std::string& FileName) {
  TFileStream File(InputName(FileName), fmOpenRead);
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
  TFileStream In(InputName(JsonName), fmOpenRead);
  if (OutName == StandardStream) {
    TMemoryStream Staged;
    try {
      cards::ReadCardsJson(In, Staged);
    } catch (const cards::ECardJsonError& E) {
      return InputError(JsonName + ": " + E.what());
    }
    return WriteStandardOutput(BytesOf(Staged));
  }
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

// Text to OutName, or to the standard output when there is none or it is "-", in blocks as
// it comes; a file is replaced only once all of it is written (Finish).
class TTextOut {
public:
  explicit TTextOut(const std::string& OutName) {
    if (!OutName.empty() && OutName != StandardStream) FFile = std::make_unique<TSafeFileStream>(OutName);
  }
  void Write(std::string_view Text) {
    FPending.append(Text);
    if (FPending.size() >= BlockSize) Flush();
  }
  int Finish() {
    Flush();
    if (FFile) {
      FFile->Commit();
      return 0;
    }
    std::cout.flush();
    return std::cout ? 0 : InputError("cannot write to the standard output");
  }

private:
  static constexpr std::size_t BlockSize = 1 << 20;
  void Flush() {
    if (FFile) {
      FFile->WriteBuffer(FPending.data(), static_cast<long>(FPending.size()));
    } else {
      std::cout.write(FPending.data(), static_cast<std::streamsize>(FPending.size()));
      if (!std::cout) throw Exception("cannot write to the standard output");
    }
    FPending.clear();
  }
  std::unique_ptr<TSafeFileStream> FFile;
  std::string FPending;
};

// The cards of a card file from its position, a card at a time: Each gets the caption and
// lines of each.
template <class TEach>
int ForEachContact(TStream& File, const std::string& FileName, TEach&& Each) {
  try {
    const int Count = cards::ReadCardCount(&File);
    TOstrelItem Card(nullptr);
    for (int I = 0; I < Count; ++I) {
      Card.ReadData(&File);
      Each(cards::ContactOf(Card));
    }
    cards::ExpectEndOfCards(&File);
  } catch (const EOstrelReadError& E) {
    return InputError(EOstrelReadError(FileName, E.GetOffset(), E.GetProblem()).Message());
  }
  return 0;
}

int ToVCard(const std::string& FileName, const std::string& OutName) {
  TFileStream File(InputName(FileName), fmOpenRead);
  TTextOut Out(OutName);
  if (const int Status = ForEachContact(File, FileName, [&](const cards::TContactCard& Contact) { Out.Write(cards::VCardOf(Contact)); }))
    return Status;
  return Out.Finish();
}

// The header needs every card's line names before the first row: two passes over the card
// file, which a pipe gives only once, so a pipe's card file is held in memory.
int ToCsv(const std::string& FileName, const std::string& OutName) {
  TFileStream File(InputName(FileName), fmOpenRead);
  TMemoryStream Staged;
  TStream* Cards = &File;
  if (!File.SizeKnown()) {
    char Block[65536];
    while (const long Got = File.Read(Block, sizeof Block)) Staged.WriteBuffer(Block, Got);
    Staged.SetPosition(0);
    Cards = &Staged;
  }
  const std::int64_t Start = Cards->GetPosition();
  cards::TCsvLayout Layout;
  if (const int Status = ForEachContact(*Cards, FileName, [&](const cards::TContactCard& Contact) { Layout.Add(Contact); }))
    return Status;
  Layout.Finish();
  Cards->SetPosition(Start);
  TTextOut Out(OutName);
  Out.Write(Layout.Header());
  if (const int Status = ForEachContact(*Cards, FileName, [&](const cards::TContactCard& Contact) { Out.Write(Layout.RowOf(Contact)); }))
    return Status;
  return Out.Finish();
}

// What a reader changed or dropped, on the standard error; the conversion still succeeds.
void PrintWarnings(const std::string& InName, const cards::TReadReport& Report) {
  for (const std::string& Warning : Report.Lines()) std::cerr << "ostrel-cards: warning: " << InName << ": " << Warning << "\n";
}

using TReader = void (*)(cards::TByteSource&, const cards::TContactSink&, cards::TReadReport&);

// The contacts that Read finds in In as a card file from Out's position, a card at a time:
// the count is set at the end, so Out must be able to seek back.
void WriteContacts(TStream& In, TReader Read, cards::TReadReport& Report, TStream& Out) {
  const std::int64_t Start = Out.GetPosition();
  TOstrelItems::WriteHeader(&Out, 0);
  cards::TStreamSource Source(In);
  TOstrelItem Card(nullptr);
  TMemoryStream Pending;  // cards are written in blocks, not a field at a time
  AnsiString Lines;       // a card's lines as one text, the room reused from card to card
  int Count = 0;
  Read(Source, [&](cards::TContactCard& Contact) {
    if (Count == std::numeric_limits<int>::max()) throw cards::EFormatError("a card file holds at most 2147483647 cards");
    Card.SetText(Contact.Caption);
    // The lines go in at once: the readers' lines hold no line breaks.
    Lines.clear();
    for (const std::string& Line : Contact.Lines) (Lines += Line) += "\r\n";
    Card.GetSubItems()->SetTextStr(Lines);
    Card.WriteData(&Pending);
    ++Count;
    if (Pending.GetSize() >= (1 << 20)) {
      Pending.SaveToStream(&Out);
      Pending.Clear();
    }
  }, Report);
  Pending.SaveToStream(&Out);
  const std::int64_t End = Out.GetPosition();
  Out.SetPosition(Start);
  TOstrelItems::WriteHeader(&Out, Count);
  Out.SetPosition(End);
}

// The contacts that Read finds in the text file InName, as the card file OutName.
int FromText(const std::string& InName, const std::string& OutName, TReader Read) {
  TFileStream In(InputName(InName), fmOpenRead);
  cards::TReadReport Report;
  try {
    if (OutName == StandardStream) {
      TMemoryStream Staged;
      WriteContacts(In, Read, Report, Staged);
      PrintWarnings(InName, Report);
      return WriteStandardOutput(BytesOf(Staged));
    }
    TSafeFileStream Out(OutName);
    if (Out.Replaces()) {
      WriteContacts(In, Read, Report, Out);
    } else {
      // A pipe or a device cannot go back to the card count: the cards wait in memory.
      TMemoryStream Staged;
      WriteContacts(In, Read, Report, Staged);
      Staged.SaveToStream(&Out);
    }
    Out.Commit();
  } catch (const cards::EFormatError& E) {
    PrintWarnings(InName, Report);
    return InputError(InName + ": " + E.what());
  }
  PrintWarnings(InName, Report);
  return 0;
}

// Generated cards in the format OutName's extension names: a card file, vCard or CSV.
int SaveGenerated(TOstrelItems& Items, const std::string& OutName) {
  const cards::TContactFormat Format = cards::FormatOfFileName(OutName);
  if (Format == cards::TContactFormat::Cards) return SaveCards(*Items.GetTable(), OutName);
  const auto Contact = [&](int I) { return cards::ContactOf(*Items.GetItemFromIndex(I)); };
  cards::TCsvLayout Layout;
  TTextOut Out(OutName);
  if (Format == cards::TContactFormat::Csv) {
    for (int I = 0; I < Items.GetCount(); ++I) Layout.Add(Contact(I));
    Layout.Finish();
    Out.Write(Layout.Header());
  }
  for (int I = 0; I < Items.GetCount(); ++I)
    Out.Write(Format == cards::TContactFormat::VCard ? cards::VCardOf(Contact(I)) : Layout.RowOf(Contact(I)));
  return Out.Finish();
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
    } else if (!Arg.empty() && Arg[0] == '-' && Arg != StandardStream) {
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
  return SaveGenerated(*Cards->GetItems(), OutName);
}

int Run(const std::vector<std::string>& Args) {
  if (Args.empty()) return UsageError("no command");
  const std::string& Command = Args[0];
  const std::vector<std::string> Rest(Args.begin() + 1, Args.end());
  if (Command == "--help" || Command == "-h" || Command == "help") {
    std::cout << Usage << Details;
    return 0;
  }
  if (Command == "to-vcard" || Command == "to-csv") {
    if (Rest.empty() || Rest.size() > 2) return UsageError(Command + " takes a card file and an optional output file");
    const std::string OutName = Rest.size() == 2 ? Rest[1] : std::string();
    return Command == "to-vcard" ? ToVCard(Rest[0], OutName) : ToCsv(Rest[0], OutName);
  }
  if (Command == "from-vcard" || Command == "from-csv") {
    if (Rest.size() != 2) return UsageError(Command + " takes an input file and an output file");
    return FromText(Rest[0], Rest[1], Command == "from-vcard" ? TReader(&cards::ReadVCards) : TReader(&cards::ReadCsv));
  }
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
