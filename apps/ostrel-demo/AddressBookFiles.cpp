// Reading and writing the address book's files: card files as the card view stores them,
// vCard and CSV files through the contact formats.

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "AddressBook.h"
#include "ByteSource.h"
#include "CardFiles.h"
#include "ContactCards.h"
#include "Csv.h"
#include "OstrelStreamBuffers.h"
#include "VCard.h"

using namespace vcl;
using namespace ostrel;

namespace demo {

AnsiString CardCount(int Count) { return IntToStr(Count) + (Count == 1 ? " card" : " cards"); }

void AppendContactKey(TAnsiTextKeys& Keys, TOstrelItem* Card, AnsiString& Key) {
  const AnsiString Name = Card->GetText();
  Keys.AppendKey(Name, Key);
  // Both keys end below every byte that could follow them: the lines count only between
  // cards of the same name.
  AppendOrdinalKey(Name, Key);
  Key += Card->GetSubItems()->GetTextStr();
}

namespace {

using TClock = std::chrono::steady_clock;

// Passes progress on at most every Interval, and the first time at once: a small file turns
// the message loop once, a large one a few times a second. While cards are read straight
// into a view that shows them, their batch is closed for each report, so that the view
// lays out and paints the cards read so far and never a list in the middle of a change.
class TPacer {
public:
  static constexpr std::chrono::milliseconds Interval{200};
  TPacer(const TProgress& Progress, TOstrelItems* Shown) : FProgress(Progress), FShown(Shown) {}
  // False when the user asked to cancel.
  bool operator()(std::int64_t Done, std::int64_t Total) {
    const TClock::time_point Now = TClock::now();
    if (!FProgress || Now < FNext) return true;
    FNext = Now + Interval;
    if (!FShown) return FProgress(Done, Total);
    bool Go = true;
    FShown->EndUpdate();
    try {
      Go = FProgress(Done, Total);
    } catch (...) {
      FShown->BeginUpdate();
      throw;
    }
    FShown->BeginUpdate();
    return Go;
  }
  // For a reader: stops it with EWorkCancelled when the user cancelled.
  void Check(std::int64_t Done, std::int64_t Total) {
    if (!(*this)(Done, Total)) throw EWorkCancelled();
  }

private:
  const TProgress& FProgress;
  TOstrelItems* FShown;
  TClock::time_point FNext{};
};

// The bytes of a file as a reader takes them, reporting how far it got.
class TPacedSource final : public cards::TByteSource {
public:
  TPacedSource(TStream& File, TPacer& Pace) : FFile(File), FSize(File.GetSize()), FPace(Pace) {}
  std::size_t Read(char* Into, std::size_t Size) override {
    FPace.Check(FDone, FSize);
    const std::size_t Count = FFile.Read(Into, Size);
    FDone += static_cast<std::int64_t>(Count);
    return Count;
  }

private:
  cards::TStreamSource FFile;
  std::int64_t FSize;
  std::int64_t FDone = 0;
  TPacer& FPace;
};

// The contacts of a vCard or CSV file appended to Items, a card at a time; the warnings
// of the reader, one a line, naming the file.
AnsiString ReadContacts(TOstrelItems& Items, const AnsiString& FileName, cards::TContactFormat Format, TPacer& Pace) {
  TFileStream File(FileName, fmOpenRead);
  TPacedSource Source(File, Pace);
  cards::TReadReport Report;
  const cards::TContactSink Add = [&](cards::TContactCard& Contact) { cards::AddContact(Items, Contact); };
  try {
    if (Format == cards::TContactFormat::VCard) cards::ReadVCards(Source, Add, Report);
    else cards::ReadCsv(Source, Add, Report);
  } catch (const cards::EFormatError& E) {
    throw Exception(FileName + ": " + E.what());
  }
  // A message box shows the first few; the count says how many more there were.
  constexpr std::size_t Shown = 10;
  AnsiString Warnings;
  for (std::size_t I = 0; I < Report.Warnings.size() && I < Shown; ++I)
    Warnings += (I == 0 ? "" : "\n") + FileName + ": " + Report.Warnings[I];
  if (const std::size_t More = Report.Warnings.size() + Report.Unlisted - std::min(Report.Warnings.size(), Shown))
    Warnings += "\n" + FileName + ": and " + std::to_string(More) + " more warning" + (More == 1 ? "" : "s");
  return Warnings;
}

// A pipe or a device would block the window in open() until another program writes to it,
// and the address book could never save back to it: only regular files are opened.
void ExpectRegularFile(const AnsiString& FileName) {
  struct stat Info {};
  if (::stat(FileName.c_str(), &Info) != 0) return;  // the open names the reason
  if (!S_ISREG(Info.st_mode) && !S_ISDIR(Info.st_mode))
    throw Exception(FileName + ": not a regular file (a pipe, a socket or a device)");
}

// The cards of a card file appended to Items a card at a time, through the same buffer as
// LoadFromFile, and nothing after its last card.
void ReadCardFile(TOstrelItems& Items, const AnsiString& FileName, TPacer& Pace) {
  TFileStream File(FileName, fmOpenRead);
  TReadAheadStream Buffered(&File);
  const std::int64_t Size = Buffered.GetSize();
  try {
    const int Count = cards::ReadCardCount(&Buffered);
    for (int I = 0; I < Count; ++I) {
      if (I % 1024 == 0) Pace.Check(Buffered.GetPosition(), Size);
      Items.Add(AnsiString())->ReadData(&Buffered);
    }
    cards::ExpectEndOfCards(&Buffered);
  } catch (const EOstrelReadError& E) {
    throw EOstrelReadError(FileName, E.GetOffset(), E.GetProblem());
  }
}

// Reads the file into Cards, which are empty, in one batch that Pace opens now and then;
// sorted once at the end when Cards are.
AnsiString ReadFileInto(TOstrel* Cards, const AnsiString& FileName, cards::TContactFormat Format, TPacer& Pace) {
  TOstrelItems& Items = *Cards->GetItems();
  AnsiString Warnings;
  const TUpdateGuard Batch(Items);
  if (Format == cards::TContactFormat::Cards) ReadCardFile(Items, FileName, Pace);
  else Warnings = ReadContacts(Items, FileName, Format, Pace);
  if (Cards->GetSorted()) Items.Sort();
  return Warnings;
}

AnsiString OpenContacts(TOstrel* Cards, const AnsiString& FileName, const TProgress& Progress) {
  ExpectRegularFile(FileName);
  const cards::TContactFormat Format = cards::FormatOfFileName(FileName);
  // An empty view has no cards to lose: the file is read straight into it, and fills as it
  // is read; a file that cannot be read, or a cancelled open, leaves it empty again. A copy
  // would cost a second million cards and the freeing of the first before anything shows.
  if (Cards->GetItems()->GetCount() == 0) {
    TPacer Pace(Progress, Cards->GetItems());
    try {
      return ReadFileInto(Cards, FileName, Format, Pace);
    } catch (...) {
      Cards->GetItems()->Clear();
      throw;
    }
  }
  // Otherwise into a scratch view first: a damaged file must not cost the cards on show.
  TPacer Pace(Progress, nullptr);
  const auto Scratch = std::make_unique<TOstrel>(nullptr);
  const AnsiString Warnings = ReadFileInto(Scratch.get(), FileName, Format, Pace);
  // A copy sorts, as loading a sorted view does; an unsorted view keeps the file's order.
  if (Cards->GetSorted()) {
    Cards->GetItems()->Assign(Scratch->GetItems());
    return Warnings;
  }
  TMemoryStream Copy;
  Scratch->SaveToStream(&Copy);
  Copy.SetPosition(0);
  Cards->LoadFromStream(&Copy);
  return Warnings;
}

void WriteContacts(TOstrel* Cards, const AnsiString& FileName, const TProgress& Progress) {
  const cards::TContactFormat Format = cards::FormatOfFileName(FileName);
  TOstrelItems* Items = Cards->GetItems();
  const int Count = Items->GetCount();
  TSafeFileStream Out(FileName);
  TPacer Pace(Progress, nullptr);
  // Cancelling loses nothing while the bytes go to a temporary file: the target is only
  // replaced at the end. Written in place (a pipe), the save goes on to the end.
  const auto Step = [&](std::int64_t Done, std::int64_t Total) {
    if (!Pace(Done, Total) && Out.Replaces()) throw EWorkCancelled();
  };
  if (Format == cards::TContactFormat::Cards) {
    TWriteBehindStream Buffered(&Out);
    TOstrelItems::WriteHeader(&Buffered, Count);
    for (int I = 0; I < Count; ++I) {
      if (I % 1024 == 0) Step(I, Count);
      Items->GetItemFromIndex(I)->WriteData(&Buffered);
    }
    Buffered.Flush();
    Out.Commit();
    return;
  }
  // A card at a time, in blocks; CSV goes over the cards twice, for its header first.
  std::string Text;
  auto Write = [&](const std::string& Part, bool Last) {
    Text += Part;
    if (Last || Text.size() >= (1 << 20)) {
      Out.WriteBuffer(Text.data(), static_cast<long>(Text.size()));
      Text.clear();
    }
  };
  const bool Csv = Format == cards::TContactFormat::Csv;
  const std::int64_t Steps = Csv ? 2 * std::int64_t{Count} : Count;
  cards::TCsvLayout Layout;
  if (Csv) {
    for (int I = 0; I < Count; ++I) {
      if (I % 1024 == 0) Step(I, Steps);
      Layout.Add(cards::ContactOf(*Items->GetItemFromIndex(I)));
    }
    Layout.Finish();
    Write(Layout.Header(), false);
  }
  for (int I = 0; I < Count; ++I) {
    if (I % 1024 == 0) Step(Steps - Count + I, Steps);
    const cards::TContactCard Contact = cards::ContactOf(*Items->GetItemFromIndex(I));
    Write(Csv ? Layout.RowOf(Contact) : cards::VCardOf(Contact), false);
  }
  Write(std::string(), true);
  Out.Commit();
}

}  // namespace

// Running out of memory is a failure like any other: the message names the file, and the
// cards on show stay as they were.
void LoadContacts(TOstrel* Cards, const AnsiString& FileName, AnsiString* Warnings, const TProgress& Progress) {
  try {
    const AnsiString Told = OpenContacts(Cards, FileName, Progress);
    if (Warnings) *Warnings = Told;
  } catch (const std::bad_alloc&) {
    throw Exception(FileName + ": not enough memory to open it");
  }
}

void SaveContacts(TOstrel* Cards, const AnsiString& FileName, const TProgress& Progress) {
  try {
    WriteContacts(Cards, FileName, Progress);
  } catch (const std::bad_alloc&) {
    throw Exception(FileName + ": not enough memory to save it; the file was left as it was");
  }
}

}  // namespace demo
