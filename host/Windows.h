#pragma once
// Win32-like handles, constants and calls on windows, rectangles, text and GDI objects.
// Handles are opaque numbers that are never reused, so a call on a destroyed window is
// recognised and ignored instead of reaching freed memory.

#include <cstdint>
#include <functional>

#include "System.h"
#include "Types.h"

namespace vcl {

struct HWND__;
struct HDC__;
struct HBRUSH__;
struct HBITMAP__;
using HWND = HWND__*;
using HDC = HDC__*;
using HBRUSH = HBRUSH__*;
using HBITMAP = HBITMAP__*;
using HINSTANCE = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline Word LoWord(std::uintptr_t Value) { return static_cast<Word>(Value & 0xFFFF); }
inline Word HiWord(std::uintptr_t Value) { return static_cast<Word>((Value >> 16) & 0xFFFF); }
inline LPARAM MakeLParam(int Low, int High) {
  return static_cast<LPARAM>(static_cast<std::uint32_t>((Low & 0xFFFF) | ((High & 0xFFFF) << 16)));
}
// Signed 16-bit halves of a packed point, as the mouse messages carry them.
inline TPoint PointFromLParam(LPARAM Value) {
  return TPoint{static_cast<std::int16_t>(Value & 0xFFFF), static_cast<std::int16_t>((Value >> 16) & 0xFFFF)};
}

// ---------------------------------------------------------------- window styles
constexpr unsigned WS_OVERLAPPED = 0x00000000;
constexpr unsigned WS_POPUP = 0x80000000;
constexpr unsigned WS_CHILD = 0x40000000;
constexpr unsigned WS_VISIBLE = 0x10000000;
constexpr unsigned WS_CLIPSIBLINGS = 0x04000000;
constexpr unsigned WS_CLIPCHILDREN = 0x02000000;
constexpr unsigned WS_CAPTION = 0x00C00000;
constexpr unsigned WS_BORDER = 0x00800000;
constexpr unsigned WS_HSCROLL = 0x00100000;
constexpr unsigned WS_VSCROLL = 0x00200000;
constexpr unsigned WS_TABSTOP = 0x00010000;
constexpr unsigned WS_EX_TOPMOST = 0x00000008;
constexpr unsigned WS_EX_TOOLWINDOW = 0x00000080;
constexpr unsigned WS_EX_CLIENTEDGE = 0x00000200;

// ---------------------------------------------------------------- scroll bars
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

constexpr int SB_LINELEFT = 0, SB_LINEUP = 0;
constexpr int SB_LINERIGHT = 1, SB_LINEDOWN = 1;
constexpr int SB_PAGELEFT = 2, SB_PAGEUP = 2;
constexpr int SB_PAGERIGHT = 3, SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_LEFT = 6, SB_TOP = 6;
constexpr int SB_RIGHT = 7, SB_BOTTOM = 7;
constexpr int SB_ENDSCROLL = 8;

constexpr unsigned SIF_RANGE = 0x0001;
constexpr unsigned SIF_PAGE = 0x0002;
constexpr unsigned SIF_POS = 0x0004;
constexpr unsigned SIF_DISABLENOSCROLL = 0x0008;
constexpr unsigned SIF_TRACKPOS = 0x0010;
constexpr unsigned SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
  unsigned cbSize = sizeof(SCROLLINFO);
  unsigned fMask = 0;
  int nMin = 0;
  int nMax = 0;
  unsigned nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

// Only the horizontal bar of a window with WS_HSCROLL exists. As in Win32 the bar is shown
// exactly while the page does not cover the whole range (nMax - nMin >= max(nPage, 1));
// showing or hiding it changes the client height and sends WM_SIZE. The position is kept
// within nMin .. nMax - max(nPage - 1, 0). Returns the new position; sends no WM_HSCROLL.
int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, bool Redraw);
bool GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info);
int GetScrollPos(HWND Wnd, int Bar);

