// The card view's shell: construction and destruction, window styles, message routing,
// property setters.

#include <algorithm>

#include "Ostrel.h"

namespace ostrel {

namespace {
int ClampMetric(int Value) { return std::clamp(Value, -TOstrel::MaxMetric, TOstrel::MaxMetric); }
}  // namespace

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
    case WM_HIDEEDITOR: WMHideEditor(Message); break;
    case WM_TIMER: DispatchAs(Message, this, &TOstrel::WMTimer); break;
    case WM_GETOBJECT: DispatchAs(Message, this, &TOstrel::WMGetObject); break;
    case WM_ACCDODEFAULTACTION:
    case WM_ACCSELECT: WMAccAction(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_WANTSPECIALKEY: DispatchAs(Message, this, &TOstrel::CMWantSpecialKey); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case WM_MOUSEHWHEEL:
      // A sideways wheel or swipe scrolls by its pixels.
      ScrollBy(TWMMouseWheel(Message).WheelDelta * WheelPixelsPerNotch / WHEEL_DELTA);
      Message.Result = 1;
      break;
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
  FSelection.ItemDestroying(Item);
  FLayout.ItemDestroying(Item);
  if (FHintItem == Item) CancelHint();
  if (FEditItem == Item) DropEdit();
  for (TItemWatch* Watch = FItemWatches; Watch; Watch = Watch->Outer)
    if (Watch->Item == Item) Watch->Item = nullptr;
}

// ------------------------------------------------------------------ properties

void TOstrel::SetTableItems(TOstrelItems* Value) { FItems->Assign(Value); }

void TOstrel::SetSelected(TOstrelItem* Value) { FSelection.Select(Value, true); }

void TOstrel::SetFocused(TOstrelItem* Value) { FSelection.Focus(Value); }

void TOstrel::SetCustomDrawing(bool Value) {
  if (FCustomDrawing == Value) return;
  FLayout.StorePlaces();  // a height handler may look at them while it is asked
  FCustomDrawing = Value;
  RelayoutAndInvalidate();
}

void TOstrel::SetOnItemHeight(TOstrelItemHeightEvent Value) {
  FLayout.StorePlaces();
  FOnItemHeight = std::move(Value);
  FLayout.RequireFullPass();
}

void TOstrel::SetItemLineHeight(int Value) {
  Value = ClampMetric(Value);
  if (FItemLineHeight == Value) return;
  FItemLineHeight = Value;
  RelayoutAndInvalidate();
}

void TOstrel::SetCaptionHeight(int Value) {
  Value = ClampMetric(Value);
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
  FColumnWidth = std::clamp(Value, 40, MaxMetric);
  CalcItemsPos();
  RecalcDimensions();
  Refresh();
}

void TOstrel::SetItemTextWidth(int Value) {
  if (FItemTextWidth == Value) return;
  FItemTextWidth = std::min(ClampMetric(Value), FColumnWidth);
  Invalidate();
}

void TOstrel::SetBorderWidth(int Value) {
  Value = ClampMetric(Value);
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
