#pragma once
// A custom control that records what reaches it, for the framework tests.

#include <functional>
#include <string>
#include <vector>

#include "Controls.h"
#include "Forms.h"

namespace vcltest {

class TProbe : public vcl::TCustomControl {
public:
  explicit TProbe(vcl::TComponent* AOwner, vcl::TWinControl* AParent = nullptr, vcl::TRect Bounds = {0, 0, 100, 60})
      : TCustomControl(AOwner) {
    SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    SetTabStop(true);
    if (AParent) SetParent(AParent);
  }

  std::vector<std::string> Log;          // named events in order
  std::vector<unsigned> TimerIds;        // WM_TIMER ids in order
  std::vector<std::pair<int, int>> SizeMessages;  // width, height of each WM_SIZE
  std::vector<std::pair<int, int>> Scrolls;        // code, position of each WM_HSCROLL
  std::vector<vcl::Word> KeysDown;
  std::string Typed;
  bool WantArrows = false;
  bool FocusOnClick = true;
  std::function<void(vcl::TCanvas*)> OnPaint;
  std::function<void(unsigned Msg)> OnMessage;  // runs inside the handler of any message
  using TCustomControl::CreateParams;

  void Dispatch(vcl::TMessage& Message) override {
    // A handler may delete this control; then nothing more of it may be touched.
    const std::weak_ptr<char> Alive = LifetimeToken();
    switch (Message.Msg) {
      case vcl::WM_SIZE: DispatchAs(Message, this, &TProbe::WMSize); break;
      case vcl::WM_TIMER: DispatchAs(Message, this, &TProbe::WMTimer); break;
      case vcl::WM_HSCROLL: DispatchAs(Message, this, &TProbe::WMHScroll); break;
      case vcl::CM_WANTSPECIALKEY: DispatchAs(Message, this, &TProbe::CMWantSpecialKey); break;
      case vcl::CM_MOUSEENTER: Log.push_back("enter"); break;
      case vcl::CM_MOUSELEAVE: Log.push_back("leave"); break;
      default: TCustomControl::Dispatch(Message);
    }
    if (!Alive.expired() && OnMessage) OnMessage(Message.Msg);
  }

protected:
  void WMSize(vcl::TWMSize& Message) {
    TCustomControl::Dispatch(Message.Message);
    SizeMessages.emplace_back(Message.Width, Message.Height);
  }
  void WMTimer(vcl::TWMTimer& Message) { TimerIds.push_back(Message.TimerID); }
  void WMHScroll(vcl::TWMScroll& Message) { Scrolls.emplace_back(Message.ScrollCode, Message.Pos); }
  void CMWantSpecialKey(vcl::TWMKey& Message) {
    if (WantArrows && Message.CharCode >= vcl::VK_LEFT && Message.CharCode <= vcl::VK_DOWN) Message.Result = 1;
  }
  void Paint() override {
    if (OnPaint) OnPaint(GetCanvas());
  }
  void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override {
    Log.push_back(Shift.Contains(vcl::ssDouble) ? "down-double" : "down");
    if (FocusOnClick && !Shift.Contains(vcl::ssDouble)) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
  }
  void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override {
    Log.push_back("up");
    TCustomControl::MouseUp(Button, Shift, X, Y);
  }
  void Click() override {
    Log.push_back("click");
    TCustomControl::Click();
  }
  void DblClick() override {
    Log.push_back("dblclick");
    TCustomControl::DblClick();
  }
  void DoEnter() override {
    Log.push_back("enter-focus");
    TCustomControl::DoEnter();
  }
  void DoExit() override {
    Log.push_back("exit-focus");
    TCustomControl::DoExit();
  }
  void KeyDown(vcl::Word& Key, vcl::TShiftState Shift) override {
    KeysDown.push_back(Key);
    TCustomControl::KeyDown(Key, Shift);
  }
  void KeyPress(char& Key) override {
    Typed += Key;
    TCustomControl::KeyPress(Key);
  }
};

// A control that answers Enter or Esc as a default or cancel button does.
class TDialogButton : public TProbe {
public:
  TDialogButton(vcl::TComponent* AOwner, vcl::TWinControl* AParent, vcl::Word AnswerKey, vcl::TRect Bounds)
      : TProbe(AOwner, AParent, Bounds), FAnswerKey(AnswerKey) {}
  int Presses = 0;

  void Dispatch(vcl::TMessage& Message) override {
    if (Message.Msg == vcl::CM_DIALOGKEY && Message.WParam == FAnswerKey) {
      ++Presses;
      Message.Result = 1;
      return;
    }
    TProbe::Dispatch(Message);
  }

private:
  vcl::Word FAnswerKey;
};

}  // namespace vcltest
