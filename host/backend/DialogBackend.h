#pragma once
// The window system's modal dialogs as the framework's dialogs see them. Free of Qt types.

#include "Dialogs.h"

namespace vcl::backend {

struct TFileDialogRequest {
  HWND Owner = nullptr;  // the window the dialog belongs to; null: the active window
  bool Save = false;
  AnsiString Title, Filter, InitialDir, FileName;
  int FilterIndex = 1;
};
// Runs the file dialog modally; true with FileName and FilterIndex set when a file was
// chosen. Overwrite and existence checks are left to the caller.
bool RunFileDialog(TFileDialogRequest& Request);
// Runs a message box modally over Owner (null: the active window); the modal result of the
// button pressed.
int RunMessageBox(HWND Owner, const AnsiString& Caption, const AnsiString& Text, TMsgDlgType Type,
                  TMsgDlgButtons Buttons);

}  // namespace vcl::backend
