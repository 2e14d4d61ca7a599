#pragma once
// A context menu holds the caller until it closes, as a modal dialog does: the test answers
// it from inside its loop. The next menu shown runs a step (which must close it, by a key
// or by closing it); one still open after ten seconds fails the test instead of hanging it.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include "Harness.h"

namespace vcltest {

// A key to the open menu, which holds the keyboard while it is shown, as a user picks an
// item by its accelerator or moves in the menu.
inline void KeyToOpenMenu(int QtKey, const QString& Text = QString()) {
  QWidget* Popup = QApplication::activePopupWidget();
  ASSERT_NE(Popup, nullptr) << "no menu is open";
  for (QEvent::Type Type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent Key(Type, QtKey, Qt::NoModifier, Text);
    if (QApplication::activePopupWidget() == Popup) QApplication::sendEvent(Popup, &Key);
  }
  ProcessMessages();
}

class TPopupWatch {
public:
  // The next menu shown runs Step, once; the menu is closed after it if Step left it open.
  void WhenShown(std::function<void(QMenu&)> Step) {
    Steps = 0;
    Poll = std::make_unique<QTimer>();
    QObject::connect(Poll.get(), &QTimer::timeout, [this, Step] {
      auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!Menu || !Menu->isVisible()) return;
      Poll->stop();
      ++Steps;
      Step(*Menu);
      if (QApplication::activePopupWidget() == Menu) Menu->close();
    });
    Poll->start(5);
    Watchdog = std::make_unique<QTimer>();
    Watchdog->setSingleShot(true);
    QObject::connect(Watchdog.get(), &QTimer::timeout, [] {
      if (QWidget* Menu = QApplication::activePopupWidget()) {
        ADD_FAILURE() << "a menu is still open";
        Menu->close();
      }
    });
    Watchdog->start(10000);
  }
  // Stops watching; for a fixture's TearDown.
  void StopWatching() {
    Poll.reset();
    Watchdog.reset();
  }

  int Steps = 0;  // how many menus the step acted on

private:
  std::unique_ptr<QTimer> Poll, Watchdog;
};

}  // namespace vcltest
