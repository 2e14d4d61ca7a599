#include "OstrelItemsEditorFormUnit.h"

#include "OstrelSubItemRows.h"
#include "TypInfo.h"
#include "Windows.h"

namespace ostrel {

using namespace vcl;

const char* const OstrelHomePage = "https://ostrel.example";

namespace {

// A list row as the sub-item it stands for: its first cell after the caption is the value.
TSubItemRow RowOf(const TListItem* Row) {
  const TStrings* Cells = Row->GetSubItems();
  if (Cells->GetCount() == 0) return TSubItemRow{Row->GetCaption(), std::nullopt};
  return TSubItemRow{Row->GetCaption(), Cells->Get(0)};
}

void PutRow(TListItem* Row, const TSubItemRow& Value) {
  Row->SetCaption(Value.Caption);
  Row->GetSubItems()->Clear();
  if (Value.Value) Row->GetSubItems()->Add(*Value.Value);
}

void SetValueCell(TListItem* Row, const AnsiString& Value) {
  TStrings* Cells = Row->GetSubItems();
  if (Cells->GetCount() == 0)
    Cells->Add(Value);
  else
    Cells->Put(0, Value);
}

}  // namespace

const TClassInfo& TOstrelItemsEditorForm::StaticClassInfo() {
  using F = TOstrelItemsEditorForm;
  static const TClassInfo Info =
      TClassInfoBuilder<F>("TOstrelItemsEditorForm", &TForm::StaticClassInfo())
          .Field("TextEdit", &F::TextEdit)
          .Field("TextLabel", &F::TextLabel)
          .Field("NewItemButton", &F::NewItemButton)
          .Field("DeleteItemButton", &F::DeleteItemButton)
          .Field("OKButton", &F::OKButton)
          .Field("CancelButton", &F::CancelButton)
          .Field("ApplyButton", &F::ApplyButton)
          .Field("SaveToFileButton", &F::SaveToFileButton)
          .Field("LoadFromFileButton", &F::LoadFromFileButton)
          .Field("OpenDialog", &F::OpenDialog)
          .Field("SaveDialog", &F::SaveDialog)
          .Field("SubItemsGroupBox", &F::SubItemsGroupBox)
          .Field("SubItemLabel", &F::SubItemLabel)
          .Field("ValueLabel", &F::ValueLabel)
          .Field("SubItemsListView", &F::SubItemsListView)
          .Field("SubItemEdit", &F::SubItemEdit)
          .Field("SubItemValueEdit", &F::SubItemValueEdit)
          .Field("NewSubitemButton", &F::NewSubitemButton)
          .Field("DeleteSubItemButton", &F::DeleteSubItemButton)
          .Field("LogoPanel", &F::LogoPanel)
          .Field("Image1", &F::Image1)
          .Field("WebLabel", &F::WebLabel)
          .Field("URLLabel", &F::URLLabel)
          .Field("ClearButton", &F::ClearButton)
          .Field("Table", &F::Table)
          .Field("OstrelButtonsBar1", &F::OstrelButtonsBar1)
          .Field("HintEdit", &F::HintEdit)
          .Field("HintLabel", &F::HintLabel)
          .Field("ShowHintCheckBox", &F::ShowHintCheckBox)
          .Method("TableChange", &F::TableChange)
          .Method("TableEditedSubItem", &F::TableEditedSubItem)
          .Method("NewItemButtonClick", &F::NewItemButtonClick)
          .Method("DeleteItemButtonClick", &F::DeleteItemButtonClick)
          .Method("ClearButtonClick", &F::ClearButtonClick)
          .Method("TextEditChange", &F::TextEditChange)
          .Method("HintEditChange", &F::HintEditChange)
          .Method("ShowHintCheckBoxClick", &F::ShowHintCheckBoxClick)
          .Method("SubItemsListViewChange", &F::SubItemsListViewChange)
          .Method("SubItemsListViewMouseDown", &F::SubItemsListViewMouseDown)
          .Method("NewSubitemButtonClick", &F::NewSubitemButtonClick)
          .Method("DeleteSubItemButtonClick", &F::DeleteSubItemButtonClick)
          .Method("SubItemEditChange", &F::SubItemEditChange)
          .Method("SubItemValueEditChange", &F::SubItemValueEditChange)
          .Method("SaveToFileButtonClick", &F::SaveToFileButtonClick)
          .Method("LoadFromFileButtonClick", &F::LoadFromFileButtonClick)
          .Method("ApplyButtonClick", &F::ApplyButtonClick)
          .Method("URLLabelClick", &F::URLLabelClick)
          .Method("FormDestroy", &F::FormDestroy)
          .Build();
  return Info;
}

TOstrelItemsEditorForm::TOstrelItemsEditorForm(TComponent* AOwner) : TForm(AOwner) {
  ReadFormResource("OstrelItemsEditorForm");
  // Names for screen readers where no label gives one.
  Table->SetAccessibleName("Cards");
  OstrelButtonsBar1->SetAccessibleName("Letters");
  SubItemsListView->SetAccessibleName("Sub items");
}

// ------------------------------------------------------------------ card fields

void TOstrelItemsEditorForm::TableChange(TObject* Sender, TOstrelItem* Item) {
  if (Table->GetSelected())
    UpdateItemInfo();
  else
    DisableItemInfo();
}

// The edits' change handlers run as the fields fill: they write the same values back.
void TOstrelItemsEditorForm::UpdateItemInfo() {
  TOstrelItem* Card = Table->GetSelected();
  TextEdit->SetEnabled(true);
  TextEdit->SetText(Card->GetText());
  HintEdit->SetText(Card->GetHint());
  HintEdit->SetEnabled(true);
  ShowHintCheckBox->SetChecked(Card->GetShowHint());
  ShowHintCheckBox->SetEnabled(true);
  DeleteItemButton->SetEnabled(true);
  TListItems* Rows = SubItemsListView->GetItems();
  {
    const TUpdateGuard Batch(*Rows);
    Rows->Clear();
    const TStrings* Lines = Card->GetSubItems();
    for (int I = 0; I < Lines->GetCount(); ++I) PutRow(Rows->Add(), SubItemToRow(Lines->Get(I)));
  }
  SubItemsListView->SetEnabled(true);
  NewSubitemButton->SetEnabled(true);
  DeleteSubItemButton->SetEnabled(false);
  SubItemEdit->SetText("");
  SubItemValueEdit->SetText("");
  SubItemEdit->SetEnabled(false);
  SubItemValueEdit->SetEnabled(false);
}

void TOstrelItemsEditorForm::DisableItemInfo() {
  TextEdit->SetEnabled(false);
  TextEdit->SetText("");
  HintEdit->SetEnabled(false);
  HintEdit->SetText("");
  ShowHintCheckBox->SetEnabled(false);
  ShowHintCheckBox->SetChecked(false);
  DeleteItemButton->SetEnabled(false);
  SubItemsListView->GetItems()->Clear();
  SubItemsListView->SetEnabled(false);
  SubItemEdit->SetEnabled(false);
  SubItemValueEdit->SetEnabled(false);
  NewSubitemButton->SetEnabled(false);
  DeleteSubItemButton->SetEnabled(false);
  SubItemEdit->SetText("");
  SubItemValueEdit->SetText("");
}

void TOstrelItemsEditorForm::SetModified() { ApplyButton->SetEnabled(true); }

void TOstrelItemsEditorForm::TextEditChange(TObject* Sender) {
  TOstrelItem* Card = Table->GetSelected();
  if (!Card) return;
  Card->SetText(TextEdit->GetText());
  SetModified();
}

void TOstrelItemsEditorForm::HintEditChange(TObject* Sender) {
  TOstrelItem* Card = Table->GetSelected();
  if (!Card) return;
  Card->SetHint(HintEdit->GetText());
  SetModified();
}

void TOstrelItemsEditorForm::ShowHintCheckBoxClick(TObject* Sender) {
  TOstrelItem* Card = Table->GetSelected();
  if (!Card) return;
  Card->SetShowHint(ShowHintCheckBox->GetChecked());
  SetModified();
}

// ------------------------------------------------------------------ cards

void TOstrelItemsEditorForm::NewItemButtonClick(TObject* Sender) {
  TOstrelItems* Cards = Table->GetItems();
  TOstrelItem* Selected = Table->GetSelected();
  TOstrelItem* Card = Selected ? Cards->Insert(Selected->GetIndex() + 1, "New Item") : Cards->Add("New Item");
  Table->SetSelected(Card);
  SetModified();
  // Typing replaces "New Item".
  TextEdit->SetFocus();
  TextEdit->SelectAll();
}

void TOstrelItemsEditorForm::DeleteItemButtonClick(TObject* Sender) {
  TOstrelItem* Card = Table->GetSelected();
  if (!Card) return;
  Card->Delete();
  SetModified();
}

void TOstrelItemsEditorForm::ClearButtonClick(TObject* Sender) {
  if (Table->GetItems()->GetCount() == 0) return;
  Table->GetItems()->Clear();
  DisableItemInfo();
  SetModified();
}

// ------------------------------------------------------------------ sub-items

void TOstrelItemsEditorForm::SubItemsListViewChange(TObject* Sender, TListItem* Item, TItemChange Change) {
  // Selection moves report the row that lost it, then the one that gained it. The edits
  // show the list's own selected row, none in between: the emptied value edit then meets
  // no selected row, so that showing a line like "Fax=" does not cut it to "Fax".
  if (Change != ctState) return;
  ShowSubItemRow(SubItemsListView->GetSelected());
}

void TOstrelItemsEditorForm::ShowSubItemRow(TListItem* Row) {
  if (Row) {
    const TSubItemRow Shown = RowOf(Row);
    SubItemEdit->SetText(Shown.Caption);
    SubItemValueEdit->SetText(Shown.Value.value_or(""));
  } else {
    SubItemEdit->SetText("");
    SubItemValueEdit->SetText("");
  }
  SubItemEdit->SetEnabled(Row != nullptr);
  SubItemValueEdit->SetEnabled(Row != nullptr);
  DeleteSubItemButton->SetEnabled(Row != nullptr);
}

void TOstrelItemsEditorForm::SubItemsListViewMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                                       int X, int Y) {
  if (Button != mbLeft || SubItemsListView->GetItemAt(X, Y) != nullptr) return;
  // No row may stay selected while the edits are emptied: their handlers would rename it.
  SubItemsListView->SetSelected(nullptr);
  ShowSubItemRow(nullptr);
}

