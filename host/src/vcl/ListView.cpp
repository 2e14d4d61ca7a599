// TCustomListView: the rows live here; the window mirrors them and reports what the user did.

#include <algorithm>

#include "ComCtrls.h"
#include "Forms.h"
#include "backend/ListViewBackend.h"

namespace vcl {

// ---------------------------------------------------------------- columns

void TListColumn::SetCaption(const AnsiString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Changed();
}

void TListColumn::SetWidth(int Value) {
  Value = std::max(0, Value);
  if (Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TListColumn::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TListColumn*>(Source);
  if (Other == nullptr) return TCollectionItem::Assign(Source);
  FCaption = Other->FCaption;
  FWidth = Other->FWidth;
  Changed();
}

TListColumns::TListColumns(TCustomListView* Owner)
    : TCollection([] { return new TListColumn(); }), FOwner(Owner) {}

void TListColumns::Update(TCollectionItem*) { FOwner->SyncColumns(); }

// ---------------------------------------------------------------- rows

TListItem::TListItem(TListItems* Owner) : FOwner(Owner), FSubItems(std::make_unique<TStringList>()) {
  static_cast<TStringList*>(FSubItems.get())->SetOnChange(TNotifyEvent(this, &TListItem::SubItemsChanged));
}

TListItem::~TListItem() = default;

TCustomListView* TListItem::GetListView() const { return FOwner ? FOwner->FOwner : nullptr; }

void TListItem::SetCaption(const AnsiString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  if (FOwner) FOwner->FOwner->ItemTextChanged(this);
}

TStrings* TListItem::GetSubItems() const { return FSubItems.get(); }

void TListItem::SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }

void TListItem::SubItemsChanged(TObject*) {
  if (FOwner) FOwner->FOwner->ItemTextChanged(this);
}

int TListItem::GetIndex() const { return FOwner ? FOwner->IndexOf(this) : -1; }

void TListItem::SetSelected(bool Value) {
  TCustomListView* View = GetListView();
  if (!View || Value == FSelected) return;
  std::vector<bool> Selected;
  int Focused = -1;
  for (TListItem* Item : FOwner->FItems) {
    Selected.push_back(Item == this ? Value : (Value && !View->FMultiSelect ? false : Item->FSelected));
    if (Item->FFocused) Focused = static_cast<int>(Selected.size()) - 1;
  }
  View->ApplyStates(Selected, Focused);
}

void TListItem::SetFocused(bool Value) {
  TCustomListView* View = GetListView();
  if (!View || Value == FFocused) return;
  std::vector<bool> Selected;
  for (TListItem* Item : FOwner->FItems) Selected.push_back(Item->FSelected);
  View->ApplyStates(Selected, Value ? GetIndex() : -1);
}

void TListItem::Delete() {
  if (FOwner) FOwner->Delete(GetIndex());
}

void TListItem::Update() {
  TCustomListView* View = GetListView();
  if (!View || !View->HandleAllocated() || FOwner->FUpdateCount > 0) return;
  std::vector<AnsiString> Cells{FCaption};
  for (int I = 0; I < FSubItems->GetCount(); ++I) Cells.push_back(FSubItems->Get(I));
  backend::SetListRow(View->GetHandle(), GetIndex(), Cells);
}

TRect TListItem::DisplayRect(TDisplayCode) const {
  TCustomListView* View = GetListView();
  if (!View || !View->HandleAllocated()) return {};
  return backend::ListRowRect(View->GetHandle(), GetIndex());
}

void TListItem::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TListItem*>(Source);
  if (Other == nullptr) return TPersistent::Assign(Source);
  FCaption = Other->FCaption;
  FData = Other->FData;
  FSubItems->Assign(Other->FSubItems.get());  // reports the whole row changed
}

// ---------------------------------------------------------------- TListItems

TListItems::TListItems(TCustomListView* Owner) : FOwner(Owner) {}

TListItems::~TListItems() {
  for (TListItem* Item : FItems) {
    Item->FOwner = nullptr;
    delete Item;
  }
}

