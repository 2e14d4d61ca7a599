// Item hints: a card's own hint shows after the application's hint pause while the pointer
// rests on it, and hides after the hint hide pause.

#include "Ostrel.h"

namespace ostrel {

// A new card under the pointer restarts the delay; moving within a card changes nothing, so
// a card offers its hint once per entry.
void TOstrel::TrackHintItem(TOstrelItem* Item) {
  if (Item != FHintItem && FItemsHints && HandleAllocated()) {
    HideHint();
    FHintTimer = SetTimer(GetHandle(), HintTimerId, static_cast<unsigned>(std::max(0, Application->GetHintPause())));
  }
  FHintItem = Item;
}

void TOstrel::CancelHint() {
  FHintItem = nullptr;
  HideHint();
  if (HandleAllocated()) KillTimer(GetHandle(), FHintTimer);
}

void TOstrel::HideHint() {
  if (FHintWindow) FHintWindow->ReleaseHandle();
}

void TOstrel::WMTimer(TWMTimer& Message) {
  if (Message.TimerID != FHintTimer) {
    KillTimer(GetHandle(), FHideHintTimer);
    HideHint();
    return;
  }
  KillTimer(GetHandle(), FHintTimer);
  // No hint over an edit, or for a form that is not the one the user works in.
  TCustomForm* Form = GetParentForm(this);
  if (!FHintItem || FEditing || !Form || !Form->GetActive()) return;
  AnsiString ItemHint = FHintItem->GetHint();
  bool ShowIt = FHintItem->GetShowHint();
  int MaxWidth = FMaxItemHintWidth;
  if (FOnItemHint) {
    const std::weak_ptr<char> Alive = LifetimeToken();
    FOnItemHint(this, FHintItem, ItemHint, MaxWidth, ShowIt);
    // A handler that deleted the card (or the control) leaves nothing to show a hint for.
    if (Alive.expired() || !FHintItem) return;
  }
  if (ItemHint.empty() || !ShowIt) return;
  FHintWindow->SetBiDiMode(GetBiDiMode());
  TRect R = FHintWindow->CalcHintRect(MaxWidth, ItemHint, nullptr);
  TPoint Pointer;
  GetCursorPos(Pointer);
  OffsetRect(R, Pointer.X, Pointer.Y + 32);
  FHintWindow->ActivateHint(R, ItemHint);
  FHideHintTimer = SetTimer(GetHandle(), HideHintTimerId, static_cast<unsigned>(std::max(0, Application->GetHintHidePause())));
}

// A show timer still pending fires later and finds no card.
void TOstrel::CMMouseLeave(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  if (HandleAllocated()) KillTimer(GetHandle(), FHideHintTimer);
  HideHint();
  FHintItem = nullptr;
}

}  // namespace ostrel
