#pragma once
// Window messages: numbers, virtual-key codes, TMessage and its typed views.
//
// Handler idiom. A control overrides Dispatch with a switch on the numbers it handles and
// defers the rest to its base class; a handler that wants a typed view gets it through
// DispatchAs, which builds the view from the message (the view writes Result straight
// back into it):
//
//   void Dispatch(TMessage& Message) override {
//     switch (Message.Msg) {
//       case WM_SIZE: DispatchAs(Message, this, &TMyControl::WMSize); break;   // WMSize(TWMSize&)
//       case CM_MOUSELEAVE: CMMouseLeave(Message); break;                      // plain TMessage&
//       default: TCustomControl::Dispatch(Message);
//     }
//   }
//
// A handler that wants the inherited handling passes the view's Message on:
//   void TMyControl::WMSize(TWMSize& M) { TCustomControl::Dispatch(M.Message); ... }

#include "Windows.h"

namespace vcl {

constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_CREATE = 0x0001;
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_ACTIVATE = 0x0006;
constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_ENABLE = 0x000A;
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_ERASEBKGND = 0x0014;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_CANCELMODE = 0x001F;
constexpr unsigned WM_SETCURSOR = 0x0020;
constexpr unsigned WM_NOTIFY = 0x004E;
constexpr unsigned WM_CONTEXTMENU = 0x007B;
constexpr unsigned WM_GETDLGCODE = 0x0087;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_HSCROLL = 0x0114;
constexpr unsigned WM_VSCROLL = 0x0115;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;
constexpr unsigned WM_MOUSEHWHEEL = 0x020E;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_USER = 0x0400;

// Framework notifications between controls.
constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 15;
constexpr unsigned CM_CTL3DCHANGED = CM_BASE + 16;
constexpr unsigned CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
constexpr unsigned CM_ENTER = CM_BASE + 26;
constexpr unsigned CM_EXIT = CM_BASE + 27;
constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr unsigned CM_SHOWHINTCHANGED = CM_BASE + 32;
constexpr unsigned CM_PARENTSHOWHINTCHANGED = CM_BASE + 33;
constexpr unsigned CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr unsigned CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr unsigned CM_RELEASE = CM_BASE + 133;

// Messages a window sends back to its own control ("notifications"), as the classic
// framework reflects them.
constexpr unsigned CN_BASE = 0xBC00;
constexpr unsigned CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr unsigned CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr unsigned CN_NOTIFY = CN_BASE + WM_NOTIFY;

// WM_COMMAND notification codes of an edit window (in the high word of WParam).
constexpr unsigned EN_CHANGE = 0x0300;
// ... and of a button window.
constexpr unsigned BN_CLICKED = 0x0000;

// What a window answers to WM_GETDLGCODE: the keys it keeps from dialog navigation.
constexpr unsigned DLGC_WANTARROWS = 0x0001;
constexpr unsigned DLGC_WANTTAB = 0x0002;
constexpr unsigned DLGC_WANTALLKEYS = 0x0004;
constexpr unsigned DLGC_WANTCHARS = 0x0080;

// One notch of a mouse wheel in WM_MOUSEWHEEL's delta; finer wheels send parts of it.
constexpr int WHEEL_DELTA = 120;
// A touchpad swipe of this many pixels counts as one notch (three lines of 16 pixels).
constexpr int WheelPixelsPerNotch = 48;

// Mouse message key flags (WParam of the button and move messages).
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;

// WM_SIZE kinds.
constexpr unsigned SIZE_RESTORED = 0;

// Virtual-key codes.
constexpr Word VK_BACK = 0x08;
constexpr Word VK_TAB = 0x09;
constexpr Word VK_RETURN = 0x0D;
constexpr Word VK_SHIFT = 0x10;
constexpr Word VK_CONTROL = 0x11;
constexpr Word VK_MENU = 0x12;
constexpr Word VK_ESCAPE = 0x1B;
constexpr Word VK_SPACE = 0x20;
constexpr Word VK_PRIOR = 0x21;
constexpr Word VK_NEXT = 0x22;
constexpr Word VK_END = 0x23;
constexpr Word VK_HOME = 0x24;
constexpr Word VK_LEFT = 0x25;
constexpr Word VK_UP = 0x26;
constexpr Word VK_RIGHT = 0x27;
constexpr Word VK_DOWN = 0x28;
constexpr Word VK_INSERT = 0x2D;
constexpr Word VK_DELETE = 0x2E;
constexpr Word VK_APPS = 0x5D;  // the context-menu key
constexpr Word VK_F1 = 0x70;
constexpr Word VK_F2 = 0x71;
constexpr Word VK_F3 = 0x72;
constexpr Word VK_F4 = 0x73;
constexpr Word VK_F5 = 0x74;
constexpr Word VK_F6 = 0x75;
constexpr Word VK_F7 = 0x76;
constexpr Word VK_F8 = 0x77;
constexpr Word VK_F9 = 0x78;
constexpr Word VK_F10 = 0x79;
// WM_SYSCOMMAND's WParam when Alt was pressed and released alone: the menu bar takes the keyboard.
constexpr WPARAM SC_KEYMENU = 0xF100;
constexpr Word VK_F11 = 0x7A;
constexpr Word VK_F12 = 0x7B;
// Letters and digits are their upper-case ASCII codes ('A' .. 'Z', '0' .. '9').

struct TMessage {
  unsigned Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// Typed views: decoded copies of the parameters, Result bound to the message's Result.
struct TWMSize {
  explicit TWMSize(TMessage& M)
      : Message(M), Msg(M.Msg), SizeType(static_cast<unsigned>(M.WParam)),
        Width(LoWord(static_cast<std::uintptr_t>(M.LParam))),
        Height(HiWord(static_cast<std::uintptr_t>(M.LParam))), Result(M.Result) {}
  TMessage& Message;
  unsigned Msg;
  unsigned SizeType;
  int Width;
  int Height;
  LRESULT& Result;
};

struct TWMScroll {
  explicit TWMScroll(TMessage& M)
      : Message(M), Msg(M.Msg), ScrollCode(static_cast<std::int16_t>(LoWord(M.WParam))),
        Pos(static_cast<std::int16_t>(HiWord(M.WParam))), ScrollBar(reinterpret_cast<HWND>(M.LParam)),
        Result(M.Result) {}
  TMessage& Message;
  unsigned Msg;
  int ScrollCode;
  int Pos;  // 16 bits only; SIF_TRACKPOS gives the full track position
  HWND ScrollBar;
  LRESULT& Result;
};

struct TWMTimer {
  explicit TWMTimer(TMessage& M)
      : Message(M), Msg(M.Msg), TimerID(static_cast<unsigned>(M.WParam)),
        TimerProc(reinterpret_cast<void*>(M.LParam)), Result(M.Result) {}
  TMessage& Message;
  unsigned Msg;
  unsigned TimerID;
  void* TimerProc;
  LRESULT& Result;
};

// WM_KEYDOWN, WM_KEYUP, WM_CHAR, CM_DIALOGKEY and CM_WANTSPECIALKEY.
struct TWMKey {
  explicit TWMKey(TMessage& M)
      : Message(M), Msg(M.Msg), CharCode(static_cast<Word>(M.WParam)), KeyData(static_cast<long>(M.LParam)),
        Result(M.Result) {}
  TMessage& Message;
  unsigned Msg;
  Word CharCode;
  long KeyData;
  LRESULT& Result;
};
using TWMChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMWantSpecialKey = TWMKey;

// The button and move messages.
struct TWMMouse {
  explicit TWMMouse(TMessage& M)
      : Message(M), Msg(M.Msg), Keys(static_cast<unsigned>(M.WParam)), XPos(PointFromLParam(M.LParam).X),
        YPos(PointFromLParam(M.LParam).Y), Result(M.Result) {}
  TMessage& Message;
  unsigned Msg;
  unsigned Keys;
  int XPos;
  int YPos;
  LRESULT& Result;
};

// WM_MOUSEWHEEL and WM_MOUSEHWHEEL: the MK_ keys, the signed delta in 120ths of a notch
// (forward and right are positive) and the pointer on the screen.
struct TWMMouseWheel {
  explicit TWMMouseWheel(TMessage& M)
      : Message(M), Msg(M.Msg), Keys(LoWord(static_cast<std::uintptr_t>(M.WParam))),
        WheelDelta(static_cast<std::int16_t>(HiWord(static_cast<std::uintptr_t>(M.WParam)))),
        XPos(PointFromLParam(M.LParam).X), YPos(PointFromLParam(M.LParam).Y), Result(M.Result) {}
  TMessage& Message;
  unsigned Msg;
  unsigned Keys;
  int WheelDelta;
  int XPos;
  int YPos;
  LRESULT& Result;
};

// Builds the view that Handler takes from Message and calls Handler on Object.
template <class TView, class TObject, class TBase>
void DispatchAs(TMessage& Message, TObject* Object, void (TBase::*Handler)(TView&)) {
  TView View(Message);
  (Object->*Handler)(View);
}

}  // namespace vcl
