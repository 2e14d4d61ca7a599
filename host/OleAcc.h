#pragma once
// Assistive technology. A window that wants to be more to a screen reader than a blank
// client area answers WM_GETOBJECT with a description of its accessible objects: roles,
// names, states and places, as a tree. The window system turns that description into the
// platform's accessibility objects and keeps them current; the window announces focus and
// selection moves with NotifyWinEvent.

#include <vector>

#include "Messages.h"
#include "System.h"
#include "Types.h"
#include "Windows.h"

namespace vcl {

constexpr unsigned WM_GETOBJECT = 0x003D;
// The object ids a window is asked for; only the client area is described.
constexpr long OBJID_CLIENT = -4;
// A child id of 0 is the window's object itself; children count from 1.
constexpr long CHILDID_SELF = 0;

// Roles.
constexpr unsigned ROLE_SYSTEM_CLIENT = 0x0A;
constexpr unsigned ROLE_SYSTEM_GROUPING = 0x14;
constexpr unsigned ROLE_SYSTEM_TOOLBAR = 0x16;
constexpr unsigned ROLE_SYSTEM_LIST = 0x21;
constexpr unsigned ROLE_SYSTEM_LISTITEM = 0x22;
constexpr unsigned ROLE_SYSTEM_STATICTEXT = 0x29;
constexpr unsigned ROLE_SYSTEM_TEXT = 0x2A;  // editable text
constexpr unsigned ROLE_SYSTEM_PUSHBUTTON = 0x2B;

// States, or-ed.
constexpr unsigned STATE_SYSTEM_SELECTED = 0x00000002;
constexpr unsigned STATE_SYSTEM_FOCUSED = 0x00000004;
constexpr unsigned STATE_SYSTEM_PRESSED = 0x00000008;
constexpr unsigned STATE_SYSTEM_READONLY = 0x00000040;
constexpr unsigned STATE_SYSTEM_INVISIBLE = 0x00008000;
constexpr unsigned STATE_SYSTEM_OFFSCREEN = 0x00010000;
constexpr unsigned STATE_SYSTEM_FOCUSABLE = 0x00100000;
constexpr unsigned STATE_SYSTEM_SELECTABLE = 0x00200000;

// Events for NotifyWinEvent.
constexpr unsigned EVENT_OBJECT_REORDER = 0x8004;          // children added, removed or moved
constexpr unsigned EVENT_OBJECT_FOCUS = 0x8005;
constexpr unsigned EVENT_OBJECT_SELECTIONADD = 0x8007;
constexpr unsigned EVENT_OBJECT_SELECTIONREMOVE = 0x8008;
constexpr unsigned EVENT_OBJECT_STATECHANGE = 0x800A;      // only makes the description read afresh
constexpr unsigned EVENT_OBJECT_NAMECHANGE = 0x800C;

// What a screen reader asks a window to do with one of its objects: WParam is the child id
// (1-based; CHILDID_SELF for the window's object). Result 1 when the window did it.
// WM_ACCDODEFAULTACTION runs the object's DefaultAction; WM_ACCSELECT gives it what LParam's
// SELFLAG_ flags ask for.
constexpr unsigned WM_ACCDODEFAULTACTION = WM_USER - 0x10;
constexpr unsigned WM_ACCSELECT = WM_USER - 0x0F;
constexpr unsigned SELFLAG_TAKEFOCUS = 0x1;
constexpr unsigned SELFLAG_TAKESELECTION = 0x2;

// One accessible object of a window's description.
struct TAccObject {
  unsigned Role = ROLE_SYSTEM_CLIENT;
  AnsiString Name;  // UTF-8
  unsigned State = 0;
  // What WM_ACCDODEFAULTACTION does to a child of the window's object, as a screen reader
  // names it ("Press", "Select"); empty when it does nothing.
  AnsiString DefaultAction;
  TRect Bounds;  // in the window's client coordinates
  // Set when the object is another window (an editor laid over the control): that window
  // speaks for itself, the other fields are not read.
  HWND Window = nullptr;
  std::vector<TAccObject> Children;
};

// WM_GETOBJECT: WParam points at the TAccObject to fill (the window's own object), LParam is
// the object id. A window that filled it sets Result to 1; 0 leaves the plain client area.
struct TWMGetObject {
  explicit TWMGetObject(TMessage& M)
      : Message(M), Msg(M.Msg), Object(reinterpret_cast<TAccObject*>(M.WParam)), ObjectId(static_cast<long>(M.LParam)),
        Result(M.Result) {}
  TMessage& Message;
  unsigned Msg;
  TAccObject* Object;
  long ObjectId;
  LRESULT& Result;
};

// Whether anything listens for accessibility events; a window may skip the work of
// announcing when nothing does.
bool IsWinEventHookInstalled(unsigned Event);
// Announces an event on child ChildId (1-based; CHILDID_SELF for the window's object) of the
// window's object IdObject. The window's description is read afresh after any event.
void NotifyWinEvent(unsigned Event, HWND Wnd, long IdObject, long ChildId);

// The description a window gives of its client area; false when it gives none.
bool GetAccessibleObject(HWND Wnd, TAccObject& Object);
// Asks the window to run the default action of child ChildId (1-based); false when it did not.
bool DoDefaultAccessibleAction(HWND Wnd, long ChildId);
// Asks the window to give child ChildId the focus or the selection (SELFLAG_ flags); false
// when it did not.
bool SelectAccessibleObject(HWND Wnd, long ChildId, unsigned Flags);

}  // namespace vcl
