#pragma once
// The window system's button windows (push buttons and check boxes) as the framework's
// buttons see them. Free of Qt types.

#include "Graphics.h"

namespace vcl::backend {

// The caption; "&" marks the accelerator, which is shown underlined.
void SetButtonText(HWND Wnd, const AnsiString& Text);
// 0 unchecked, 1 checked, 2 grayed; the window itself never changes it.
void SetButtonCheck(HWND Wnd, int State);
// The default button is drawn with an emphasis.
void SetButtonDefault(HWND Wnd, bool Default);
// Font and text colour.
void SetButtonAppearance(HWND Wnd, const TFont& Font);

}  // namespace vcl::backend
