#pragma once
// The window system's edit window as the framework's edit sees it; positions count bytes of
// the UTF-8 text. Free of Qt types.

#include "Graphics.h"

namespace vcl::backend {

AnsiString EditText(HWND Wnd);
// Replaces the text; the window reports the change (EN_CHANGE) when the text differs.
void SetEditText(HWND Wnd, const AnsiString& Text);
void EditSelection(HWND Wnd, int& Start, int& Length);
// Clamped to the text; Length 0 puts the caret at Start.
void SetEditSelection(HWND Wnd, int Start, int Length);
// MaxLength 0 means no limit.
void SetEditOptions(HWND Wnd, int MaxLength, bool ReadOnly);
// The look of a window that draws itself: font, background colour, reading direction.
void SetNativeAppearance(HWND Wnd, const TFont& Font, TColor Color, bool RightToLeft);

}  // namespace vcl::backend
