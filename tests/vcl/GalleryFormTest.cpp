// Forms made from a stored description: the control gallery read into a running form,
// its anchors at work, its handlers reached through Qt's event path, the errors that name
// the line where a description and its class disagree, and every control written to a form
// file and read back.

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>

#include "ExtCtrls.h"
#include "GalleryForm.h"
#include "Harness.h"
#include "PopupWatch.h"
#include "QtEmbedding.h"
#include "TypInfo.h"

using namespace vcl;
using namespace vcltest;

namespace {

class GalleryFormTest : public THostTest {
protected:
  void TearDown() override {
    Gallery.reset();
    THostTest::TearDown();
  }
  void ShowGallery() {
    Gallery = std::make_unique<TGalleryForm>(nullptr);
    Gallery->Show();
    Activate();
  }
  // The off-screen platform leaves no window active once a menu it activated has gone, as
  // a window manager would: the test gives the activation back itself.
  void Activate() {
    QWidget* Window = ControlWidget(Gallery.get());
    Window->activateWindow();
    RunUntil([Window] { return Window->isActiveWindow(); });
  }
  std::unique_ptr<TGalleryForm> Gallery;
};

TEST_F(GalleryFormTest, TheDescriptionFillsEveryFieldBindsTheHandlersAndSetsTheProperties) {
  Gallery = std::make_unique<TGalleryForm>(nullptr);
  TGalleryForm& G = *Gallery;
  EXPECT_TRUE(G.Created) << "OnCreate fires once the description is read";
  EXPECT_EQ(G.GetName(), "GalleryForm");
  EXPECT_EQ(G.GetCaption(), "Control gallery");
  EXPECT_EQ(G.GetPosition(), poScreenCenter);
  EXPECT_EQ(G.GetBorderStyle(), bsSizeable);
  EXPECT_TRUE(G.GetKeyPreview());
  EXPECT_EQ(G.GetConstraints()->GetMinWidth(), 360);
  EXPECT_EQ(G.GetFont()->GetName(), "MS Sans Serif");
  EXPECT_EQ(G.GetFont()->GetHeight(), -11);
  EXPECT_EQ(G.LogoPanel->GetColor(), clWhite);
  EXPECT_EQ(G.LogoPanel->GetBevelOuter(), bvNone);
  EXPECT_EQ(G.LogoPanel->GetBorderStyle(), bsSingle);
  EXPECT_EQ(G.LogoImage->GetParent(), G.LogoPanel);
  EXPECT_EQ(G.LogoImage->GetBoundsRect(), (TRect{0, 3, 48, 35})) << "AutoSize takes the picture's size";
  EXPECT_EQ(G.LogoImage->GetPicture()->GetBitmap()->GetPixel(14, 10), RGB(0xF8, 0xD0, 0x20));
  EXPECT_EQ(G.URLLabel->GetCursor(), crHandPoint);
  EXPECT_EQ(G.URLLabel->GetFont()->GetColor(), clBlue);
  EXPECT_TRUE(G.URLLabel->GetFont()->GetStyle().Contains(fsUnderline));
  EXPECT_EQ(G.URLLabel->GetOnClick().MethodName(), "URLLabelClick");
  EXPECT_EQ(G.NameLabel->GetFocusControl(), G.NameEdit);
  EXPECT_EQ(G.NameEdit->GetText(), "Ada Lovelace");
  EXPECT_EQ(G.ShowHintCheckBox->GetParent(), G.OptionsGroupBox);
  EXPECT_FALSE(G.ShowHintCheckBox->GetChecked());
  EXPECT_EQ(G.SortedCheckBox->GetState(), cbChecked);
  EXPECT_FALSE(G.ApplyButton->GetEnabled());
  EXPECT_TRUE(G.OKButton->GetDefault());
  EXPECT_EQ(G.OKButton->GetModalResult(), mrOk);
  EXPECT_TRUE(G.CancelButton->GetCancel());
  EXPECT_EQ(G.CancelButton->GetModalResult(), mrCancel);
  EXPECT_EQ(G.NameEdit->GetTabOrder(), 0);
  EXPECT_EQ(G.LogoPanel->GetTabOrder(), 4);

  TListView& List = *G.ContactsListView;
  EXPECT_EQ(List.GetParent(), G.OptionsGroupBox);
  EXPECT_EQ(List.GetViewStyle(), vsReport);
  ASSERT_EQ(List.GetColumns()->GetCount(), 2);
  EXPECT_EQ(List.GetColumns()->GetItem(1)->GetCaption(), "Phone");
  EXPECT_EQ(List.GetColumns()->GetItem(1)->GetWidth(), 100);
  ASSERT_EQ(List.GetItems()->GetCount(), 3);
  EXPECT_EQ(List.GetItems()->GetItem(2)->GetCaption(), "Grace Hopper");
  EXPECT_EQ(List.GetItems()->GetItem(2)->GetSubItems()->GetTextStr(), "555-0102\r\n");
  EXPECT_TRUE(List.GetRowSelect() && List.GetReadOnly());
  EXPECT_FALSE(List.GetHideSelection() || List.GetColumnClick());
  EXPECT_EQ(List.GetPopupMenu(), G.ListMenu);
  EXPECT_EQ(G.DeleteRowItem->GetShortCut(), ShortCut(VK_DELETE, {}));
  EXPECT_EQ(G.GetMenu(), G.MainMenu);
  ASSERT_EQ(G.FileItem->GetCount(), 3);
  EXPECT_EQ(G.FileItem->GetItem(0), G.OpenItem);
  EXPECT_EQ(G.OpenItem->GetShortCut(), TextToShortCut("Ctrl+O"));
  EXPECT_EQ(G.OpenItem->GetOnClick().MethodName(), "OpenItemClick");
  EXPECT_TRUE(G.FileSeparator->IsLine());
  EXPECT_EQ(G.OpenDialog->GetTitle(), "Open a card file");
  EXPECT_EQ(G.OpenDialog->GetOptions(), (TOpenOptions{ofPathMustExist, ofFileMustExist, ofEnableSizing}));
}

TEST_F(GalleryFormTest, ResizingTheRunningFormMovesTheAnchoredControlsAsTheirAnchorsSay) {
  ShowGallery();
  TGalleryForm& G = *Gallery;
  struct TWatch {
    TControl* Control;
    TRect Before;
  };
  std::vector<TWatch> Watched;
  for (TControl* C : std::initializer_list<TControl*>{G.LogoPanel, G.URLLabel, G.NameEdit, G.OptionsGroupBox,
                                                      G.ApplyButton, G.NoteLabel, G.OKButton, G.CancelButton,
                                                      G.NameLabel, G.ShowHintCheckBox, G.ContactsListView})
    Watched.push_back({C, C->GetBoundsRect()});
  const int DX = 60, DY = 40;
  ControlWidget(Gallery.get())->resize(G.GetWidth() + DX, G.GetHeight() + DY);
  ProcessMessages();
  auto Moved = [](TRect R, int Left, int Top, int Right, int Bottom) {
    return TRect{R.Left + Left, R.Top + Top, R.Right + Right, R.Bottom + Bottom};
  };
  const TRect Expected[] = {
      Moved(Watched[0].Before, 0, 0, DX, 0),     // panel: left, top, right
      Moved(Watched[1].Before, DX, 0, DX, 0),    // link label inside it: top, right
      Moved(Watched[2].Before, 0, 0, DX, 0),     // name edit: left, top, right
      Moved(Watched[3].Before, 0, 0, DX, DY),    // group box: all four sides
      Moved(Watched[4].Before, DX, DY, DX, DY),  // its Apply button: right, bottom
      Moved(Watched[5].Before, 0, DY, 0, DY),    // its note: left, bottom
      Moved(Watched[6].Before, DX, DY, DX, DY),  // OK: right, bottom
      Moved(Watched[7].Before, DX, DY, DX, DY),  // Cancel: right, bottom
      Watched[8].Before,                         // name label: left, top
      Watched[9].Before,                         // check box in the group box: left, top
      Moved(Watched[10].Before, 0, 0, DX, DY),   // list view in the group box: all four sides
  };
  for (std::size_t I = 0; I < Watched.size(); ++I)
    EXPECT_EQ(Watched[I].Control->GetBoundsRect(), Expected[I]) << Watched[I].Control->GetName();
}

TEST_F(GalleryFormTest, TheGallerysHandlersAnswerClicksKeysAndAccelerators) {
  ShowGallery();
  TGalleryForm& G = *Gallery;
  EXPECT_EQ(G.GetActiveControl(), G.NameEdit) << "the first in tab order takes the focus";
  EXPECT_FALSE(ControlWidget(G.ApplyButton)->isEnabled()) << "disabled in the description";
  const QPalette Palette = ControlWidget(G.ApplyButton)->palette();
  EXPECT_NE(Palette.color(QPalette::Disabled, QPalette::ButtonText), Palette.color(QPalette::Active, QPalette::ButtonText))
      << "a disabled button's caption is grayed";
  Click(G.URLLabel, 5, 5);
  EXPECT_EQ(G.URLClicks, 1);
  PressKey('S', {ssAlt});
  EXPECT_TRUE(G.ShowHintCheckBox->GetChecked());
  EXPECT_EQ(G.ShowHintClicks, 1);
  EXPECT_TRUE(G.ApplyButton->GetEnabled()) << "the handler enabled Apply";
  Click(G.ApplyButton, 10, 10);
  EXPECT_EQ(G.ApplyClicks, 1);
  EXPECT_FALSE(G.ApplyButton->GetEnabled());
  G.NameEdit->SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(G.GetModalResult(), mrOk) << "Enter in the edit presses the default OK button";
  PressKey(VK_ESCAPE);
  EXPECT_EQ(G.GetModalResult(), mrCancel);
  Gallery->Hide();
}

TEST_F(GalleryFormTest, TheMenuBarTheListsContextMenuAndTheFileDialogWorkFromTheDescription) {
  // The dialog takes only a file that exists.
  const std::string Chosen = (std::filesystem::temp_directory_path() / ("gallery-" + std::to_string(getpid()) + ".cards")).string();
  std::ofstream(Chosen) << "";
  std::vector<std::string> Titles;
  SetFileDialogHook([&](TOpenDialog& Dialog) {
    Titles.push_back(Dialog.GetTitle());
    Dialog.SetFileName(Chosen);
    return true;
  });
  ShowGallery();
  TGalleryForm& G = *Gallery;
  PressKey('O', {ssCtrl});
  ProcessMessages();
  SetFileDialogHook(nullptr);
  std::filesystem::remove(Chosen);
  EXPECT_EQ(Titles, std::vector<std::string>{"Open a card file"});
  EXPECT_EQ(G.NameEdit->GetText(), Chosen) << "File: Open... by its shortcut";

  TListView& List = *G.ContactsListView;
  const TRect Row = List.GetItems()->GetItem(1)->DisplayRect();
  TPopupWatch Watch;
  Watch.WhenShown([&List](QMenu&) {
    EXPECT_EQ(List.GetSelected(), List.GetItems()->GetItem(1)) << "the right click selected its row";
    KeyToOpenMenu(Qt::Key_D, "d");
  });
  Click(&List, Row.Left + 10, (Row.Top + Row.Bottom) / 2, mbRight);
  EXPECT_EQ(Watch.Steps, 1) << "a right click shows the list's context menu";
  ASSERT_EQ(List.GetItems()->GetCount(), 2);
  EXPECT_EQ(List.GetItems()->GetItem(1)->GetCaption(), "Grace Hopper") << "Delete row took Charles Babbage";

  Activate();
  Click(&List, Row.Left + 10, (Row.Top + Row.Bottom) / 2);
  PressKey(VK_DELETE);
  ProcessMessages();
  ASSERT_EQ(List.GetItems()->GetCount(), 1) << "the context menu's shortcut works in the list";
  EXPECT_EQ(List.GetItems()->GetItem(0)->GetCaption(), "Ada Lovelace");

  PressKey('F', {ssAlt});
  ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "Alt+F opens the File menu";
  KeyToOpenMenu(Qt::Key_X, "x");
  EXPECT_FALSE(G.GetVisible()) << "File: Exit closed the form";
}

TEST_F(GalleryFormTest, ImagesLabelsAndBevelsPaintOnTheirParentsSurface) {
  ShowGallery();
  TGalleryForm& G = *Gallery;
  EXPECT_EQ(PixelAt(G.LogoPanel, 14, 13), RGB(0xF8, 0xD0, 0x20)) << "the image's sun, 3 pixels down in the panel";
  EXPECT_EQ(PixelAt(G.LogoPanel, 200, 36), clWhite) << "the panel's colour";
  int Blue = 0;
  const TRect L = G.URLLabel->GetBoundsRect();
  for (int X = L.Left; X < L.Right; ++X)
    for (int Y = L.Top; Y < L.Bottom; ++Y) Blue += PixelAt(G.LogoPanel, X, Y) == clBlue ? 1 : 0;
  EXPECT_GT(Blue, 20) << "the link's blue text";
  const int Line = G.OptionsGroupBox->GetHeight() - 2;  // the box's bottom shadow line
  EXPECT_EQ(PixelAt(G.OptionsGroupBox, 40, Line), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(G.OptionsGroupBox, 40, Line + 1), ColorToRGB(clBtnHighlight));
  Gallery->Hide();
}

// A form class that reads a description given as text, with one field and one handler.
class TStrictForm : public TForm {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo Info = TClassInfoBuilder<TStrictForm>("TStrictForm", &TForm::StaticClassInfo())
                                       .Field("Button1", &TStrictForm::Button1)
                                       .Method("Button1Click", &TStrictForm::Button1Click)
                                       .Build();
    return Info;
  }
  using TForm::TForm;
  using TCustomForm::ReadFormResource;
  using TCustomForm::ReadFormText;
  void Button1Click(TObject*) {}
  TButton* Button1 = nullptr;
};

