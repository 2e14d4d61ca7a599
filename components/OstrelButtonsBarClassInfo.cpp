// The letter index bar's published properties and events, in the order form files store
// them, and its palette registration.

#include "OstrelButtonsBar.h"
#include "TypInfo.h"

namespace ostrel {

const TClassInfo& TOstrelButtonsBar::StaticClassInfo() {
  using T = TOstrelButtonsBar;
  static const TClassInfo Info =
      TClassInfoBuilder<T>("TOstrelButtonsBar", &TCustomControl::StaticClassInfo())
          .Creates()
          .Enum("BarAlignment", &T::GetBarAlignment, &T::SetBarAlignment, {"baHorizontal", "baVertical"}, baVertical)
          .Integer("ButtonWidth", &T::GetButtonWidth, &T::SetButtonWidth, 30)
          .Integer("ButtonHeight", &T::GetButtonHeight, &T::SetButtonHeight, 20)
          .Integer("BorderWidth", &T::GetBorderWidth, &T::SetBorderWidth, 5)
          .Color("ButtonColor", &T::GetButtonColor, &T::SetButtonColor, clBtnFace)
          .Bool("Show123Button", &T::GetShow123Button, &T::SetShow123Button, true)
          .Component("Ostrel", &T::GetOstrel, &T::SetOstrel)
          .Event("OnButtonClick", &T::GetOnButtonClick, &T::SetOnButtonClick)
          .Publish({"Align", "Ctl3D", "Color", "Cursor", "DragCursor", "DragKind", "DragMode", "Enabled",
                    "ParentColor", "ParentCtl3D", "ParentShowHint", "PopupMenu", "Font", "Anchors", "Constraints",
                    "BiDiMode", "ParentBiDiMode", "ParentFont", "ShowHint", "Visible"})
          // The keyboard extension's switch, and the place in the tab order it gives.
          .Publish({"TabOrder", "TabStop"})
          .Publish({"OnCanResize", "OnClick", "OnConstrainedResize", "OnDblClick", "OnDockDrop", "OnDockOver",
                    "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnGetSiteInfo", "OnMouseDown",
                    "OnMouseMove", "OnMouseUp", "OnResize", "OnStartDock", "OnStartDrag", "OnUnDock"})
          .Build();
  return Info;
}

namespace {
// Form files create bars by class name.
[[maybe_unused]] const bool Registered = (RegisterClass(TOstrelButtonsBar::StaticClassInfo()), true);
}  // namespace

namespace OstrelButtonsBar {

void Register() { RegisterComponents("Velmora", {&TOstrelButtonsBar::StaticClassInfo()}); }

}  // namespace OstrelButtonsBar

}  // namespace ostrel
