// The event loop sleeps when idle and wakes for input, posted messages and timers;
// OnIdle runs when the queue is empty.

#include <chrono>

#include "Harness.h"
#include "Probe.h"

using namespace vcl;
using namespace vcltest;

namespace {

class EventLoopTest : public THostTest {
protected:
  void TearDown() override {
    Application->SetOnIdle(nullptr);
    THostTest::TearDown();
  }
};

constexpr unsigned WM_WAKE = WM_USER + 7;

TEST_F(EventLoopTest, ATimerWakesASleepingLoop) {
  auto Form = MakeForm(100, 100);
  TProbe Probe(nullptr, Form.get());
  ProcessMessages();
  int Idles = 0;
  Application->SetOnIdle([&](TObject*, bool& Done) {
    ++Idles;
    EXPECT_TRUE(Done) << "Done enters true";
  });
  SetTimer(Probe.GetHandle(), 9, 40);
  const auto Start = std::chrono::steady_clock::now();
  while (Probe.TimerIds.empty() && std::chrono::steady_clock::now() - Start < std::chrono::seconds(5))
    Application->HandleMessage();
  KillTimer(Probe.GetHandle(), 9);
  EXPECT_EQ(Probe.TimerIds, std::vector<unsigned>{9});
  EXPECT_GE(Idles, 1);
  // Each idle slept until something came: far fewer idle calls than a spinning loop makes.
  EXPECT_LT(Idles, 50);
}

TEST_F(EventLoopTest, AMessagePostedFromIdleTimeWakesTheLoop) {
  auto Form = MakeForm(100, 100);
  TProbe Probe(nullptr, Form.get());
  ProcessMessages();
  bool Posted = false, Arrived = false;
  Probe.OnMessage = [&](unsigned Msg) { Arrived = Arrived || Msg == WM_WAKE; };
  Application->SetOnIdle([&](TObject*, bool&) {
    if (!Posted) Posted = PostMessage(Probe.GetHandle(), WM_WAKE, 0, 0);
  });
  for (int I = 0; I < 20 && !Arrived; ++I) Application->HandleMessage();
  EXPECT_TRUE(Arrived);
}

TEST_F(EventLoopTest, IdleThatIsNotDoneRunsAgainWithoutWaiting) {
  int Idles = 0;
  Application->SetOnIdle([&](TObject*, bool& Done) { Done = ++Idles >= 5; });
  const auto Start = std::chrono::steady_clock::now();
  for (int I = 0; I < 4; ++I) Application->HandleMessage();
  EXPECT_EQ(Idles, 4);
  EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(1));
}

TEST_F(EventLoopTest, AnExceptionFromOnIdleIsReportedAndTheLoopGoesOn) {
  Application->SetOnIdle([](TObject*, bool& Done) {
    Done = false;
    throw Exception("idle fault");
  });
  Application->HandleMessage();
  EXPECT_EQ(TakeExceptions(), std::vector<std::string>{"idle fault"});
}

TEST_F(EventLoopTest, AModalFormWaitsAsleepAndEndsWhenItsResultIsSet) {
  auto Owner = MakeForm(100, 100);
  TForm Dialog(nullptr);
  TProbe Probe(nullptr, &Dialog);
  int Idles = 0;
  Application->SetOnIdle([&](TObject*, bool&) {
    if (++Idles == 1) SetTimer(Probe.GetHandle(), 4, 30);
  });
  Probe.OnMessage = [&](unsigned Msg) {
    if (Msg == WM_TIMER) Dialog.SetModalResult(mrOk);
  };
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
  EXPECT_LT(Idles, 50);
  EXPECT_FALSE(Dialog.GetVisible());
  // Ended from idle time, the run does not sleep on.
  Application->SetOnIdle([&](TObject*, bool&) { Dialog.SetModalResult(mrCancel); });
  EXPECT_EQ(Dialog.ShowModal(), mrCancel);
}

}  // namespace