TListItem* TListItems::Add() { return Insert(GetCount()); }

TListItem* TListItems::Insert(int Index) {
  if (Index < 0 || Index > GetCount()) throw EListError(Format(Consts::SListIndexError, {Index}));
  auto* Item = new TListItem(this);
  FItems.insert(FItems.begin() + Index, Item);
  FOwner->SyncRows();
  return Item;
}

// A deleted row reports nothing, as the window system's list view does; its state goes with it.
void TListItems::Delete(int Index) {
  TListItem* Item = GetItem(Index);
  FItems.erase(FItems.begin() + Index);
  Item->FOwner = nullptr;
  delete Item;
  FOwner->SyncRows();
}

void TListItems::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) Delete(GetCount() - 1);
  EndUpdate();
}

TListItem* TListItems::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EListError(Format(Consts::SListIndexError, {Index}));
  return FItems[static_cast<size_t>(Index)];
}

int TListItems::IndexOf(const TListItem* Item) const {
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TListItems::BeginUpdate() { ++FUpdateCount; }

void TListItems::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) FOwner->SyncRows();
}

void TListItems::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TListItems*>(Source);
  if (Other == nullptr) return TPersistent::Assign(Source);
  if (Other == this) return;
  const TUpdateGuard Batch(*this);
  Clear();
  for (TListItem* Item : Other->FItems) Add()->Assign(Item);
}

void TListItems::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* S) { ReadData(S); }, [this](TStream* S) { WriteData(S); }, GetCount() > 0);
}

// Item data: the row count, then per row its caption and its sub-items, each text a 32-bit
// length and its bytes; numbers little-endian.
namespace {

void WriteInt(TStream* Stream, std::uint32_t Value) {
  const Byte Bytes[4] = {Byte(Value), Byte(Value >> 8), Byte(Value >> 16), Byte(Value >> 24)};
  Stream->WriteBuffer(Bytes, 4);
}

std::uint32_t ReadInt(TStream* Stream) {
  Byte Bytes[4];
  Stream->ReadBuffer(Bytes, 4);
  return Bytes[0] | (Bytes[1] << 8) | (Bytes[2] << 16) | (std::uint32_t{Bytes[3]} << 24);
}

void WriteText(TStream* Stream, const AnsiString& Text) {
  WriteInt(Stream, static_cast<std::uint32_t>(Text.size()));
  if (!Text.empty()) Stream->WriteBuffer(Text.data(), static_cast<long>(Text.size()));
}

// A length beyond what is left is a damaged stream, not a reason to allocate it.
AnsiString ReadText(TStream* Stream) {
  const std::uint32_t Length = ReadInt(Stream);
  if (Length > static_cast<std::uint64_t>(Stream->GetSize() - Stream->GetPosition()))
    throw EReadError(Consts::SReadError);
  AnsiString Text(Length, '\0');
  if (Length) Stream->ReadBuffer(Text.data(), static_cast<long>(Length));
  return Text;
}

}  // namespace

void TListItems::WriteData(TStream* Stream) {
  WriteInt(Stream, static_cast<std::uint32_t>(FItems.size()));
  for (TListItem* Item : FItems) {
    WriteText(Stream, Item->FCaption);
    WriteInt(Stream, static_cast<std::uint32_t>(Item->FSubItems->GetCount()));
    for (int I = 0; I < Item->FSubItems->GetCount(); ++I) WriteText(Stream, Item->FSubItems->Get(I));
  }
}

// Nothing of a damaged stream is kept: the rows are built aside and replace the old ones
// only once all were read.
void TListItems::ReadData(TStream* Stream) {
  TListItems Read(FOwner);
  const std::uint32_t Count = ReadInt(Stream);
  for (std::uint32_t I = 0; I < Count; ++I) {
    TListItem* Item = new TListItem(nullptr);  // no owner yet: filling it reports nothing
    Read.FItems.push_back(Item);
    Item->FCaption = ReadText(Stream);
    const std::uint32_t SubCount = ReadInt(Stream);
    for (std::uint32_t J = 0; J < SubCount; ++J) Item->FSubItems->Add(ReadText(Stream));
  }
  Assign(&Read);
}

