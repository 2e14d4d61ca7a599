#include "InspectorView.h"

#include "DesignerFiles.h"
#include "Dialogs.h"

using namespace vcl;

namespace designer {

namespace {
constexpr int InspectorWidth = 300;
constexpr int NameColumnWidth = 130;
constexpr int ValueColumnWidth = 150;

void ShowError(const Exception& E) { ShowDesignerError(E.Message()); }
}  // namespace

TInspectorView::TInspectorView(TComponent* Owner, TWinControl* Parent, std::shared_ptr<TFormDesigner> Designer)
    : FDesigner(std::move(Designer)) {
  FPanel = new TPanel(Owner);
  FPanel->SetParent(Parent);
  FPanel->SetAlign(alLeft);
  FPanel->SetWidth(InspectorWidth);
  FPanel->SetBevelOuter(bvNone);

  auto* Top = new TPanel(Owner);
  Top->SetParent(FPanel);
  Top->SetAlign(alTop);
  Top->SetHeight(24);
  Top->SetBevelOuter(bvNone);
  Header = new TLabel(Owner);
  Header->SetParent(Top);
  Header->SetBounds(6, 5, InspectorWidth - 12, 16);
  Header->GetFont()->SetStyle(TFontStyles{fsBold});

  auto* Bottom = new TPanel(Owner);
  Bottom->SetParent(FPanel);
  Bottom->SetAlign(alBottom);
  Bottom->SetHeight(32);
  Bottom->SetBevelOuter(bvNone);
  ValueEdit = new TEdit(Owner);
  ValueEdit->SetParent(Bottom);
  ValueEdit->SetBounds(4, 5, InspectorWidth - 44, 22);
  ValueEdit->SetOnKeyDown([this](TObject*, Word& Key, TShiftState) {
    if (Key == VK_RETURN) {
      Key = 0;
      ApplyValue();
    } else if (Key == VK_ESCAPE) {
      Key = 0;
      RowChosen();
    }
  });
  ValueEdit->SetOnExit([this](TObject*) { ApplyValue(); });
  DialogButton = new TButton(Owner);
  DialogButton->SetParent(Bottom);
  DialogButton->SetBounds(InspectorWidth - 36, 4, 30, 24);
  DialogButton->SetCaption("...");
  DialogButton->SetEnabled(false);
  DialogButton->SetOnClick([this](TObject*) { RunDialog(); });

  List = new TListView(Owner);
  List->SetParent(FPanel);
  List->SetAlign(alClient);
  List->SetViewStyle(vsReport);
  List->SetRowSelect(true);
  List->SetReadOnly(true);
  List->SetHideSelection(false);
  List->SetColumnClick(false);
  TListColumn* Name = List->GetColumns()->Add();
  Name->SetCaption("Property");
  Name->SetWidth(NameColumnWidth);
  TListColumn* Value = List->GetColumns()->Add();
  Value->SetCaption("Value");
  Value->SetWidth(ValueColumnWidth);
  List->SetOnChange([this](TObject*, TListItem* Item, TItemChange Change) {
    if (Change == ctState && Item && Item->GetSelected()) RowChosen();
  });
  List->SetOnDblClick([this](TObject*) { StepValue(); });
  Inspect();
}

TInspectorView::~TInspectorView() {
  ValueEdit->SetOnKeyDown(nullptr);
  ValueEdit->SetOnExit(nullptr);
  DialogButton->SetOnClick(nullptr);
  List->SetOnChange(nullptr);
  List->SetOnDblClick(nullptr);
}

void TInspectorView::Inspect() {
  TComponent* Component = FDesigner->GetSelection();
  const int Chosen = GetChosenRow();
  const AnsiString ChosenName = Chosen >= 0 ? FRows.Name(Chosen) : AnsiString();
  FRows.Inspect(Component, FDesigner);
  Header->SetCaption(Component->GetName() + ": " + Component->ClassName());
  TListItems* Items = List->GetItems();
  Items->BeginUpdate();
  Items->Clear();
  for (int I = 0; I < FRows.Count(); ++I) {
    TListItem* Item = Items->Add();
    Item->SetCaption(FRows.Name(I));
    Item->GetSubItems()->Add(FRows.Value(I));
  }
  Items->EndUpdate();
  if (!ChooseRow(ChosenName)) RowChosen();
}

void TInspectorView::UpdateValues() {
  TListItems* Items = List->GetItems();
  if (Items->GetCount() != FRows.Count()) return Inspect();
  TComponent* Component = FDesigner->GetSelection();
  Header->SetCaption(Component->GetName() + ": " + Component->ClassName());
  for (int I = 0; I < FRows.Count(); ++I) {
    const AnsiString Value = FRows.Value(I);
    TStrings* Cells = Items->GetItem(I)->GetSubItems();
    if (Cells->Get(0) != Value) Cells->Put(0, Value);
  }
  RowChosen();
}

bool TInspectorView::ChooseRow(const AnsiString& Name) {
  const int Index = FRows.IndexOf(Name);
  if (Index < 0) return false;
  TListItem* Item = List->GetItems()->GetItem(Index);
  List->SetSelected(Item);
  List->SetItemFocused(Item);
  RowChosen();
  return true;
}

int TInspectorView::GetChosenRow() const {
  TListItem* Item = List->GetSelected();
  return Item && Item->GetIndex() < FRows.Count() ? Item->GetIndex() : -1;
}

void TInspectorView::RowChosen() {
  const int Row = GetChosenRow();
  ValueEdit->SetText(Row >= 0 ? FRows.Value(Row) : AnsiString());
  ValueEdit->SetReadOnly(Row < 0 || FRows.IsReadOnly(Row));
  DialogButton->SetEnabled(Row >= 0 && FRows.HasDialog(Row));
}

void TInspectorView::ApplyValue() {
  const int Row = GetChosenRow();
  if (Row < 0 || FRows.IsReadOnly(Row)) return;
  const AnsiString Text = ValueEdit->GetText();
  if (Text == FRows.Value(Row)) return;
  try {
    FRows.SetValue(Row, Text);
  } catch (const Exception& E) {
    ShowError(E);
  }
  UpdateValues();
}

void TInspectorView::RunDialog() {
  const int Row = GetChosenRow();
  if (Row < 0 || !FRows.HasDialog(Row)) return;
  FRows.Edit(Row);
  UpdateValues();
}

void TInspectorView::StepValue() {
  const int Row = GetChosenRow();
  if (Row < 0) return;
  try {
    FRows.CycleValue(Row);
  } catch (const Exception& E) {
    ShowError(E);
  }
  UpdateValues();
}

}  // namespace designer
