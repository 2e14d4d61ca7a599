#pragma once
// The designer's file commands: a new form, opening and saving form files (the classic
// text syntax), the question about unsaved changes, and the window title that names the
// file. Answers come from the framework's dialogs, so tests answer them through its hooks.

#include "FormDesigner.h"

namespace designer {

// "Form files (*.dfm)|*.dfm|All files (*.*)|*".
extern const char* const FormFileFilter;

// Shows Message in an error box. The framework cuts the input its messages quote; whatever
// else a message carries, one of more than MaxMessageChars characters is cut there.
void ShowDesignerError(const vcl::AnsiString& Message);
inline constexpr std::size_t MaxMessageChars = 1000;

// The form text in FileName; EFOpenError (naming the file) when it cannot be read or is not
// a regular file (a FIFO, a device, a folder), at once, without waiting for a writer.
vcl::AnsiString ReadTextFile(const vcl::AnsiString& FileName);
// Writes Text to FileName, replacing the file only once all of it is written; EFCreateError
// or EWriteError naming the file otherwise.
void WriteTextFile(const vcl::AnsiString& FileName, const vcl::AnsiString& Text);

class TDesignerFiles {
public:
  explicit TDesignerFiles(TFormDesigner& Designer) : FDesigner(Designer) {}

  // Each command returns false when it did not happen: the user cancelled, or a failure
  // was shown in a message box. Those that could drop changes ask first (Yes saves, No
  // drops them, Cancel keeps everything).
  bool NewFile();
  bool Open();
  // Opens FileName without asking about changes (the command line's file). A file that
  // cannot be read, is no form text or needs more memory than there is is named in a
  // message box, with the reader's reason and line; the form being designed stays as it was.
  bool OpenFile(const vcl::AnsiString& FileName);
  bool Save();
  bool SaveAs();
  // Unsaved changes: asks whether to save them; false when the user cancelled or saving failed.
  bool CanDropChanges();

  // Empty for a form that was never saved.
  const vcl::AnsiString& GetFileName() const { return FFileName; }
  // "Form1.dfm* - Ostrel Designer": the file (or "Untitled"), an asterisk while changed.
  vcl::AnsiString Title() const;

private:
  bool SaveTo(const vcl::AnsiString& FileName);

  TFormDesigner& FDesigner;
  vcl::AnsiString FFileName;
};

}  // namespace designer
