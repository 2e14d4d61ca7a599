#include "OstrelItemsEditing.h"

namespace ostrel {

bool ExecuteItemsEditor(TOstrelItemsEditorForm& Dialog, TOstrelItems* Cards, const vcl::IFormDesignerRef& Designer) {
  Dialog.FEditedItems = Cards;
  Dialog.Table->GetItems()->Assign(Cards);
  Dialog.FFormDesigner = Designer;
  if (TOstrel* Control = Cards->GetTable()) Dialog.Table->SetBiDiMode(Control->GetBiDiMode());
  if (Dialog.ShowModal() != vcl::mrOk) return false;
  Cards->Assign(Dialog.Table->GetItems());
  return true;
}

}  // namespace ostrel
