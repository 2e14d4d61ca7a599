// Windows' accessible descriptions (WM_GETOBJECT) as Qt accessibility objects, and
// NotifyWinEvent as Qt accessibility events. A custom-drawn window gets one interface of its
// own; each object of its description gets one more, found again by its path of child
// indexes, so that a screen reader sees the same object for the same place every time.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <vector>

#include "Accessibility.h"
#include "HostWidget.h"
#include "OleAcc.h"
#include "Peer.h"
#include "WindowBackend.h"

namespace vcl {

namespace {

QAccessible::Role RoleOf(unsigned Role) {
  switch (Role) {
    case ROLE_SYSTEM_GROUPING: return QAccessible::Grouping;
    case ROLE_SYSTEM_TOOLBAR: return QAccessible::ToolBar;
    case ROLE_SYSTEM_LIST: return QAccessible::List;
    case ROLE_SYSTEM_LISTITEM: return QAccessible::ListItem;
    case ROLE_SYSTEM_STATICTEXT: return QAccessible::StaticText;
    case ROLE_SYSTEM_TEXT: return QAccessible::EditableText;
    case ROLE_SYSTEM_PUSHBUTTON: return QAccessible::Button;
    default: return QAccessible::Client;
  }
}

void AddStates(QAccessible::State& S, unsigned State) {
  if (State & STATE_SYSTEM_SELECTED) S.selected = true;
  if (State & STATE_SYSTEM_FOCUSED) S.focused = true;
  if (State & STATE_SYSTEM_PRESSED) S.pressed = true;
  if (State & STATE_SYSTEM_READONLY) S.readOnly = true;
  if (State & STATE_SYSTEM_INVISIBLE) S.invisible = true;
  if (State & STATE_SYSTEM_OFFSCREEN) S.offscreen = true;
  if (State & STATE_SYSTEM_FOCUSABLE) S.focusable = true;
  if (State & STATE_SYSTEM_SELECTABLE) S.selectable = true;
}

QString FromUtf8(const AnsiString& S) { return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size())); }

using TPath = std::vector<int>;

class TWindowAccessible;

// One object of a window's description below the window's own. A child of the window's
// object offers its default action, and the focus when it is focusable.
class TObjectAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
  TObjectAccessible(const TWindowAccessible* Window, TPath Path) : FWindow(Window), FPath(std::move(Path)) {}
  const TWindowAccessible* Window() const { return FWindow; }
  const TPath& Path() const { return FPath; }

  bool isValid() const override { return Node() != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int Index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* Child) const override;
  QAccessibleInterface* childAt(int X, int Y) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text Kind) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType Type) override {
    return Type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override;
  void doAction(const QString& Action) override;
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
  const TAccObject* Node() const;
  HWND Handle() const;
  const TWindowAccessible* FWindow;
  TPath FPath;
};

// The window's own object: its description when it gives one, a plain widget otherwise.
class TWindowAccessible : public QAccessibleWidget {
public:
  explicit TWindowAccessible(QWidget* Widget)
      : QAccessibleWidget(Widget, Widget->isWindow() ? QAccessible::Window : QAccessible::Client) {}
  ~TWindowAccessible() override {
    for (const auto& [Path, Id] : FObjects) QAccessible::deleteAccessibleInterface(Id);
  }