void TOstrelItemsEditorForm::NewSubitemButtonClick(TObject* Sender) {
  TOstrelItem* Card = Table->GetSelected();
  if (!Card) return;
  const TLVChangeEvent ListChange = SubItemsListView->GetOnChange();
  const TNotifyEvent NameChange = SubItemEdit->GetOnChange();
  const TNotifyEvent ValueChange = SubItemValueEdit->GetOnChange();
  SubItemsListView->SetOnChange(nullptr);
  SubItemEdit->SetOnChange(nullptr);
  SubItemValueEdit->SetOnChange(nullptr);
  TListItem* Row = SubItemsListView->GetItems()->Add();
  PutRow(Row, TSubItemRow{"New SubItem", AnsiString("New Value")});
  SubItemsListView->SetOnChange(ListChange);
  // The list's handler fills the edits while their own handlers are still away, so that
  // the rows are not written back before the card has the new line.
  SubItemsListView->SetSelected(Row);
  Card->GetSubItems()->Add(RowToSubItem(RowOf(Row)));
  Card->Update();
  SubItemEdit->SetOnChange(NameChange);
  SubItemValueEdit->SetOnChange(ValueChange);
  SubItemEdit->SetFocus();
  SubItemEdit->SelectAll();
  SetModified();
}

void TOstrelItemsEditorForm::SubItemEditChange(TObject* Sender) {
  TListItem* Row = SubItemsListView->GetSelected();
  if (!Row) return;
  Row->SetCaption(SubItemEdit->GetText());
  UpdateSubItems();
  SetModified();
}

