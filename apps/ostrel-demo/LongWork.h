#pragma once
// Feedback on work that takes a while (opening, saving): a busy cursor, a progress bar and
// a Cancel button in the form's status bar, and the message loop turning between steps so
// that the window stays painted. While work runs, the form's menus and its other controls
// are disabled: nothing the user does can start a second piece of work over the first.

#include <chrono>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "ComCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "StdCtrls.h"

namespace demo {

// How far work is: Done of Total (bytes or cards). False when the user asked to cancel;
// the work then stops where that loses nothing, or goes on where stopping would.
using TProgress = std::function<bool(std::int64_t Done, std::int64_t Total)>;

// Work that stopped because the user cancelled it; nothing was changed.
class EWorkCancelled : public vcl::Exception {
public:
  EWorkCancelled() : vcl::Exception("cancelled") {}
};

class TLongWork {
public:
  // Puts a status bar along the bottom of Form (its components), with the progress bar
  // and the Cancel button on it, both hidden until work runs.
  explicit TLongWork(vcl::TForm* Form);
  ~TLongWork();

  // Runs Work, which reports through the progress it is given. What is shown in the status
  // bar; the progress bar and Cancel (Escape) show once the work has taken ShowAfter.
  // Afterwards the form is as it was; a close asked for meanwhile happens then.
  void Run(const vcl::AnsiString& What, const std::function<void(const TProgress&)>& Work);
  bool GetBusy() const { return FBusy; }
  // Asks the running work to stop (the Cancel button and Escape); nothing when none runs.
  void Cancel();
  // The form's close query while work runs: the work is cancelled and the form closed
  // once it has stopped. False when no work runs (the caller decides then).
  bool DeferClose();
  // Called at each step of work, after the loop turned: for tests that act in mid-work
  // and for a picture of the progress. It may replace or clear itself.
  std::function<void()> OnStep;

  vcl::TStatusBar* StatusBar;
  vcl::TProgressBar* ProgressBar;
  vcl::TButton* CancelButton;

  static constexpr std::chrono::milliseconds ShowAfter{300};

private:
  bool Step(std::int64_t Done, std::int64_t Total);
  void ShowProgress();
  void SetFormEnabled(bool Value);
  void CloseIfAsked();

  vcl::TForm* FForm;
  bool FBusy = false;
  bool FShown = false;
  bool FCancelRequested = false;
  bool FCloseRequested = false;
  std::chrono::steady_clock::time_point FStarted;
  std::vector<std::pair<vcl::TControl*, bool>> FDisabled;    // with their former Enabled
  std::vector<std::pair<vcl::TMenuItem*, bool>> FDisabledMenus;
  vcl::TWinControl* FFocused = nullptr;  // the form's active control before the work
};

}  // namespace demo