  // The window's current description, read again after it changed; null when it gives none.
  const TAccObject* Description() const {
    TPeer* Peer = backend::PeerOf(widget());
    TWindowRecord* Record = Peer ? Peer->Record() : nullptr;
    if (!Record) return nullptr;
    if (FGeneration != Record->AccessibleGeneration || !FRead) {
      FRead = true;
      FGeneration = Record->AccessibleGeneration;
      FDescription = TAccObject{};
      FDescribed = GetAccessibleObject(backend::HandleOf(Record), FDescription);
    }
    return FDescribed ? &FDescription : nullptr;
  }
  const TAccObject* Find(const TPath& Path) const {
    const TAccObject* Node = Description();
    for (const int Index : Path) {
      if (!Node || Index < 0 || Index >= static_cast<int>(Node->Children.size())) return nullptr;
      Node = &Node->Children[static_cast<std::size_t>(Index)];
    }
    return Node;
  }
  // The interface of the object at Path, made once; a window object is that window's own.
  QAccessibleInterface* Interface(const TPath& Path) const {
    const TAccObject* Node = Find(Path);
    if (!Node) return nullptr;
    if (Node->Window) {
      TWindowRecord* Record = backend::RecordOf(Node->Window);
      return Record && Record->Widget ? QAccessible::queryAccessibleInterface(Record->Widget.data()) : nullptr;
    }
    auto Found = FObjects.find(Path);
    if (Found != FObjects.end()) return QAccessible::accessibleInterface(Found->second);
    auto* Object = new TObjectAccessible(this, Path);
    FObjects[Path] = QAccessible::registerAccessibleInterface(Object);
    return Object;
  }
  QRect ToScreen(const TRect& Bounds) const {
    TPeer* Peer = backend::PeerOf(widget());
    const QPoint Client = Peer && Peer->Record() ? Peer->Record()->ClientRectInWidget().topLeft() : QPoint();
    return QRect(widget()->mapToGlobal(Client + QPoint(Bounds.Left, Bounds.Top)), QSize(Bounds.Width(), Bounds.Height()));
  }
  // Index of a child of the object at Parent; -1 when it is not one.
  int IndexOf(const TPath& Parent, const QAccessibleInterface* Child) const {
    if (!Child) return -1;
    if (auto* Object = dynamic_cast<const TObjectAccessible*>(Child)) {
      const TPath& P = Object->Path();
      if (Object->Window() != this || P.size() != Parent.size() + 1 || !std::equal(Parent.begin(), Parent.end(), P.begin()))
        return -1;
      return P.back();
    }
    const TAccObject* Node = Find(Parent);
    if (!Node) return -1;
    for (std::size_t I = 0; I < Node->Children.size(); ++I) {
      const HWND Wnd = Node->Children[I].Window;
      TWindowRecord* Record = Wnd ? backend::RecordOf(Wnd) : nullptr;
      if (Record && Record->Widget && Record->Widget.data() == Child->object()) return static_cast<int>(I);
    }
    return -1;
  }
  QAccessibleInterface* ChildAt(const TPath& Parent, int X, int Y) const {
    const TAccObject* Node = Find(Parent);
    if (!Node) return nullptr;
    for (std::size_t I = 0; I < Node->Children.size(); ++I) {
      TPath Path = Parent;
      Path.push_back(static_cast<int>(I));
      QAccessibleInterface* Child = Interface(Path);
      if (Child && Child->rect().contains(X, Y)) return Child;
    }
    return nullptr;
  }
  // The focused object at or below Parent, depth first: a described object with the focused
  // state, or a window object whose widget has the focus.
  QAccessibleInterface* FocusBelow(const TPath& Parent) const {
    const TAccObject* Node = Find(Parent);
    if (!Node) return nullptr;
    for (std::size_t I = 0; I < Node->Children.size(); ++I) {
      const TAccObject& Child = Node->Children[I];
      TPath Path = Parent;
      Path.push_back(static_cast<int>(I));
      TWindowRecord* Record = Child.Window ? backend::RecordOf(Child.Window) : nullptr;
      if ((Child.State & STATE_SYSTEM_FOCUSED) || (Record && Record->Widget && Record->Widget->hasFocus()))
        return Interface(Path);
      if (QAccessibleInterface* Deeper = FocusBelow(Path)) return Deeper;
    }
    return nullptr;
  }

