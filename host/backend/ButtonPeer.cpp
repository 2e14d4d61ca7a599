// The button windows over QPushButton and QCheckBox, and the framework's calls on them.

#include "ButtonPeer.h"

#include "ButtonBackend.h"
#include "Fonts.h"
#include "QtEmbedding.h"

namespace vcl {

namespace {
void ReportClicks(QAbstractButton* Button, TPeer* Peer) {
  QObject::connect(Button, &QAbstractButton::clicked, Button, [Peer] {
    if (Peer->Record())
      backend::DeliverToWindow(backend::HandleOf(Peer->Record()), CN_COMMAND, static_cast<WPARAM>(BN_CLICKED) << 16, 0);
  });
}
}  // namespace

TButtonPeer::TButtonPeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags)
    : TNativePeer<QPushButton>(Record, Parent, Flags) {
  // Enter is the form's dialog key; the button never presses itself on it.
  setAutoDefault(false);
  ReportClicks(this, this);
}

void TButtonPeer::paintEvent(QPaintEvent* Event) {
  TNativePeer<QPushButton>::paintEvent(Event);
  if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
  constexpr int Inset = 4;
  QPainter Painter(this);
  Painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
  Painter.drawRect(rect().adjusted(Inset, Inset, -Inset - 1, -Inset - 1));
}

TCheckBoxPeer::TCheckBoxPeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags)
    : TNativePeer<QCheckBox>(Record, Parent, Flags) {
  setTristate(true);
  ReportClicks(this, this);
}

namespace backend {

namespace {
QAbstractButton* ButtonOf(HWND Wnd) {
  TWindowRecord* R = FindRecord(Wnd);
  return R ? qobject_cast<QAbstractButton*>(R->Widget.data()) : nullptr;
}
}  // namespace

void SetButtonText(HWND Wnd, const AnsiString& Text) {
  if (QAbstractButton* B = ButtonOf(Wnd)) B->setText(QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())));
}

void SetButtonCheck(HWND Wnd, int State) {
  if (auto* Box = qobject_cast<QCheckBox*>(ButtonOf(Wnd)))
    Box->setCheckState(State == 1 ? Qt::Checked : State == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void SetButtonDefault(HWND Wnd, bool Default) {
  if (auto* Push = qobject_cast<QPushButton*>(ButtonOf(Wnd))) Push->setDefault(Default);
}

void SetButtonAppearance(HWND Wnd, const TFont& Font) {
  QAbstractButton* B = ButtonOf(Wnd);
  if (!B) return;
  B->setFont(QtFontOf(Font).Font);
  // A disabled button keeps the style's grayed text.
  QPalette Palette = B->palette();
  for (QPalette::ColorGroup Group : {QPalette::Active, QPalette::Inactive}) {
    Palette.setColor(Group, QPalette::ButtonText, ToQColor(Font.GetColor()));
    Palette.setColor(Group, QPalette::WindowText, ToQColor(Font.GetColor()));
  }
  B->setPalette(Palette);
}

}  // namespace backend
}  // namespace vcl
