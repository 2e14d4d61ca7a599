// TCollection and TCollectionItem: owned items of one class, streamed as "< item ... end >".

#include <algorithm>

#include "Classes.h"
#include "TypInfo.h"

namespace vcl {

const TClassInfo& TCollectionItem::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClassInfo()).Build();
  return Info;
}

const TClassInfo& TCollection::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TCollection>("TCollection", &TPersistent::StaticClassInfo()).Build();
  return Info;
}

TCollectionItem::~TCollectionItem() {
  if (FCollection == nullptr) return;
  auto& Items = FCollection->FItems;
  Items.erase(std::find(Items.begin(), Items.end(), this));
  FCollection->Changed(nullptr);
}

int TCollectionItem::GetIndex() const {
  if (FCollection == nullptr) return -1;
  const auto& Items = FCollection->FItems;
  return static_cast<int>(std::find(Items.begin(), Items.end(), this) - Items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  const int Current = GetIndex();
  if (Current < 0) return;
  auto& Items = FCollection->FItems;
  Value = std::clamp(Value, 0, static_cast<int>(Items.size()) - 1);
  if (Value == Current) return;
  Items.erase(Items.begin() + Current);
  Items.insert(Items.begin() + Value, this);
  FCollection->Changed(nullptr);
}

void TCollectionItem::Changed() {
  if (FCollection) FCollection->Changed(this);
}

TCollection::TCollection(TItemFactory Factory) : FFactory(std::move(Factory)) {}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no reports while going away
  for (TCollectionItem* Item : FItems) {
    Item->FCollection = nullptr;
    delete Item;
  }
}

void TCollection::CheckIndex(int Index, int Count) const {
  if (Index < 0 || Index >= Count) throw EListError(Format(Consts::SListIndexError, {Index}));
}

TCollectionItem* TCollection::Add() { return Insert(GetCount()); }

TCollectionItem* TCollection::Insert(int Index) {
  CheckIndex(Index, GetCount() + 1);
  TCollectionItem* Item = FFactory();
  Item->FCollection = this;
  FItems.insert(FItems.begin() + Index, Item);
  Changed(nullptr);
  return Item;
}

void TCollection::Delete(int Index) {
  CheckIndex(Index, GetCount());
  delete FItems[static_cast<size_t>(Index)];  // leaves the list and reports
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) delete FItems.back();
  EndUpdate();
}

TCollectionItem* TCollection::GetItem(int Index) const {
  CheckIndex(Index, GetCount());
  return FItems[static_cast<size_t>(Index)];
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Update(nullptr);
}

void TCollection::Changed(TCollectionItem* Item) {
  if (FUpdateCount == 0) Update(Item);
}

void TCollection::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TCollection*>(Source);
  if (Other == nullptr) return TPersistent::Assign(Source);
  if (Other == this) return;
  const TUpdateGuard Batch(*this);
  Clear();
  for (TCollectionItem* Item : Other->FItems) Add()->Assign(Item);
}

}  // namespace vcl
