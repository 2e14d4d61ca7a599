// The card view's side of the layout: it answers heights, starts passes of its layout
// (TCardLayout) and repaints what they moved.

#include <algorithm>
#include <cstdlib>

#include "Ostrel.h"
#include "OstrelGeometry.h"

namespace ostrel {

bool TOstrel::OwnCardHeights() const { return !(FCustomDrawing && FOnItemHeight); }

bool TOstrel::OwnCardDrawing() const { return !(FCustomDrawing && FOnDrawItem); }

int TOstrel::ItemHeight(TOstrelItem* Item) {
  // An own card's default height comes from this control's metrics directly: the layout asks
  // for every card, and the way through the card to its control is a chain of loads. The
  // card the layout is placing is known to be own without a look at its list.
  const bool Own = FLayout.IsPlacing(Item) || Item->FOwner == FItems.get();
  int Height = Own ? CardHeight(Item->FSubItems.GetCount(), FItemLineHeight, FCaptionHeight) : Item->GetDefaultHeight();
  if (FCustomDrawing && FOnItemHeight) FOnItemHeight(this, Item, Height);
  return std::clamp(Height, -MaxCardHeight, MaxCardHeight);
}

void TOstrel::CalcItemsPos() {
  if (!HandleAllocated()) return;
  FColumnCount = 0;
  if (FLayout.LayOut(OwnCardHeights())) FColumnCount = FLayout.Columns().ColumnCount();
}

void TOstrel::RelayoutChange() {
  if (!HandleAllocated() || !FLayout.CanRelayout()) {
    RelayoutAndInvalidate();
    return;
  }
  const std::optional<TShownBefore> Shown = ShownBeforeRelayout();
  const int OldCount = FLayout.Columns().CardCount();
  const int OldColumns = FLayout.Columns().ColumnCount();
  const std::optional<TCardColumns::TMoved> Moved = FLayout.Relayout(OwnCardHeights());
  if (!Moved) return;  // a handler changed the list, and its own relayout repainted
  FColumnCount = FLayout.Columns().ColumnCount();
  const int OldTotalWidth = FTotalWidth;
  RecalcDimensions();
  // Right to left, a new content width or new column numbers move every column; an empty
  // list shows its text.
  const bool RightToLeft = GetBiDiMode() == bdRightToLeft;
  if ((RightToLeft && (OldTotalWidth != FTotalWidth || Moved->Shift != 0)) || OldCount == 0 ||
      FItems->GetCount() == 0) {
    Invalidate();
    return;
  }
  if (Moved->Shift == 0) {
    RepaintRelaidColumns(Shown, Moved->First, Moved->Last, nullptr);
    return;
  }
  // The renumbered columns keep their pixels, moved by whole columns: the surface moves
  // them, and only the columns laid out anew are painted.
  const TCardGeometry G = TCardGeometry::Of(*this);
  const int From = G.ColumnLeft(Moved->Renumbered) - std::max(std::abs(FBorderWidth), FocusFrameReach);
  const int Width = GetClientWidth();
  if (FBorderWidth >= 0 && From >= Width) {
    RepaintRelaidColumns(Shown, Moved->First, Moved->Renumbered - 1, nullptr);  // none renumbered in view
  } else if (FBorderWidth >= 0 && From > 0) {
    const int Step = Moved->Shift * G.Pitch();
    const TRect Area{std::max(From - std::max(Step, 0), 0), 0, Width, GetClientHeight()};
    ScrollWindowEx(GetHandle(), Step, 0, &Area, nullptr, nullptr, nullptr, SW_INVALIDATE);
    RepaintRelaidColumns(Shown, Moved->First, Moved->Renumbered - 1, &Area);
  } else {
    InvalidateColumns(Moved->First, std::max(OldColumns, FColumnCount) - 1);
  }
}

void TOstrel::InvalidateColumns(int First, int Last) {
  if (First > Last || !HandleAllocated()) return;
  const TCardGeometry G = TCardGeometry::Of(*this);
  // The gap on either side holds the focus frame and the divider.
  const int Reach = std::max(std::abs(FBorderWidth), FocusFrameReach);
  const int A = G.ColumnLeft(First), B = G.ColumnLeft(Last);
  TRect R{std::min(A, B) - Reach, 0, std::max(A, B) + FColumnWidth + Reach, GetClientHeight()};
  R.Left = std::max(R.Left, 0);
  R.Right = std::min(R.Right, GetClientWidth());
  if (!R.IsEmpty()) InvalidateRect(GetHandle(), &R, false);
}

TRect TOstrel::GetItemClientRect(const TOstrelItem* Item) { return FLayout.ItemRect(Item); }

TOstrelItem* TOstrel::GetItemAt(int X, int Y) { return FLayout.ItemAt(X, Y); }

int TOstrel::GetSubItemAt(TOstrelItem* Item, int X, int Y) {
  if (!Item || FItemLineHeight <= 0) return -1;
  const long long Offset = static_cast<long long>(Y) - Item->GetTop() - FCaptionHeight;
  if (Offset < 0) return -1;
  const long long Line = Offset / FItemLineHeight;
  return Line < Item->GetSubItems()->GetCount() ? static_cast<int>(Line) : -1;
}

TOstrelItem* TOstrel::GetLeftItem(const TOstrelItem* Item) {
  return Item ? FLayout.NearestInColumn(Item, FLayout.PlaceOf(Item).Column - 1) : nullptr;
}

TOstrelItem* TOstrel::GetRightItem(const TOstrelItem* Item) {
  return Item ? FLayout.NearestInColumn(Item, FLayout.PlaceOf(Item).Column + 1) : nullptr;
}

int TOstrel::GetDividerX(int Divider) const { return TCardGeometry::Of(*this).DividerX(Divider); }

}  // namespace ostrel
