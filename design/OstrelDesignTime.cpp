// The card list property editor and the card view component editor: both open the items
// editor on a copy of the edited cards and copy the dialog's cards back only on OK.

#include "OstrelDesignTime.h"

#include <memory>

#include "DesignIntf.h"
#include "OstrelItemsEditing.h"

namespace ostrel::OstrelDesignTime {

using namespace vcl;

namespace {

// Runs the items editor (kept in Form for the length of the call) on a copy of List; true
// when it closed with OK and its cards were copied back.
bool EditOnCopy(std::unique_ptr<TOstrelItemsEditorForm>& Form, TOstrelItems* List, const IFormDesignerRef& Designer) {
  Form = std::make_unique<TOstrelItemsEditorForm>(nullptr);
  struct TFreeForm {
    std::unique_ptr<TOstrelItemsEditorForm>& Form;
    ~TFreeForm() { Form.reset(); }
  } FreeForm{Form};
  return ExecuteItemsEditor(*Form, List, Designer);
}

// The inspector shows "(TOstrelItems)" with a button beside it that opens the items editor.
class TOstrelItemsPropertyEditor : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;

  void Edit() override {
    // The list of the first selected component.
    auto* List = dynamic_cast<TOstrelItems*>(GetObjectValue());
    if (List == nullptr) throw EInvalidCast(Consts::SInvalidCast);
    if (EditOnCopy(FForm, List, Designer())) Modified();
  }
  TPropertyAttributes GetAttributes() override { return {paDialog}; }
  AnsiString GetValue() override { return "(TOstrelItems)"; }

private:
  std::unique_ptr<TOstrelItemsEditorForm> FForm;
};

// One verb, "&Items Editor", which a double click runs as well.
class TOstrelItemsComponentEditor : public TComponentEditor {
public:
  using TComponentEditor::TComponentEditor;

  void Edit() override {
    TOstrel* Ostrel = dynamic_cast<TOstrel*>(Component());
    if (Ostrel == nullptr) throw EInvalidCast(Consts::SInvalidCast);
    if (EditOnCopy(FForm, Ostrel->GetItems(), GetDesigner()) && GetDesigner())
      GetDesigner()->Modified();
  }
  void ExecuteVerb(int Index) override {
    if (Index == 0) Edit();
  }
  AnsiString GetVerb(int Index) override { return Index == 0 ? "&Items Editor" : ""; }
  int GetVerbCount() override { return 1; }

private:
  std::unique_ptr<TOstrelItemsEditorForm> FForm;
};

}  // namespace

void Register() {
  RegisterComponents("Velmora", {&TOstrel::StaticClassInfo()});
  RegisterPropertyEditor(TypeInfo<TOstrelItems>(), nullptr, "", NewPropertyEditor<TOstrelItemsPropertyEditor>);
  RegisterComponentEditor(&TOstrel::StaticClassInfo(), NewComponentEditor<TOstrelItemsComponentEditor>);
}

}  // namespace ostrel::OstrelDesignTime
