// In-place sub-item editing: the editor, opening an edit, and ending it with the value
// stored or discarded.

#include <utility>

#include "Ostrel.h"

namespace ostrel {

// ------------------------------------------------------------------ editor

TOstrelEditor::TOstrelEditor(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetTabStop(false);
  SetAutoSize(false);
  SetParentCtl3D(false);
  SetCtl3D(false);
  SetBorderStyle(bsNone);
}

TOstrel* TOstrelEditor::GetOstrel() const { return CheckedCast<TOstrel>(GetOwner()); }

// Right-to-left card views edit right to left.
void TOstrelEditor::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  SetBiDiMode(GetOstrel()->GetBiDiMode());
}

// Taking the focus, the editor makes its card view, not itself, the form's focused control:
// leaving for another control then ends the edit through the card view's DoExit.
void TOstrelEditor::WndProc(TMessage& Message) {
  if (Message.Msg != WM_SETFOCUS) {
    TCustomEdit::WndProc(Message);
    return;
  }
  if (TCustomForm* Form = GetParentForm(this); Form && !Form->SetFocusedControl(GetOstrel())) return;
  Dispatch(Message);
}

void TOstrelEditor::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY) DispatchAs(Message, this, &TOstrelEditor::CMWantSpecialKey);
  else TCustomEdit::Dispatch(Message);
}

// Enter and Escape belong to the edit, not to the form's default and cancel buttons.
void TOstrelEditor::CMWantSpecialKey(TWMKey& Message) {
  TCustomEdit::Dispatch(Message.Message);
  if (Message.CharCode == VK_ESCAPE || Message.CharCode == VK_RETURN) Message.Result = 1;
}

void TOstrelEditor::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    PostHide(false);
    Key = 0;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

// The card view's key filter applies to what is typed into its editor too.
void TOstrelEditor::KeyPress(char& Key) {
  if (Key == '\r') {
    PostHide(true);
    return;
  }
  const std::weak_ptr<char> Alive = LifetimeToken();
  TCustomEdit::KeyPress(Key);
  if (Alive.expired()) return;
  TOstrel* Table = GetOstrel();
  if (Table->GetOnKeyPress()) Table->GetOnKeyPress()(Table, Key);
}

// Posted, not sent: the editor is freed only after its own key handling has returned. The
// edit's number rides along, so that a request arriving after its edit ended is ignored.
void TOstrelEditor::PostHide(bool Accept) {
  TOstrel* Table = GetOstrel();
  if (Table->HandleAllocated())
    PostMessage(Table->GetHandle(), WM_HIDEEDITOR, Accept ? 1 : 0, static_cast<LPARAM>(Table->FEditSerial));
}

// ------------------------------------------------------------------ card view

bool TOstrel::CanEdit(TOstrelItem* Item, int SubItem) {
  bool Result = true;
  if (FOnEditingSubItem) FOnEditingSubItem(this, Item, SubItem, Result);
  return Result;
}

bool TOstrel::EditSubItem(TOstrelItem* Item, int SubItem) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  // Ending the open edit runs OnEditedSubItem, which may delete the card or change its
  // lines (an empty value removes a named line), and so may the permission handler.
  const TWatchedItem Edited(*this, Item);
  auto LineGone = [&] { return SubItem < 0 || SubItem >= Item->GetSubItems()->GetCount(); };
  HideItemEditor(true);
  if (Alive.expired() || !Edited.Item() || !FSelection.MayHold(Item) || LineGone()) return false;
  if (!CanEdit(Item, SubItem) || Alive.expired() || !Edited.Item() || LineGone()) return false;
  // The handler opened an edit of its own: that one stands.
  if (FEditor) return false;
  FEditItem = Item;
  FEditSubItem = SubItem;
  Item->FEdited = true;
  ++FEditSerial;
  FEditor = new TOstrelEditor(this);
  FEditor->SetColor(GetColor());
  FEditor->SetFont(GetFont());
  const TRect Value = Item->GetSubItemEditRect(SubItem);
  FEditor->SetBounds(Value.Left - 2, Value.Top + 1, Value.Right - Value.Left + 1, Value.Bottom - Value.Top - 2);
  // A named line edits its value; a plain line is edited whole.
  const AnsiString Line = Item->GetSubItems()->Get(SubItem);
  const bool Named = !Item->GetSubItems()->GetName(SubItem).empty();
  FEditor->SetText(Named ? Line.substr(Line.find('=') + 1) : Line);
  // A screen reader says which line is being edited: by its name, a plain line by its card.
  FEditor->SetAccessibleName(Named ? Item->GetSubItems()->GetName(SubItem) : Item->GetText());
  FEditor->SetParent(this);
  AnnounceReorder();
  if (HandleAllocated() && FEditor->CanFocus()) FEditor->SetFocus();
  if (Alive.expired()) return false;
  if (HandleAllocated() && FEditItem) DrawFocusRect(FEditItem->GetSubItemRect(SubItem));
  FEditing = FEditor != nullptr;
  return FEditing;
}

