// THintWindow: a tool-tip window that shows one hint text.

#include <algorithm>

#include "Forms.h"
#include "backend/WindowBackend.h"

namespace vcl {

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FColor = clInfoBk;
  FFont->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

namespace {

const char* const Ellipsis = "\xE2\x80\xA6";

// Where a cut at Limit bytes keeps UTF-8 whole: never inside a character.
std::size_t CharacterBoundary(const AnsiString& Text, std::size_t Limit) {
  while (Limit > 0 && (static_cast<unsigned char>(Text[Limit]) & 0xC0) == 0x80) --Limit;
  return Limit;
}

// The window of the control the hint belongs to, else the form the user works in.
HWND OwnerWindowOf(TComponent* Owner) {
  auto* Control = dynamic_cast<TControl*>(Owner);
  TWinControl* Windowed = dynamic_cast<TWinControl*>(Control);
  if (!Windowed && Control) Windowed = Control->GetParent();
  if (Windowed && Windowed->HandleAllocated()) return Windowed->GetHandle();
  TCustomForm* Form = Screen->GetActiveForm();
  return Form && Form->HandleAllocated() ? Form->GetHandle() : nullptr;
}

}  // namespace

// Measuring, wrapping and drawing a text of megabytes, or a window of millions of pixels,
// costs seconds and gigabytes, and a window past the X server's request size kills the
// connection: a hint shows only what fits a glance.
AnsiString THintWindow::ShownHint(const AnsiString& Hint) {
  AnsiString Shown;
  std::size_t Start = 0;
  for (int Line = 0; Start <= Hint.size(); ++Line) {
    if (Line == MaxHintLines) return Shown + '\n' + Ellipsis;
    const std::size_t Break = Hint.find('\n', Start);
    const std::size_t End = Break == AnsiString::npos ? Hint.size() : Break;
    if (Line > 0) Shown += '\n';
    if (End - Start > static_cast<std::size_t>(MaxHintLineBytes)) {
      Shown.append(Hint, Start, CharacterBoundary(Hint, Start + MaxHintLineBytes) - Start);
      Shown += Ellipsis;
    } else {
      Shown.append(Hint, Start, End - Start);
    }
    if (Break == AnsiString::npos) break;
    Start = Break + 1;
  }
  return Shown;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*) {
  TCanvas Measure;
  Measure.SetFont(FFont.get());
  TRect R{0, 0, std::clamp(MaxWidth, 1, MaxHintExtent), 0};
  DrawText(Measure.GetHandle(), ShownHint(AHint).c_str(), -1, &R,
           DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | static_cast<unsigned>(DrawTextBiDiModeFlagsReadingOnly()));
  // Room for the border and the text's margin.
  R.Right += 6;
  R.Bottom += 2;
  return R;
}

void THintWindow::ActivateHint(const TRect& Rect, const AnsiString& AHint) {
  SetCaption(ShownHint(AHint));
  constexpr int ExtraHeight = 4;
  SetBounds(Rect.Left, Rect.Top, std::clamp(Rect.Width(), 0, MaxHintExtent),
            std::clamp(Rect.Height() + ExtraHeight, 0, MaxHintExtent));
  FVisible = true;
  HandleNeeded();
  // A window system without global positions places the hint against that window.
  backend::SetWindowOwner(GetHandle(), OwnerWindowOf(GetOwner()));
  backend::ShowWindow(GetHandle(), true);
  backend::RaiseWindow(GetHandle());
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  FVisible = false;
  DestroyHandle();
}

void THintWindow::Paint() {
  TCanvas* Canvas = GetCanvas();
  Canvas->SetFont(FFont.get());
  Canvas->GetFont()->SetColor(clInfoText);
  Canvas->GetBrush()->SetStyle(bsClear);
  TRect R = GetClientRect();
  R.Left += 2;
  R.Top += 2;
  DrawText(Canvas->GetHandle(), FText.c_str(), -1, &R,
           DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | static_cast<unsigned>(DrawTextBiDiModeFlagsReadingOnly()));
}

}  // namespace vcl
