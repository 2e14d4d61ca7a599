// The horizontal scroll bar of a window, with Win32's rules for range, page and position.

#include <QScrollBar>

#include "Window.h"
#include "WindowBackend.h"

namespace vcl {

namespace {

// Whether the bar is needed: the page leaves part of the range uncovered.
bool BarShown(const SCROLLINFO& Info) {
  const long long Range = static_cast<long long>(Info.nMax) - Info.nMin;
  return Range >= std::max<long long>(Info.nPage, 1);
}

int MaxPosition(const SCROLLINFO& Info) {
  const long long Last = static_cast<long long>(Info.nMax) - std::max<long long>(static_cast<long long>(Info.nPage) - 1, 0);
  return static_cast<int>(std::max<long long>(Last, Info.nMin));
}

// Moves the Qt bar to the stored values without any message coming back.
void ShowValues(TWindowRecord* R) {
  if (!R->HBar) return;
  const QSignalBlocker Block(R->HBar);
  R->HBar->setRange(R->HScroll.nMin, MaxPosition(R->HScroll));
  R->HBar->setPageStep(static_cast<int>(std::max(R->HScroll.nPage, 1u)));
  R->HBar->setValue(R->HScroll.nPos);
  R->HBar->setSliderPosition(R->HScroll.nPos);
}

int ScrollCodeOf(int Action) {
  switch (Action) {
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINERIGHT;
    case QAbstractSlider::SliderSingleStepSub: return SB_LINELEFT;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGERIGHT;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGELEFT;
    case QAbstractSlider::SliderToMinimum: return SB_LEFT;
    case QAbstractSlider::SliderToMaximum: return SB_RIGHT;
    case QAbstractSlider::SliderMove: return SB_THUMBTRACK;
    default: return -1;
  }
}

void SendScroll(HWND Wnd, int Code, int Pos) {
  backend::DeliverToWindow(Wnd, WM_HSCROLL, (static_cast<unsigned>(Code) & 0xFFFF) | ((static_cast<unsigned>(Pos) & 0xFFFF) << 16), 0);
}

// The user's actions on the bar become WM_HSCROLL; as in Win32 the bar itself stays where
// the program last put it, except for the thumb being dragged.
}  // namespace

namespace backend {
void ConnectScrollBar(TWindowRecord* R) {
  const HWND Wnd = backend::HandleOf(R);
  QScrollBar* Bar = R->HBar;
  QObject::connect(Bar, &QAbstractSlider::actionTriggered, Bar, [Wnd, Bar](int Action) {
    TWindowRecord* Rec = backend::FindRecord(Wnd);
    const int Code = ScrollCodeOf(Action);
    if (!Rec || Code < 0) return;
    if (Code == SB_THUMBTRACK) {
      Rec->HScroll.nTrackPos = Bar->sliderPosition();
    } else {
      Bar->setSliderPosition(Rec->HScroll.nPos);
    }
    SendScroll(Wnd, Code, Code == SB_THUMBTRACK ? Rec->HScroll.nTrackPos : Rec->HScroll.nPos);
  });
  QObject::connect(Bar, &QAbstractSlider::sliderReleased, Bar, [Wnd, Bar] {
    TWindowRecord* Rec = backend::FindRecord(Wnd);
    if (!Rec) return;
    Rec->HScroll.nTrackPos = Bar->sliderPosition();
    SendScroll(Wnd, SB_THUMBPOSITION, Rec->HScroll.nTrackPos);
    if (backend::FindRecord(Wnd)) SendScroll(Wnd, SB_ENDSCROLL, 0);
  });
}
}  // namespace backend

int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, bool Redraw) {
  TWindowRecord* R = backend::FindRecord(Wnd);
  if (!R || !Info || Bar != SB_HORZ || !R->HBar) return 0;
  SCROLLINFO& S = R->HScroll;
  if (Info->fMask & SIF_RANGE) {
    S.nMin = Info->nMin;
    S.nMax = Info->nMax;
  }
  if (Info->fMask & SIF_PAGE) S.nPage = Info->nPage;
  // Also a new range alone cuts a page that no longer fits in it.
  const long long Range = static_cast<long long>(S.nMax) - S.nMin + 1;
  S.nPage = static_cast<unsigned>(std::min<long long>(S.nPage, std::max<long long>(Range, 0)));
  if (Info->fMask & SIF_POS) S.nPos = Info->nPos;
  S.nPos = std::clamp(S.nPos, S.nMin, MaxPosition(S));
  ShowValues(R);
  const bool Shown = BarShown(S);
  if (Shown != R->HScrollVisible) {
    R->HScrollVisible = Shown;
    backend::CheckClientSize(Wnd);
  }
  return S.nPos;
}

bool GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info) {
  TWindowRecord* R = backend::FindRecord(Wnd);
  if (!R || !Info || Bar != SB_HORZ || !R->HBar) return false;
  const SCROLLINFO& S = R->HScroll;
  if (Info->fMask & SIF_RANGE) {
    Info->nMin = S.nMin;
    Info->nMax = S.nMax;
  }
  if (Info->fMask & SIF_PAGE) Info->nPage = S.nPage;
  if (Info->fMask & SIF_POS) Info->nPos = S.nPos;
  if (Info->fMask & SIF_TRACKPOS) Info->nTrackPos = S.nTrackPos;
  return true;
}

int GetScrollPos(HWND Wnd, int Bar) {
  TWindowRecord* R = backend::FindRecord(Wnd);
  return R && Bar == SB_HORZ && R->HBar ? R->HScroll.nPos : 0;
}

}  // namespace vcl
