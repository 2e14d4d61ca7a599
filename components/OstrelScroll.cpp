// Content width, the horizontal scroll bar and everything that moves the view sideways.

#include <algorithm>
#include <cstdlib>

#include "Ostrel.h"
#include "OstrelGeometry.h"

namespace ostrel {

void TOstrel::RecalcDimensions() {
  if (!HandleAllocated()) return;
  const int OldTotalWidth = FTotalWidth;
  // A left margin, the columns at their pitch, and a full gap after the last divider; no
  // wider than the scroll bar can say.
  const long long Width = static_cast<long long>(FColumnCount) * FColumnWidth + 2LL * FBorderWidth * (FColumnCount + 1);
  FTotalWidth = std::max(static_cast<int>(std::min<long long>(Width, MaxContentWidth)), GetClientWidth());
  UpdateHScrollBar(FTotalWidth - OldTotalWidth);
}

void TOstrel::UpdateHScrollBar(int Delta) {
  if (!HandleAllocated()) return;
  const int ClientWidth = GetClientWidth();
  SCROLLINFO Info{};
  Info.cbSize = sizeof(Info);
  Info.fMask = SIF_RANGE | SIF_PAGE;
  Info.nMin = 0;
  Info.nPage = static_cast<unsigned>(ClientWidth + 1);
  if (ClientWidth < FTotalWidth) {
    Info.nMax = FTotalWidth;
    FHScrollPos = std::min(FHScrollPos, FTotalWidth);
  } else {
    Info.nMax = 0;
    FHScrollPos = 0;
  }
  // Showing or hiding the bar changes the client height, which relayouts through WM_SIZE.
  SetScrollInfo(GetHandle(), SB_HORZ, &Info, true);
  // Right to left keeps the view's distance from the right end, where column 0 stands.
  if (GetBiDiMode() == bdRightToLeft) FHScrollPos += Delta;
  SetHScrollPosition(FHScrollPos);
}

void TOstrel::SetHScrollPosition(int Pos) {
  if (!HandleAllocated()) return;
  Pos = std::max(0, std::min(Pos, FTotalWidth - GetClientWidth()));
  if (Pos != FHScrollPos) {
    // The content only moves sideways: a step narrower than the view moves the pixels
    // already drawn and paints the strip it uncovers.
    const int Step = FHScrollPos - Pos;
    FHScrollPos = Pos;
    if (std::abs(Step) < GetClientWidth())
      ScrollWindowEx(GetHandle(), Step, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    else
      Invalidate();
  }
  SCROLLINFO Info{};
  Info.cbSize = sizeof(Info);
  Info.fMask = SIF_POS;
  GetScrollInfo(GetHandle(), SB_HORZ, &Info);
  if (Info.nPos != FHScrollPos) {
    Info.nPos = FHScrollPos;
    SetScrollInfo(GetHandle(), SB_HORZ, &Info, true);
  }
}

void TOstrel::ScrollInView(TOstrelItem* Item) {
  if (!GetParent() || FItems->GetUpdateCount() > 0 || !Item || !HandleAllocated()) return;
  TRect R = Item->GetClientRect();
  InflateRect(R, FBorderWidth, FBorderWidth);
  const int ClientWidth = GetClientWidth();
  int Delta = 0;
  if (R.Left < 0) {
    Delta = R.Left;
  } else if (R.Right > ClientWidth) {
    // A card wider than the view shows its left edge.
    if (R.Right - R.Left > ClientWidth) R.Right = R.Left + ClientWidth;
    Delta = R.Right - ClientWidth;
  }
  SetHScrollPosition(GetScrollPos(GetHandle(), SB_HORZ) + Delta);
}

void TOstrel::WMSize(TWMSize& Message) {
  CalcItemsPos();
  RecalcDimensions();
  TCustomControl::Dispatch(Message.Message);
}

void TOstrel::WMHScroll(TWMScroll& Message) {
  const std::weak_ptr<char> Alive = LifetimeToken();
  HideItemEditor(true);
  if (Alive.expired()) return;  // OnEditedSubItem destroyed the control
  int Pos = FHScrollPos;
  switch (Message.ScrollCode) {
    case SB_LINELEFT: Pos -= FColumnWidth / 5; break;
    case SB_LINERIGHT: Pos += FColumnWidth / 5; break;
    case SB_PAGELEFT: Pos -= FColumnWidth + FBorderWidth; break;
    case SB_PAGERIGHT: Pos += FColumnWidth + FBorderWidth; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO Info{};
      Info.cbSize = sizeof(Info);
      Info.fMask = SIF_TRACKPOS;
      GetScrollInfo(GetHandle(), SB_HORZ, &Info);
      Pos = Info.nTrackPos;
      break;
    }
    case SB_LEFT: Pos = 0; break;
    case SB_RIGHT: Pos = FTotalWidth - GetClientWidth(); break;
    default: break;
  }
  SetHScrollPosition(Pos);
}

}  // namespace ostrel
