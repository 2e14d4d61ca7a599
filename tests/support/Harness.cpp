// Headless harness over the offscreen Qt platform.

#include "Harness.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include "QtEmbedding.h"

using namespace vcl;

namespace vcltest {

namespace {

struct TTarget {
  QWidget* Widget = nullptr;
  QPoint Local;
  QPoint Global;
};

// The window that takes input for Control, and the point in it.
TTarget TargetOf(TControl* Control, int X, int Y) {
  TControl* Windowed = Control;
  while (Windowed && !dynamic_cast<TWinControl*>(Windowed)) Windowed = Windowed->GetParent();
  TTarget T;
  T.Widget = ControlWidget(static_cast<TWinControl*>(Windowed));
  const TPoint Screen = Control->ClientToScreen(TPoint{X, Y});
  T.Global = QPoint(Screen.X, Screen.Y);
  T.Local = T.Widget->mapFromGlobal(T.Global);
  return T;
}

Qt::MouseButton QtButton(TMouseButton Button) {
  return Button == mbRight ? Qt::RightButton : Button == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

Qt::KeyboardModifiers QtModifiers(TShiftState Shift) {
  Qt::KeyboardModifiers M;
  if (Shift.Contains(ssShift)) M |= Qt::ShiftModifier;
  if (Shift.Contains(ssCtrl)) M |= Qt::ControlModifier;
  if (Shift.Contains(ssAlt)) M |= Qt::AltModifier;
  return M;
}

void SendMouse(QEvent::Type Type, TControl* Control, int X, int Y, Qt::MouseButton Button, Qt::MouseButtons Held) {
  const TTarget T = TargetOf(Control, X, Y);
  QCursor::setPos(T.Global);
  QMouseEvent Event(Type, QPointF(T.Local), QPointF(T.Global), Button, Held, Qt::NoModifier);
  QApplication::sendEvent(T.Widget, &Event);
}

struct TKeyName {
  int QtKey;
  const char* Text;
};

TKeyName QtKeyOf(Word Key, bool Shifted) {
  if (Key >= 'A' && Key <= 'Z') {
    static char Letters[2 * 26][2];
    char* Text = Letters[(Key - 'A') + (Shifted ? 26 : 0)];
    Text[0] = static_cast<char>(Shifted ? Key : Key - 'A' + 'a');
    return {Qt::Key_A + (Key - 'A'), Text};
  }
  switch (Key) {
    case VK_TAB: return {Shifted ? Qt::Key_Backtab : Qt::Key_Tab, "\t"};
    case VK_RETURN: return {Qt::Key_Return, "\r"};
    case VK_ESCAPE: return {Qt::Key_Escape, "\x1b"};
    case VK_SPACE: return {Qt::Key_Space, " "};
    case VK_BACK: return {Qt::Key_Backspace, "\b"};
    case VK_LEFT: return {Qt::Key_Left, ""};
    case VK_RIGHT: return {Qt::Key_Right, ""};
    case VK_UP: return {Qt::Key_Up, ""};
    case VK_DOWN: return {Qt::Key_Down, ""};
    case VK_HOME: return {Qt::Key_Home, ""};
    case VK_END: return {Qt::Key_End, ""};
    case VK_PRIOR: return {Qt::Key_PageUp, ""};
    case VK_NEXT: return {Qt::Key_PageDown, ""};
    case VK_F2: case VK_F10: return {Qt::Key_F1 + (Key - VK_F1), ""};
    case VK_INSERT: return {Qt::Key_Insert, ""};
    case VK_DELETE: return {Qt::Key_Delete, ""};
    default: return {0, ""};
  }
}

}  // namespace

std::unique_ptr<TForm> MakeForm(int ClientWidth, int ClientHeight) {
  auto Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(20, 20, ClientWidth, ClientHeight);
  Form->Show();
  QWidget* Widget = ControlWidget(Form.get());
  Widget->activateWindow();
  RunUntil([Widget] { return Widget->isActiveWindow(); });
  return Form;
}

void ProcessMessages() { Application->ProcessMessages(); }

void RunFor(int Milliseconds) {
  QElapsedTimer Clock;
  Clock.start();
  while (Clock.elapsed() < Milliseconds) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 5);
  }
  ProcessMessages();
}

bool RunUntil(const std::function<bool()>& Done, int TimeoutMilliseconds) {
  QElapsedTimer Clock;
  Clock.start();
  while (!Done() && Clock.elapsed() < TimeoutMilliseconds) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 5);
  }
  ProcessMessages();
  return Done();
}

void MouseDown(TControl* Control, int X, int Y, TMouseButton Button) {
  SendMouse(QEvent::MouseButtonPress, Control, X, Y, QtButton(Button), QtButton(Button));
}