  QAccessible::Role role() const override {
    const TAccObject* D = Description();
    return D ? RoleOf(D->Role) : QAccessibleWidget::role();
  }
  // A name given to the window (SetWindowAccessibleName) comes before the description's.
  QString text(QAccessible::Text Kind) const override {
    const TAccObject* D = Description();
    if (D && Kind == QAccessible::Name && widget()->accessibleName().isEmpty() && !D->Name.empty())
      return FromUtf8(D->Name);
    return QAccessibleWidget::text(Kind);
  }
  QAccessible::State state() const override {
    QAccessible::State S = QAccessibleWidget::state();
    if (const TAccObject* D = Description()) AddStates(S, D->State);
    return S;
  }
  int childCount() const override {
    const TAccObject* D = Description();
    return D ? static_cast<int>(D->Children.size()) : QAccessibleWidget::childCount();
  }
  QAccessibleInterface* child(int Index) const override {
    return Description() ? Interface({Index}) : QAccessibleWidget::child(Index);
  }
  int indexOfChild(const QAccessibleInterface* Child) const override {
    return Description() ? IndexOf({}, Child) : QAccessibleWidget::indexOfChild(Child);
  }
  QAccessibleInterface* childAt(int X, int Y) const override {
    return Description() ? ChildAt({}, X, Y) : QAccessibleWidget::childAt(X, Y);
  }
  QAccessibleInterface* focusChild() const override {
    return Description() ? FocusBelow({}) : QAccessibleWidget::focusChild();
  }

private:
  mutable TAccObject FDescription;
  mutable bool FDescribed = false;
  mutable bool FRead = false;
  mutable unsigned FGeneration = 0;
  mutable std::map<TPath, QAccessible::Id> FObjects;
};

const TAccObject* TObjectAccessible::Node() const { return FWindow->Find(FPath); }

QWindow* TObjectAccessible::window() const { return FWindow->window(); }

QAccessibleInterface* TObjectAccessible::parent() const {
  if (FPath.size() == 1) return const_cast<TWindowAccessible*>(FWindow);
  return FWindow->Interface(TPath(FPath.begin(), FPath.end() - 1));
}

QAccessibleInterface* TObjectAccessible::child(int Index) const {
  TPath Path = FPath;
  Path.push_back(Index);
  return FWindow->Interface(Path);
}

int TObjectAccessible::childCount() const {
  const TAccObject* N = Node();
  return N ? static_cast<int>(N->Children.size()) : 0;
}

int TObjectAccessible::indexOfChild(const QAccessibleInterface* Child) const { return FWindow->IndexOf(FPath, Child); }

QAccessibleInterface* TObjectAccessible::childAt(int X, int Y) const { return FWindow->ChildAt(FPath, X, Y); }

QAccessibleInterface* TObjectAccessible::focusChild() const { return FWindow->FocusBelow(FPath); }

QString TObjectAccessible::text(QAccessible::Text Kind) const {
  const TAccObject* N = Node();
  return N && Kind == QAccessible::Name ? FromUtf8(N->Name) : QString();
}

QRect TObjectAccessible::rect() const {
  const TAccObject* N = Node();
  return N ? FWindow->ToScreen(N->Bounds) : QRect();
}

QAccessible::Role TObjectAccessible::role() const {
  const TAccObject* N = Node();
  return N ? RoleOf(N->Role) : QAccessible::NoRole;
}

QAccessible::State TObjectAccessible::state() const {
  QAccessible::State S;
  const TAccObject* N = Node();
  if (!N) {
    S.invalid = true;
    return S;
  }
  AddStates(S, N->State);
  // An object of a hidden window is not on the screen either.
  if (FWindow->state().invisible) S.invisible = true;
  return S;
}

HWND TObjectAccessible::Handle() const {
  TPeer* Peer = backend::PeerOf(qobject_cast<QWidget*>(FWindow->object()));
  return Peer && Peer->Record() ? backend::HandleOf(Peer->Record()) : nullptr;
}

