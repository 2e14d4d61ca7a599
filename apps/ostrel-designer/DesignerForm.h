#pragma once
// The designer's window: its menus, the palette at the top, the object inspector at the
// left and the designed form in the work area, wired to one form designer.

#include <memory>

#include "ComponentPalette.h"
#include "DesignerFiles.h"
#include "FormDesigner.h"
#include "Forms.h"
#include "InspectorView.h"
#include "Menus.h"
#include "PaletteView.h"

namespace designer {

class TDesignerForm : public vcl::TForm {
public:
  // Installs the palette (the standard controls and the card view package) and starts
  // with a new empty form; the palette page "Velmora" is shown.
  explicit TDesignerForm(vcl::TComponent* AOwner);
  ~TDesignerForm() override;

  TFormDesigner& Designer() const { return *FDesigner; }
  TDesignerFiles& Files() const { return *FFiles; }
  TPaletteView& Palette() const { return *FPaletteView; }
  TInspectorView& Inspector() const { return *FInspector; }
  // Where the designed form sits.
  vcl::TPanel* WorkArea = nullptr;

  // The menus, for the form and for tests.
  vcl::TMainMenu* MainMenu = nullptr;
  vcl::TMenuItem* FileNew = nullptr;
  vcl::TMenuItem* FileOpen = nullptr;
  vcl::TMenuItem* FileSave = nullptr;
  vcl::TMenuItem* FileSaveAs = nullptr;
  vcl::TMenuItem* FileExit = nullptr;
  vcl::TMenuItem* EditUndo = nullptr;
  vcl::TMenuItem* EditDelete = nullptr;
  vcl::TMenuItem* RunPreview = nullptr;

private:
  void BuildMenus();
  // After any change of the designed form: the title and the inspector's values follow.
  void DesignChanged();

  TComponentPalette FPalette;
  std::shared_ptr<TFormDesigner> FDesigner;
  std::unique_ptr<TDesignerFiles> FFiles;
  std::unique_ptr<TPaletteView> FPaletteView;
  std::unique_ptr<TInspectorView> FInspector;
};

}  // namespace designer