// ---------------------------------------------------------------- TCustomListView

TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner), FColumns(std::make_unique<TListColumns>(this)), FItems(std::make_unique<TListItems>(this)) {
  FWidth = 250;
  FHeight = 150;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
}

TCustomListView::~TCustomListView() {
  // Rows and columns go without reports and without touching the window.
  FItems->FUpdateCount = 1;
  FColumns->BeginUpdate();
}

void TCustomListView::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = "SysListView32";
  if (FBorderStyle == bsSingle) {
    if (NewStyleControls && FCtl3D) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
  }
}

void TCustomListView::CreateWnd() {
  TWinControl::CreateWnd();
  backend::SetListAppearance(GetHandle(), *FFont, FColor);
  SyncOptions();
  SyncColumns();
  SyncRows();
}

void TCustomListView::SyncOptions() {
  if (!HandleAllocated()) return;
  backend::TListOptions O;
  O.Report = FViewStyle == vsReport;
  O.RowSelect = FRowSelect;
  O.HideSelection = FHideSelection;
  O.ReadOnly = FReadOnly;
  O.ColumnClick = FColumnClick;
  O.HotTrack = !FHotTrackStyles.Empty();
  O.MultiSelect = FMultiSelect;
  backend::SetListOptions(GetHandle(), O);
}

void TCustomListView::SyncColumns() {
  if (!HandleAllocated() || FColumns->GetUpdateCount() > 0) return;
  std::vector<std::pair<AnsiString, int>> Columns;
  for (int I = 0; I < FColumns->GetCount(); ++I) Columns.emplace_back(FColumns->GetItem(I)->GetCaption(), FColumns->GetItem(I)->GetWidth());
  backend::SetListColumns(GetHandle(), Columns);
  SyncRows();  // the number of cells shown follows the columns
}

void TCustomListView::SyncRows() {
  if (!HandleAllocated() || FItems->FUpdateCount > 0) return;
  std::vector<std::vector<AnsiString>> Rows;
  Rows.reserve(FItems->FItems.size());
  for (TListItem* Item : FItems->FItems) {
    std::vector<AnsiString> Cells{Item->FCaption};
    for (int I = 0; I < Item->FSubItems->GetCount(); ++I) Cells.push_back(Item->FSubItems->Get(I));
    Rows.push_back(std::move(Cells));
  }
  backend::SetListRows(GetHandle(), Rows);
  SyncStates();
}

void TCustomListView::SyncStates() {
  if (!HandleAllocated() || FItems->FUpdateCount > 0) return;
  std::vector<bool> Selected;
  int Focused = -1;
  for (TListItem* Item : FItems->FItems) {
    if (Item->FFocused) Focused = static_cast<int>(Selected.size());
    Selected.push_back(Item->FSelected);
  }
  backend::SetListStates(GetHandle(), Selected, Focused);
}

void TCustomListView::ItemTextChanged(TListItem* Item) {
  Item->Update();
  Change(Item, ctText);
}

void TCustomListView::ApplyStates(const std::vector<bool>& Selected, int Focused) {
  const std::vector<TListItem*> Rows = FItems->FItems;
  auto NewSelected = [&](size_t I) { return I < Selected.size() && Selected[I]; };
  std::vector<TListItem*> Losing, Gaining;
  for (size_t I = 0; I < Rows.size(); ++I) {
    const bool Sel = NewSelected(I), Foc = static_cast<int>(I) == Focused;
    if (Sel == Rows[I]->FSelected && Foc == Rows[I]->FFocused) continue;
    ((Rows[I]->FSelected && !Sel) || (Rows[I]->FFocused && !Foc) ? Losing : Gaining).push_back(Rows[I]);
  }
  const std::weak_ptr<char> Alive = LifetimeToken();
  for (const auto* Group : {&Losing, &Gaining}) {
    for (TListItem* Item : *Group) {
      // A handler may have deleted rows or changed states meanwhile.
      const int Index = FItems->IndexOf(Item);
      if (Index < 0 || Index >= static_cast<int>(Rows.size()) || Rows[static_cast<size_t>(Index)] != Item) continue;
      Item->FSelected = NewSelected(static_cast<size_t>(Index));
      Item->FFocused = Index == Focused;
      Change(Item, ctState);
      if (Alive.expired()) return;
    }
  }
  SyncStates();
}

