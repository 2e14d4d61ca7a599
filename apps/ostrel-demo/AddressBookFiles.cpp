// Reading and writing the address book's files: card files as the card view stores them,
// vCard and CSV files through the contact formats.

#include <sys/stat.h>

#include <algorithm>
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

// The contacts of a vCard or CSV file appended to Items, a card at a time, in one batch;
// the warnings of the reader, one a line, naming the file.
AnsiString ReadContacts(TOstrelItems& Items, const AnsiString& FileName, cards::TContactFormat Format) {
  TFileStream File(FileName, fmOpenRead);
  cards::TStreamSource Source(File);
  cards::TReadReport Report;
  const cards::TContactSink Add = [&](cards::TContactCard& Contact) { cards::AddContact(Items, Contact); };
  {
    const TUpdateGuard Batch(Items);
    try {
      if (Format == cards::TContactFormat::VCard) cards::ReadVCards(Source, Add, Report);
      else cards::ReadCsv(Source, Add, Report);
    } catch (const cards::EFormatError& E) {
      throw Exception(FileName + ": " + E.what());
    }
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

// The card file whole, through the same buffer as LoadFromFile, and nothing after its
// last card.
void LoadCardFile(TOstrel* Cards, const AnsiString& FileName) {
  TFileStream File(FileName, fmOpenRead);
  TReadAheadStream Buffered(&File);
  try {
    cards::ReadCardCount(&Buffered);
    Buffered.SetPosition(0);
    Cards->LoadFromStream(&Buffered);
    cards::ExpectEndOfCards(&Buffered);
  } catch (const EOstrelReadError& E) {
    throw EOstrelReadError(FileName, E.GetOffset(), E.GetProblem());
  }
}

// Reads the file into Cards, which are empty: a card file as the view stores it (sorted
// as the view sorts), a vCard or CSV file a card at a time, sorted once at the end.
AnsiString ReadFileInto(TOstrel* Cards, const AnsiString& FileName, cards::TContactFormat Format) {
  if (Format == cards::TContactFormat::Cards) {
    LoadCardFile(Cards, FileName);
    return AnsiString();
  }
  AnsiString Warnings = ReadContacts(*Cards->GetItems(), FileName, Format);
  if (Cards->GetSorted()) Cards->GetItems()->Sort();
  return Warnings;
}

AnsiString OpenContacts(TOstrel* Cards, const AnsiString& FileName) {
  ExpectRegularFile(FileName);
  const cards::TContactFormat Format = cards::FormatOfFileName(FileName);
  // An empty view has no cards to lose: the file is read straight into it, and a file that
  // cannot be read leaves it empty again. A copy would cost a second million cards and the
  // freeing of the first before anything shows.
  if (Cards->GetItems()->GetCount() == 0) {
    try {
      return ReadFileInto(Cards, FileName, Format);
    } catch (...) {
      Cards->GetItems()->Clear();
      throw;
    }
  }
  // Otherwise into a scratch view first: a damaged file must not cost the cards on show.
  const auto Scratch = std::make_unique<TOstrel>(nullptr);
  const AnsiString Warnings = ReadFileInto(Scratch.get(), FileName, Format);
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

void WriteContacts(TOstrel* Cards, const AnsiString& FileName) {
  const cards::TContactFormat Format = cards::FormatOfFileName(FileName);
  if (Format == cards::TContactFormat::Cards) {
    Cards->SaveToFile(FileName);
    return;
  }
  // A card at a time, in blocks; CSV goes over the cards twice, for its header first.
  TOstrelItems* Items = Cards->GetItems();
  TSafeFileStream Out(FileName);
  std::string Text;
  auto Write = [&](const std::string& Part, bool Last) {
    Text += Part;
    if (Last || Text.size() >= (1 << 20)) {
      Out.WriteBuffer(Text.data(), static_cast<long>(Text.size()));
      Text.clear();
    }
  };
  cards::TCsvLayout Layout;
  if (Format == cards::TContactFormat::Csv) {
    for (int I = 0; I < Items->GetCount(); ++I) Layout.Add(cards::ContactOf(*Items->GetItemFromIndex(I)));
    Layout.Finish();
    Write(Layout.Header(), false);
  }
  for (int I = 0; I < Items->GetCount(); ++I) {
    const cards::TContactCard Contact = cards::ContactOf(*Items->GetItemFromIndex(I));
    Write(Format == cards::TContactFormat::VCard ? cards::VCardOf(Contact) : Layout.RowOf(Contact), false);
  }
  Write(std::string(), true);
  Out.Commit();
}

}  // namespace

// Running out of memory is a failure like any other: the message names the file, and the
// cards on show stay as they were.
void LoadContacts(TOstrel* Cards, const AnsiString& FileName, AnsiString* Warnings) {
  try {
    const AnsiString Told = OpenContacts(Cards, FileName);
    if (Warnings) *Warnings = Told;
  } catch (const std::bad_alloc&) {
    throw Exception(FileName + ": not enough memory to open it");
  }
}

void SaveContacts(TOstrel* Cards, const AnsiString& FileName) {
  try {
    WriteContacts(Cards, FileName);
  } catch (const std::bad_alloc&) {
    throw Exception(FileName + ": not enough memory to save it; the file was left as it was");
  }
}

}  // namespace demo
