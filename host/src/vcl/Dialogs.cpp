// The standard dialogs: the checks the options ask for, the hooks, and the messages shown.

#include "Dialogs.h"

#include <filesystem>
#include <system_error>

#include "Forms.h"
#include "TypInfo.h"
#include "backend/DialogBackend.h"

namespace vcl {

namespace {

TFileDialogHook& FileDialogHook() {
  static TFileDialogHook Hook;
  return Hook;
}

TMessageDlgHook& MessageDlgHook() {
  static TMessageDlgHook Hook;
  return Hook;
}

bool Exists(const std::filesystem::path& Path) {
  std::error_code Error;
  return std::filesystem::exists(Path, Error);
}

bool IsFolder(const std::filesystem::path& Path) {
  std::error_code Error;
  return std::filesystem::is_directory(Path, Error);
}

}  // namespace

void SetFileDialogHook(TFileDialogHook Hook) { FileDialogHook() = std::move(Hook); }

void SetMessageDlgHook(TMessageDlgHook Hook) { MessageDlgHook() = std::move(Hook); }

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

AnsiString TOpenDialog::WithDefaultExt(const AnsiString& Name) const {
  if (FDefaultExt.empty() || Name.empty()) return Name;
  const std::filesystem::path Path(Name);
  if (Path.has_extension() || !Path.has_filename()) return Name;
  return Name + "." + (FDefaultExt[0] == '.' ? FDefaultExt.substr(1) : FDefaultExt);
}

bool TOpenDialog::Acceptable(const AnsiString& Name) {
  const std::filesystem::path Path(Name);
  const std::filesystem::path Folder = Path.has_parent_path() ? Path.parent_path() : std::filesystem::path(".");
  if (!Path.has_filename() || IsFolder(Path)) {
    MessageDlg(Name + "\nThis is a folder, not a file.\nChoose a file.", mtWarning, {mbOK}, 0);
    return false;
  }
  if ((FOptions.Contains(ofPathMustExist) || FOptions.Contains(ofFileMustExist)) && !IsFolder(Folder)) {
    MessageDlg(Name + "\nPath does not exist.\nCheck the path and try again.", mtWarning, {mbOK}, 0);
    return false;
  }
  if (FOptions.Contains(ofFileMustExist) && !Exists(Path)) {
    MessageDlg(Name + "\nFile not found.\nCheck the file name and try again.", mtWarning, {mbOK}, 0);
    return false;
  }
  if (IsSaveDialog() && FOptions.Contains(ofOverwritePrompt) && Exists(Path))
    return MessageDlg(Name + " already exists.\nDo you want to replace it?", mtWarning, {mbYes, mbNo}, 0) == mrYes;
  return true;
}

// The chooser is asked again until it gives an acceptable name or cancels; a cancel leaves
// FileName and FilterIndex as they were before Execute.
bool TOpenDialog::Execute() {
  const AnsiString SavedName = FFileName;
  const int SavedIndex = FFilterIndex;
  AnsiString Refused;
  for (;;) {
    bool Chosen = false;
    const bool Hooked = static_cast<bool>(FileDialogHook());
    if (Hooked) {
      Chosen = FileDialogHook()(*this);
    } else {
      backend::TFileDialogRequest Request;
      Request.Owner = Application ? Application->GetActiveFormHandle() : nullptr;
      Request.Save = IsSaveDialog();
      Request.Title = FTitle;
      Request.Filter = FFilter;
      Request.InitialDir = FInitialDir;
      Request.FileName = FFileName;
      Request.FilterIndex = FFilterIndex;
      Chosen = backend::RunFileDialog(Request);
      if (Chosen) {
        FFileName = Request.FileName;
        FFilterIndex = Request.FilterIndex;
      }
    }
    if (!Chosen || FFileName.empty()) {
      FFileName = SavedName;
      FFilterIndex = SavedIndex;
      return false;
    }
    FFileName = WithDefaultExt(FFileName);
    // A person changes a refused name; a hook that gives it back unchanged would be asked
    // forever, so that answer counts as a cancel.
    if (Hooked && !Refused.empty() && FFileName == Refused) {
      FFileName = SavedName;
      FFilterIndex = SavedIndex;
      return false;
    }
    if (Acceptable(FFileName)) return true;
    Refused = FFileName;
  }
}

const TClassInfo& TOpenDialog::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TOpenDialog>("TOpenDialog", &TComponent::StaticClassInfo())
          .Creates()
          .String("DefaultExt", &TOpenDialog::GetDefaultExt, &TOpenDialog::SetDefaultExt, "")
          .String("FileName", &TOpenDialog::GetFileName, &TOpenDialog::SetFileName, "")
          .String("Filter", &TOpenDialog::GetFilter, &TOpenDialog::SetFilter, "")
          .Integer("FilterIndex", &TOpenDialog::GetFilterIndex, &TOpenDialog::SetFilterIndex, 1)
          .String("InitialDir", &TOpenDialog::GetInitialDir, &TOpenDialog::SetInitialDir, "")
          .Set("Options", &TOpenDialog::GetOptions, &TOpenDialog::SetOptions,
               {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
                "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
                "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
                "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing"},
               TOpenOptions{ofHideReadOnly, ofEnableSizing})
          .String("Title", &TOpenDialog::GetTitle, &TOpenDialog::SetTitle, "")
          .Build();
  return Info;
}

const TClassInfo& TSaveDialog::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TSaveDialog>("TSaveDialog", &TOpenDialog::StaticClassInfo()).Creates().Build();
  return Info;
}

namespace {
[[maybe_unused]] const bool Registered = (RegisterClasses({&TOpenDialog::StaticClassInfo(), &TSaveDialog::StaticClassInfo()}), true);
}  // namespace

// ---------------------------------------------------------------- message boxes

int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  if (Buttons.Empty()) Buttons = {mbOK};
  if (MessageDlgHook()) return MessageDlgHook()(Msg, DlgType, Buttons);
  static const char* const Captions[] = {"Warning", "Error", "Information", "Confirm"};
  AnsiString Caption = DlgType == mtCustom ? (Application ? Application->GetTitle() : AnsiString()) : Captions[DlgType];
  return backend::RunMessageBox(Application ? Application->GetActiveFormHandle() : nullptr, Caption, Msg, DlgType,
                                Buttons);
}

void ShowMessage(const AnsiString& Msg) { MessageDlg(Msg, mtCustom, {mbOK}, 0); }

}  // namespace vcl
