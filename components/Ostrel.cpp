// The card view's shell: construction and destruction, window styles, message routing,
// property setters, selection and focus.

#include <algorithm>

#include "Ostrel.h"

namespace ostrel {

TOstrel::TOstrel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetWidth(120);
  SetHeight(60);
  FHintWindow = std::make_unique<THintWindow>(this);
  FItems = std::make_unique<TOstrelItems>(this);
  FFocusBitmap = std::make_unique<TBitmap>();
  FFocusBitmap->LoadFromResourceName(HInstance, "FOCUS_BITMAP");
  FFocusBrush = std::make_unique<TBrush>();
  FFocusBrush->SetHandle(CreatePatternBrush(FFocusBitmap->GetHandle()));
  FNoItemsText = "No Items";
  SetDoubleBuffered(true);
  SetColor(clWhite);
  SetTabStop(true);
  FCaptionFont = std::make_unique<TFont>();
  FCaptionFont->SetOnChange(TNotifyEvent(this, &TOstrel::CaptionFontChanged));
  CalcItemsPos();
  RecalcDimensions();
}

TOstrel::~TOstrel() {
  Destroying();  // no relayout while the cards go
  FHintWindow->ReleaseHandle();
  FHintWindow.reset();
  // The cards go while the list is still reachable, so that OnDeletion handlers may look
  // at it; a handler's exception cannot leave a destructor and goes to the application.
  try {
    FItems->Clear();
  } catch (...) {
    try {
      if (Application) Application->HandleException(this);
    } catch (...) {
    }
  }
  FItems.reset();
  FCaptionFont.reset();
  FFocusBrush.reset();
  FFocusBitmap.reset();
}

// ------------------------------------------------------------------ window

void TOstrel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_HSCROLL;
  if (FBorderStyle != bsSingle) return;
  if (NewStyleControls && GetCtl3D()) {
    Params.Style &= ~WS_BORDER;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  } else {
    Params.Style |= WS_BORDER;
  }
}

void TOstrel::DestroyWindowHandle() {
  if (HandleAllocated()) {
    KillTimer(GetHandle(), FHintTimer);
    KillTimer(GetHandle(), FHideHintTimer);
  }
  TCustomControl::DestroyWindowHandle();
}

void TOstrel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE: DispatchAs(Message, this, &TOstrel::WMSize); break;
    case WM_HSCROLL: DispatchAs(Message, this, &TOstrel::WMHScroll); break;
    case CM_CTL3DCHANGED: CMCtl3DChanged(Message); break;
    default: TCustomControl::Dispatch(Message);
  }
}

// The border look follows Ctl3D, and the window styles decide it.
void TOstrel::CMCtl3DChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  RecreateWnd();
}

void TOstrel::CaptionFontChanged(TObject*) { Invalidate(); }

void TOstrel::RelayoutAndInvalidate() {
  CalcItemsPos();
  RecalcDimensions();
  Invalidate();
}

// ------------------------------------------------------------------ cards

void TOstrel::Delete(TOstrelItem* Item) {
  if (FOnDeletion) FOnDeletion(this, Item);
}

void TOstrel::ItemDestroying(TOstrelItem* Item) {
  if (FSelected == Item) FSelected = nullptr;
  if (FItemFocused == Item) FItemFocused = nullptr;
  if (FPlacing == Item) FPlacing = nullptr;
  if (FHintItem == Item) {
    FHintItem = nullptr;
    if (HandleAllocated()) KillTimer(GetHandle(), FHintTimer);
    if (FHintWindow) FHintWindow->ReleaseHandle();
  }
  for (TItemWatch* Watch = FItemWatches; Watch; Watch = Watch->Outer)
    if (Watch->Item == Item) Watch->Item = nullptr;
}

void TOstrel::SetSelected(TOstrelItem* Value) { ChangeSelection(Value, true); }

// Only a card of the own list that is not being deleted can be held: the control hears of
// the deletion of no other card (a card never added, one of another control, one whose
// deletion has already let go of the control), so holding it would outlive it.
bool TOstrel::MayHold(const TOstrelItem* Item) const {
  return !Item || (Item->FAttached && !Item->FDeleting && Item->FOwner == FItems.get());
}

