// Live windows by handle, their creation and destruction.

#include <QApplication>
#include <QScrollBar>
#include <QTimer>
#include <unordered_map>

#include "Accessibility.h"
#include "InputGlue.h"
#include "WindowBackend.h"

namespace vcl {

namespace {
std::unordered_map<std::uintptr_t, std::unique_ptr<TWindowRecord>>& Records() {
  // Never destroyed: windows may still go away while statics are torn down at exit.
  static auto* Map = new std::unordered_map<std::uintptr_t, std::unique_ptr<TWindowRecord>>;
  return *Map;
}
std::uintptr_t NextId = 1;
}  // namespace

int TWindowRecord::FrameWidth() const {
  // A top-level window's frame belongs to the window manager.
  if (TopLevel && !(Style & WS_POPUP)) return 0;
  if (ExStyle & WS_EX_CLIENTEDGE) return 2;
  return (Style & WS_BORDER) ? 1 : 0;
}

QRect TWindowRecord::ClientRectInWidget() const {
  const int F = FrameWidth();
  const QSize S = Widget ? Widget->size() : QSize();
  const int BarHeight = HScrollVisible && HBar ? HBarHeight : 0;
  const int Menu = MenuBar ? MenuBarHeight : 0;
  return QRect(F, F + Menu, std::max(0, S.width() - 2 * F), std::max(0, S.height() - 2 * F - BarHeight - Menu));
}

namespace backend {

TWindowRecord* FindRecord(HWND Wnd) {
  auto It = Records().find(reinterpret_cast<std::uintptr_t>(Wnd));
  return It == Records().end() ? nullptr : It->second.get();
}

HWND HandleOf(const TWindowRecord* Record) { return reinterpret_cast<HWND>(Record->Id); }
TWindowRecord* RecordOf(HWND Wnd) { return FindRecord(Wnd); }

TWinControl* ControlOf(HWND Wnd) {
  TWindowRecord* R = FindRecord(Wnd);
  return R ? R->Control : nullptr;
}

HWND CreateWindowFor(TWinControl* Control, const TCreateParams& Params, HWND ParentWnd, void* HostWidget) {
  // Here rather than at Initialize: a Qt program that embeds controls may never call it.
  InstallAccessibleFactory();
  auto Record = std::make_unique<TWindowRecord>();
  Record->Id = NextId++;
  Record->Control = Control;
  Record->Style = Params.Style;
  Record->ExStyle = Params.ExStyle;
  QWidget* ParentWidget = nullptr;
  if (TWindowRecord* P = FindRecord(ParentWnd)) ParentWidget = P->Widget;
  else if (HostWidget) ParentWidget = static_cast<QWidget*>(HostWidget);
  Record->TopLevel = ParentWidget == nullptr;
  Qt::WindowFlags Flags = Qt::Widget;
  if (Record->TopLevel) {
    Flags = (Params.Style & WS_POPUP) ? Qt::ToolTip | Qt::FramelessWindowHint : Qt::Window;
  }
  QWidget* Widget = CreatePeer(Record.get(), ParentWidget, Flags)->Widget();
  Record->Widget = Widget;
  if (Params.Style & WS_POPUP) Widget->setAttribute(Qt::WA_ShowWithoutActivating);
  if (Params.Style & WS_HSCROLL) {
    Record->HBar = new QScrollBar(Qt::Horizontal, Widget);
    Record->HBar->setFocusPolicy(Qt::NoFocus);
    Record->HBar->hide();
    Record->HBarHeight = Record->HBar->sizeHint().height();
    ConnectScrollBar(Record.get());
  }
  TWindowRecord* Raw = Record.get();
  Raw->CanvasSurface.Image = &Raw->Surface;
  Raw->CanvasSurface.Painter = &Raw->Painter;
  Raw->CanvasSurface.Changed = [Raw](const QRect& Area) {
    if (Raw->Widget) Raw->Widget->update(Area.translated(Raw->ClientRectInWidget().topLeft()));
  };
  Records().emplace(Record->Id, std::move(Record));
  HWND Wnd = HandleOf(Raw);
  PlaceWidget(Raw, Params.X, Params.Y, Params.Width, Params.Height);
  if (!Params.Caption.empty()) Widget->setWindowTitle(QString::fromUtf8(Params.Caption.c_str()));
  return Wnd;
}

void DestroyWindow(HWND Wnd) {
  auto It = Records().find(reinterpret_cast<std::uintptr_t>(Wnd));
  if (It == Records().end()) return;
  std::unique_ptr<TWindowRecord> Record = std::move(It->second);
  Records().erase(It);
  if (Record->Control) ForgetMouseControl(Record->Control);
  for (auto& [Id, Timer] : Record->Timers) {
    if (Timer) {
      Timer->stop();
      Timer->deleteLater();
    }
  }
  if (QWidget* Widget = Record->Widget) {
    PeerOf(Widget)->Detach();
    Widget->hide();
    // A widget whose event is being handled further up the stack must outlive that handler.
    if (InsideDelivery()) {
      Widget->setParent(nullptr);
      Widget->deleteLater();
    } else {
      delete Widget;
    }
  }
}

}  // namespace backend
}  // namespace vcl
