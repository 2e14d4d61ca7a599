// What the card view tells assistive technology: a list whose items are the cards, named by
// their captions, with their lines as labels; and the announcements of selection and focus.

#include "Ostrel.h"

namespace ostrel {

namespace {

// A line as a screen reader should say it: "Name: Value", or a plain line as it is.
AnsiString SpokenLine(const TStrings* Lines, int Index) {
  const AnsiString Line = Lines->Get(Index);
  const AnsiString Name = Lines->GetName(Index);
  if (Name.empty()) return Line;
  return Name + ": " + Line.substr(Name.size() + 1);
}

bool Overlaps(const TRect& A, const TRect& B) {
  TRect Common;
  return IntersectRect(Common, A, B);
}

}  // namespace

void TOstrel::WMGetObject(TWMGetObject& Message) {
  if (Message.ObjectId != OBJID_CLIENT || !Message.Object) {
    TCustomControl::Dispatch(Message.Message);
    return;
  }
  const TRect Client = GetClientRect();
  const bool HasKeyboard = Focused();
  TAccObject& List = *Message.Object;
  List.Role = ROLE_SYSTEM_LIST;
  List.Name = GetName();
  List.Bounds = Client;
  List.Children.reserve(static_cast<std::size_t>(FItems->GetCount()) + 1);
  for (int I = 0; I < FItems->GetCount(); ++I) {
    TOstrelItem* Item = FItems->GetItemFromIndex(I);
    TAccObject& Card = List.Children.emplace_back();
    Card.Role = ROLE_SYSTEM_LISTITEM;
    Card.Name = Item->GetText();
    Card.Bounds = GetItemClientRect(Item);
    Card.State = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    Card.DefaultAction = "Select";
    if (Item == FSelected) Card.State |= STATE_SYSTEM_SELECTED;
    if (Item == FItemFocused && HasKeyboard) Card.State |= STATE_SYSTEM_FOCUSED;
    const bool CardShown = Overlaps(Card.Bounds, Client);
    if (!CardShown) Card.State |= STATE_SYSTEM_OFFSCREEN;
    const TStrings* Lines = Item->GetSubItems();
    Card.Children.reserve(static_cast<std::size_t>(Lines->GetCount()));
    for (int J = 0; J < Lines->GetCount(); ++J) {
      TAccObject& Line = Card.Children.emplace_back();
      Line.Role = ROLE_SYSTEM_STATICTEXT;
      Line.Name = SpokenLine(Lines, J);
      Line.State = STATE_SYSTEM_READONLY;
      // Lines below a card's last shown one are drawn nowhere.
      Line.Bounds = Item->GetSubItemRect(J);
      if (!CardShown || !Overlaps(Line.Bounds, Client) || !Overlaps(Line.Bounds, Card.Bounds))
        Line.State |= STATE_SYSTEM_OFFSCREEN;
    }
  }
  if (FEditor && FEditor->HandleAllocated()) List.Children.emplace_back().Window = FEditor->GetHandle();
  Message.Result = 1;
}

// Child ids past the cards (the editor) have no action here.
void TOstrel::WMAccAction(TMessage& Message) {
  const long Index = static_cast<long>(Message.WParam) - 1;
  if (Index < 0 || Index >= FItems->GetCount() || !GetEnabled()) return;
  if (Message.Msg == WM_ACCSELECT && !(Message.LParam & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION))) return;
  Message.Result = 1;
  // Taking the keyboard ends an open edit, whose handler may delete the card or the view.
  const TWatchedItem Target(*this, FItems->GetItemFromIndex(static_cast<int>(Index)));
  if (CanFocus()) SetFocus();
  if (!Target.TableGone() && Target.Item()) FSelection.MoveTo(Target.Item());
}

// Card indexes cost a search of the list: only worth it when something listens.
void TOstrel::AnnounceSelection(TOstrelItem* Old) {
  if (!HandleAllocated() || !IsWinEventHookInstalled(EVENT_OBJECT_SELECTIONADD)) return;
  if (Old && Old->FAttached) NotifyWinEvent(EVENT_OBJECT_SELECTIONREMOVE, GetHandle(), OBJID_CLIENT, Old->GetIndex() + 1);
  if (FSelected) NotifyWinEvent(EVENT_OBJECT_SELECTIONADD, GetHandle(), OBJID_CLIENT, FSelected->GetIndex() + 1);
}

void TOstrel::AnnounceFocus() {
  if (!HandleAllocated() || !FItemFocused || !Focused() || !IsWinEventHookInstalled(EVENT_OBJECT_FOCUS)) return;
  NotifyWinEvent(EVENT_OBJECT_FOCUS, GetHandle(), OBJID_CLIENT, FItemFocused->GetIndex() + 1);
}

void TOstrel::AnnounceReorder() {
  if (HandleAllocated()) NotifyWinEvent(EVENT_OBJECT_REORDER, GetHandle(), OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace ostrel
