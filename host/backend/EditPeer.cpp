// The edit window over QLineEdit, and the framework's calls on it.

#include "EditPeer.h"

#include "EditBackend.h"
#include "Fonts.h"
#include "InputGlue.h"
#include "QtEmbedding.h"
#include "WindowBackend.h"

namespace vcl {

TEditPeer::TEditPeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags)
    : TNativePeer<QLineEdit>(Record, Parent, Flags) {
  // The classic frame is drawn around the text, as on every framework window.
  setFrame(false);
  const int F = Record->FrameWidth();
  setContentsMargins(F, F, F, F);
  setMaxLength(std::numeric_limits<int>::max());
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (FRecord) backend::DeliverToWindow(backend::HandleOf(FRecord), CN_COMMAND, static_cast<WPARAM>(EN_CHANGE) << 16, 0);
  });
}

void TEditPeer::DefaultChar(unsigned char Byte) {
  if (Byte == VK_BACK) {
    if (!isReadOnly()) backspace();
    return;
  }
  if (Byte < 0x20 || Byte == 0x7F) return;
  FPendingBytes.push_back(static_cast<char>(Byte));
  const QString Text = QString::fromUtf8(FPendingBytes.data(), static_cast<qsizetype>(FPendingBytes.size()));
  if (Text.toUtf8().toStdString() == FPendingBytes) {
    InsertTyped(FPendingBytes);
    FPendingBytes.clear();
  } else if (FPendingBytes.size() >= 4) {
    FPendingBytes.clear();  // not UTF-8: dropped, as the edit keeps only text
  }
}

void TEditPeer::InsertTyped(const std::string& Bytes) {
  const QString Text = QString::fromUtf8(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
  if (isReadOnly() || Text.toUtf8().toStdString() != Bytes) return;
  insert(Text);
}

// Printable text is the characters' business alone (a key handler that zeroes the key does
// not stop its character, as in the classic system); other keys act only when both the key
// and its control character, if any, reached the window unchanged.
void TEditPeer::NativeKey(backend::TKeyTranslation& T) {
  QKeyEvent* E = T.Event;
  if (E->type() == QEvent::KeyRelease) {
    if (T.KeyReachedDefault) keyReleaseEvent(E);
    return;
  }
  const bool CharsIntact = T.CharsReachedDefault == T.CharsSent;
  const bool Printable = !T.CharsSent.empty() && static_cast<unsigned char>(T.CharsSent[0]) >= 0x20 && T.CharsSent != "\x7f";
  if (Printable) {
    if (CharsIntact) keyPressEvent(E);
    else if (!T.CharsReachedDefault.empty()) InsertTyped(T.CharsReachedDefault);
  } else if (CharsIntact && (T.KeyReachedDefault || backend::VirtualKeyOf(E->key(), E->text()) == 0)) {
    keyPressEvent(E);
  }
}

namespace backend {

namespace {

TEditPeer* EditOf(HWND Wnd) { return dynamic_cast<TEditPeer*>(PeerOf(FindRecord(Wnd))); }

// Byte offsets of the UTF-8 text and indexes of Qt's UTF-16 text, both ways.
int ByteOffset(const QString& Text, int Index) {
  return static_cast<int>(QStringView(Text).left(std::clamp<qsizetype>(Index, 0, Text.size())).toUtf8().size());
}

int CharIndex(const QString& Text, int Bytes) {
  int Offset = 0;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    if (Offset >= Bytes) return static_cast<int>(I);
    const bool Pair = Text[I].isHighSurrogate() && I + 1 < Text.size();
    Offset += static_cast<int>(QStringView(Text).mid(I, Pair ? 2 : 1).toUtf8().size());
    if (Pair) ++I;
  }
  return static_cast<int>(Text.size());
}

}  // namespace

AnsiString EditText(HWND Wnd) {
  TEditPeer* Edit = EditOf(Wnd);
  return Edit ? Edit->text().toUtf8().toStdString() : AnsiString();
}

void SetEditText(HWND Wnd, const AnsiString& Text) {
  if (TEditPeer* Edit = EditOf(Wnd)) Edit->setText(QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())));
}

void EditSelection(HWND Wnd, int& Start, int& Length) {
  Start = Length = 0;
  TEditPeer* Edit = EditOf(Wnd);
  if (!Edit) return;
  const QString Text = Edit->text();
  const int From = Edit->hasSelectedText() ? Edit->selectionStart() : Edit->cursorPosition();
  Start = ByteOffset(Text, From);
  Length = ByteOffset(Text, From + static_cast<int>(Edit->selectedText().size())) - Start;
}

void SetEditSelection(HWND Wnd, int Start, int Length) {
  TEditPeer* Edit = EditOf(Wnd);
  if (!Edit) return;
  const QString Text = Edit->text();
  const int From = CharIndex(Text, std::max(0, Start));
  const int To = CharIndex(Text, std::max(0, Start) + std::max(0, Length));
  if (To > From) Edit->setSelection(From, To - From);
  else Edit->setCursorPosition(From);
}

void SetEditOptions(HWND Wnd, int MaxLength, bool ReadOnly) {
  TEditPeer* Edit = EditOf(Wnd);
  if (!Edit) return;
  Edit->setMaxLength(MaxLength > 0 ? MaxLength : std::numeric_limits<int>::max());
  Edit->setReadOnly(ReadOnly);
}

void SetNativeAppearance(HWND Wnd, const TFont& Font, TColor Color, bool RightToLeft) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget) return;
  QWidget* W = R->Widget;
  // Smooth text: the caret and selection of a native edit sit on its anti-aliased glyphs.
  W->setFont(QtFontOf(Font).SmoothFont);
  QPalette Palette = W->palette();
  Palette.setColor(QPalette::Base, ToQColor(Color));
  Palette.setColor(QPalette::Text, ToQColor(Font.GetColor()));
  W->setPalette(Palette);
  W->setLayoutDirection(RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
}

}  // namespace backend
}  // namespace vcl
