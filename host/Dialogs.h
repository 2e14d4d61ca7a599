#pragma once
// Standard dialogs: choosing a file to open or save, and message boxes. Each runs modally,
// sleeping until the user answers; a test answers in the user's place through a hook.

#include <functional>

#include "Controls.h"

namespace vcl {

// ---------------------------------------------------------------- file dialogs

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

// Asks for the name of a file to open. A non-visual component: a form owns it and form
// files store its properties.
class TOpenDialog : public TComponent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TOpenDialog(TComponent* AOwner);

  // The dialog's caption; empty shows the window system's own ("Open", "Save As").
  const AnsiString& GetTitle() const { return FTitle; }
  void SetTitle(const AnsiString& Value) { FTitle = Value; }
  // Pairs of description and patterns, all separated by "|": "Text|*.txt|All Files (*.*)|*.*";
  // several patterns of one pair by ";".
  const AnsiString& GetFilter() const { return FFilter; }
  void SetFilter(const AnsiString& Value) { FFilter = Value; }
  // The filter pair chosen, counted from 1 (the default); the dialog sets it on success.
  int GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  // Added (after a ".") to a chosen name that has no extension; without a leading dot.
  const AnsiString& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const AnsiString& Value) { FDefaultExt = Value; }
  // [ofHideReadOnly, ofEnableSizing] by default. Honoured: ofPathMustExist,
  // ofFileMustExist, ofOverwritePrompt (TSaveDialog); the others are kept for form files.
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }
  // The name proposed when the dialog opens, and the one chosen after Execute returns true;
  // unchanged when it returns false.
  const AnsiString& GetFileName() const { return FFileName; }
  void SetFileName(const AnsiString& Value) { FFileName = Value; }
  // The folder shown first when FileName names none; empty means the current folder.
  const AnsiString& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const AnsiString& Value) { FInitialDir = Value; }

  // Shows the dialog until the user chooses a name that the options allow, or cancels
  // (false). A name the options refuse is explained in a message box and asked again.
  virtual bool Execute();
  virtual bool IsSaveDialog() const { return false; }

private:
  // Whether the options allow Name; when not, the user was told why (or declined to replace it).
  bool Acceptable(const AnsiString& Name);
  AnsiString WithDefaultExt(const AnsiString& Name) const;
  AnsiString FTitle, FFilter, FDefaultExt, FFileName, FInitialDir;
  int FFilterIndex = 1;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

// Asks for the name of a file to save; with ofOverwritePrompt an existing file is replaced
// only after the user confirmed it.
class TSaveDialog : public TOpenDialog {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
  bool IsSaveDialog() const override { return true; }
};

// Answers file dialogs in the user's place: it may read and change the dialog (set FileName,
// FilterIndex) and returns true to accept, false to cancel. Empty restores the real dialog.
using TFileDialogHook = std::function<bool(TOpenDialog& Dialog)>;
void SetFileDialogHook(TFileDialogHook Hook);

// ---------------------------------------------------------------- message boxes

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// Shows Msg with the icon and caption of DlgType ("Warning", "Error", "Information",
// "Confirm"; the application's title for mtCustom) and the buttons asked for (OK when none);
// returns the modal result of the button pressed (mrYes, mrOk ...), or mrCancel when the box
// is closed without one. HelpCtx is kept for compatibility.
int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// Msg with an OK button, under the application's title.
void ShowMessage(const AnsiString& Msg);

// Answers message boxes in the user's place with a modal result. Empty restores the real box.
using TMessageDlgHook = std::function<int(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)>;
void SetMessageDlgHook(TMessageDlgHook Hook);

}  // namespace vcl
