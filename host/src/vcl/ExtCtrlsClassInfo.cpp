// The published properties and events of panels, pictures and images, in form-file order.

#include "ExtCtrls.h"
#include "TypInfo.h"

namespace vcl {

namespace {
const std::initializer_list<const char*> BevelNames = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
}

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TPanel>("TPanel", &TCustomControl::StaticClassInfo())
          .Creates()
          .Enum("Alignment", &TPanel::GetAlignment, &TPanel::SetAlignment,
                {"taLeftJustify", "taRightJustify", "taCenter"}, taCenter)
          .Enum("BevelInner", &TPanel::GetBevelInner, &TPanel::SetBevelInner, BevelNames, bvNone)
          .Enum("BevelOuter", &TPanel::GetBevelOuter, &TPanel::SetBevelOuter, BevelNames, bvRaised)
          .Integer("BevelWidth", &TPanel::GetBevelWidth, &TPanel::SetBevelWidth, 1)
          .Integer("BorderWidth", &TPanel::GetBorderWidth, &TPanel::SetBorderWidth, 0)
          .Enum("BorderStyle", &TPanel::GetBorderStyle, &TPanel::SetBorderStyle, {"bsNone", "bsSingle"}, bsNone)
          .Publish({"Align", "Anchors", "BiDiMode", "Caption", "Color", "Constraints", "Ctl3D", "DragCursor",
                    "DragKind", "DragMode", "Enabled", "Font", "ParentBiDiMode", "ParentColor", "ParentCtl3D",
                    "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"})
          .Publish({"OnCanResize", "OnClick", "OnConstrainedResize", "OnDblClick", "OnDragDrop", "OnDragOver",
                    "OnEndDock", "OnEndDrag", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp",
                    "OnResize", "OnStartDock", "OnStartDrag"})
          .Build();
  return Info;
}

// The bitmap goes in the binary property "Data".
const TClassInfo& TPicture::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TPicture>("TPicture", &TPersistent::StaticClassInfo()).Build();
  return Info;
}

const TClassInfo& TImage::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TImage>("TImage", &TGraphicControl::StaticClassInfo())
          .Creates()
          .Bool("AutoSize", &TImage::GetAutoSize, &TImage::SetAutoSize, false)
          .Bool("Center", &TImage::GetCenter, &TImage::SetCenter, false)
          .Object("Picture", &TImage::GetPicture, &TImage::SetPicture)
          .Bool("Stretch", &TImage::GetStretch, &TImage::SetStretch, false)
          .Publish({"Align", "Anchors", "Constraints", "DragCursor", "DragKind", "DragMode", "Enabled",
                    "ParentShowHint", "PopupMenu", "ShowHint", "Visible"})
          .Publish({"OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnMouseDown",
                    "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"})
          .Build();
  return Info;
}

}  // namespace vcl
