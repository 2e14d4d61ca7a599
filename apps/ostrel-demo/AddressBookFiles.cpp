// Reading and writing the address book's files: card files as the card view stores them,
// vCard and CSV files through the contact formats.

#include <sys/stat.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "AddressBook.h"
#include "CardFiles.h"
#include "ContactCards.h"
#include "Csv.h"
#include "OstrelStreamBuffers.h"
#include "VCard.h"

using namespace vcl;
using namespace ostrel;

namespace demo {

AnsiString CardCount(int Count) { return IntToStr(Count) + (Count == 1 ? " card" : " cards"); }

int CompareContacts(TOstrelItem* Card1, TOstrelItem* Card2) {
  const AnsiString Name1 = Card1->GetText(), Name2 = Card2->GetText();
  // Equal bytes compare equal in every language: namesakes, common in a long list, go
  // straight to their lines, and the same lines need no language at all.
  if (Name1 != Name2) {
    if (const int ByLanguage = AnsiCompareText(Name1, Name2)) return ByLanguage;
    if (const int ByBytes = AnsiCompareStr(Name1, Name2)) return ByBytes;
  }
  const AnsiString Lines1 = Card1->GetSubItems()->GetTextStr(), Lines2 = Card2->GetSubItems()->GetTextStr();
  return Lines1 == Lines2 ? 0 : AnsiCompareStr(Lines1, Lines2);
}

namespace {

std::string ReadWholeFile(const AnsiString& FileName) {
  TMemoryStream Bytes;
  Bytes.LoadFromFile(FileName);
  return std::string(reinterpret_cast<const char*>(Bytes.Memory()), static_cast<std::size_t>(Bytes.GetSize()));
}

std::vector<cards::TContactCard> ContactsOf(TOstrel* Cards) {
  std::vector<cards::TContactCard> Contacts;
  TOstrelItems* Items = Cards->GetItems();
  for (int I = 0; I < Items->GetCount(); ++I) Contacts.push_back(cards::ContactOf(*Items->GetItemFromIndex(I)));
  return Contacts;
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

void ReadContacts(TOstrel* Cards, const AnsiString& FileName) {
  ExpectRegularFile(FileName);
  const cards::TContactFormat Format = cards::FormatOfFileName(FileName);
  if (Format == cards::TContactFormat::Cards) {
    // An empty view has no cards to lose: the file is read straight into it (sorted as the
    // view sorts), and a file that cannot be read leaves it empty again. A copy would cost a
    // second million cards and the freeing of the first before anything shows.
    if (Cards->GetItems()->GetCount() == 0) {
      try {
        LoadCardFile(Cards, FileName);
      } catch (...) {
        Cards->GetItems()->Clear();
        throw;
      }
      return;
    }
    // Otherwise into a scratch view first: a damaged file must not cost the cards on show.
    const auto Scratch = std::make_unique<TOstrel>(nullptr);
    LoadCardFile(Scratch.get(), FileName);
    // A copy sorts, as loading a sorted view does; an unsorted view keeps the file's order.
    if (Cards->GetSorted()) {
      Cards->GetItems()->Assign(Scratch->GetItems());
      return;
    }
    TMemoryStream Copy;
    Scratch->SaveToStream(&Copy);
    Copy.SetPosition(0);
    Cards->LoadFromStream(&Copy);
    return;
  }
  const std::string Text = ReadWholeFile(FileName);
  std::vector<cards::TContactCard> Contacts;
  try {
    Contacts = Format == cards::TContactFormat::VCard ? cards::ReadVCards(Text) : cards::ReadCsv(Text);
  } catch (const cards::EFormatError& E) {
    throw Exception(FileName + ": " + E.what());
  }
  TOstrelItems* Items = Cards->GetItems();
  Items->BeginUpdate();
  Items->Clear();
  Items->EndUpdate();
  cards::AddContacts(*Items, Contacts);
}

void WriteContacts(TOstrel* Cards, const AnsiString& FileName) {
  const cards::TContactFormat Format = cards::FormatOfFileName(FileName);
  if (Format == cards::TContactFormat::Cards) {
    Cards->SaveToFile(FileName);
    return;
  }
  std::string Text;
  if (Format == cards::TContactFormat::VCard) {
    for (const cards::TContactCard& Contact : ContactsOf(Cards)) Text += cards::VCardOf(Contact);
  } else {
    Text = cards::CsvOf(ContactsOf(Cards));
  }
  TSafeFileStream Out(FileName);
  Out.WriteBuffer(Text.data(), static_cast<long>(Text.size()));
  Out.Commit();
}

}  // namespace

// Running out of memory is a failure like any other: the message names the file, and the
// cards on show stay as they were.
void LoadContacts(TOstrel* Cards, const AnsiString& FileName) {
  try {
    ReadContacts(Cards, FileName);
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
