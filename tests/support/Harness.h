#pragma once
// Headless harness: real forms and controls under the offscreen platform, driven through
// the Qt event path as a user would drive them.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Forms.h"

namespace vcltest {

// A shown, active form with the given client size.
std::unique_ptr<vcl::TForm> MakeForm(int ClientWidth, int ClientHeight);

// Runs the event loop once: posted messages, input and repaints.
void ProcessMessages();
// Runs the event loop for that long: timers fall due meanwhile.
void RunFor(int Milliseconds);
// Runs the event loop until Done answers true or the time is up; the last answer.
bool RunUntil(const std::function<bool()>& Done, int TimeoutMilliseconds = 2000);

// Mouse input at client coordinates of Control (a windowless control goes through its parent).
void MouseDown(vcl::TControl* Control, int X, int Y, vcl::TMouseButton Button = vcl::mbLeft);
void MouseUp(vcl::TControl* Control, int X, int Y, vcl::TMouseButton Button = vcl::mbLeft);
void MouseMove(vcl::TControl* Control, int X, int Y);
// A click or double click stops early when a handler destroys the control.
void Click(vcl::TControl* Control, int X, int Y, vcl::TMouseButton Button = vcl::mbLeft);
void DoubleClick(vcl::TControl* Control, int X, int Y);

// A key press and release on the focused window, with the character it types if any.
void PressKey(vcl::Word Key, vcl::TShiftState Shift = {});

// Types UTF-8 text on the focused window, one key press and release per character.
void TypeText(const std::string& Text);
// A wheel event over Control's client point: angle in eighths of a degree (120 a notch,
// forward positive) or, when Pixels is set, a touchpad's pixel delta.
void Wheel(vcl::TControl* Control, int X, int Y, int AngleY, int AngleX = 0, bool Pixels = false);

// The colour of a client pixel of the control's surface, after pending repaints.
vcl::TColor PixelAt(vcl::TWinControl* Control, int X, int Y);
// Saves the control's surface for a person to look at.
bool SavePng(vcl::TWinControl* Control, const std::string& Path);

// Base fixture: exceptions that reach Application->HandleException are recorded; a test
// that expects some takes them, and any left over fail the test. No window may stay open.
class THostTest : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  std::vector<std::string> TakeExceptions();

private:
  std::vector<std::string> FExceptions;
};

}  // namespace vcltest
