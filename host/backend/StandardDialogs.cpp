// The file dialog and the message box over QFileDialog and QMessageBox. Both run in a
// nested Qt event loop, which sleeps until the user acts.

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "DialogBackend.h"
#include "Window.h"

namespace vcl::backend {

namespace {

QString ToQString(const AnsiString& Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }

// "Text|*.txt|All Files (*.*)|*.*" as Qt's "Text (*.txt)", "All Files (*.*) (*)"; "*.*"
// means every file, with or without a dot.
QStringList QtFilters(const AnsiString& Filter) {
  const QStringList Parts = ToQString(Filter).split('|');
  QStringList Result;
  for (qsizetype I = 0; I + 1 < Parts.size(); I += 2) {
    QStringList Patterns = Parts[I + 1].split(';', Qt::SkipEmptyParts);
    for (QString& P : Patterns) {
      P = P.trimmed();
      if (P == "*.*") P = "*";
    }
    Result << Parts[I] + " (" + Patterns.join(' ') + ")";
  }
  return Result;
}

}  // namespace

// The dialog is a child window of its owner, so the window manager keeps it over that
// window and centres it there; a compositor that reports no active window still knows whose
// dialog it is.
QWidget* DialogParent(HWND Owner) {
  const TWindowRecord* R = FindRecord(Owner);
  if (R && R->Widget && R->Widget->window()->isVisible()) return R->Widget->window();
  return QApplication::activeWindow();
}

bool RunFileDialog(TFileDialogRequest& Request) {
  QFileDialog Dialog(DialogParent(Request.Owner), ToQString(Request.Title));
  Dialog.setAcceptMode(Request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  Dialog.setFileMode(QFileDialog::AnyFile);
  // The framework asks about replacing a file itself, as its options say.
  Dialog.setOption(QFileDialog::DontConfirmOverwrite);
  const QStringList Filters = QtFilters(Request.Filter);
  if (!Filters.isEmpty()) {
    Dialog.setNameFilters(Filters);
    Dialog.selectNameFilter(Filters.value(std::clamp<qsizetype>(Request.FilterIndex - 1, 0, Filters.size() - 1)));
  }
  if (!Request.InitialDir.empty()) Dialog.setDirectory(ToQString(Request.InitialDir));
  if (!Request.FileName.empty()) Dialog.selectFile(ToQString(Request.FileName));
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return false;
  Request.FileName = Dialog.selectedFiles().first().toUtf8().toStdString();
  const qsizetype Chosen = Filters.indexOf(Dialog.selectedNameFilter());
  if (Chosen >= 0) Request.FilterIndex = static_cast<int>(Chosen) + 1;
  return true;
}

int RunMessageBox(HWND Owner, const AnsiString& Caption, const AnsiString& Text, TMsgDlgType Type,
                  TMsgDlgButtons Buttons) {
  static const QMessageBox::Icon Icons[] = {QMessageBox::Warning, QMessageBox::Critical, QMessageBox::Information,
                                            QMessageBox::Question, QMessageBox::NoIcon};
  QMessageBox Box(Icons[Type], ToQString(Caption), ToQString(Text), QMessageBox::NoButton, DialogParent(Owner));
  struct TButton {
    TMsgDlgBtn Button;
    QMessageBox::StandardButton Qt;  // NoButton: a button of its own
    int Result;
  };
  static const TButton Map[] = {
      {mbYes, QMessageBox::Yes, mrYes},          {mbNo, QMessageBox::No, mrNo},
      {mbOK, QMessageBox::Ok, mrOk},             {mbCancel, QMessageBox::Cancel, mrCancel},
      {mbAbort, QMessageBox::Abort, mrAbort},    {mbRetry, QMessageBox::Retry, mrRetry},
      {mbIgnore, QMessageBox::Ignore, mrIgnore}, {mbAll, QMessageBox::NoButton, mrAll},
      {mbNoToAll, QMessageBox::NoToAll, mrNoToAll}, {mbYesToAll, QMessageBox::YesToAll, mrYesToAll},
      {mbHelp, QMessageBox::Help, mrNone},
  };
  std::vector<std::pair<QAbstractButton*, int>> Shown;
  for (const TButton& B : Map) {
    if (!Buttons.Contains(B.Button)) continue;
    QAbstractButton* Button = B.Qt == QMessageBox::NoButton ? Box.addButton(QMessageBox::tr("&All"), QMessageBox::YesRole)
                                                            : Box.addButton(B.Qt);
    Shown.emplace_back(Button, B.Result);
  }
  Box.exec();
  for (const auto& [Button, Result] : Shown)
    if (Button == Box.clickedButton()) return Result;
  return mrCancel;
}

}  // namespace vcl::backend
