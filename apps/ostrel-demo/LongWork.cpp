#include "LongWork.h"

#include <algorithm>

using namespace vcl;

namespace demo {

TLongWork::TLongWork(TForm* Form) : FForm(Form) {
  StatusBar = new TStatusBar(Form);
  StatusBar->SetHeight(24);
  StatusBar->SetParent(Form);
  CancelButton = new TButton(Form);
  CancelButton->SetCaption("Cancel");
  CancelButton->SetWidth(75);
  CancelButton->SetAlign(alRight);
  // Escape presses it through the form's dialog keys.
  CancelButton->SetCancel(true);
  CancelButton->SetOnClick([this](TObject*) { Cancel(); });
  CancelButton->SetVisible(false);
  CancelButton->SetParent(StatusBar);
  ProgressBar = new TProgressBar(Form);
  ProgressBar->SetWidth(220);
  ProgressBar->SetAlign(alRight);
  ProgressBar->SetMax(1000);
  ProgressBar->SetVisible(false);
  ProgressBar->SetParent(StatusBar);
}

// The controls belong to the form, which may be gone already; only the cursor is ours.
TLongWork::~TLongWork() {
  if (FBusy) Screen->SetCursor(crDefault);
}

void TLongWork::Run(const AnsiString& What, const std::function<void(const TProgress&)>& Work) {
  if (FBusy) throw Exception("another piece of work is running");
  FBusy = true;
  FShown = false;
  FCancelRequested = false;
  FStarted = std::chrono::steady_clock::now();
  Screen->SetCursor(crHourGlass);
  StatusBar->SetSimpleText(What);
  SetFormEnabled(false);
  const auto Finish = [this] {
    SetFormEnabled(true);
    ProgressBar->SetVisible(false);
    CancelButton->SetVisible(false);
    StatusBar->SetSimpleText(AnsiString());
    Screen->SetCursor(crDefault);
    FBusy = false;
  };
  try {
    Work([this](std::int64_t Done, std::int64_t Total) { return Step(Done, Total); });
  } catch (...) {
    Finish();
    CloseIfAsked();
    throw;
  }
  Finish();
  CloseIfAsked();
}

void TLongWork::CloseIfAsked() {
  if (!FCloseRequested) return;
  FCloseRequested = false;
  FForm->Close();
}

bool TLongWork::Step(std::int64_t Done, std::int64_t Total) {
  if (!FShown && std::chrono::steady_clock::now() - FStarted >= ShowAfter) ShowProgress();
  if (Total > 0) ProgressBar->SetPosition(static_cast<int>(ProgressBar->GetMax() * std::min(Done, Total) / Total));
  Application->ProcessMessages();
  // A copy: the hook may replace itself.
  if (const std::function<void()> Hook = OnStep) Hook();
  return !FCancelRequested;
}

void TLongWork::ShowProgress() {
  FShown = true;
  ProgressBar->SetPosition(0);
  ProgressBar->SetVisible(true);
  CancelButton->SetVisible(true);
  if (FForm->GetActive() && CancelButton->CanFocus()) CancelButton->SetFocus();
}

void TLongWork::Cancel() {
  if (FBusy) FCancelRequested = true;
}

bool TLongWork::DeferClose() {
  if (!FBusy) return false;
  FCloseRequested = true;
  FCancelRequested = true;
  return true;
}

void TLongWork::SetFormEnabled(bool Value) {
  if (!Value) {
    FFocused = FForm->GetActiveControl();
    FDisabled.clear();
    for (int I = 0; I < FForm->GetControlCount(); ++I) {
      TControl* Control = FForm->GetControl(I);
      if (Control == StatusBar) continue;
      FDisabled.emplace_back(Control, Control->GetEnabled());
      Control->SetEnabled(false);
    }
    FDisabledMenus.clear();
    if (TMainMenu* Menu = FForm->GetMenu())
      for (int I = 0; I < Menu->GetItems()->GetCount(); ++I) {
        TMenuItem* Item = Menu->GetItems()->GetItem(I);
        FDisabledMenus.emplace_back(Item, Item->GetEnabled());
        Item->SetEnabled(false);
      }
    return;
  }
  for (const auto& [Control, Enabled] : FDisabled) Control->SetEnabled(Enabled);
  for (const auto& [Item, Enabled] : FDisabledMenus) Item->SetEnabled(Enabled);
  FDisabled.clear();
  FDisabledMenus.clear();
  if (FFocused && FForm->GetActive() && FFocused->CanFocus()) FFocused->SetFocus();
  FFocused = nullptr;
}

}  // namespace demo
