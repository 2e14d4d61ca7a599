// ShellExecute: addresses go to the desktop's handler, or to a hook.

#include <QDesktopServices>
#include <QUrl>

#include "Windows.h"

namespace vcl {

namespace {
TShellExecuteHook& Hook() {
  static TShellExecuteHook Instance;
  return Instance;
}
constexpr HINSTANCE ShellSuccess = 42;
}  // namespace

void SetShellExecuteHook(TShellExecuteHook NewHook) { Hook() = std::move(NewHook); }

HINSTANCE ShellExecute(HWND, const char* Operation, const char* File, const char*, const char*, int) {
  const AnsiString Op = Operation ? Operation : "open";
  if (!File || !*File) return SE_ERR_FNF;
  if (Op != "open") return SE_ERR_NOASSOC;
  bool Opened = false;
  if (Hook()) Opened = Hook()(Op, File);
  else Opened = QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromUtf8(File)));
  return Opened ? ShellSuccess : SE_ERR_NOASSOC;
}

}  // namespace vcl
