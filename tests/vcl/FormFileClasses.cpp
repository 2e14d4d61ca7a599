#include "FormFileClasses.h"

using namespace vcl;

namespace vcltest {

const TClassInfo& TSampleControl::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TSampleControl>("TSampleControl", &TCustomControl::StaticClassInfo())
          .Creates()
          .Publish(CustomControlPublishedProperties)
          .Publish(CustomControlPublishedEvents)
          .Build();
  return Info;
}

TSampleControl::TSampleControl(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 120, 60);
  SetColor(clWhite);
  SetTabStop(true);
}

void TSampleControl::Loaded() {
  TCustomControl::Loaded();
  std::string State = "loaded";
  if (HasState(csLoading)) State += " loading";
  if (HasState(csReading)) State += " reading";
  if (GetParent() == nullptr) State += " without parent";
  Events.push_back(State);
}

const TClassInfo& TSamplePanel::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TSamplePanel>("TSamplePanel", &TCustomControl::StaticClassInfo())
                                     .Creates()
                                     .Publish({"Align", "Caption", "Color", "Font", "ParentColor", "ParentFont",
                                               "TabOrder", "TabStop", "Visible", "OnClick"})
                                     .Build();
  return Info;
}

const TClassInfo& TSampleShape::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TSampleShape>("TSampleShape", &TGraphicControl::StaticClassInfo())
                                     .Creates()
                                     .Publish({"Color", "ParentColor", "Visible", "OnClick"})
                                     .Build();
  return Info;
}

const TClassInfo& TSampleMenu::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TSampleMenu>("TSampleMenu", &TComponent::StaticClassInfo()).Creates().Build();
  return Info;
}

const TClassInfo& TSampleForm::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TSampleForm>("TSampleForm", &TForm::StaticClassInfo())
                                     .Field("Panel1", &TSampleForm::Panel1)
                                     .Field("Sample1", &TSampleForm::Sample1)
                                     .Field("Sample2", &TSampleForm::Sample2)
                                     .Field("Shape1", &TSampleForm::Shape1)
                                     .Field("Menu1", &TSampleForm::Menu1)
                                     .Method("SampleClick", &TSampleForm::SampleClick)
                                     .Method("SampleKeyDown", &TSampleForm::SampleKeyDown)
                                     .Method("FormPaint", &TSampleForm::FormPaint)
                                     .Build();
  return Info;
}

void TSampleForm::SampleClick(TObject* Sender) {
  Calls.push_back("SampleClick " + dynamic_cast<TComponent*>(Sender)->GetName());
}

void TSampleForm::SampleKeyDown(TObject* Sender, Word& Key, TShiftState) {
  Calls.push_back("SampleKeyDown " + dynamic_cast<TComponent*>(Sender)->GetName() + " " + std::to_string(Key));
  Key = 0;
}

void TSampleForm::FormPaint(TObject*) { Calls.push_back("FormPaint"); }

void RegisterSampleClasses() {
  static const bool Done = [] {
    RegisterClasses({&TSampleControl::StaticClassInfo(), &TSamplePanel::StaticClassInfo(),
                     &TSampleShape::StaticClassInfo(), &TSampleMenu::StaticClassInfo()});
    return true;
  }();
  (void)Done;
}

}  // namespace vcltest