// Only the window's direct children have actions: the messages name a child by its index.
QStringList TObjectAccessible::actionNames() const {
  const TAccObject* N = Node();
  if (!N || FPath.size() != 1) return {};
  QStringList Names;
  if (!N->DefaultAction.empty()) Names << FromUtf8(N->DefaultAction);
  if (N->State & STATE_SYSTEM_FOCUSABLE) Names << setFocusAction();
  return Names;
}

void TObjectAccessible::doAction(const QString& Action) {
  const TAccObject* N = Node();
  const HWND Wnd = Handle();
  if (!N || !Wnd || FPath.size() != 1) return;
  const long ChildId = FPath.front() + 1;
  if (Action == setFocusAction())
    SelectAccessibleObject(Wnd, ChildId, SELFLAG_TAKEFOCUS);
  else if (!N->DefaultAction.empty() && Action == FromUtf8(N->DefaultAction))
    DoDefaultAccessibleAction(Wnd, ChildId);
}

QAccessibleInterface* WindowAccessibleFactory(const QString&, QObject* Object) {
  auto* Widget = dynamic_cast<THostWidget*>(Object);
  return Widget ? new TWindowAccessible(Widget) : nullptr;
}

}  // namespace

namespace backend {

namespace {

void AnnounceFocusedObjectSoon(QWidget* Widget) {
  QTimer::singleShot(0, Widget, [Window = QPointer<QWidget>(Widget)] {
    if (!Window || !Window->hasFocus() || !QAccessible::isActive()) return;
    QAccessibleInterface* Own = QAccessible::queryAccessibleInterface(Window.data());
    QAccessibleInterface* Focused = Own ? Own->focusChild() : nullptr;
    if (!Focused || Focused == Own) return;
    const int Index = Own->indexOfChild(Focused);
    if (Index < 0) return;  // a window of its own, which Qt announced itself
    QAccessibleEvent Notice(Window.data(), QAccessible::Focus);
    Notice.setChild(Index);
    QAccessible::updateAccessibility(&Notice);
  });
}


}  // namespace

void AnnounceFocusedObjectLater(QWidget* Widget) {
  // Qt announces the window after its focus-in event; this comes after that.
  if (QAccessible::isActive()) AnnounceFocusedObjectSoon(Widget);
}

void SetWindowAccessibleName(HWND Wnd, const AnsiString& Name) {
  TWindowRecord* Record = RecordOf(Wnd);
  if (Record && Record->Widget) Record->Widget->setAccessibleName(FromUtf8(Name));
}

void InstallAccessibleFactory() {
  static bool Installed = false;
  if (Installed) return;
  Installed = true;
  QAccessible::installFactory(WindowAccessibleFactory);
}

}  // namespace backend

bool IsWinEventHookInstalled(unsigned) { return QAccessible::isActive(); }

void NotifyWinEvent(unsigned Event, HWND Wnd, long IdObject, long ChildId) {
  TWindowRecord* Record = backend::FindRecord(Wnd);
  if (!Record) return;
  ++Record->AccessibleGeneration;
  if (IdObject != OBJID_CLIENT || !Record->Widget || !QAccessible::isActive()) return;

  QAccessible::Event Kind;
  switch (Event) {
    case EVENT_OBJECT_FOCUS: Kind = QAccessible::Focus; break;
    case EVENT_OBJECT_SELECTIONADD: Kind = QAccessible::SelectionAdd; break;
    case EVENT_OBJECT_SELECTIONREMOVE: Kind = QAccessible::SelectionRemove; break;
    case EVENT_OBJECT_NAMECHANGE: Kind = QAccessible::NameChanged; break;
    case EVENT_OBJECT_REORDER: Kind = QAccessible::ObjectReorder; break;
    default: return;
  }
  QAccessibleEvent Notice(Record->Widget.data(), Kind);
  if (ChildId > CHILDID_SELF) Notice.setChild(static_cast<int>(ChildId - 1));
  QAccessible::updateAccessibility(&Notice);
}

}  // namespace vcl
