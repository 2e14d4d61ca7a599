// A form being designed: its designed controls offer their input to the form's designer
// first, and act on what the designer leaves them; other forms are untouched.

#include "Harness.h"
#include "StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

// Takes the mouse messages when Takes says so and records who sent which message.
class TRecordingHook : public IDesignerHook {
public:
  bool IsDesignMsg(TControl* Sender, TMessage& Message) override {
    if (Message.Msg != WM_LBUTTONDOWN && Message.Msg != WM_LBUTTONUP) return false;
    Seen.emplace_back(Sender, Message.Msg);
    return Takes;
  }
  bool Takes = true;
  std::vector<std::pair<TControl*, unsigned>> Seen;
};

class DesignerHookTest : public THostTest {
protected:
  void SetUp() override {
    THostTest::SetUp();
    Form = MakeForm(200, 100);
    Box = new TCheckBox(Form.get());
    Box->SetParent(Form.get());
    Box->SetBounds(10, 10, 120, 20);
    Box->SetOnClick([this](TObject*) { ++Clicks; });
    ProcessMessages();
  }
  void TearDown() override {
    Form.reset();
    THostTest::TearDown();
  }
  std::unique_ptr<TForm> Form;
  TCheckBox* Box = nullptr;
  TRecordingHook Hook;
  int Clicks = 0;
};

TEST_F(DesignerHookTest, ADesignedControlsClickGoesToTheDesignerInstead) {
  Form->SetDesigner(&Hook);
  Form->SetDesigning(true);
  Click(Box, 5, 5);
  EXPECT_FALSE(Box->GetChecked());
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(Hook.Seen, (std::vector<std::pair<TControl*, unsigned>>{{Box, WM_LBUTTONDOWN}, {Box, WM_LBUTTONUP}}));
  EXPECT_EQ(FindDesigner(Box), &Hook);
}

TEST_F(DesignerHookTest, WhatTheDesignerLeavesOrAnUndesignedControlActsAsAtRunTime) {
  struct TRow {
    const char* Name;
    bool Designing;
    bool HookTakes;
    bool HookHears;
  };
  for (const TRow& Row : {TRow{"designer declines", true, false, true}, TRow{"not designing", false, true, false}}) {
    SCOPED_TRACE(Row.Name);
    Hook.Seen.clear();
    Hook.Takes = Row.HookTakes;
    Form->SetDesigner(&Hook);
    Form->SetDesigning(Row.Designing);
    const bool Before = Box->GetChecked();
    Click(Box, 5, 5);
    EXPECT_NE(Box->GetChecked(), Before);
    EXPECT_EQ(!Hook.Seen.empty(), Row.HookHears);
  }
  Form->SetDesigner(nullptr);
  EXPECT_EQ(FindDesigner(Box), nullptr);
}

}  // namespace
