// TApplication: the event loop, idle time and exception reports.

#include <new>

#include "Forms.h"
#include "backend/WindowBackend.h"

namespace vcl {

namespace {
TApplication TheApplication(nullptr);
}  // namespace

TApplication* Application = &TheApplication;

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

// A program that returns from main without Run or Finalize leaves its forms to this static
// destructor, which runs after the toolkit's own statics are gone: freeing windows then
// crashes, so they are left to the system, which takes back the memory of the process.
TApplication::~TApplication() {
  if (!backend::ToolkitRunning()) return;
  while (GetComponentCount() > 0) RemoveComponent(GetComponent(GetComponentCount() - 1));
}

void TApplication::Initialize(int& Argc, char** Argv) { backend::InitializeToolkit(Argc, Argv); }

void TApplication::Initialize() {
  static int Argc = 1;
  static char Name[] = "vcl";
  static char* Argv[] = {Name, nullptr};
  Initialize(Argc, Argv);
}

// Not left to an exit handler: by then the toolkit has already destroyed statics that its
// windows still use, so the windows must go before main returns.
void TApplication::Finalize() {
  while (GetComponentCount() > 0) delete GetComponent(GetComponentCount() - 1);
  backend::FinalizeToolkit();
  FTerminated = false;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

void TApplication::Run() {
  if (!backend::ToolkitRunning()) Initialize();
  if (FMainForm) FMainForm->Show();
  while (!FTerminated && FMainForm && FMainForm->GetVisible()) HandleMessage();
  Finalize();
}

// A handler that ends the loop from idle time must not leave it asleep.
void TApplication::Terminate() {
  FTerminated = true;
  backend::WakeMessageLoop();
}

void TApplication::ProcessMessages() {
  while (backend::ProcessPendingMessages()) {
  }
}

void TApplication::HandleMessage() {
  if (!backend::ProcessPendingMessages()) Idle();
}

void TApplication::Idle() {
  bool Done = true;
  if (FOnIdle) {
    try {
      FOnIdle(this, Done);
    } catch (...) {
      HandleException(this);
    }
  }
  if (Done) backend::WaitMessage();
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
  } catch (const std::bad_alloc&) {
    Report(EOutOfMemory(Consts::SOutOfMemory));
  } catch (const std::exception& E) {
    Report(Exception(E.what()));
  } catch (...) {
    Report(Exception("Unknown exception"));
  }
}

void TApplication::ShowException(const Exception& E) {
  backend::ShowErrorMessage(GetActiveFormHandle(), FTitle, E.Message());
}

HWND TApplication::GetActiveFormHandle() const {
  TCustomForm* const Candidates[] = {Screen ? Screen->GetActiveForm() : nullptr,
                                     Screen ? Screen->GetLastActiveForm() : nullptr, FMainForm};
  for (TCustomForm* Form : Candidates)
    if (Form && Form->HandleAllocated() && Form->GetVisible()) return Form->GetHandle();
  return nullptr;
}

}  // namespace vcl
