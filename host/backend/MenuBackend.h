#pragma once
// The window system's menus as the framework's menus see them. Free of Qt types.

#include "Menus.h"

namespace vcl::backend {

// Shows Menu's items as the window's menu bar (null removes it); the client area becomes
// shorter by the bar's height.
void SetWindowMenu(HWND Wnd, TMenu* Menu);
// Item's caption, shortcut, state or visibility changed: every shown copy follows.
void UpdateMenuItem(TMenuItem* Item);
// Items under Menu were added, moved or removed: a bar showing it is built again.
void RebuildMenu(TMenu* Menu);
// Item goes away: nothing shown refers to it any more.
void ForgetMenuItem(TMenuItem* Item);
// Shows Menu's items as a context menu at a screen point and returns once it has closed,
// after running the chosen item's Click, if one was chosen.
void PopupMenuAt(TMenu* Menu, int X, int Y);
// Opens the submenu of the menu bar's top item Index (counting every item of the root), as
// a click on it does; an item without a submenu is chosen.
void OpenMenuBarItem(HWND Wnd, int Index);

}  // namespace vcl::backend