void TOstrel::ChangeSelection(TOstrelItem* Value, bool MayRefuse) {
  if (Value == FSelected || !MayHold(Value)) return;
  bool AllowChange = true;
  if (FOnChanging) {
    // The handler may delete the card offered; then there is nothing to select.
    TItemWatch Watch{Value, FItemWatches};
    FItemWatches = &Watch;
    try {
      FOnChanging(this, Value, AllowChange);
    } catch (...) {
      FItemWatches = Watch.Outer;
      throw;
    }
    FItemWatches = Watch.Outer;
    if (Value && !Watch.Item) return;
  }
  if (!AllowChange && MayRefuse) return;
  TOstrelItem* Old = FSelected;
  FSelected = Value;
  if (Old) Old->Invalidate();
  if (FSelected) FSelected->Invalidate();
  ScrollInView(FSelected);
  if (FOnChange) FOnChange(this, FSelected);
}

void TOstrel::SetFocused(TOstrelItem* Value) {
  if (Value == FItemFocused || !MayHold(Value)) return;
  TOstrelItem* Old = FItemFocused;
  FItemFocused = Value;
  if (Old) Old->Invalidate();
  if (FItemFocused) FItemFocused->Invalidate();
}

// ------------------------------------------------------------------ properties

void TOstrel::SetTableItems(TOstrelItems* Value) { FItems->Assign(Value); }

void TOstrel::SetCustomDrawing(bool Value) {
  if (FCustomDrawing == Value) return;
  FCustomDrawing = Value;
  RelayoutAndInvalidate();
}

void TOstrel::SetItemLineHeight(int Value) {
  if (FItemLineHeight == Value) return;
  FItemLineHeight = Value;
  RelayoutAndInvalidate();
}

void TOstrel::SetCaptionHeight(int Value) {
  if (FCaptionHeight == Value) return;
  FCaptionHeight = Value;
  RelayoutAndInvalidate();
}

void TOstrel::SetCaptionColor(TColor Value) {
  if (FCaptionColor == Value) return;
  FCaptionColor = Value;
  Invalidate();
}

void TOstrel::SetCaptionFont(TFont* Value) { FCaptionFont->Assign(Value); }

void TOstrel::SetColumnWidth(int Value) {
  if (FColumnWidth == Value) return;
  FColumnWidth = std::max(Value, 40);
  CalcItemsPos();
  RecalcDimensions();
  Refresh();
}

void TOstrel::SetItemTextWidth(int Value) {
  if (FItemTextWidth == Value) return;
  FItemTextWidth = std::min(Value, FColumnWidth);
  Invalidate();
}

void TOstrel::SetBorderWidth(int Value) {
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  CalcItemsPos();
  RecalcDimensions();
  Refresh();
}

void TOstrel::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TOstrel::SetNoItemsText(const AnsiString& Value) {
  if (FNoItemsText == Value) return;
  FNoItemsText = Value;
  Invalidate();
}

void TOstrel::SetShowDividers(bool Value) {
  if (FShowDividers == Value) return;
  FShowDividers = Value;
  Invalidate();
}

void TOstrel::SetDividersColor(TColor Value) {
  if (FDividersColor == Value) return;
  FDividersColor = Value;
  Invalidate();
}

void TOstrel::SetSelectionColor(TColor Value) {
  if (FSelectionColor == Value) return;
  FSelectionColor = Value;
  Invalidate();
}

void TOstrel::SetSelectionTextColor(TColor Value) {
  if (FSelectionTextColor == Value) return;
  FSelectionTextColor = Value;
  Invalidate();
}

void TOstrel::SetAllowSizing(bool Value) { FAllowSizing = Value; }

void TOstrel::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  Invalidate();
}

void TOstrel::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (FSorted) FItems->Sort();
}

void TOstrel::SetCustomSort(bool Value) { FCustomSort = Value; }

void TOstrel::SetRightClickSelect(bool Value) { FRightClickSelect = Value; }

void TOstrel::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  HideItemEditor(false);
}

void TOstrel::SetMaxItemHintWidth(int Value) {
  if (FMaxItemHintWidth == Value) return;
  FMaxItemHintWidth = std::max(Value, 20);
}

}  // namespace ostrel
