// The Qt application object, the event loop's two steps and the error box.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "Collation.h"
#include "Window.h"
#include "WindowBackend.h"

namespace vcl::backend {

namespace {

// The framework's comparisons by locale work from the start, also in programs that make
// their own QApplication.
[[maybe_unused]] const bool LocaleCompareInstalled = (InstallLocaleCompare(), true);

// The Qt application object made here, as opposed to one the embedding program owns.
QApplication* OwnedQtApplication = nullptr;

// Counts the events Qt hands to any object, so that a step of the loop can tell whether it
// found anything to do: Qt's dispatchers do not say so for every kind of event.
class TEventCounter : public QObject {
public:
  unsigned long long Count = 0;
  bool eventFilter(QObject*, QEvent*) override {
    ++Count;
    return false;
  }
};

TEventCounter* Counter() {
  static TEventCounter* Instance = nullptr;
  if (!Instance && QCoreApplication::instance()) {
    Instance = new TEventCounter;
    QCoreApplication::instance()->installEventFilter(Instance);
    QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] {
      delete Instance;
      Instance = nullptr;
    });
  }
  return Instance;
}

// Widgets of destroyed windows go once no handler further up still runs in one.
void DeleteReleasedWidgets() {
  if (!InsideDelivery()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// An event that only ends a wait.
class TWakeEvent : public QEvent {
public:
  TWakeEvent() : QEvent(QEvent::User) {}
};

}  // namespace

void InitializeToolkit(int& Argc, char** Argv) {
  if (QCoreApplication::instance()) return;
  OwnedQtApplication = new QApplication(Argc, Argv);
}

bool ToolkitRunning() { return QCoreApplication::instance() != nullptr; }

void FinalizeToolkit() {
  if (!OwnedQtApplication) return;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete OwnedQtApplication;
  OwnedQtApplication = nullptr;
}

bool ProcessPendingMessages() {
  TEventCounter* Events = Counter();
  if (!Events) return false;
  const unsigned long long Before = Events->Count;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  DeleteReleasedWidgets();
  return Events->Count != Before;
}

void WaitMessage() {
  if (!Counter()) return;
  // Without a time limit: the call sleeps until input, a posted event or a due timer.
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  DeleteReleasedWidgets();
}

void WakeMessageLoop() {
  if (QCoreApplication::instance()) QCoreApplication::postEvent(QCoreApplication::instance(), new TWakeEvent);
}

void ShowErrorMessage(HWND Owner, const AnsiString& Title, const AnsiString& Text) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    std::fprintf(stderr, "%s\n", Text.c_str());
    return;
  }
  QMessageBox::critical(DialogParent(Owner), QString::fromUtf8(Title.c_str()), QString::fromUtf8(Text.c_str()));
}

}  // namespace vcl::backend
