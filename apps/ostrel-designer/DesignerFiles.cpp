#include "DesignerFiles.h"

#include <memory>
#include <utility>

#include "Dialogs.h"

using namespace vcl;

namespace designer {

const char* const FormFileFilter = "Form files (*.dfm)|*.dfm|All files (*.*)|*";

namespace {

AnsiString BaseName(const AnsiString& Path) {
  const auto Slash = Path.find_last_of('/');
  return Slash == AnsiString::npos ? Path : Path.substr(Slash + 1);
}

void ShowError(const AnsiString& Message) { MessageDlg(Message, mtError, TMsgDlgButtons{mbOK}, 0); }

}  // namespace

AnsiString ReadTextFile(const AnsiString& FileName) {
  TFileStream Stream(FileName, fmOpenRead);
  AnsiString Text(static_cast<std::size_t>(Stream.GetSize()), '\0');
  if (!Text.empty()) Stream.ReadBuffer(Text.data(), static_cast<long>(Text.size()));
  return Text;
}

void WriteTextFile(const AnsiString& FileName, const AnsiString& Text) {
  TSafeFileStream Stream(FileName);
  Stream.WriteBuffer(Text.data(), static_cast<long>(Text.size()));
  Stream.Commit();
}

bool TDesignerFiles::NewFile() {
  if (!CanDropChanges()) return false;
  FFileName.clear();
  FDesigner.NewForm();
  return true;
}

bool TDesignerFiles::Open() {
  if (!CanDropChanges()) return false;
  const auto Dialog = std::make_unique<TOpenDialog>(nullptr);
  Dialog->SetFilter(FormFileFilter);
  Dialog->SetOptions(TOpenOptions{ofHideReadOnly, ofEnableSizing, ofFileMustExist, ofPathMustExist});
  return Dialog->Execute() && OpenFile(Dialog->GetFileName());
}

bool TDesignerFiles::OpenFile(const AnsiString& FileName) {
  try {
    const AnsiString Text = ReadTextFile(FileName);
    // The file's name goes in first: OnChange, which the title follows, fires from the load.
    const AnsiString Previous = std::exchange(FFileName, FileName);
    try {
      FDesigner.LoadFromText(Text);
    } catch (...) {
      FFileName = Previous;
      throw;
    }
  } catch (const Exception& E) {
    ShowError("Cannot open " + FileName + ": " + E.Message());
    return false;
  }
  return true;
}

bool TDesignerFiles::Save() { return FFileName.empty() ? SaveAs() : SaveTo(FFileName); }

bool TDesignerFiles::SaveAs() {
  const auto Dialog = std::make_unique<TSaveDialog>(nullptr);
  Dialog->SetFilter(FormFileFilter);
  Dialog->SetDefaultExt("dfm");
  Dialog->SetFileName(FFileName);
  Dialog->SetOptions(TOpenOptions{ofHideReadOnly, ofEnableSizing, ofOverwritePrompt, ofPathMustExist});
  return Dialog->Execute() && SaveTo(Dialog->GetFileName());
}

bool TDesignerFiles::SaveTo(const AnsiString& FileName) {
  try {
    WriteTextFile(FileName, FDesigner.SaveToText());
  } catch (const Exception& E) {
    ShowError("Cannot save " + FileName + ": " + E.Message());
    return false;
  }
  FFileName = FileName;
  FDesigner.MarkSaved();
  return true;
}

bool TDesignerFiles::CanDropChanges() {
  if (!FDesigner.GetModified()) return true;
  const AnsiString Name = FFileName.empty() ? AnsiString("the new form") : BaseName(FFileName);
  switch (MessageDlg("Save the changes to " + Name + "?", mtConfirmation, mbYesNoCancel, 0)) {
    case mrYes: return Save();
    case mrNo: return true;
    default: return false;
  }
}

AnsiString TDesignerFiles::Title() const {
  const AnsiString Name = FFileName.empty() ? AnsiString("Untitled") : BaseName(FFileName);
  return Name + (FDesigner.GetModified() ? "*" : "") + " - Ostrel Designer";
}

}  // namespace designer