// ---------------------------------------------------------------- timers and messages
// (Re)starts timer IDEvent of the window; each expiry sends WM_TIMER with that id.
// Returns IDEvent, or 0 for a window that does not exist. TimerProc must be null.
unsigned SetTimer(HWND Wnd, unsigned IDEvent, unsigned Elapse, void* TimerProc = nullptr);
bool KillTimer(HWND Wnd, unsigned IDEvent);
// Queues the message; the event loop delivers it later unless the window is gone by then.
bool PostMessage(HWND Wnd, unsigned Msg, WPARAM WParam, LPARAM LParam);
// Delivers at once to the window's control; 0 for a window that does not exist.
LRESULT SendMessage(HWND Wnd, unsigned Msg, WPARAM WParam, LPARAM LParam);
// Adds Rect (null: the whole client area) to the window's invalid region.
bool InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase);
bool IsWindow(HWND Wnd);
constexpr unsigned SW_INVALIDATE = 0x0002;
constexpr unsigned SW_ERASE = 0x0004;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
// Moves the pixels of the client area (or of the part Scroll of it) by Dx, Dy on the window's
// retained surface; the pending invalid region inside moves along. With SW_INVALIDATE the
// part left uncovered becomes invalid, so the next paint draws only that. Update, when
// given, receives its bounds. Clip and UpdateRgn are not supported and must be null.
// Returns NULLREGION when nothing is left uncovered, SIMPLEREGION otherwise, and 0 (ERROR)
// for a window that does not exist.
int ScrollWindowEx(HWND Wnd, int Dx, int Dy, const TRect* Scroll, const TRect* Clip, void* UpdateRgn, TRect* Update,
                   unsigned Flags);
// Negative while VK_SHIFT, VK_CONTROL or VK_MENU was held for the current input message.
short GetKeyState(int VirtKey);
bool IsWindowVisible(HWND Wnd);
HWND GetFocus();

// ---------------------------------------------------------------- rectangles and points
bool PtInRect(const TRect& Rect, const TPoint& Pt);  // left and top in, right and bottom out
bool InflateRect(TRect& Rect, int dx, int dy);
bool OffsetRect(TRect& Rect, int dx, int dy);
// Dest becomes the common part, or the empty rectangle (false) when there is none.
bool IntersectRect(TRect& Dest, const TRect& Src1, const TRect& Src2);
bool UnionRect(TRect& Dest, const TRect& Src1, const TRect& Src2);
bool IsRectEmpty(const TRect& Rect);
// Whether any part of Rect lies in the device's clip (in a paint, the area being repainted):
// drawing outside it changes no pixel. False for a device with nothing to draw on.
bool RectVisible(HDC DC, const TRect* Rect);
bool GetCursorPos(TPoint& Point);
bool SetCursorPos(int X, int Y);
bool ClientToScreen(HWND Wnd, TPoint& Point);
bool ScreenToClient(HWND Wnd, TPoint& Point);
bool GetClientRect(HWND Wnd, TRect& Rect);

// ---------------------------------------------------------------- text
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_RTLREADING = 0x20000;

// Draws Count bytes of UTF-8 text (-1: up to the terminating zero) into Rect with the
// device's font, its font colour, and its brush colour behind the characters unless the
// brush is clear. With DT_CALCRECT nothing is drawn and Rect receives the text's extent.
// Returns the height of the text; 0 when nothing could be drawn.
int DrawText(HDC DC, const char* Text, int Count, TRect* Rect, unsigned Format);
int DrawTextEx(HDC DC, char* Text, int Count, TRect* Rect, unsigned Format, void* Params);

// ---------------------------------------------------------------- GDI objects
// A brush that paints the bitmap's pattern; a monochrome pattern takes the device's font
// colour for 0 bits and its brush colour for 1 bits. The bitmap may be deleted afterwards.
HBRUSH CreatePatternBrush(HBITMAP Bitmap);
bool DeleteObject(void* Object);

// ---------------------------------------------------------------- shell
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr HINSTANCE SE_ERR_FNF = 2;
constexpr HINSTANCE SE_ERR_NOASSOC = 31;

// "open" hands File to the desktop's handler for its address. Values above 32 mean success.
HINSTANCE ShellExecute(HWND Wnd, const char* Operation, const char* File, const char* Parameters,
                       const char* Directory, int ShowCmd);
// Replaces the desktop handler, e.g. in tests; an empty hook restores it. The hook answers
// whether the file was opened.
using TShellExecuteHook = std::function<bool(const AnsiString& Operation, const AnsiString& File)>;
void SetShellExecuteHook(TShellExecuteHook Hook);

}  // namespace vcl