void TOstrelItemsEditorForm::SubItemValueEditChange(TObject* Sender) {
  TListItem* Row = SubItemsListView->GetSelected();
  if (!Row) return;
  const AnsiString Value = SubItemValueEdit->GetText();
  if (!Value.empty())
    SetValueCell(Row, Value);
  else
    Row->GetSubItems()->Clear();  // the line becomes its name alone
  Row->Update();
  UpdateSubItems();
  SetModified();
}

void TOstrelItemsEditorForm::UpdateSubItems() {
  TOstrelItem* Card = Table->GetSelected();
  if (!Card) return;
  TStrings* Lines = Card->GetSubItems();
  TListItems* Rows = SubItemsListView->GetItems();
  Lines->Clear();
  for (int I = 0; I < Rows->GetCount(); ++I) Lines->Add(RowToSubItem(RowOf(Rows->GetItem(I))));
  Card->Update();
}

void TOstrelItemsEditorForm::DeleteSubItemButtonClick(TObject* Sender) {
  TListItem* Row = SubItemsListView->GetSelected();
  if (!Row) return;
  Row->Delete();
  SubItemsListView->SetSelected(nullptr);
  UpdateSubItems();
  ShowSubItemRow(nullptr);
  SetModified();
}

void TOstrelItemsEditorForm::TableEditedSubItem(TObject* Sender, TOstrelItem* Item, int SubItem,
                                                AnsiString& NewText) {
  if (NewText.empty()) NewText = "<none>";
  TListItems* Rows = SubItemsListView->GetItems();
  // The rows stand for the selected card, which is the one edited in place.
  if (Item == Table->GetSelected() && SubItem >= 0 && SubItem < Rows->GetCount()) {
    TListItem* Row = Rows->GetItem(SubItem);
    if (Item->IsSubItemNameAndValue(SubItem))
      SetValueCell(Row, NewText);
    else
      Row->SetCaption(NewText);
  }
  SetModified();
}

