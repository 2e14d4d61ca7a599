// The card: content, sub-item lookup, and the deletion steps that keep the list and the
// control consistent while handlers run.

#include <algorithm>
#include <string_view>

#include "Forms.h"
#include "Ostrel.h"

namespace ostrel {

namespace {

// The name of a sub-item: the text before its first "=", empty when there is none or it
// comes first.
std::string_view NameOf(std::string_view SubItem) {
  const auto Pos = SubItem.find('=');
  return Pos == std::string_view::npos ? std::string_view{} : SubItem.substr(0, Pos);
}

// A destructor cannot pass an exception on; the application reports it instead.
void ReportFromDestructor(std::exception_ptr Error, TObject* Sender) noexcept {
  try {
    std::rethrow_exception(Error);
  } catch (...) {
    try {
      if (Application) Application->HandleException(Sender);
    } catch (...) {
    }
  }
}

}  // namespace

TOstrelItem::TOstrelItem(TOstrelItems* AOwner) : FOwner(AOwner) {}

// Reached through a plain delete of a card still in its list: the same steps as Delete.
TOstrelItem::~TOstrelItem() {
  if (FDeleting || !FAttached || !FOwner) return;
  FDeleting = true;
  TObject* Sender = GetTable();
  if (auto Error = Unlink()) ReportFromDestructor(Error, Sender);
}

void TOstrelItem::Delete() {
  if (FDeleting) return;  // a handler deleting the card whose deletion it reports
  if (FOwner && FAttached) FOwner->CheckNotSorting();
  FDeleting = true;
  std::exception_ptr Error = FAttached ? Unlink() : nullptr;
  delete this;
  if (Error) std::rethrow_exception(Error);
}

std::exception_ptr TOstrelItem::Unlink() noexcept {
  std::exception_ptr First;
  // Each step runs while the card still has its list: a handler may destroy the control,
  // whose list then detaches the card (FOwner null) and the remaining steps are moot.
  auto Step = [&](auto&& Action) {
    if (!FOwner) return;
    try {
      Action();
    } catch (...) {
      if (!First) First = std::current_exception();
    }
  };
  if (!FOwner) return nullptr;
  FOwner->FUnlinking.push_back(this);
  const bool HandOver = !FOwner->FClearing && !FTakenOut;
  Step([&] {
    if (TOstrel* Table = GetTable(); Table && HandOver) Table->FSelection.HandOverSelection(this);
  });
  Step([&] {
    if (TOstrel* Table = GetTable(); Table && HandOver) Table->FSelection.HandOverFocus(this);
  });
  Step([&] {
    if (TOstrel* Table = GetTable()) Table->ItemDestroying(this);
  });
  Step([&] {
    if (TOstrel* Table = GetTable()) Table->Delete(this);
  });
  Step([&] {
    if (FTakenOut) return;
    if (const int Slot = FOwner->SlotOf(this, FSlotHint); Slot >= 0) {
      FOwner->FList.Delete(Slot);
      FOwner->StructureChanged(Slot - FOwner->FCleared, 1, 0);
    } else {
      FOwner->StructureChanged();
    }
    if (!FOwner->FClearing && FOwner->FUpdateCount == 0) FOwner->Relayout();
  });
  if (FOwner) std::erase(FOwner->FUnlinking, this);
  return First;
}

void TOstrelItem::SetText(const AnsiString& Value) {
  if (FSubItems.Entry(0) == Value) return;
  FSubItems.ReplaceEntry(0, Value);
  TOstrel* Table = GetTable();
  if (FAttached && Table && Table->FSorted)
    FOwner->Sort();
  else
    Invalidate();
}

void TOstrelItem::SetData(void* Value) { FData = Value; }
void TOstrelItem::SetHint(const AnsiString& Value) { FSubItems.ReplaceEntry(1, Value); }
void TOstrelItem::SetShowHint(bool Value) { FShowHint = Value; }

bool TOstrelItem::GetSelected() const {
  const TOstrel* Table = GetTable();
  return Table && Table->FSelected == this;
}

void TOstrelItem::SetSelected(bool Value) {
  TOstrel* Table = GetTable();
  if (!Table) return;
  if (Value) Table->SetSelected(this);
  else if (Table->FSelected == this) Table->SetSelected(nullptr);
}

bool TOstrelItem::GetFocused() const {
  const TOstrel* Table = GetTable();
  return Table && Table->FItemFocused == this;
}

void TOstrelItem::SetFocused(bool Value) {
  if (TOstrel* Table = GetTable(); Table && Value) Table->SetFocused(this);
}

int TOstrelItem::GetIndex() const {
  if (!FAttached || !FOwner) return -1;
  const int Slot = FOwner->SlotOf(this, static_cast<int>(FSlotHint));
  if (Slot < 0) return -1;
  RememberSlot(Slot);
  return Slot - FOwner->FCleared;
}

void TOstrelItem::RememberSlot(int Slot) const {
  FSlotHint = std::min(static_cast<std::uint32_t>(std::max(Slot, 0)), SlotHintLimit);
}

TOstrel* TOstrelItem::GetTable() const { return FOwner ? FOwner->GetTable() : nullptr; }

void TOstrelItem::Assign(TPersistent* Source) {
  auto* Item = dynamic_cast<TOstrelItem*>(Source);
  if (!Item) return TPersistent::Assign(Source);
  if (Item == this) return;
  FSubItems.Assign(&Item->FSubItems);
  FSubItems.ReplaceEntry(0, AnsiString(Item->FSubItems.Entry(0)));
  FData = Item->FData;
}

bool TOstrelItem::IsEqual(const TOstrelItem* Item) const {
  return FSubItems.Entry(0) == Item->FSubItems.Entry(0) && FData == Item->FData && FSubItems.Equals(&Item->FSubItems);
}

void TOstrelItem::Update() {
  if (!FAttached || !FOwner) return;
  // Noted inside a batch too, so that the batch's relayout cannot pass over this card.
  if (TOstrel* Table = GetTable()) Table->FLayout.ItemResized(this);
  if (FOwner->GetUpdateCount() == 0) FOwner->Relayout();
}

int TOstrelItem::GetSubItemIndex(const AnsiString& Name) const {
  for (int I = 0; I < FSubItems.GetCount(); ++I) {
    const std::string_view SubItem = FSubItems.GetLine(I);
    const std::string_view ItemName = NameOf(SubItem);
    if ((ItemName.empty() ? SubItem : ItemName) == Name) return I;
  }
  return -1;
}

bool TOstrelItem::IsSubItemNameAndValue(int Index) const {
  if (Index < 0 || Index >= FSubItems.GetCount()) throw Exception("Index out of range");
  return !NameOf(FSubItems.GetLine(Index)).empty();
}

}  // namespace ostrel
