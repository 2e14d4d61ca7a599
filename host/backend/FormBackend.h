#pragma once
// Top-level windows as forms see them: the screen, the frame kind and the size limits.
// Free of Qt types.

#include "Controls.h"

namespace vcl::backend {

// The part of the primary screen that windows may cover.
TRect ScreenWorkArea();
// The frame of a top-level window: a sizeable frame, a fixed one (bsSingle, bsDialog without
// minimize and maximize buttons), a tool window's or none. Before the window is shown.
void SetWindowFrame(HWND Wnd, TFormBorderStyle Style);
// Limits the sizes the user can give a top-level window; 0 means no limit.
void SetWindowSizeLimits(HWND Wnd, int MinWidth, int MinHeight, int MaxWidth, int MaxHeight);

}  // namespace vcl::backend
