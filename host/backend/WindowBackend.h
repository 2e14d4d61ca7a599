#pragma once
// The window system as the framework classes see it: plain functions on window handles,
// free of Qt types, implemented over Qt widgets in this folder.

#include "Controls.h"

namespace vcl {
struct TWindowRecord;  // a window's backend side (Window.h)
}

namespace vcl::backend {

// Creates the window of Control. ParentWnd holds it when not null; otherwise HostWidget
// (a QWidget*) when not null; otherwise it is a top-level window.
HWND CreateWindowFor(TWinControl* Control, const TCreateParams& Params, HWND ParentWnd, void* HostWidget);
// Destroys the window: its timers stop and messages still queued for it are dropped.
// The Qt widget is deleted once no event handler is running.
void DestroyWindow(HWND Wnd);
TWinControl* ControlOf(HWND Wnd);
// What the window itself does with a message no framework handler took: a native control
// (an edit) acts on input; a custom-drawn window does nothing.
void DefaultWindowProc(HWND Wnd, TMessage& Message);
TWindowRecord* RecordOf(HWND Wnd);

// Position relative to the parent's client area (the screen for a top-level window).
void MoveWindow(HWND Wnd, int X, int Y, int Width, int Height);
void ShowWindow(HWND Wnd, bool Visible);
// Makes the top-level window Wnd belong to the top-level window that holds Owner (none when
// null): it stays above that window, and a window system without global positions (Wayland)
// places it relative to that window, where its position says. Takes effect when Wnd is shown.
void SetWindowOwner(HWND Wnd, HWND Owner);
void RaiseWindow(HWND Wnd);
void SetWindowTitle(HWND Wnd, const AnsiString& Title);
void SetWindowCursor(HWND Wnd, TCursor Cursor);
// The cursor over every window of the program; crDefault gives each window its own again.
void SetApplicationCursor(TCursor Cursor);
void SetWindowEnabled(HWND Wnd, bool Enabled);
// The name screen readers give the window; empty leaves the window's own.
void SetWindowAccessibleName(HWND Wnd, const AnsiString& Name);
TRect ClientRectOf(HWND Wnd);
// The window's bounds in its parent's client area (on the screen for a top-level window).
TRect WindowBounds(HWND Wnd);
// Runs Paint with Canvas drawing on the part Bounds of the parent window's surface.
void PaintOnChildArea(HWND Parent, const TRect& Bounds, TCanvas* Canvas, const std::function<void()>& Paint);
void ForgetMouseControl(TControl* Control);
TPoint ClientOriginOnScreen(HWND Wnd);
// Re-reads the window's size after a frame change and sends WM_SIZE when the client changed.
void CheckClientSize(HWND Wnd);

void InvalidateWindow(HWND Wnd, const TRect* Rect);
// Runs the pending paint now: erase with the control's colour, then WM_PAINT.
void UpdateWindow(HWND Wnd);
TCanvasSurface* SurfaceOf(HWND Wnd);

void FocusWindow(HWND Wnd);
HWND FocusedWindow();
void ActivateWindow(HWND Wnd);
void SetCapture(HWND Wnd, bool Capture);
bool HasCapture(HWND Wnd);

// The toolkit under the framework: made by the first Initialize unless the program made
// its own, and taken down by Finalize only when made here.
void InitializeToolkit(int& Argc, char** Argv);
bool ToolkitRunning();
void FinalizeToolkit();
// Handles the input, posted messages and due timers waiting now; false when there were none.
bool ProcessPendingMessages();
// Sleeps until input, a posted message or a due timer arrives, and handles it.
void WaitMessage();
// Ends a WaitMessage that would otherwise sleep on.
void WakeMessageLoop();
// A message box where there is a display, the standard error stream otherwise.
void ShowErrorMessage(HWND Owner, const AnsiString& Title, const AnsiString& Text);

}  // namespace vcl::backend
