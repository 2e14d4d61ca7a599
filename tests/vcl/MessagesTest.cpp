// Messages: handlers by number, posted messages, timers, and faults at the glue boundary.

#include <new>

#include "Harness.h"
#include "Probe.h"

using namespace vcl;
using namespace vcltest;

namespace {

class MessagesTest : public THostTest {};

constexpr unsigned WM_PROBE = WM_USER + 100;

TEST_F(MessagesTest, HandlersAreReachedByNumberAndViewsDecodeParameters) {
  auto Form = MakeForm(200, 100);
  TProbe Probe(nullptr, Form.get());
  Probe.Perform(WM_HSCROLL, (1234u << 16) | SB_THUMBTRACK, 0);
  Probe.Perform(WM_TIMER, 7, 0);
  ASSERT_EQ(Probe.Scrolls.size(), 1u);
  EXPECT_EQ(Probe.Scrolls[0], std::make_pair(SB_THUMBTRACK, 1234));
  EXPECT_EQ(Probe.TimerIds, std::vector<unsigned>{7});
  Probe.WantArrows = true;
  EXPECT_EQ(Probe.Perform(CM_WANTSPECIALKEY, VK_LEFT, 0), 1);
  EXPECT_EQ(Probe.Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 0);
  EXPECT_EQ(SendMessage(Probe.GetHandle(), CM_WANTSPECIALKEY, VK_DOWN, 0), 1);
}

TEST_F(MessagesTest, PostedMessageArrivesAfterThePostingHandlerReturned) {
  auto Form = MakeForm(200, 100);
  TProbe Probe(nullptr, Form.get());
  std::vector<std::string> Order;
  Probe.OnMessage = [&](unsigned Msg) {
    if (Msg == WM_TIMER) {
      EXPECT_TRUE(PostMessage(Probe.GetHandle(), WM_PROBE, 0, 0));
      Order.push_back("timer handler returns");
    }
    if (Msg == WM_PROBE) Order.push_back("posted");
  };
  SetTimer(Probe.GetHandle(), 1, 10);
  ASSERT_TRUE(RunUntil([&] { return Order.size() >= 2; }));
  KillTimer(Probe.GetHandle(), 1);
  EXPECT_EQ(Order[0], "timer handler returns");
  EXPECT_EQ(Order[1], "posted");
}

TEST_F(MessagesTest, PostedMessageForADestroyedWindowIsDropped) {
  auto Form = MakeForm(200, 100);
  int Delivered = 0;
  auto* Probe = new TProbe(nullptr, Form.get());
  Probe->OnMessage = [&](unsigned Msg) { Delivered += Msg == WM_PROBE; };
  const HWND Wnd = Probe->GetHandle();
  EXPECT_TRUE(PostMessage(Wnd, WM_PROBE, 0, 0));
  delete Probe;
  RunFor(30);
  EXPECT_EQ(Delivered, 0);
  EXPECT_FALSE(IsWindow(Wnd));
  EXPECT_FALSE(PostMessage(Wnd, WM_PROBE, 0, 0));
  EXPECT_EQ(SendMessage(Wnd, WM_PROBE, 0, 0), 0);
}

TEST_F(MessagesTest, RecreatedWindowDropsMessagesPostedToTheOldOne) {
  auto Form = MakeForm(200, 100);
  TProbe Probe(nullptr, Form.get());
  int Delivered = 0;
  Probe.OnMessage = [&](unsigned Msg) { Delivered += Msg == WM_PROBE; };
  PostMessage(Probe.GetHandle(), WM_PROBE, 0, 0);
  Probe.RecreateWnd();
  PostMessage(Probe.GetHandle(), WM_PROBE, 0, 0);
  RunFor(30);
  EXPECT_EQ(Delivered, 1);
}

TEST_F(MessagesTest, ExceptionInAPostedMessageHandlerReachesHandleException) {
  auto Form = MakeForm(200, 100);
  TProbe Probe(nullptr, Form.get());
  Probe.OnMessage = [](unsigned Msg) {
    if (Msg == WM_PROBE) throw Exception("handler failed");
  };
  PostMessage(Probe.GetHandle(), WM_PROBE, 0, 0);
  RunFor(20);
  EXPECT_EQ(TakeExceptions(), std::vector<std::string>{"handler failed"});
}

TEST_F(MessagesTest, ForeignExceptionsAreReportedWithTheirText) {
  auto Form = MakeForm(200, 100);
  TProbe Probe(nullptr, Form.get());
  Probe.OnMessage = [](unsigned Msg) {
    if (Msg == WM_PROBE) throw std::runtime_error("plain failure");
  };
  EXPECT_EQ(SendMessage(Probe.GetHandle(), WM_PROBE, 0, 0), 0);
  EXPECT_EQ(TakeExceptions(), std::vector<std::string>{"plain failure"});
  // Perform is a direct call: the exception reaches its caller.
  EXPECT_THROW(Probe.Perform(WM_PROBE, 0, 0), std::runtime_error);
}

// Reported as "std::bad_alloc" before: the program ran out of memory, and says so.
TEST_F(MessagesTest, RunningOutOfMemoryInAHandlerIsReportedAsSuch) {
  auto Form = MakeForm(200, 100);
  TProbe Probe(nullptr, Form.get());
  Probe.OnMessage = [](unsigned Msg) {
    if (Msg == WM_PROBE) throw std::bad_alloc();
  };
  EXPECT_EQ(SendMessage(Probe.GetHandle(), WM_PROBE, 0, 0), 0);
  EXPECT_EQ(TakeExceptions(), std::vector<std::string>{Consts::SOutOfMemory});
}

TEST_F(MessagesTest, ControlDeletedByItsOwnClickHandlerIsNotTouchedAfterwards) {
  auto Form = MakeForm(200, 100);
  auto* Probe = new TProbe(nullptr, Form.get());
  bool MouseUpAfterDelete = false;
  Probe->SetOnClick([&](TObject*) { delete Probe; });
  Probe->SetOnMouseUp([&](TObject*, TMouseButton, TShiftState, int, int) { MouseUpAfterDelete = true; });
  Click(Probe, 10, 10);
  ProcessMessages();
  EXPECT_FALSE(MouseUpAfterDelete);
  EXPECT_EQ(Form->GetControlCount(), 0);
}

TEST_F(MessagesTest, ControlDeletedWhileAskedAboutASpecialKeyIsNotTouchedAfterwards) {
  auto Form = MakeForm(200, 100);
  auto* Probe = new TProbe(nullptr, Form.get());
  Probe->SetFocus();
  ProcessMessages();
  Probe->OnMessage = [&](unsigned Msg) {
    if (Msg == CM_WANTSPECIALKEY) delete Probe;
  };
  PressKey(VK_TAB);
  ProcessMessages();
  EXPECT_EQ(Form->GetControlCount(), 0);
}

TEST_F(MessagesTest, TimersFireWithTheirIdsUntilKilled) {
  auto Form = MakeForm(200, 100);
  TProbe Probe(nullptr, Form.get());
  EXPECT_EQ(SetTimer(Probe.GetHandle(), 1, 15), 1u);
  EXPECT_EQ(SetTimer(Probe.GetHandle(), 2, 15), 2u);
  auto Count = [&](unsigned Id) { return std::count(Probe.TimerIds.begin(), Probe.TimerIds.end(), Id); };
  ASSERT_TRUE(RunUntil([&] { return Count(1) >= 2 && Count(2) >= 2; }));
  EXPECT_TRUE(KillTimer(Probe.GetHandle(), 1));
  EXPECT_FALSE(KillTimer(Probe.GetHandle(), 1));
  const auto OnesBefore = Count(1);
  const auto TwosBefore = Count(2);
  ASSERT_TRUE(RunUntil([&] { return Count(2) >= TwosBefore + 2; }));
  EXPECT_EQ(Count(1), OnesBefore);
  KillTimer(Probe.GetHandle(), 2);
}

TEST_F(MessagesTest, SettingARunningTimerAgainRestartsItsDelay) {
  auto Form = MakeForm(200, 100);
  TProbe Probe(nullptr, Form.get());
  SetTimer(Probe.GetHandle(), 5, 20);
  SetTimer(Probe.GetHandle(), 5, 60000);  // the pending short delay is replaced
  RunFor(120);
  EXPECT_TRUE(Probe.TimerIds.empty());
  SetTimer(Probe.GetHandle(), 5, 10);
  EXPECT_TRUE(RunUntil([&] { return !Probe.TimerIds.empty(); }));
  EXPECT_EQ(Probe.TimerIds.front(), 5u);
  KillTimer(Probe.GetHandle(), 5);
}

TEST_F(MessagesTest, DestroyingTheWindowStopsItsTimers) {
  auto Form = MakeForm(200, 100);
  int Ticks = 0;
  auto* Probe = new TProbe(nullptr, Form.get());
  Probe->OnMessage = [&Ticks](unsigned Msg) { Ticks += Msg == WM_TIMER; };
  SetTimer(Probe->GetHandle(), 1, 10);
  ASSERT_TRUE(RunUntil([&] { return Ticks > 0; }));
  const HWND Wnd = Probe->GetHandle();
  delete Probe;
  RunFor(60);
  EXPECT_FALSE(KillTimer(Wnd, 1));
  EXPECT_EQ(SetTimer(Wnd, 1, 10), 0u);
}

TEST_F(MessagesTest, TimerHandlerThatDeletesItsControlEndsCleanly) {
  auto Form = MakeForm(200, 100);
  auto* Probe = new TProbe(nullptr, Form.get());
  bool Deleted = false;
  Probe->OnMessage = [&](unsigned Msg) {
    if (Msg == WM_TIMER && !Deleted) {
      Deleted = true;
      delete Probe;
    }
  };
  SetTimer(Probe->GetHandle(), 3, 10);
  ASSERT_TRUE(RunUntil([&] { return Deleted; }));
  RunFor(40);
  EXPECT_EQ(Form->GetControlCount(), 0);
}

TEST_F(MessagesTest, ExceptionInATimerHandlerIsReportedAndTheTimerGoesOn) {
  auto Form = MakeForm(200, 100);
  TProbe Probe(nullptr, Form.get());
  int Ticks = 0;
  Probe.OnMessage = [&](unsigned Msg) {
    if (Msg == WM_TIMER && ++Ticks <= 2) throw Exception("tick failed");
  };
  SetTimer(Probe.GetHandle(), 1, 10);
  ASSERT_TRUE(RunUntil([&] { return Ticks >= 3; }));
  KillTimer(Probe.GetHandle(), 1);
  EXPECT_EQ(TakeExceptions(), (std::vector<std::string>{"tick failed", "tick failed"}));
}

TEST_F(MessagesTest, TimerCallsOnUnknownWindowsFail) {
  EXPECT_EQ(SetTimer(nullptr, 1, 10), 0u);
  EXPECT_FALSE(KillTimer(nullptr, 1));
  EXPECT_FALSE(PostMessage(nullptr, WM_PROBE, 0, 0));
  EXPECT_FALSE(InvalidateRect(nullptr, nullptr, true));
}

}  // namespace