void TOstrel::HideItemEditor(bool Accept) {
  FEditing = false;
  if (!FEditor) return;
  TOstrelItem* const Item = FEditItem;
  const int SubItem = FEditSubItem;
  // A line that the program removed meanwhile, or a card on its way out, has no value to
  // store or report. An edit whose end is being reported ends without a second report:
  // a handler that opens another edit would otherwise be asked again, without end.
  if (Accept && !FEditEnding && Item && FSelection.MayHold(Item) && SubItem < Item->GetSubItems()->GetCount()) {
    AnsiString NewText = FEditor->GetText();
    const std::weak_ptr<char> Alive = LifetimeToken();
    const TWatchedItem Edited(*this, Item);
    const unsigned Serial = FEditSerial;
    FEditEnding = true;
    try {
      if (FOnEditedSubItem) FOnEditedSubItem(this, Item, SubItem, NewText);
    } catch (...) {
      if (!Alive.expired()) FEditEnding = false;
      throw;
    }
    if (Alive.expired()) return;
    FEditEnding = false;
    // The handler may have deleted the card; or ended this edit, even opened another: the
    // value it settled on is stored all the same, and the other edit stands.
    if (Edited.Item()) StoreEditedValue(Item, SubItem, NewText);
    if (FEditSerial != Serial) return;
  }
  EndEditor();
}

// Only the edited line changes, whatever names the other lines have. An empty value removes
// a named line; the card then lays out at once, so that it overlaps no other card.
void TOstrel::StoreEditedValue(TOstrelItem* Item, int SubItem, const AnsiString& NewText) {
  TStrings* Lines = Item->GetSubItems();
  if (SubItem >= Lines->GetCount()) return;  // a handler removed the line meanwhile
  const AnsiString Name = Lines->GetName(SubItem);
  if (Name.empty()) {
    Lines->Put(SubItem, NewText);
  } else if (!NewText.empty()) {
    Lines->Put(SubItem, Name + "=" + NewText);
  } else {
    Lines->Delete(SubItem);
    Item->Update();
  }
}

// The editor goes; a card view whose editor had the keyboard takes it back.
void TOstrel::EndEditor() {
  TOstrelEditor* const Editor = std::exchange(FEditor, nullptr);
  TOstrelItem* const Item = std::exchange(FEditItem, nullptr);
  FEditing = false;
  const bool HadFocus = Editor && Editor->Focused();
  delete Editor;
  if (Editor) AnnounceReorder();
  if (Item) {
    Item->FEdited = false;
    Item->Invalidate();
  }
  if (HadFocus && !HasState(csDestroying) && CanFocus()) SetFocus();
}

void TOstrel::DropEdit() {
  if (FEditItem) FEditItem->FEdited = false;
  FEditItem = nullptr;
  EndEditor();
}

void TOstrel::WMHideEditor(TMessage& Message) {
  if (Message.LParam != 0 && static_cast<unsigned>(Message.LParam) != FEditSerial) return;
  HideItemEditor(Message.WParam != 0);
}

// ------------------------------------------------------------------ card

bool TOstrelItem::EditSubItem(int Index) {
  if (Index < 0 || Index >= FSubItems.GetCount()) throw Exception("Index out of range");
  TOstrel* Table = GetTable();
  return Table && Table->EditSubItem(this, Index);
}

void TOstrelItem::EditSubItemByName(const AnsiString& Name) {
  const int Index = GetSubItemIndex(Name);
  if (Index == -1) throw Exception("SubItem not found");
  if (TOstrel* Table = GetTable()) Table->EditSubItem(this, Index);
}

void TOstrelItem::EndEdit(bool Cancel) {
  if (TOstrel* Table = GetTable()) Table->HideItemEditor(!Cancel);
}

}  // namespace ostrel
