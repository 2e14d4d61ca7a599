// A form with one custom-drawn control, to look at the framework's drawing on a real
// display. With --screenshot FILE.png it saves the window and quits; with --modal the form
// runs modally; with --gallery it shows the control gallery, a form of every standard
// control read from its stored description; with --menus it shows a menu bar, a context
// menu and a list view (--open-menu also opens the File menu, for a look at it); --message
// and --file-dialog wait in a message box or a file dialog until it is answered.

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstring>
#include <functional>

#include "ComCtrls.h"
#include "Dialogs.h"
#include "Forms.h"
#include "GalleryForm.h"
#include "Menus.h"
#include "QtEmbedding.h"
#include "StdCtrls.h"

using namespace vcl;

namespace {

// Draws a few cards the way a card view would: caption bands, lines, a focus frame.
class TSampleCards : public TCustomControl {
public:
  explicit TSampleCards(TComponent* AOwner) : TCustomControl(AOwner) {
    FFocusBitmap.LoadFromResourceName(HInstance, "FOCUS_BITMAP");
    FFocusBrush.SetHandle(CreatePatternBrush(FFocusBitmap.GetHandle()));
    SetColor(clWhite);
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }

  void Paint() override {
    TCanvas* C = GetCanvas();
    const char* Names[] = {"Ada Lovelace", "Charles Babbage & Co", "Grace Hopper, Rear Admiral"};
    for (int I = 0; I < 3; ++I) {
      const TRect Card{8 + I * 118, 8, 118 + I * 118, 120};
      TRect Band{Card.Left, Card.Top, Card.Right, Card.Top + 18};
      C->SetFont(GetFont());
      C->GetFont()->SetStyle(TFontStyles{fsBold});
      C->GetBrush()->SetStyle(bsSolid);
      C->GetBrush()->SetColor(I == 1 ? clHighlight : clSilver);
      C->GetFont()->SetColor(I == 1 ? clHighlightText : clBlack);
      C->FillRect(Band);
      InflateRect(Band, -2, 0);
      DrawText(C->GetHandle(), Names[I], -1, &Band, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
      C->SetFont(GetFont());
      C->GetBrush()->SetColor(clWhite);
      C->TextOut(Card.Left + 3, Card.Top + 22, "Phone");
      C->TextOut(Card.Left + 50, Card.Top + 22, "555-0100");
      C->TextOut(Card.Left + 3, Card.Top + 40, "Mail");
      C->TextOut(Card.Left + 50, Card.Top + 40, "x@y.z");
      C->GetPen()->SetColor(clSilver);
      C->GetPen()->SetWidth(0);
      C->MoveTo(Card.Right + 4, 4);
      C->LineTo(Card.Right + 4, GetClientHeight() - 4);
    }
    TRect Focus{8 + 118 - 2, 6, 236 + 2, 122};
    C->SetBrush(&FFocusBrush);
    C->GetFont()->SetColor(clBlack);
    C->FrameRect(Focus);
  }

private:
  TBitmap FFocusBitmap;
  TBrush FFocusBrush;
};

TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const char* Caption, const char* Keys = "",
                   std::function<void()> OnClick = {}) {
  auto* Item = new TMenuItem(Owner);
  Item->SetCaption(Caption);
  Item->SetShortCut(TextToShortCut(Keys));
  if (OnClick) Item->SetOnClick([OnClick](TObject*) { OnClick(); });
  Parent->Add(Item);
  return Item;
}

// A menu bar, a list view in report style with a context menu, and the file dialogs.
void BuildMenuDemo(TForm* Form) {
  Form->SetCaption("Menus and list view");
  auto* List = new TListView(Form);
  List->SetViewStyle(vsReport);
  List->SetRowSelect(true);
  List->SetHideSelection(false);
  List->SetReadOnly(true);
  List->SetColumnClick(false);
  for (const char* Caption : {"Sub Item", "Value"}) {
    TListColumn* Column = List->GetColumns()->Add();
    Column->SetCaption(Caption);
    Column->SetWidth(120);
  }
  const char* Rows[][2] = {{"Phone", "555-0100"}, {"Mail", "ada@example.org"}, {"Note", nullptr}, {"Fax", ""}};
  for (const auto& Row : Rows) {
    TListItem* Item = List->GetItems()->Add();
    Item->SetCaption(Row[0]);
    if (Row[1]) Item->GetSubItems()->Add(Row[1]);
  }
  List->SetAlign(alClient);
  List->SetParent(Form);
  List->GetItems()->GetItem(1)->SetSelected(true);

  auto* Menu = new TMainMenu(Form);
  TMenuItem* File = AddItem(Form, Menu->GetItems(), "&File");
  AddItem(Form, File, "&New", "Ctrl+N", [List] { List->GetItems()->Clear(); });
  AddItem(Form, File, "&Open...", "Ctrl+O", [Form] {
    auto* Dialog = new TOpenDialog(Form);
    Dialog->SetTitle("Open cards");
    Dialog->SetFilter("Card files (*.cards)|*.cards|All Files (*.*)|*.*");
    Dialog->SetOptions({ofPathMustExist, ofFileMustExist});
    if (Dialog->Execute()) ShowMessage("Chosen: " + Dialog->GetFileName());
    delete Dialog;
  });
  AddItem(Form, File, "&Save", "Ctrl+S")->SetEnabled(false);
  AddItem(Form, File, "Save &As...");
  AddItem(Form, File, "-");
  AddItem(Form, File, "E&xit", "", [Form] { Form->Close(); });
  TMenuItem* View = AddItem(Form, Menu->GetItems(), "&View");
  TMenuItem* RightToLeft = AddItem(Form, View, "&Right to left");
  RightToLeft->SetOnClick([RightToLeft, List](TObject*) {
    RightToLeft->SetChecked(!RightToLeft->GetChecked());
    List->SetBiDiMode(RightToLeft->GetChecked() ? bdRightToLeft : bdLeftToRight);
  });
  Form->SetMenu(Menu);

  auto* Popup = new TPopupMenu(Form);
  AddItem(Form, Popup->GetItems(), "&Delete row", "Del", [List] {
    if (TListItem* Item = List->GetSelected()) Item->Delete();
  });
  List->SetPopupMenu(Popup);
}

}  // namespace

