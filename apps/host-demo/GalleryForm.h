#pragma once
// A form of every standard control, built from its stored description ControlGallery.dfm:
// to look at the controls and to test forms made from a description.

#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TGalleryForm : public vcl::TForm {
public:
  const vcl::TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const vcl::TClassInfo& StaticClassInfo();
  explicit TGalleryForm(vcl::TComponent* AOwner);

  vcl::TPanel* LogoPanel = nullptr;
  vcl::TImage* LogoImage = nullptr;
  vcl::TLabel* TitleLabel = nullptr;
  vcl::TLabel* URLLabel = nullptr;
  vcl::TLabel* NameLabel = nullptr;
  vcl::TEdit* NameEdit = nullptr;
  vcl::TGroupBox* OptionsGroupBox = nullptr;
  vcl::TCheckBox* ShowHintCheckBox = nullptr;
  vcl::TCheckBox* SortedCheckBox = nullptr;
  vcl::TLabel* NoteLabel = nullptr;
  vcl::TButton* ApplyButton = nullptr;
  vcl::TButton* OKButton = nullptr;
  vcl::TButton* CancelButton = nullptr;

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
};
