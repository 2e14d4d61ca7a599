// TApplication: the Qt application object, the event loop and exception reports.

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "Forms.h"
#include "Window.h"
#include "WindowBackend.h"

namespace vcl {

namespace {
TApplication TheApplication(nullptr);
}  // namespace

TApplication* Application = &TheApplication;

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

namespace {
// The Qt application object made by Initialize, as opposed to one the embedding program owns.
QApplication* OwnedQtApplication = nullptr;
}  // namespace

void TApplication::Initialize(int& Argc, char** Argv) {
  if (QCoreApplication::instance()) return;
  OwnedQtApplication = new QApplication(Argc, Argv);
}

// Not left to an exit handler: by then Qt has already destroyed statics that its widgets
// still use, so the windows must go before main returns.
void TApplication::Finalize() {
  while (GetComponentCount() > 0) delete GetComponent(GetComponentCount() - 1);
  if (OwnedQtApplication) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete OwnedQtApplication;
  OwnedQtApplication = nullptr;
  FTerminated = false;
}

void TApplication::Initialize() {
  static int Argc = 1;
  static char Name[] = "vcl";
  static char* Argv[] = {Name, nullptr};
  Initialize(Argc, Argv);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

void TApplication::Run() {
  if (!QCoreApplication::instance()) Initialize();
  if (FMainForm) FMainForm->Show();
  backend::RunLoopUntil([this] { return FTerminated || !FMainForm || !FMainForm->GetVisible(); });
  Finalize();
}

void TApplication::Terminate() { FTerminated = true; }

void TApplication::ProcessMessages() {
  if (!QCoreApplication::instance()) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  // Widgets of destroyed windows go now unless a handler further up still runs in one.
  if (!backend::InsideDelivery()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::HandleException(TObject* Sender) {
  const std::exception_ptr Current = std::current_exception();
  if (!Current) return;
  auto Report = [&](const Exception& E) {
    if (!FOnException) {
      ShowException(E);
      return;
    }
    try {
      FOnException(Sender, E);
    } catch (...) {
      ShowException(E);
    }
  };
  try {
    std::rethrow_exception(Current);
  } catch (const Exception& E) {
    Report(E);
  } catch (const std::exception& E) {
    Report(Exception(E.what()));
  } catch (...) {
    Report(Exception("Unknown exception"));
  }
}

void TApplication::ShowException(const Exception& E) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    std::fprintf(stderr, "%s\n", E.Message().c_str());
    return;
  }
  QMessageBox::critical(nullptr, QString::fromUtf8(FTitle.c_str()), QString::fromUtf8(E.Message().c_str()));
}

}  // namespace vcl
