#pragma once
// Top-level windows as forms see them: the screen, the frame kind and the size limits.
// Free of Qt types.

#include "Controls.h"

namespace vcl::backend {

// The part of the screen that windows may cover: the screen a new window opens on (the
// one under the pointer, else the primary one).
TRect ScreenWorkArea();
// How far the window's frame reaches beyond its client area on each side (Left, Top,
// Right, Bottom); an estimate of a title bar and borders before the window is first shown.
TRect WindowFrameExtents(HWND Wnd);
// The frame of a top-level window: a sizeable frame, a fixed one (bsSingle, bsDialog without
// minimize and maximize buttons), a tool window's or none. Before the window is shown.
void SetWindowFrame(HWND Wnd, TFormBorderStyle Style);
// Limits the sizes the user can give a top-level window; 0 means no limit.
void SetWindowSizeLimits(HWND Wnd, int MinWidth, int MinHeight, int MaxWidth, int MaxHeight);

}  // namespace vcl::backend