struct TDisagreement {
  const char* Name;
  const char* Text;
  const char* Message;
};

TEST_F(GalleryFormTest, ADescriptionThatDisagreesWithItsClassFailsNamingTheLineAndLeavesNothing) {
  const TDisagreement Cases[] = {
      {"missing field", "object StrictForm: TStrictForm\n  Caption = 'x'\nend\n",
       "Error reading StrictForm on line 1: the description has no component for the field Button1 of TStrictForm"},
      {"missing handler",
       "object StrictForm: TStrictForm\n  object Button1: TButton\n    OnClick = Button2Click\n  end\nend\n",
       "Error reading Button1.OnClick on line 3: Method Button2Click not found in TStrictForm"},
      {"wrong class", "object StrictForm: TStrictForm\n  object Button1: TCheckBox\n  end\nend\n",
       "Error reading Button1 on line 2: the form's field Button1 cannot hold a TCheckBox"},
      {"unknown property",
       "object StrictForm: TStrictForm\n  object Button1: TButton\n    Left = 8\n    Flavour = 3\n  end\nend\n",
       "Error reading Button1.Flavour on line 4: Property does not exist"},
      {"wrong value", "object StrictForm: TStrictForm\n  object Button1: TButton\n    Default = Maybe\n  end\nend\n",
       "Error reading Button1.Default on line 3: Invalid property value Maybe"},
  };
  for (const TDisagreement& Case : Cases) {
    TStrictForm Form(nullptr);
    try {
      Form.ReadFormText(Case.Text);
      ADD_FAILURE() << Case.Name << ": no error";
    } catch (const EReadError& E) {
      EXPECT_EQ(E.Message(), Case.Message) << Case.Name;
    }
    EXPECT_EQ(Form.Button1, nullptr) << Case.Name;
    EXPECT_EQ(Form.GetComponentCount(), 0) << Case.Name;
  }
  TStrictForm Form(nullptr);
  EXPECT_THROW(Form.ReadFormResource("NoSuchForm"), EResNotFound);
  Form.ReadFormText("object StrictForm: TStrictForm\n  object Button1: TButton\n    OnClick = Button1Click\n  end\nend\n");
  ASSERT_NE(Form.Button1, nullptr);
  EXPECT_EQ(Form.Button1->GetOnClick().MethodName(), "Button1Click");
}