int main(int argc, char** argv) {
  const char* Screenshot = nullptr;
  bool Modal = false, Menus = false, OpenMenu = false, Gallery = false;
  for (int I = 1; I < argc; ++I) {
    if (std::strcmp(argv[I], "--menus") == 0) Menus = true;
    if (std::strcmp(argv[I], "--open-menu") == 0) Menus = OpenMenu = true;
    if (std::strcmp(argv[I], "--screenshot") == 0 && I + 1 < argc) Screenshot = argv[I + 1];
    if (std::strcmp(argv[I], "--modal") == 0) Modal = true;
    if (std::strcmp(argv[I], "--gallery") == 0) Gallery = true;
  }
  Application->Initialize(argc, argv);
  for (int I = 1; I < argc; ++I) {
    if (std::strcmp(argv[I], "--message") == 0) {
      MessageDlg("Save the changes to the cards?", mtConfirmation, mbYesNoCancel, 0);
      Application->Finalize();
      return 0;
    }
    if (std::strcmp(argv[I], "--file-dialog") == 0) {
      TOpenDialog Dialog(nullptr);
      Dialog.SetFilter("Card files (*.cards)|*.cards|All Files (*.*)|*.*");
      Dialog.Execute();
      Application->Finalize();
      return 0;
    }
  }
  TCustomForm* Form = nullptr;
  if (Gallery) {
    TGalleryForm* Shown = nullptr;
    Application->CreateForm(Shown);
    Form = Shown;
  } else {
    TForm* Shown = nullptr;
    Application->CreateForm(Shown);
    Form = Shown;
    Form->SetCaption("Framework demo");
    Form->SetBounds(100, 100, 380, 180);
    if (Menus) {
      Form->SetBounds(100, 100, 320, 200);
      BuildMenuDemo(Shown);
      if (OpenMenu) QTimer::singleShot(300, [Shown] { Shown->GetMenu()->IsShortCut('F', {ssAlt}); });
      Application->Run();
      return 0;
    }
    auto* Search = new TEdit(Form);
    Search->SetAlign(alTop);
    Search->SetParent(Form);
    Search->SetText("Type here");
    auto* Cards = new TSampleCards(Form);
    Cards->SetAlign(alClient);
    Cards->SetParent(Form);
  }
  if (Modal) {
    // Waits in a modal run until the window closes.
    Form->ShowModal();
    Application->Finalize();
    return 0;
  }
  int Status = 0;
  if (Screenshot) {
    Form->Show();
    QTimer::singleShot(500, [&] {
      QWidget* Window = ControlWidget(Form);
      Status = Window->grab().save(QString::fromUtf8(Screenshot), "PNG") ? 0 : 1;
      Application->Terminate();
    });
  }
  Application->Run();
  return Status;
}
