#pragma once
// Answers a modal form of class TDialog from inside its modal loop: the next one shown runs
// a step (which must close it) through Qt's event path. One still open after ten seconds
// fails the test instead of hanging it.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QTimer>
#include <QWidget>

#include "Forms.h"
#include "Harness.h"
#include "QtEmbedding.h"

namespace vcltest {

template <class TDialog>
class TModalWatch {
public:
  // The next TDialog shown runs Step, once, after it has become the active window.
  void WhenShown(std::function<void(TDialog&)> Step) {
    Steps = 0;
    Poll = std::make_unique<QTimer>();
    QObject::connect(Poll.get(), &QTimer::timeout, [this, Step] {
      TDialog* Dialog = Shown();
      if (Dialog == nullptr || !vcl::ControlWidget(Dialog)->isVisible()) return;
      Poll->stop();
      // Input goes where the user would see it: to the active dialog.
      QWidget* Window = vcl::ControlWidget(Dialog);
      Window->activateWindow();
      RunUntil([Window] { return Window->isActiveWindow(); });
      ++Steps;
      Step(*Dialog);
    });
    Poll->start(5);
    Watchdog = std::make_unique<QTimer>();
    Watchdog->setSingleShot(true);
    QObject::connect(Watchdog.get(), &QTimer::timeout, [] {
      if (TDialog* Dialog = Shown()) {
        ADD_FAILURE() << "a modal dialog is still open";
        Dialog->SetModalResult(vcl::mrAbort);
      }
    });
    Watchdog->start(10000);
  }
  // The visible TDialog, or null.
  static TDialog* Shown() {
    for (int I = 0; I < vcl::Screen->GetFormCount(); ++I)
      if (auto* Dialog = dynamic_cast<TDialog*>(vcl::Screen->GetForm(I)); Dialog && Dialog->GetVisible()) return Dialog;
    return nullptr;
  }
  // Stops watching; for a fixture's TearDown.
  void StopWatching() {
    Poll.reset();
    Watchdog.reset();
  }

  int Steps = 0;  // how many dialogs the step acted on

private:
  std::unique_ptr<QTimer> Poll, Watchdog;
};

}  // namespace vcltest
