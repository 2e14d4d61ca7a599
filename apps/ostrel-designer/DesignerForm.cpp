#include "DesignerForm.h"

using namespace vcl;

namespace designer {

TDesignerForm::TDesignerForm(TComponent* AOwner) : TForm(AOwner) {
  SetCaption("Ostrel Designer");
  SetColor(clBtnFace);
  SetClientWidth(1000);
  SetClientHeight(620);
  FPalette.Install();
  FPaletteView = std::make_unique<TPaletteView>(this, this, FPalette, [this](const TClassInfo* Info) {
    if (FDesigner) FDesigner->SetDropClass(Info);
  });
  WorkArea = new TPanel(this);
  WorkArea->SetParent(this);
  WorkArea->SetAlign(alClient);
  WorkArea->SetBevelOuter(bvLowered);
  WorkArea->SetColor(clAppWorkSpace);
  FDesigner = TFormDesigner::Create(WorkArea);
  FInspector = std::make_unique<TInspectorView>(this, this, FDesigner);
  FFiles = std::make_unique<TDesignerFiles>(*FDesigner);
  BuildMenus();
  SetMenu(MainMenu);
  FDesigner->OnChange = [this](TObject*) { DesignChanged(); };
  FDesigner->OnSelectionChange = [this](TObject*) { FInspector->Inspect(); };
  SetOnCloseQuery([this](TObject*, bool& CanClose) { CanClose = FFiles->CanDropChanges(); });
  FPaletteView->ShowPage("Velmora");
  DesignChanged();
}

TDesignerForm::~TDesignerForm() {
  FDesigner->OnChange = nullptr;
  FDesigner->OnSelectionChange = nullptr;
  // The inspector's editors hold the designer; both go before the work area holding the form.
  FInspector.reset();
  FFiles.reset();
  FDesigner.reset();
}

void TDesignerForm::BuildMenus() {
  MainMenu = new TMainMenu(this);
  TMenuItem* File = AddMenuItem(MainMenu->GetItems(), "&File", nullptr);
  FileNew = AddMenuItem(File, "&New", [this](TObject*) { FFiles->NewFile(); }, ShortCut('N', {ssCtrl}));
  FileOpen = AddMenuItem(File, "&Open...", [this](TObject*) { FFiles->Open(); }, ShortCut('O', {ssCtrl}));
  FileSave = AddMenuItem(File, "&Save", [this](TObject*) { FFiles->Save(); }, ShortCut('S', {ssCtrl}));
  FileSaveAs = AddMenuItem(File, "Save &As...", [this](TObject*) { FFiles->SaveAs(); });
  AddMenuItem(File, "-", nullptr);
  FileExit = AddMenuItem(File, "E&xit", [this](TObject*) { Close(); });

  // Delete has no shortcut: the Delete key belongs to the inspector's value box; on the
  // designed form it deletes the selected component all the same.
  TMenuItem* Edit = AddMenuItem(MainMenu->GetItems(), "&Edit", nullptr);
  EditUndo = AddMenuItem(Edit, "&Undo", [this](TObject*) { FDesigner->Undo(); }, ShortCut('Z', {ssCtrl}));
  EditDelete = AddMenuItem(Edit, "&Delete", [this](TObject*) { FDesigner->DeleteSelection(); });

  TMenuItem* Run = AddMenuItem(MainMenu->GetItems(), "&Run", nullptr);
  RunPreview = AddMenuItem(Run, "&Preview", [this](TObject*) { FDesigner->Preview(); }, ShortCut(VK_F9, {}));
}

void TDesignerForm::DesignChanged() {
  SetCaption(FFiles->Title());
  EditUndo->SetEnabled(FDesigner->CanUndo());
  FPaletteView->SetPicked(FDesigner->GetDropClass());
  FInspector->UpdateValues();
}

}  // namespace designer
