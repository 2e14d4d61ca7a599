// Keyboard and mouse: selection by key, click and initial, the divider drag, the cursor,
// the release that opens the editor, and the wheel.

#include <algorithm>

#include "Ostrel.h"
#include "OstrelGeometry.h"

namespace ostrel {

// The arrows move between cards, not between the controls of the form.
void TOstrel::CMWantSpecialKey(TWMKey& Message) {
  TCustomControl::Dispatch(Message.Message);
  if (Message.CharCode >= VK_LEFT && Message.CharCode <= VK_DOWN) Message.Result = 1;
}

// The menu key and Shift+F10 ask at (-1, -1). The menu then opens over the selected card's
// top left corner, kept inside the view when the card is partly scrolled away, as list views
// open it at their focused item; without a selected card it stays at the view's corner.
void TOstrel::WMContextMenu(TMessage& Message) {
  const TPoint Asked = PointFromLParam(Message.LParam);
  if (Asked.X == -1 && Asked.Y == -1 && FSelected) {
    constexpr int Inset = 4;
    const TRect Card = GetItemClientRect(FSelected);
    const TRect Client = GetClientRect();
    const TPoint Corner{std::clamp(Card.Left + Inset, Client.Left, std::max(Client.Left, Client.Right - 1)),
                        std::clamp(Card.Top + Inset, Client.Top, std::max(Client.Top, Client.Bottom - 1))};
    const TPoint Screen = ClientToScreen(Corner);
    Message.LParam = MakeLParam(Screen.X, Screen.Y);
  }
  TCustomControl::Dispatch(Message);
}

// Shift, Ctrl and Alt change nothing: every combination acts as the plain key. A page is
// always three cards.
void TOstrel::KeyDown(Word& Key, TShiftState Shift) {
  CancelHint();
  FTypeAheadSearch.KeyDown(Key);
  const std::weak_ptr<char> Alive = LifetimeToken();
  TCustomControl::KeyDown(Key, Shift);
  if (Alive.expired() || FItems->GetCount() == 0) return;
  const int Last = FItems->GetCount() - 1;
  // Without a focused card (the application cleared it) the keys start from the first.
  TOstrelItem* From = FItemFocused ? FItemFocused : FItems->GetFirstItem();
  const int Index = From->GetIndex();
  auto At = [this](int I) { return FItems->GetItemFromIndex(I); };
  switch (Key) {
    case VK_TAB: HideItemEditor(true); break;
    case VK_ESCAPE: HideItemEditor(false); break;
    case VK_PRIOR: FSelection.MoveTo(At(std::max(Index - 3, 0))); break;
    case VK_NEXT: FSelection.MoveTo(At(std::min(Index + 3, Last))); break;
    case VK_END: FSelection.MoveTo(FItems->GetLastItem()); break;
    case VK_HOME: FSelection.MoveTo(FItems->GetFirstItem()); break;
    case VK_UP: FSelection.MoveTo(At(std::max(Index - 1, 0))); break;
    case VK_DOWN: FSelection.MoveTo(At(std::min(Index + 1, Last))); break;
    case VK_LEFT:
      if (TOstrelItem* Left = GetLeftItem(From)) FSelection.MoveTo(Left);
      break;
    case VK_RIGHT:
      if (TOstrelItem* Right = GetRightItem(From)) FSelection.MoveTo(Right);
      break;
    default: break;
  }
}

void TOstrel::SetTypeAhead(bool Value) {
  FTypeAhead = Value;
  FTypeAheadSearch.Reset();
}

void TOstrel::SetTypeAheadClock(TTickClock Clock) { FTypeAheadSearch.SetClock(std::move(Clock)); }

void TOstrel::KeyPress(char& Key) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  TCustomControl::KeyPress(Key);
  if (Alive.expired() || !FTypeAhead) return;
  const std::optional<std::u32string> Wanted = FTypeAheadSearch.Type(Key);
  if (!Wanted) return;
  CancelHint();
  for (int I = 0; I < FItems->GetCount(); ++I) {
    TOstrelItem* Item = FItems->GetItemFromIndex(I);
    if (TTypeAhead::Matches(Item->GetText(), *Wanted)) {
      // A letter more that still fits the card where the search stands changes nothing.
      if (Item != FSelected || Item != FItemFocused) FSelection.MoveTo(Item);
      return;
    }
  }
}

// A press ends an open edit with its value kept, then selects the card under the pointer
// (or, on a divider, starts sizing the columns). The focus follows the selection for every
// button.
void TOstrel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CancelHint();
  const std::weak_ptr<char> Alive = LifetimeToken();
  HideItemEditor(true);
  if (Alive.expired()) return;
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Alive.expired() || Shift.Contains(ssDouble)) return;
  if (CanFocus()) SetFocus();
  if (Alive.expired()) return;
  if (Button == mbLeft && FDividerDrag.Press()) return;
  if (Button == mbLeft || (Button == mbRight && FRightClickSelect)) SetSelected(GetItemAt(X, Y));
  if (!Alive.expired() && FSelected) SetFocused(FSelected);
}

