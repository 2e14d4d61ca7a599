#pragma once
// A form of every standard control, built from its stored description ControlGallery.dfm:
// to look at the controls and to test forms made from a description.

#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "StdCtrls.h"

class TGalleryForm : public vcl::TForm {
public:
  const vcl::TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const vcl::TClassInfo& StaticClassInfo();
  explicit TGalleryForm(vcl::TComponent* AOwner);
  // OnDestroy runs while the whole form, its handler included, still exists.
  ~TGalleryForm() override { Destroying(); }

  vcl::TPanel* LogoPanel = nullptr;
  vcl::TImage* LogoImage = nullptr;
  vcl::TLabel* TitleLabel = nullptr;
  vcl::TLabel* URLLabel = nullptr;
  vcl::TLabel* NameLabel = nullptr;
  vcl::TEdit* NameEdit = nullptr;
  vcl::TGroupBox* OptionsGroupBox = nullptr;
  vcl::TCheckBox* ShowHintCheckBox = nullptr;
  vcl::TCheckBox* SortedCheckBox = nullptr;
  vcl::TListView* ContactsListView = nullptr;
  vcl::TLabel* NoteLabel = nullptr;
  vcl::TButton* ApplyButton = nullptr;
  vcl::TButton* OKButton = nullptr;
  vcl::TButton* CancelButton = nullptr;
  vcl::TMainMenu* MainMenu = nullptr;
  vcl::TMenuItem* FileItem = nullptr;
  vcl::TMenuItem* OpenItem = nullptr;
  vcl::TMenuItem* FileSeparator = nullptr;
  vcl::TMenuItem* ExitItem = nullptr;
  vcl::TPopupMenu* ListMenu = nullptr;
  vcl::TMenuItem* DeleteRowItem = nullptr;
  vcl::TOpenDialog* OpenDialog = nullptr;

  // What the handlers saw, for a program or a test to read.
  bool Created = false;
  int URLClicks = 0;
  int ApplyClicks = 0;
  int ShowHintClicks = 0;

  void FormCreate(vcl::TObject* Sender);
  void FormDestroy(vcl::TObject* Sender);
  void URLLabelClick(vcl::TObject* Sender);
  void ShowHintCheckBoxClick(vcl::TObject* Sender);
  void ApplyButtonClick(vcl::TObject* Sender);
  // File: Open... puts the chosen file's name into the name box.
  void OpenItemClick(vcl::TObject* Sender);
  void ExitItemClick(vcl::TObject* Sender);
  // The list's context menu: deletes the selected row.
  void DeleteRowItemClick(vcl::TObject* Sender);
};
