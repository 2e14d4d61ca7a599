// Menus over Qt: a QMenuBar in the form's window, QMenus for submenus and context menus.
// Every shown action stands for one framework item; choosing it runs the item's Click
// inside the delivery boundary: at once in the bar's menus, once it has closed in a
// context menu.

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "InputGlue.h"
#include "MenuBackend.h"
#include "WindowBackend.h"

namespace vcl::backend {

namespace {

QString ToQString(const AnsiString& Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }

// The shown copies of each item; a copy goes with the Qt menu that holds it.
std::map<TMenuItem*, std::vector<QPointer<QAction>>>& Shown() {
  static auto* Map = new std::map<TMenuItem*, std::vector<QPointer<QAction>>>;
  return *Map;
}

// The windows whose bar shows a menu.
std::map<TMenu*, HWND>& Bars() {
  static auto* Map = new std::map<TMenu*, HWND>;
  return *Map;
}

void RunClick(TMenuItem* Item) {
  DeliverAction([Item] { Item->Click(); });
}

// A shortcut is only shown: the framework fires it (Qt's own shortcut would fire twice).
void ApplyItem(QAction* Action, TMenuItem* Item, bool InBar) {
  // A separator's "-" is not text: some styles would draw it beside the line.
  QString Text = Item->IsLine() ? QString() : ToQString(Item->GetCaption());
  if (!InBar && Item->GetShortCut() != scNone) Text += "\t" + ToQString(ShortCutToText(Item->GetShortCut()));
  Action->setText(Text);
  Action->setSeparator(Item->IsLine());
  Action->setEnabled(Item->GetEnabled());
  Action->setCheckable(Item->GetChecked() || Item->GetRadioItem());
  Action->setChecked(Item->GetChecked());
  Action->setVisible(Item->GetVisible());
}

// The item whose shown copy Action is; null when it has been freed or rebuilt meanwhile.
TMenuItem* ItemShownAs(const QAction* Action) {
  if (!Action) return nullptr;
  for (const auto& [Item, Copies] : Shown())
    if (std::find(Copies.begin(), Copies.end(), Action) != Copies.end()) return Item;
  return nullptr;
}

// ClickOnTrigger: a chosen item runs its Click as Qt triggers it; otherwise the one who
// shows the menu runs it, from what the menu answers.
void Fill(QWidget* Target, TMenuItem* Parent, bool InBar, bool ClickOnTrigger) {
  for (int I = 0; I < Parent->GetCount(); ++I) {
    TMenuItem* Item = Parent->GetItem(I);
    QAction* Action = nullptr;
    if (Item->GetCount() > 0 && !Item->IsLine()) {
      auto* Sub = new QMenu(Target);
      Action = Sub->menuAction();
      // Its OnClick runs as the submenu opens, so that it can update the items first.
      QObject::connect(Sub, &QMenu::aboutToShow, Sub, [Item] { RunClick(Item); });
      Fill(Sub, Item, false, ClickOnTrigger);
    } else {
      Action = new QAction(Target);
      if (ClickOnTrigger) QObject::connect(Action, &QAction::triggered, Action, [Item] { RunClick(Item); });
    }
    ApplyItem(Action, Item, InBar);
    auto& Copies = Shown()[Item];
    Copies.erase(std::remove(Copies.begin(), Copies.end(), nullptr), Copies.end());  // closed menus' copies
    Copies.push_back(Action);
    Target->addAction(Action);
  }
}

QMenuBar* BarOf(TWindowRecord* R) { return R ? qobject_cast<QMenuBar*>(R->MenuBar.data()) : nullptr; }

void RemoveBar(TWindowRecord* R) {
  QMenuBar* Bar = BarOf(R);
  if (!Bar) return;
  for (auto It = Bars().begin(); It != Bars().end();)
    It = It->second == HandleOf(R) ? Bars().erase(It) : std::next(It);
  Bar->hide();
  Bar->deleteLater();  // it may be running the handler that removed it
  R->MenuBar = nullptr;
}

// The client area moved: the children keep their client positions, the control hears of
// its new size.
void MoveClientArea(TWindowRecord* R, int OldTop) {
  const int Delta = R->ClientRectInWidget().top() - OldTop;
  if (Delta != 0)
    for (QObject* Child : R->Widget->children())
      if (auto* W = qobject_cast<QWidget*>(Child); W && W != R->MenuBar && PeerOf(W)) W->move(W->pos() + QPoint(0, Delta));
  SyncClientSize(R);
}

}  // namespace


void LayoutMenuBar(TWindowRecord* R) {
  QMenuBar* Bar = BarOf(R);
  if (!Bar || !R->Widget) return;
  const int Width = R->Widget->width();
  const int Height = Bar->heightForWidth(Width) > 0 ? Bar->heightForWidth(Width) : Bar->sizeHint().height();
  Bar->setGeometry(0, 0, Width, Height);
  R->MenuBarHeight = Height;
}

void SetWindowMenu(HWND Wnd, TMenu* Menu) {
  TWindowRecord* R = FindRecord(Wnd);
  if (!R || !R->Widget) return;
  const int OldTop = R->ClientRectInWidget().top();
  RemoveBar(R);
  if (Menu) {
    auto* Bar = new QMenuBar(R->Widget);
    Bar->setNativeMenuBar(false);
    Fill(Bar, Menu->GetItems(), true, true);
    R->MenuBar = Bar;
    Bars()[Menu] = Wnd;
    LayoutMenuBar(R);
    Bar->show();
  } else {
    R->MenuBarHeight = 0;
  }
  MoveClientArea(R, OldTop);
}

void RebuildMenu(TMenu* Menu) {
  const auto It = Bars().find(Menu);
  if (It != Bars().end()) SetWindowMenu(It->second, Menu);
}

void UpdateMenuItem(TMenuItem* Item) {
  const auto It = Shown().find(Item);
  if (It == Shown().end()) return;
  const bool InBar = Item->GetParent() && !Item->GetParent()->GetParent() && dynamic_cast<TMainMenu*>(Item->GetMenu());
  auto& Copies = It->second;
  Copies.erase(std::remove(Copies.begin(), Copies.end(), nullptr), Copies.end());
  for (QAction* Action : Copies) ApplyItem(Action, Item, InBar);
  // A bar's height may follow its captions.
  if (InBar)
    if (const auto Bar = Bars().find(Item->GetMenu()); Bar != Bars().end())
      if (TWindowRecord* R = FindRecord(Bar->second)) {
        const int OldTop = R->ClientRectInWidget().top();
        LayoutMenuBar(R);
        MoveClientArea(R, OldTop);
      }
}

void ForgetMenuItem(TMenuItem* Item) {
  const auto It = Shown().find(Item);
  if (It == Shown().end()) return;
  for (QAction* Action : It->second) {
    if (!Action) continue;
    QObject::disconnect(Action, nullptr, nullptr, nullptr);
    if (QMenu* Sub = Action->menu()) QObject::disconnect(Sub, &QMenu::aboutToShow, nullptr, nullptr);
    Action->setVisible(false);
  }
  Shown().erase(It);
}

namespace {

// The window a popup menu belongs to: the active one, else the one at the point. A window
// system without global positions places the menu against it.
QWidget* PopupOwnerAt(const QPoint& Point) {
  if (QWidget* Active = QApplication::activeWindow()) return Active;
  QWidget* At = QApplication::topLevelAt(Point);
  return At && At->windowType() != Qt::ToolTip ? At : nullptr;
}

}  // namespace

void PopupMenuAt(TMenu* Menu, int X, int Y) {
  // A child of its window for the transient parent only: a window inherits no font or palette.
  // Guarded: a window freed while the menu is open takes its child menu with it.
  const QPointer<QMenu> Popup = new QMenu(PopupOwnerAt(QPoint(X, Y)));
  Fill(Popup.data(), Menu->GetItems(), false, false);
  // The chosen item runs once the menu is gone: what it does (a modal dialog, freeing the
  // menu or the control that showed it) never meets a menu that is closing.
  QAction* Action = Popup->exec(QPoint(X, Y));
  TMenuItem* Chosen = Popup ? ItemShownAs(Action) : nullptr;
  delete Popup.data();
  if (Chosen) RunClick(Chosen);
}

void OpenMenuBarItem(HWND Wnd, int Index) {
  QMenuBar* Bar = BarOf(FindRecord(Wnd));
  if (!Bar || Index < 0 || Index >= Bar->actions().size()) return;
  QAction* Action = Bar->actions()[Index];
  if (Action->menu()) Bar->setActiveAction(Action);
  else Action->trigger();
}

}  // namespace vcl::backend