void TCustomListView::Change(TListItem* Item, TItemChange Kind) {
  if (FOnChange) FOnChange(this, Item, Kind);
}

TListItem* TCustomListView::GetSelected() const {
  for (TListItem* Item : FItems->FItems)
    if (Item->FSelected) return Item;
  return nullptr;
}

void TCustomListView::SetSelected(TListItem* Value) {
  if (Value && Value->GetListView() == this) return Value->SetSelected(true);
  std::vector<bool> None(FItems->FItems.size(), false);
  const TListItem* Focus = GetItemFocused();
  ApplyStates(None, Focus ? Focus->GetIndex() : -1);
}

TListItem* TCustomListView::GetItemFocused() const {
  for (TListItem* Item : FItems->FItems)
    if (Item->FFocused) return Item;
  return nullptr;
}

void TCustomListView::SetItemFocused(TListItem* Value) {
  if (Value && Value->GetListView() == this) return Value->SetFocused(true);
  if (TListItem* Focus = GetItemFocused()) Focus->SetFocused(false);
}

int TCustomListView::GetSelCount() const {
  return static_cast<int>(std::count_if(FItems->FItems.begin(), FItems->FItems.end(), [](TListItem* I) { return I->FSelected; }));
}

TListItem* TCustomListView::GetItemAt(int X, int Y) {
  if (!HandleAllocated()) return nullptr;
  const int Index = backend::ListRowAt(GetHandle(), X, Y);
  return Index >= 0 && Index < FItems->GetCount() ? FItems->GetItem(Index) : nullptr;
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
  if (Value == FViewStyle) return;
  FViewStyle = Value;
  SyncOptions();
}

void TCustomListView::SetRowSelect(bool Value) {
  if (Value == FRowSelect) return;
  FRowSelect = Value;
  SyncOptions();
}

void TCustomListView::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  SyncOptions();
}

void TCustomListView::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  SyncOptions();
}

void TCustomListView::SetColumnClick(bool Value) {
  if (Value == FColumnClick) return;
  FColumnClick = Value;
  SyncOptions();
}

void TCustomListView::SetHotTrackStyles(TListHotTrackStyles Value) {
  if (Value == FHotTrackStyles) return;
  FHotTrackStyles = Value;
  SyncOptions();
}

// Leaving multiple selection keeps the first selected row only.
void TCustomListView::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  SyncOptions();
  if (!Value && GetSelCount() > 1) SetSelected(GetSelected());
}

void TCustomListView::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomListView::CNNotify(TMessage& Message) {
  const auto& N = *reinterpret_cast<const backend::TListNotify*>(Message.LParam);
  switch (N.Code) {
    case backend::TListNotify::StateChanged: ApplyStates(N.Selected, N.Focused); break;
    case backend::TListNotify::CaptionEdited:
      if (N.Index >= 0 && N.Index < FItems->GetCount()) FItems->GetItem(N.Index)->SetCaption(N.Text);
      break;
    case backend::TListNotify::ColumnClicked:
      if (FOnColumnClick && N.Index >= 0 && N.Index < FColumns->GetCount()) FOnColumnClick(this, FColumns->GetItem(N.Index));
      break;
  }
}

void TCustomListView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; break;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
      if (HandleAllocated()) backend::SetListAppearance(GetHandle(), *FFont, FColor);
      TWinControl::Dispatch(Message);
      break;
    case CM_CTL3DCHANGED:
      RecreateWnd();
      TWinControl::Dispatch(Message);
      break;
    default: TWinControl::Dispatch(Message);
  }
}

}  // namespace vcl
