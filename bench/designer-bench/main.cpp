// Prints how long the form designer takes to open, save, change and close a form of many
// labels, and to fail to open one whose last line is damaged: designer-bench [COUNT...] (10,000, 30,000 and 100,000 by default). Runs on any
// Qt platform; without a display, QT_QPA_PLATFORM=offscreen.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "FormDesigner.h"

using namespace vcl;
using namespace designer;

namespace {

template <class F>
double Seconds(F&& Work) {
  const auto Start = std::chrono::steady_clock::now();
  Work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// Count labels in rows on the form, as the designer writes them.
AnsiString LabelForm(int Count) {
  AnsiString Text = "object Form1: TForm\n  Left = 8\n  Top = 8\n  Width = 800\n  Height = 600\n  Caption = 'Form1'\n";
  for (int I = 1; I <= Count; ++I) {
    const AnsiString Name = "Label" + IntToStr(I);
    Text += "  object " + Name + ": TLabel\n    Left = " + IntToStr(I % 50 * 16) + "\n    Top = " +
            IntToStr(I / 50 % 40 * 14) + "\n    Caption = '" + Name + "'\n  end\n";
  }
  return Text + "end\n";
}

}  // namespace

int main(int Argc, char** Argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::vector<int> Counts;
  for (int I = 1; I < Argc; ++I) Counts.push_back(std::atoi(Argv[I]));
  if (Counts.empty()) Counts = {10000, 30000, 100000};
  Application->Initialize(Argc, Argv);
  std::printf("labels,load s,save s,nudge s,close s,failed load s\n");
  for (const int Count : Counts) {
    const AnsiString Text = LabelForm(Count);
    const std::shared_ptr<TFormDesigner> Designer = TFormDesigner::Create(nullptr);
    const double Load = Seconds([&] { Designer->LoadFromText(Text); });
    AnsiString Saved;
    const double Save = Seconds([&] { Saved = Designer->SaveToText(); });
    if (Designer->GetForm()->GetComponentCount() != Count) {
      std::fprintf(stderr, "designer-bench: %d labels read, %d expected\n", Designer->GetForm()->GetComponentCount(), Count);
      return 1;
    }
    // A nudge of one label: a save into the undo history.
    Designer->Select(Designer->GetForm()->GetComponent(Count / 2));
    const double Nudge = Seconds([&] { Designer->NudgeSelection(1, 0, false); });
    const double Close = Seconds([&] { Designer->NewForm(); });
    // The same form with a fault after its last label: every label read is freed again.
    const AnsiString Damaged = Text.substr(0, Text.size() - 4) + "  Nope = 1\nend\n";
    const double Failed = Seconds([&] {
      try {
        Designer->LoadFromText(Damaged);
      } catch (const Exception&) {
      }
    });
    std::printf("%d,%.3f,%.3f,%.3f,%.3f,%.3f\n", Count, Load, Save, Nudge, Close, Failed);
    std::fflush(stdout);
  }
  Application->Finalize();
  return 0;
}
