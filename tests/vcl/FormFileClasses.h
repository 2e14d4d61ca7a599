#pragma once
// Controls and a form with published properties, for the form-file tests of the framework.

#include <string>
#include <vector>

#include "Forms.h"
#include "TypInfo.h"

namespace vcltest {

// Publishes the inherited properties a custom-drawn view publishes and, like one, sets
// Color and TabStop in its constructor.
class TSampleControl : public vcl::TCustomControl {
public:
  const vcl::TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const vcl::TClassInfo& StaticClassInfo();
  explicit TSampleControl(vcl::TComponent* AOwner);
  void Loaded() override;
  std::vector<std::string> Events;  // "loaded", with the state seen then
};

// A container that changes nothing in its constructor.
class TSamplePanel : public vcl::TCustomControl {
public:
  const vcl::TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const vcl::TClassInfo& StaticClassInfo();
  using TCustomControl::TCustomControl;
};

// A windowless control: it cannot hold other controls.
class TSampleShape : public vcl::TGraphicControl {
public:
  const vcl::TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const vcl::TClassInfo& StaticClassInfo();
  using TGraphicControl::TGraphicControl;
};

// A non-visual component that controls refer to (a pop-up menu stands in for any).
class TSampleMenu : public vcl::TComponent {
public:
  const vcl::TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const vcl::TClassInfo& StaticClassInfo();
  using TComponent::TComponent;
};

class TSampleForm : public vcl::TForm {
public:
  const vcl::TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const vcl::TClassInfo& StaticClassInfo();
  using TForm::TForm;

  TSamplePanel* Panel1 = nullptr;
  TSampleControl* Sample1 = nullptr;
  TSampleControl* Sample2 = nullptr;
  TSampleShape* Shape1 = nullptr;
  TSampleMenu* Menu1 = nullptr;
  std::vector<std::string> Calls;
  void SampleClick(vcl::TObject* Sender);
  void SampleKeyDown(vcl::TObject* Sender, vcl::Word& Key, vcl::TShiftState Shift);
  void FormPaint(vcl::TObject* Sender);
};

// Registers the classes above once, so that form text can name them.
void RegisterSampleClasses();

}  // namespace vcltest