// ------------------------------------------------------------------ files, Apply, link

void TOstrelItemsEditorForm::SaveToFileButtonClick(TObject* Sender) {
  if (SaveDialog->Execute()) Table->SaveToFile(SaveDialog->GetFileName());
}

// A load that fails leaves the exception to the application's handler and the cards it
// read so far in Table. The list was emptied without a selection event, so the fields are
// brought in line with Table's selection here, or they would go on showing a freed card.
void TOstrelItemsEditorForm::LoadFromFileButtonClick(TObject* Sender) {
  if (!OpenDialog->Execute()) return;
  try {
    Table->LoadFromFile(OpenDialog->GetFileName());
  } catch (...) {
    TableChange(Table, Table->GetSelected());
    throw;
  }
  DisableItemInfo();
  SetModified();
}

void TOstrelItemsEditorForm::ApplyButtonClick(TObject* Sender) {
  if (FEditedItems) FEditedItems->Assign(Table->GetItems());
  if (FFormDesigner) FFormDesigner->Modified();
  ApplyButton->SetEnabled(false);
}

void TOstrelItemsEditorForm::URLLabelClick(TObject* Sender) {
  ShellExecute(nullptr, "open", OstrelHomePage, nullptr, nullptr, SW_SHOWNORMAL);
}

// Every handler that hangs on a component is detached, not only the card list's and the
// text edit's: freeing the list view's rows or the card view's cards must not reach into
// edits that are already gone.
void TOstrelItemsEditorForm::FormDestroy(TObject* Sender) {
  Table->SetOnChange(nullptr);
  Table->SetOnEditedSubItem(nullptr);
  TextEdit->SetOnChange(nullptr);
  HintEdit->SetOnChange(nullptr);
  ShowHintCheckBox->SetOnClick(nullptr);
  SubItemsListView->SetOnChange(nullptr);
  SubItemsListView->SetOnMouseDown(nullptr);
  SubItemEdit->SetOnChange(nullptr);
  SubItemValueEdit->SetOnChange(nullptr);
}

}  // namespace ostrel
