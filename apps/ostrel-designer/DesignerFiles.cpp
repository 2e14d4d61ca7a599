#include "DesignerFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "Dialogs.h"

using namespace vcl;

namespace designer {

const char* const FormFileFilter = "Form files (*.dfm)|*.dfm|All files (*.*)|*";

void ShowDesignerError(const AnsiString& Message) {
  MessageDlg(CutForMessage(Message, MaxMessageChars), mtError, TMsgDlgButtons{mbOK}, 0);
}

namespace {

AnsiString BaseName(const AnsiString& Path) {
  const auto Slash = Path.find_last_of('/');
  return Slash == AnsiString::npos ? Path : Path.substr(Slash + 1);
}

[[noreturn]] void OpenError(const AnsiString& FileName, const AnsiString& Reason) {
  throw EFOpenError(Format(Consts::SFOpenError, {FileName}) + ": " + Reason);
}

}  // namespace

// Opened without waiting: a FIFO that nobody writes to would keep a plain open() waiting
// for a writer, before the designer ever showed a window.
AnsiString ReadTextFile(const AnsiString& FileName) {
  const int Handle = ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (Handle < 0) OpenError(FileName, std::strerror(errno));
  const struct TClose {
    int Handle;
    ~TClose() { ::close(Handle); }
  } Close{Handle};
  struct stat Info {};
  if (::fstat(Handle, &Info) != 0) OpenError(FileName, std::strerror(errno));
  if (!S_ISREG(Info.st_mode)) OpenError(FileName, "it is not a regular file");
  AnsiString Text(static_cast<std::size_t>(Info.st_size), '\0');
  std::size_t Done = 0;
  while (Done < Text.size()) {
    const ssize_t Count = ::read(Handle, Text.data() + Done, Text.size() - Done);
    if (Count < 0 && errno == EINTR) continue;
    if (Count < 0) OpenError(FileName, std::strerror(errno));
    if (Count == 0) break;  // the file became shorter meanwhile
    Done += static_cast<std::size_t>(Count);
  }
  Text.resize(Done);
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
    ShowDesignerError("Cannot open " + FileName + ": " + E.Message());
    return false;
  } catch (const std::bad_alloc&) {
    ShowDesignerError("Cannot open " + FileName + ": there is not enough memory to read it. The form being designed is kept.");
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
    ShowDesignerError("Cannot save " + FileName + ": " + E.Message());
    return false;
  } catch (const std::bad_alloc&) {
    ShowDesignerError("Cannot save " + FileName + ": there is not enough memory to write it. The form being designed is kept.");
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