void MouseUp(TControl* Control, int X, int Y, TMouseButton Button) {
  SendMouse(QEvent::MouseButtonRelease, Control, X, Y, QtButton(Button), Qt::NoButton);
}

void MouseMove(TControl* Control, int X, int Y) {
  SendMouse(QEvent::MouseMove, Control, X, Y, Qt::NoButton, Qt::NoButton);
}

// A handler may destroy the control on the press: the rest of the gesture then has no target.
void Click(TControl* Control, int X, int Y, TMouseButton Button) {
  const std::weak_ptr<char> Alive = Control->LifetimeToken();
  MouseDown(Control, X, Y, Button);
  if (!Alive.expired()) MouseUp(Control, X, Y, Button);
}

void DoubleClick(TControl* Control, int X, int Y) {
  const std::weak_ptr<char> Alive = Control->LifetimeToken();
  Click(Control, X, Y);
  if (!Alive.expired()) SendMouse(QEvent::MouseButtonDblClick, Control, X, Y, Qt::LeftButton, Qt::LeftButton);
  if (!Alive.expired()) MouseUp(Control, X, Y);
}

void PressKey(Word Key, TShiftState Shift) {
  QWidget* Target = QApplication::focusWidget();
  if (!Target) Target = QApplication::activeWindow();
  ASSERT_NE(Target, nullptr) << "no window takes the keyboard";
  const TKeyName Name = QtKeyOf(Key, Shift.Contains(ssShift));
  ASSERT_NE(Name.QtKey, 0) << "no Qt key for virtual key " << Key;
  const QPointer<QWidget> Guard(Target);
  QKeyEvent Press(QEvent::KeyPress, Name.QtKey, QtModifiers(Shift), QString::fromLatin1(Name.Text));
  QApplication::sendEvent(Target, &Press);
  if (!Guard) return;
  QKeyEvent Release(QEvent::KeyRelease, Name.QtKey, QtModifiers(Shift), QString::fromLatin1(Name.Text));
  QApplication::sendEvent(Guard, &Release);
}

void TypeText(const std::string& Text) {
  const QString Chars = QString::fromUtf8(Text.c_str());
  for (QChar C : Chars) {
    QWidget* Target = QApplication::focusWidget();
    ASSERT_NE(Target, nullptr) << "no window takes the keyboard";
    const char Ascii = C.toLatin1();
    int Key = Qt::Key_unknown;
    if (Ascii >= 'a' && Ascii <= 'z') Key = Qt::Key_A + (Ascii - 'a');
    else if (Ascii >= 'A' && Ascii <= 'Z') Key = Qt::Key_A + (Ascii - 'A');
    else if (Ascii >= '0' && Ascii <= '9') Key = Qt::Key_0 + (Ascii - '0');
    else if (Ascii == ' ') Key = Qt::Key_Space;
    const QPointer<QWidget> Guard(Target);
    QKeyEvent Press(QEvent::KeyPress, Key, Qt::NoModifier, QString(C));
    QApplication::sendEvent(Target, &Press);
    if (!Guard) return;
    QKeyEvent Release(QEvent::KeyRelease, Key, Qt::NoModifier, QString(C));
    QApplication::sendEvent(Guard, &Release);
  }
}

void Wheel(TControl* Control, int X, int Y, int AngleY, int AngleX, bool Pixels) {
  const TTarget T = TargetOf(Control, X, Y);
  const QPoint Delta(AngleX, AngleY);
  QWheelEvent Event(QPointF(T.Local), QPointF(T.Global), Pixels ? Delta : QPoint(), Pixels ? QPoint() : Delta,
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(T.Widget, &Event);
}

TColor PixelAt(TWinControl* Control, int X, int Y) {
  const QImage Surface = ControlSurface(Control);
  if (!Surface.valid(X, Y)) return clNone;
  const QRgb C = Surface.pixel(X, Y);
  return RGB(qRed(C), qGreen(C), qBlue(C));
}

bool SavePng(TWinControl* Control, const std::string& Path) {
  return ControlSurface(Control).save(QString::fromStdString(Path), "PNG");
}

void THostTest::SetUp() {
  Application->SetOnException([this](TObject*, const Exception& E) { FExceptions.push_back(E.Message()); });
}

void THostTest::TearDown() {
  ProcessMessages();
  Application->SetOnException(nullptr);
  EXPECT_TRUE(FExceptions.empty()) << "unexpected exception: " << (FExceptions.empty() ? "" : FExceptions.front());
  int Open = 0;
  for (QWidget* W : QApplication::topLevelWidgets()) Open += W->isVisible() ? 1 : 0;
  EXPECT_EQ(Open, 0) << "a window was left open";
}

std::vector<std::string> THostTest::TakeExceptions() { return std::exchange(FExceptions, {}); }

}  // namespace vcltest
