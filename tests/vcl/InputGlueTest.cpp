// The one glue between Qt's events and window messages: faults of handlers stay inside the
// delivery boundary, controls may destroy themselves in any input handler, and the wheel
// goes to the focused control, then to its parent.

#include <functional>

#include "Harness.h"
#include "Probe.h"

using namespace vcl;
using namespace vcltest;

namespace {

class InputGlueTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(300, 200);
    Probe = std::make_unique<TProbe>(nullptr, Form.get(), TRect{10, 10, 110, 70});
    Other = std::make_unique<TProbe>(nullptr, Form.get(), TRect{150, 10, 250, 70});
    Probe->SetFocus();
    ProcessMessages();
  }
  void TearDown() override {
    Other.reset();
    Probe.reset();
    Form.reset();
    THostTest::TearDown();
  }
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TProbe> Probe, Other;
};

// One way of reaching a handler: Arm makes the handler run Fault, Act is the user's input.
struct TInputRow {
  const char* Name;
  std::function<void(TProbe&, std::function<void()>)> Arm;
  std::function<void(TProbe*)> Act;
};

std::vector<TInputRow> InputRows() {
  auto OnMessage = [](unsigned Wanted) {
    return [Wanted](TProbe& P, std::function<void()> Fault) {
      P.OnMessage = [Wanted, Fault](unsigned Msg) {
        if (Msg == Wanted) Fault();
      };
    };
  };
  return {
      {"mouse down", [](TProbe& P, auto F) { P.SetOnMouseDown([F](TObject*, TMouseButton, TShiftState, int, int) { F(); }); },
       // The release goes to the form: the probe may be gone by then.
       [](TProbe* P) {
         TWinControl* Parent = P->GetParent();
         MouseDown(P, 5, 5);
         MouseUp(Parent, 15, 15);
       }},
      {"mouse up", [](TProbe& P, auto F) { P.SetOnMouseUp([F](TObject*, TMouseButton, TShiftState, int, int) { F(); }); },
       [](TProbe* P) { Click(P, 5, 5); }},
      {"mouse move", [](TProbe& P, auto F) { P.SetOnMouseMove([F](TObject*, TShiftState, int, int) { F(); }); },
       [](TProbe* P) { MouseMove(P, 6, 6); }},
      {"mouse enter", OnMessage(CM_MOUSEENTER), [](TProbe* P) { MouseMove(P, 7, 7); }},
      {"key down", [](TProbe& P, auto F) { P.SetOnKeyDown([F](TObject*, Word&, TShiftState) { F(); }); },
       [](TProbe*) { PressKey('A'); }},
      {"key press", [](TProbe& P, auto F) { P.SetOnKeyPress([F](TObject*, char&) { F(); }); },
       [](TProbe*) { PressKey('A'); }},
      {"key up", [](TProbe& P, auto F) { P.SetOnKeyUp([F](TObject*, Word&, TShiftState) { F(); }); },
       [](TProbe*) { PressKey('A'); }},
      {"special key", OnMessage(CM_WANTSPECIALKEY), [](TProbe*) { PressKey(VK_RETURN); }},
      {"wheel", [](TProbe& P, auto F) {
         P.SetOnMouseWheel([F](TObject*, TShiftState, int, TPoint, bool&) { F(); });
       },
       [](TProbe* P) { Wheel(P, 5, 5, 120); }},
      {"paint", [](TProbe& P, auto F) { P.OnPaint = [F](TCanvas*) { F(); }; }, [](TProbe* P) { P->Repaint(); }},
      {"timer", OnMessage(WM_TIMER), [](TProbe* P) {
         SetTimer(P->GetHandle(), 3, 10);
         RunFor(100);
       }},
  };
}

TEST_F(InputGlueTest, AnExceptionFromEachInputHandlerReachesHandleException) {
  for (const TInputRow& Row : InputRows()) {
    SCOPED_TRACE(Row.Name);
    Other->Log.clear();
    Row.Arm(*Probe, [&Row] { throw Exception(std::string("fault in ") + Row.Name); });
    MouseMove(Other.get(), 1, 1);  // the pointer starts outside the probe
    Row.Act(Probe.get());
    KillTimer(Probe->GetHandle(), 3);
    Probe->OnMessage = nullptr;
    Probe->OnPaint = nullptr;
    const auto Reported = TakeExceptions();
    ASSERT_FALSE(Reported.empty());
    EXPECT_EQ(Reported.front(), std::string("fault in ") + Row.Name);
    Probe = std::make_unique<TProbe>(nullptr, Form.get(), TRect{10, 10, 110, 70});
    Probe->SetFocus();
    ProcessMessages();
  }
}

TEST_F(InputGlueTest, AControlDestroyedInsideEachInputHandlerIsReleasedSafely) {
  for (const TInputRow& Row : InputRows()) {
    SCOPED_TRACE(Row.Name);
    Row.Arm(*Probe, [this] { Probe.reset(); });
    MouseMove(Other.get(), 1, 1);
    TProbe* Target = Probe.get();
    Row.Act(Target);
    EXPECT_EQ(Probe, nullptr);
    ProcessMessages();
    // The form goes on working for its other controls.
    Other->Log.clear();
    Click(Other.get(), 5, 5);
    EXPECT_NE(std::find(Other->Log.begin(), Other->Log.end(), "click"), Other->Log.end());
    Probe = std::make_unique<TProbe>(nullptr, Form.get(), TRect{10, 10, 110, 70});
    Probe->SetFocus();
    ProcessMessages();
  }
}

