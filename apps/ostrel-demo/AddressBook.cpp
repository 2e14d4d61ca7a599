// The address book's menus and commands.

#include "AddressBook.h"

#include <memory>
#include <string>

#include "OstrelItemsEditing.h"

using namespace vcl;
using namespace ostrel;

namespace demo {

namespace {

const char* const FileFilter =
    "Address books (*.cards;*.vcf;*.csv)|*.cards;*.vcf;*.csv|Card files (*.cards)|*.cards|"
    "vCard files (*.vcf)|*.vcf|CSV files (*.csv)|*.csv|All files (*.*)|*";

AnsiString BaseName(const AnsiString& Path) {
  const auto Slash = Path.find_last_of('/');
  return Slash == AnsiString::npos ? Path : Path.substr(Slash + 1);
}

// The cards as their file bytes, to tell whether a command changed them.
std::string Snapshot(TOstrel* Cards) {
  TMemoryStream Bytes;
  Cards->SaveToStream(&Bytes);
  return std::string(reinterpret_cast<const char*>(Bytes.Memory()), static_cast<std::size_t>(Bytes.GetSize()));
}

// The text an in-place edit starts from: a named line's value, or the whole line.
AnsiString EditedValue(TStrings* Lines, int Index) {
  const AnsiString Name = Lines->GetName(Index);
  const AnsiString Line = Lines->Get(Index);
  return Name.empty() ? Line : Line.substr(Name.size() + 1);
}

}  // namespace

TAddressBook::TAddressBook(TForm* Form, TOstrel* Cards)
    : FForm(Form), FCards(Cards), FWork(std::make_unique<TLongWork>(Form)) {
  BuildMenus();
  FForm->SetMenu(MainMenu);
  FCards->SetPopupMenu(CardsMenu);
  // A right click picks the card whose menu opens.
  FCards->SetRightClickSelect(true);
  FCards->SetOnEditedSubItem([this](TObject*, TOstrelItem* Item, int SubItem, AnsiString& NewText) {
    if (NewText != EditedValue(Item->GetSubItems(), SubItem)) Changed();
  });
  // Closing while a file is read or written stops that first; the window closes after.
  FForm->SetOnCloseQuery([this](TObject*, bool& CanClose) { CanClose = !FWork->DeferClose() && CanDropChanges(); });
  UpdateTitle();
}

void TAddressBook::BuildMenus() {
  MainMenu = new TMainMenu(FForm);
  TMenuItem* File = AddMenuItem(MainMenu->GetItems(), "&File", nullptr);
  FileNew = AddMenuItem(File, "&New", [this](TObject*) { NewFile(); }, ShortCut('N', {ssCtrl}));
  FileOpen = AddMenuItem(File, "&Open...", [this](TObject*) { Open(); }, ShortCut('O', {ssCtrl}));
  FileSave = AddMenuItem(File, "&Save", [this](TObject*) { Save(); }, ShortCut('S', {ssCtrl}));
  FileSaveAs = AddMenuItem(File, "Save &As...", [this](TObject*) { SaveAs(); });
  AddMenuItem(File, "-", nullptr);
  FileExit = AddMenuItem(File, "E&xit", [this](TObject*) { Exit(); });

  // Ctrl with the keys, so that they stay free for typing in a card's in-place editor.
  TMenuItem* Card = AddMenuItem(MainMenu->GetItems(), "&Card", nullptr);
  CardNew = AddMenuItem(Card, "&New", [this](TObject*) { NewCard(); }, ShortCut(VK_INSERT, {ssCtrl}));
  CardDelete = AddMenuItem(Card, "&Delete", [this](TObject*) { DeleteCard(); }, ShortCut(VK_DELETE, {ssCtrl}));
  CardSort = AddMenuItem(Card, "&Sort", [this](TObject*) { SetSorted(!FCards->GetSorted()); });
  AddMenuItem(Card, "-", nullptr);
  CardEditAll = AddMenuItem(Card, "&Edit all cards...", [this](TObject*) { EditAllCards(); }, ShortCut('E', {ssCtrl}));

  TMenuItem* View = AddMenuItem(MainMenu->GetItems(), "&View", nullptr);
  ViewRightToLeft = AddMenuItem(View, "&Right to left", [this](TObject*) {
    SetRightToLeft(FForm->GetBiDiMode() == bdLeftToRight);
  });

  CardsMenu = new TPopupMenu(FForm);
  PopupNew = AddMenuItem(CardsMenu->GetItems(), "&New card", [this](TObject*) { NewCard(); });
  PopupDelete = AddMenuItem(CardsMenu->GetItems(), "&Delete card", [this](TObject*) { DeleteCard(); });
  AddMenuItem(CardsMenu->GetItems(), "-", nullptr);
  PopupEditAll = AddMenuItem(CardsMenu->GetItems(), "&Edit all cards...", [this](TObject*) { EditAllCards(); });
  // The menus show the state as it is when they open.
  const auto Refresh = [this](TObject*) {
    const bool HaveCard = FCards->GetSelected() != nullptr;
    CardDelete->SetEnabled(HaveCard);
    PopupDelete->SetEnabled(HaveCard);
    CardSort->SetChecked(FCards->GetSorted());
    ViewRightToLeft->SetChecked(FForm->GetBiDiMode() != bdLeftToRight);
  };
  Card->SetOnClick(Refresh);
  View->SetOnClick(Refresh);
  CardsMenu->SetOnPopup(Refresh);
  Refresh(nullptr);
}

AnsiString TAddressBook::LoadWithProgress(const AnsiString& FileName) {
  AnsiString Warnings;
  FWork->Run("Opening " + BaseName(FileName) + "...",
             [&](const TProgress& Progress) { LoadContacts(FCards, FileName, &Warnings, Progress); });
  return Warnings;
}

AnsiString TAddressBook::Load(const AnsiString& FileName) {
  const AnsiString Warnings = LoadWithProgress(FileName);
  SetFile(FileName);
  return Warnings;
}

bool TAddressBook::NewFile() {
  if (FWork->GetBusy()) return false;
  StoreEdit();
  if (!CanDropChanges()) return false;
  FCards->GetItems()->Clear();
  SetFile(AnsiString());
  return true;
}

bool TAddressBook::Open() {
  if (FWork->GetBusy() || !CanDropChanges()) return false;
  const auto Dialog = std::make_unique<TOpenDialog>(nullptr);
  Dialog->SetFilter(FileFilter);
  Dialog->SetOptions(TOpenOptions{ofHideReadOnly, ofEnableSizing, ofFileMustExist, ofPathMustExist});
  if (!Dialog->Execute()) return false;
  AnsiString Warnings;
  try {
    Warnings = LoadWithProgress(Dialog->GetFileName());
  } catch (const EWorkCancelled&) {
    return false;  // the cards and the file are as they were
  } catch (const Exception& E) {
    MessageDlg(E.Message(), mtError, TMsgDlgButtons{mbOK}, 0);
    return false;
  }
  SetFile(Dialog->GetFileName());
  // What the reader changed or dropped, once, over the cards it read.
  if (!Warnings.empty()) MessageDlg(Warnings, mtWarning, TMsgDlgButtons{mbOK}, 0);
  return true;
}

bool TAddressBook::Save() {
  if (FWork->GetBusy()) return false;
  return FFileName.empty() ? SaveAs() : SaveTo(FFileName);
}

bool TAddressBook::SaveAs() {
  if (FWork->GetBusy()) return false;
  StoreEdit();
  const auto Dialog = std::make_unique<TSaveDialog>(nullptr);
  Dialog->SetFilter(FileFilter);
  Dialog->SetDefaultExt("cards");
  Dialog->SetFileName(FFileName);
  Dialog->SetOptions(TOpenOptions{ofHideReadOnly, ofEnableSizing, ofOverwritePrompt, ofPathMustExist});
  return Dialog->Execute() && SaveTo(Dialog->GetFileName());
}

bool TAddressBook::SaveTo(const AnsiString& FileName) {
  StoreEdit();
  try {
    FWork->Run("Saving " + BaseName(FileName) + "...",
               [&](const TProgress& Progress) { SaveContacts(FCards, FileName, Progress); });
  } catch (const EWorkCancelled&) {
    return false;  // the file is as it was
  } catch (const Exception& E) {
    MessageDlg(E.Message(), mtError, TMsgDlgButtons{mbOK}, 0);
    return false;
  }
  SetFile(FileName);
  return true;
}

bool TAddressBook::CanDropChanges() {
  StoreEdit();
  if (!FModified) return true;
  const AnsiString Name = FFileName.empty() ? AnsiString("the new address book") : BaseName(FFileName);
  switch (MessageDlg("Save the changes to " + Name + "?", mtConfirmation, mbYesNoCancel, 0)) {
    case mrYes: return Save();
    case mrNo: return true;
    default: return false;
  }
}

void TAddressBook::NewCard() {
  if (FWork->GetBusy()) return;
  TOstrelItem* Item = FCards->GetItems()->Add("New contact");
  Item->GetSubItems()->Add("Phone=");
  Item->GetSubItems()->Add("Mail=");
  Item->Update();
  FCards->SetSelected(Item);
  FCards->SetFocused(Item);
  FCards->ScrollInView(Item);
  Changed();
  if (FCards->HandleAllocated()) FCards->EditSubItem(Item, 0);
}

bool TAddressBook::DeleteCard() {
  if (FWork->GetBusy()) return false;
  StoreEdit();
  TOstrelItem* Item = FCards->GetSelected();
  if (!Item) return false;
  if (MessageDlg("Delete the card of " + Item->GetText() + "?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) != mrYes)
    return false;
  FCards->GetItems()->Delete(Item);
  Changed();
  return true;
}

void TAddressBook::SetSorted(bool Value) {
  StoreEdit();
  const std::string Before = Snapshot(FCards);
  FCards->SetSorted(Value);
  if (Value) FCards->GetItems()->Sort();
  CardSort->SetChecked(Value);
  if (Snapshot(FCards) != Before) Changed();
}

void TAddressBook::EditAllCards() {
  if (FWork->GetBusy()) return;
  StoreEdit();
  const std::string Before = Snapshot(FCards);
  const auto Dialog = std::make_unique<TOstrelItemsEditorForm>(nullptr);
  ExecuteItemsEditor(*Dialog, FCards->GetItems(), nullptr);
  // Apply changes the cards even when the dialog is then cancelled.
  if (Snapshot(FCards) != Before) Changed();
  UpdateTitle();
}

void TAddressBook::SetRightToLeft(bool Value) {
  FForm->SetBiDiMode(Value ? bdRightToLeft : bdLeftToRight);
  ViewRightToLeft->SetChecked(Value);
}

void TAddressBook::StoreEdit() { FCards->HideItemEditor(true); }

void TAddressBook::Changed() {
  FModified = true;
  UpdateTitle();
}

void TAddressBook::SetFile(const AnsiString& FileName) {
  FFileName = FileName;
  FModified = false;
  UpdateTitle();
}

void TAddressBook::UpdateTitle() {
  const AnsiString Name = FFileName.empty() ? AnsiString("Untitled") : BaseName(FFileName);
  FForm->SetCaption(Name + (FModified ? "*" : "") + " - " + CardCount(FCards->GetItems()->GetCount()));
}

}  // namespace demo
