#pragma once
// The items editor: a dialog in which the cards of a card view are edited on a copy, applied
// back, and saved to or loaded from a card file.
//
// The opener creates it with no owner, sets FEditedItems, copies the edited cards into
// Table->GetItems() with Assign, sets FFormDesigner (when there is a form designer), gives
// Table the edited control's BiDiMode, runs ShowModal, copies Table's cards back when the
// result is mrOk, and frees the dialog. The dialog itself touches the edited cards only
// through Apply.

#include "ComCtrls.h"
#include "DesignIntf.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"
#include "StdCtrls.h"

namespace ostrel {

// The product's home page, which the dialog's link label opens; the label shows it without
// its "https://", which would not fit beside the logo.
extern const char* const OstrelHomePage;

class TOstrelItemsEditorForm : public vcl::TForm {
public:
  const vcl::TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  // Lists the component fields and the handlers that the stored form description names.
  static const vcl::TClassInfo& StaticClassInfo();
  // Builds the dialog from its stored description, in the no-card state with Apply off.
  explicit TOstrelItemsEditorForm(vcl::TComponent* AOwner);
  // OnDestroy (FormDestroy) runs here, while the dialog's own members still exist.
  ~TOstrelItemsEditorForm() override { Destroying(); }

  // The components, owned by the form and filled from its description.
  vcl::TEdit* TextEdit = nullptr;
  vcl::TLabel* TextLabel = nullptr;
  vcl::TButton* NewItemButton = nullptr;
  vcl::TButton* DeleteItemButton = nullptr;
  vcl::TButton* OKButton = nullptr;
  vcl::TButton* CancelButton = nullptr;
  vcl::TButton* ApplyButton = nullptr;
  vcl::TButton* SaveToFileButton = nullptr;
  vcl::TButton* LoadFromFileButton = nullptr;
  vcl::TOpenDialog* OpenDialog = nullptr;
  vcl::TSaveDialog* SaveDialog = nullptr;
  vcl::TGroupBox* SubItemsGroupBox = nullptr;
  vcl::TLabel* SubItemLabel = nullptr;
  vcl::TLabel* ValueLabel = nullptr;
  vcl::TListView* SubItemsListView = nullptr;
  vcl::TEdit* SubItemEdit = nullptr;
  vcl::TEdit* SubItemValueEdit = nullptr;
  vcl::TButton* NewSubitemButton = nullptr;
  vcl::TButton* DeleteSubItemButton = nullptr;
  vcl::TPanel* LogoPanel = nullptr;
  vcl::TImage* Image1 = nullptr;
  vcl::TLabel* WebLabel = nullptr;
  vcl::TLabel* URLLabel = nullptr;
  vcl::TButton* ClearButton = nullptr;
  TOstrel* Table = nullptr;
  TOstrelButtonsBar* OstrelButtonsBar1 = nullptr;
  vcl::TEdit* HintEdit = nullptr;
  vcl::TLabel* HintLabel = nullptr;
  vcl::TCheckBox* ShowHintCheckBox = nullptr;

  // Set by the opener. The cards that Apply replaces (not owned; null: Apply copies nothing).
  TOstrelItems* FEditedItems = nullptr;
  // Told by Apply that the designed form changed; released with the dialog. May be empty.
  vcl::IFormDesignerRef FFormDesigner;

  // Handlers, bound by name from the form description.
  // Table's selection changed: show the selected card, or the no-card state.
  void TableChange(vcl::TObject* Sender, TOstrelItem* Item);
  // A value accepted in Table's in-place editor: an empty one becomes "<none>" (so that a
  // named line keeps its name) and the row of that line shows it.
  void TableEditedSubItem(vcl::TObject* Sender, TOstrelItem* Item, int SubItem, vcl::AnsiString& NewText);
  // Inserts "New Item" after the selected card (or appends it), selects it and puts the
  // caret in the text edit with the text selected.
  void NewItemButtonClick(vcl::TObject* Sender);
  // Deletes the selected card; no other card is selected in its place.
  void DeleteItemButtonClick(vcl::TObject* Sender);
  // Removes every card; does nothing, and leaves Apply as it is, when there are none.
  void ClearButtonClick(vcl::TObject* Sender);
  // The card fields write the selected card's text, hint and show-hint flag.
  void TextEditChange(vcl::TObject* Sender);
  void HintEditChange(vcl::TObject* Sender);
  void ShowHintCheckBoxClick(vcl::TObject* Sender);
  // The selected row moved: the sub-item edits show it, or are emptied and disabled.
  void SubItemsListViewChange(vcl::TObject* Sender, vcl::TListItem* Item, vcl::TItemChange Change);
  // A left press where there is no row empties and disables the sub-item edits.
  void SubItemsListViewMouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X,
                                 int Y);
  // Appends "New SubItem=New Value" to the selected card and selects its row for editing.
  void NewSubitemButtonClick(vcl::TObject* Sender);
  // Deletes the selected row's sub-item.
  void DeleteSubItemButtonClick(vcl::TObject* Sender);
  // Rename and revalue the selected row's sub-item. An empty value the user leaves makes
  // the line its name alone, without "=".
  void SubItemEditChange(vcl::TObject* Sender);
  void SubItemValueEditChange(vcl::TObject* Sender);
  // Write the dialog's cards to, or replace them from, a card file chosen in a file dialog.
  void SaveToFileButtonClick(vcl::TObject* Sender);
  void LoadFromFileButtonClick(vcl::TObject* Sender);
  // Copies the dialog's cards into FEditedItems, tells the designer, and turns Apply off.
  void ApplyButtonClick(vcl::TObject* Sender);
  // Opens the home page with the desktop's web browser.
  void URLLabelClick(vcl::TObject* Sender);
  // Detaches the handlers, so that destroying the cards and controls runs none of them.
  void FormDestroy(vcl::TObject* Sender);

private:
  void UpdateItemInfo();
  void DisableItemInfo();
  void SetModified();
  // Writes every row back into the selected card's sub-items, in row order.
  void UpdateSubItems();
  // Fills (Row set) or empties and disables (null) the sub-item edits and Delete.
  void ShowSubItemRow(vcl::TListItem* Row);
};

}  // namespace ostrel