TEST_F(InputGlueTest, TheWheelGoesToTheFocusedControlThenToItsParent) {
  std::vector<std::string> Heard;
  TPoint Where;
  Probe->SetOnMouseWheel([&](TObject*, TShiftState, int Delta, TPoint Pos, bool&) {
    Heard.push_back("probe " + std::to_string(Delta));
    Where = Pos;
  });
  Form->SetOnMouseWheel([&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
    Heard.push_back("form " + std::to_string(Delta));
    Handled = true;
  });
  Wheel(Other.get(), 5, 5, -120);  // over another control: the focused one still hears it
  EXPECT_EQ(Heard, (std::vector<std::string>{"probe -120", "form -120"}));
  EXPECT_EQ(Where, Other->ClientToScreen(TPoint{5, 5}));
  Heard.clear();
  Probe->SetOnMouseWheel([&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
    Heard.push_back("probe " + std::to_string(Delta));
    Handled = true;
  });
  Wheel(Probe.get(), 5, 5, 240);
  EXPECT_EQ(Heard, std::vector<std::string>{"probe 240"}) << "a handled wheel stops at the control";
  int Downs = 0;
  Probe->SetOnMouseWheel(nullptr);
  Probe->SetOnMouseWheelDown([&](TObject*, TShiftState, TPoint, bool& Handled) { Handled = ++Downs > 0; });
  Wheel(Probe.get(), 5, 5, -120);
  EXPECT_EQ(Downs, 1);
}

TEST_F(InputGlueTest, AKeyHandlerThatRunsAModalFormLosesNoMessageOfAnotherWindow) {
  constexpr unsigned WM_NOTE = WM_USER + 3;
  bool Noted = false, DialogRan = false;
  Other->OnMessage = [&](unsigned Msg) { Noted = Noted || Msg == WM_NOTE; };
  Probe->SetOnKeyDown([&](TObject*, Word&, TShiftState) {
    PostMessage(Other->GetHandle(), WM_NOTE, 0, 0);
    TForm Dialog(nullptr);
    TProbe Inside(nullptr, &Dialog);
    Inside.OnMessage = [&](unsigned Msg) {
      if (Msg == WM_TIMER) Dialog.SetModalResult(mrOk);
    };
    Dialog.SetOnShow([&](TObject*) { SetTimer(Inside.GetHandle(), 1, 20); });
    DialogRan = Dialog.ShowModal() == mrOk;
  });
  PressKey('A');
  EXPECT_TRUE(DialogRan);
  EXPECT_TRUE(Noted) << "the message posted before the modal run arrived during it";
  EXPECT_EQ(Probe->KeysDown, std::vector<Word>{'A'});
}

TEST_F(InputGlueTest, AHandlerThatDestroysTheWholeFormEndsCleanly) {
  Probe->SetOnKeyDown([this](TObject*, Word&, TShiftState) { Form.reset(); });
  PressKey('A');
  EXPECT_EQ(Form, nullptr);
  EXPECT_FALSE(Probe->HandleAllocated()) << "its window went with the form's";
  ProcessMessages();
  Probe.reset();
  Other.reset();
}

// Records the horizontal wheel, which no framework event reports.
class THWheelProbe : public TProbe {
public:
  using TProbe::TProbe;
  std::vector<int> Horizontal;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_MOUSEHWHEEL) Horizontal.push_back(TWMMouseWheel(Message).WheelDelta);
    else TProbe::Dispatch(Message);
  }
};

TEST_F(InputGlueTest, TouchpadPixelsBecomeWheelUnitsWithTheRemainderCarried) {
  std::vector<int> Vertical;
  Probe->SetOnMouseWheel([&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
    Vertical.push_back(Delta);
    Handled = true;
  });
  // Seven pixels at a time: 7 * 120 / 48 = 17.5 units, so every second swipe carries a unit.
  for (int I = 0; I < 4; ++I) Wheel(Probe.get(), 5, 5, 7, 0, true);
  EXPECT_EQ(Vertical, (std::vector<int>{17, 18, 17, 18}));
  Vertical.clear();
  Wheel(Probe.get(), 5, 5, 7, 0, true);
  Wheel(Probe.get(), 5, 5, -7, 0, true);  // a turn drops what was carried the other way
  EXPECT_EQ(Vertical, (std::vector<int>{17, -17}));

  THWheelProbe Sideways(nullptr, Form.get(), TRect{10, 100, 110, 150});
  Sideways.SetFocus();
  Wheel(&Sideways, 5, 5, 0, 120);  // Qt's positive x is a turn to the left
  Wheel(&Sideways, 5, 5, 0, -48, true);
  EXPECT_EQ(Sideways.Horizontal, (std::vector<int>{-120, 120}));
  EXPECT_TRUE(Vertical.size() == 2) << "a sideways turn is no vertical wheel";
}

}  // namespace