void TOstrel::MouseMove(TShiftState Shift, int X, int Y) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  TCustomControl::MouseMove(Shift, X, Y);
  if (Alive.expired()) return;
  if (FDividerDrag.Dragging()) {
    // All columns take the width that puts the dragged divider under the pointer.
    SetColumnWidth(FDividerDrag.WidthAt(TCardGeometry::Of(*this), X));
    return;
  }
  FDividerDrag.Hover(FAllowSizing ? TDividerDrag::DividerAt(TCardGeometry::Of(*this), FColumnCount, X) : 0);
  if (FDividerDrag.OverDivider()) {
    SetCursor(crHSplit);
    return;
  }
  TOstrelItem* Item = GetItemAt(X, Y);
  if (!Item) {
    CancelHint();
    SetCursor(crDefault);
    return;
  }
  TrackHintItem(Item);
  const int SubItem = GetSubItemAt(Item, X, Y);
  if (SubItem < 0) {
    SetCursor(crDefault);
    return;
  }
  bool Editable = !FReadOnly;
  if (FOnEditingSubItem) {
    FOnEditingSubItem(this, Item, SubItem, Editable);
    if (Alive.expired()) return;
  }
  SetCursor(Editable ? crIBeam : crDefault);
}

// The release of a drag reports the width once. A left release on a sub-item of the
// selected card opens the editor there and hands it the click, so its caret lands where the
// user clicked.
void TOstrel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Alive.expired()) return;
  if (FDividerDrag.Release()) {
    if (FOnColumnSized) FOnColumnSized(this, FColumnWidth);
    return;
  }
  if (!FSelected || FReadOnly || Button != mbLeft || GetItemAt(X, Y) != FSelected) return;
  const int SubItem = GetSubItemAt(FSelected, X, Y);
  if (SubItem < 0 || !EditSubItem(FSelected, SubItem)) return;
  if (Alive.expired() || !FEditor || !FEditor->HandleAllocated()) return;
  const TPoint P = FEditor->ScreenToClient(ClientToScreen(TPoint{X, Y}));
  const HWND Editor = FEditor->GetHandle();
  PostMessage(Editor, WM_LBUTTONDOWN, 0, MakeLParam(P.X, P.Y));
  PostMessage(Editor, WM_LBUTTONUP, 0, MakeLParam(P.X, P.Y));
}

bool TOstrel::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos) || Alive.expired()) return true;
  // A turn forward goes back toward the first column; what falls below a pixel is carried.
  const int Scaled = -WheelDelta * (TCardGeometry::Of(*this).Pitch() / 2) + FWheelRemainder;
  const int Pixels = Scaled / WHEEL_DELTA;
  FWheelRemainder = Scaled - Pixels * WHEEL_DELTA;
  ScrollBy(Pixels);
  return true;
}

void TOstrel::ScrollBy(int Pixels) {
  if (Pixels == 0) return;
  const std::weak_ptr<char> Alive = LifetimeToken();
  HideItemEditor(true);
  if (Alive.expired()) return;  // OnEditedSubItem destroyed the control
  SetHScrollPosition(FHScrollPos + Pixels);
}

// The first card at or after the letter: in a sorted list, the first card with that initial
// or, when none has it, the first after where it would stand.
namespace {
unsigned char InitialOf(const AnsiString& Text) {
  return Text.empty() ? 0 : static_cast<unsigned char>(UpperCase(Text.substr(0, 1))[0]);
}

int FirstCardByInitial(const TOstrelItems& Items, char Letter) {
  const unsigned char Wanted = InitialOf(AnsiString(1, Letter));
  for (int I = 0; I < Items.GetCount(); ++I)
    if (InitialOf(Items.GetItemFromIndex(I)->GetText()) >= Wanted) return I;
  return -1;
}
}  // namespace

void TOstrel::SelectByFirstLetter(char Letter) {
  const int Index = FOnItemSortKey ? FirstCardByKey(Letter) : FirstCardByInitial(*FItems, Letter);
  if (Index < 0) return;
  TOstrelItem* Item = FItems->GetItemFromIndex(Index);
  // OnChanging and OnChange may delete the card, or destroy this control (the letter bar
  // calls this from its own click); then there is nothing left to focus.
  const TWatchedItem Found(*this, Item);
  Item->SetSelected(true);
  if (!Found.TableGone() && Found.Item()) Found.Item()->SetFocused(true);
}

}  // namespace ostrel