// ---------------------------------------------------------------- form files

TEST_F(GalleryFormTest, EveryControlIsWrittenToAFormFileAndReadBackWithItsSettings) {
  TForm Source(nullptr);
  Source.SetName("Source");
  Source.SetBorderStyle(bsDialog);
  Source.SetPosition(poScreenCenter);
  Source.SetKeyPreview(true);
  Source.GetConstraints()->SetMinHeight(100);
  auto* Panel = new TPanel(&Source);
  Panel->SetName("Panel1");
  Panel->SetParent(&Source);
  Panel->SetBevelOuter(bvLowered);
  Panel->SetBevelInner(bvRaised);
  Panel->SetBorderStyle(bsSingle);
  Panel->SetColor(clWhite);
  Panel->SetAnchors(TAnchors{akLeft, akRight});
  auto* Image = new TImage(&Source);
  Image->SetName("Image1");
  Image->SetParent(Panel);
  Image->SetAutoSize(true);
  Image->SetStretch(true);
  const TGalleryForm Logo(nullptr);
  Image->SetPicture(Logo.LogoImage->GetPicture());
  auto* Group = new TGroupBox(&Source);
  Group->SetName("Group1");
  Group->SetParent(&Source);
  Group->SetCaption(" Group ");
  auto* Check = new TCheckBox(&Source);
  Check->SetName("Check1");
  Check->SetParent(Group);
  Check->SetAllowGrayed(true);
  Check->SetState(cbGrayed);
  auto* Label = new TLabel(&Source);
  Label->SetName("Label1");
  Label->SetParent(Group);
  Label->SetCaption("&Name:");
  Label->SetCursor(crHandPoint);
  Label->SetTransparent(true);
  Label->GetFont()->SetColor(clBlue);
  auto* Edit = new TEdit(&Source);
  Edit->SetName("Edit1");
  Edit->SetParent(Group);
  Label->SetFocusControl(Edit);
  auto* Button = new TButton(&Source);
  Button->SetName("Button1");
  Button->SetParent(&Source);
  Button->SetDefault(true);
  Button->SetCancel(true);
  Button->SetModalResult(mrYes);
  Button->SetCaption("&Yes");

  const AnsiString Text = WriteComponentText(&Source);
  TForm Copy(nullptr);
  ReadComponentText(Text, &Copy);
  EXPECT_EQ(WriteComponentText(&Copy), Text) << "written again, the file is the same";
  auto* P = dynamic_cast<TPanel*>(Copy.FindComponent("Panel1"));
  auto* I = dynamic_cast<TImage*>(Copy.FindComponent("Image1"));
  auto* G = dynamic_cast<TGroupBox*>(Copy.FindComponent("Group1"));
  auto* C = dynamic_cast<TCheckBox*>(Copy.FindComponent("Check1"));
  auto* L = dynamic_cast<TLabel*>(Copy.FindComponent("Label1"));
  auto* B = dynamic_cast<TButton*>(Copy.FindComponent("Button1"));
  ASSERT_TRUE(P && I && G && C && L && B) << Text;
  EXPECT_EQ(Copy.GetBorderStyle(), bsDialog);
  EXPECT_EQ(Copy.GetPosition(), poScreenCenter);
  EXPECT_TRUE(Copy.GetKeyPreview());
  EXPECT_EQ(Copy.GetConstraints()->GetMinHeight(), 100);
  EXPECT_EQ(P->GetBevelOuter(), bvLowered);
  EXPECT_EQ(P->GetBevelInner(), bvRaised);
  EXPECT_EQ(P->GetBorderStyle(), bsSingle);
  EXPECT_EQ(P->GetColor(), clWhite);
  EXPECT_EQ(P->GetAnchors(), (TAnchors{akLeft, akRight}));
  EXPECT_EQ(I->GetParent(), P);
  EXPECT_TRUE(I->GetAutoSize());
  EXPECT_TRUE(I->GetStretch());
  EXPECT_EQ(I->GetBoundsRect(), Image->GetBoundsRect());
  for (TPoint Pixel : {TPoint{0, 0}, TPoint{14, 10}, TPoint{47, 31}})
    EXPECT_EQ(I->GetPicture()->GetBitmap()->GetPixel(Pixel.X, Pixel.Y), Image->GetPicture()->GetBitmap()->GetPixel(Pixel.X, Pixel.Y));
  EXPECT_EQ(G->GetCaption(), " Group ");
  EXPECT_EQ(C->GetParent(), G);
  EXPECT_EQ(C->GetState(), cbGrayed);
  EXPECT_TRUE(C->GetAllowGrayed());
  EXPECT_EQ(L->GetCaption(), "&Name:");
  EXPECT_EQ(L->GetCursor(), crHandPoint);
  EXPECT_TRUE(L->GetTransparent());
  EXPECT_EQ(L->GetFont()->GetColor(), clBlue);
  EXPECT_EQ(L->GetFocusControl(), Copy.FindComponent("Edit1"));
  EXPECT_TRUE(B->GetDefault());
  EXPECT_TRUE(B->GetCancel());
  EXPECT_EQ(B->GetModalResult(), mrYes);
  EXPECT_EQ(B->GetCaption(), "&Yes");
}

TEST_F(GalleryFormTest, DefaultsAreNotWrittenAndABrokenPictureFailsNamingItsLine) {
  TForm Source(nullptr);
  auto* Button = new TButton(&Source);
  Button->SetName("Button1");
  Button->SetParent(&Source);
  auto* Check = new TCheckBox(&Source);
  Check->SetName("Check1");
  Check->SetParent(&Source);
  const AnsiString Text = WriteComponentText(&Source);
  for (const char* Default : {"Default =", "Cancel =", "ModalResult", "State =", "Checked", "TabStop"})
    EXPECT_EQ(Text.find(Default), AnsiString::npos) << Default << " in\n" << Text;
  const char* Broken =
      "object Form1: TForm\n  object Image1: TImage\n    Picture.Data = {\n      07544269746D6170 04000000 424D0000}\n  end\nend\n";
  TForm Target(nullptr);
  try {
    ReadComponentText(Broken, &Target);
    ADD_FAILURE() << "a picture that is no bitmap was read";
  } catch (const EReadError& E) {
    EXPECT_NE(E.Message().find("Image1.Picture.Data on line 3"), AnsiString::npos) << E.Message();
  }
  EXPECT_EQ(Target.GetComponentCount(), 0);
}

}  // namespace
