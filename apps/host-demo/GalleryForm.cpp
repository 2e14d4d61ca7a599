// The control gallery: its fields and handlers, bound to its stored description by name.

#include "GalleryForm.h"

#include "TypInfo.h"

using namespace vcl;

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner) { ReadFormResource("ControlGallery"); }

const TClassInfo& TGalleryForm::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TGalleryForm>("TGalleryForm", &TForm::StaticClassInfo())
                                     .Field("LogoPanel", &TGalleryForm::LogoPanel)
                                     .Field("LogoImage", &TGalleryForm::LogoImage)
                                     .Field("TitleLabel", &TGalleryForm::TitleLabel)
                                     .Field("URLLabel", &TGalleryForm::URLLabel)
                                     .Field("NameLabel", &TGalleryForm::NameLabel)
                                     .Field("NameEdit", &TGalleryForm::NameEdit)
                                     .Field("OptionsGroupBox", &TGalleryForm::OptionsGroupBox)
                                     .Field("ShowHintCheckBox", &TGalleryForm::ShowHintCheckBox)
                                     .Field("SortedCheckBox", &TGalleryForm::SortedCheckBox)
                                     .Field("ContactsListView", &TGalleryForm::ContactsListView)
                                     .Field("NoteLabel", &TGalleryForm::NoteLabel)
                                     .Field("ApplyButton", &TGalleryForm::ApplyButton)
                                     .Field("OKButton", &TGalleryForm::OKButton)
                                     .Field("CancelButton", &TGalleryForm::CancelButton)
                                     .Field("MainMenu", &TGalleryForm::MainMenu)
                                     .Field("FileItem", &TGalleryForm::FileItem)
                                     .Field("OpenItem", &TGalleryForm::OpenItem)
                                     .Field("FileSeparator", &TGalleryForm::FileSeparator)
                                     .Field("ExitItem", &TGalleryForm::ExitItem)
                                     .Field("ListMenu", &TGalleryForm::ListMenu)
                                     .Field("DeleteRowItem", &TGalleryForm::DeleteRowItem)
                                     .Field("OpenDialog", &TGalleryForm::OpenDialog)
                                     .Method("FormCreate", &TGalleryForm::FormCreate)
                                     .Method("FormDestroy", &TGalleryForm::FormDestroy)
                                     .Method("URLLabelClick", &TGalleryForm::URLLabelClick)
                                     .Method("ShowHintCheckBoxClick", &TGalleryForm::ShowHintCheckBoxClick)
                                     .Method("ApplyButtonClick", &TGalleryForm::ApplyButtonClick)
                                     .Method("OpenItemClick", &TGalleryForm::OpenItemClick)
                                     .Method("ExitItemClick", &TGalleryForm::ExitItemClick)
                                     .Method("DeleteRowItemClick", &TGalleryForm::DeleteRowItemClick)
                                     .Build();
  return Info;
}

void TGalleryForm::FormCreate(TObject*) { Created = true; }

// The check box loses its handler before the controls go, so that tearing down runs none.
void TGalleryForm::FormDestroy(TObject*) { ShowHintCheckBox->SetOnClick(nullptr); }

void TGalleryForm::URLLabelClick(TObject*) { ++URLClicks; }

void TGalleryForm::ShowHintCheckBoxClick(TObject*) {
  ++ShowHintClicks;
  ApplyButton->SetEnabled(true);
}

void TGalleryForm::ApplyButtonClick(TObject*) {
  ++ApplyClicks;
  ApplyButton->SetEnabled(false);
}

void TGalleryForm::OpenItemClick(TObject*) {
  if (OpenDialog->Execute()) NameEdit->SetText(OpenDialog->GetFileName());
}

void TGalleryForm::ExitItemClick(TObject*) { Close(); }

void TGalleryForm::DeleteRowItemClick(TObject*) {
  if (TListItem* Row = ContactsListView->GetSelected()) Row->Delete();
}
