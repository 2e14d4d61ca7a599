// The properties and events of the control classes, with the defaults form files compare
// against. TControl publishes only what every control shows; the rest is registered
// protected, and each control class publishes the part it supports, in its own order.

#include "Controls.h"
#include "IdentMaps.h"
#include "TypInfo.h"

namespace vcl {

const TClassInfo& TSizeConstraints::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TSizeConstraints>("TSizeConstraints", &TPersistent::StaticClassInfo())
          .Integer("MaxHeight", &TSizeConstraints::GetMaxHeight, &TSizeConstraints::SetMaxHeight, 0)
          .Integer("MaxWidth", &TSizeConstraints::GetMaxWidth, &TSizeConstraints::SetMaxWidth, 0)
          .Integer("MinHeight", &TSizeConstraints::GetMinHeight, &TSizeConstraints::SetMinHeight, 0)
          .Integer("MinWidth", &TSizeConstraints::GetMinWidth, &TSizeConstraints::SetMinWidth, 0)
          .Build();
  return Info;
}

// Left, Top, Width and Height have no default clause: they are always stored. A property
// that can follow the parent is stored only while it does not.
const TClassInfo& TControl::StaticClassInfo() {
  RegisterIdentMaps();
  static const TClassInfo Info =
      TClassInfoBuilder<TControl>("TControl", &TComponent::StaticClassInfo())
          .Integer("Left", &TControl::GetLeft, &TControl::SetLeft)
          .Integer("Top", &TControl::GetTop, &TControl::SetTop)
          .Integer("Width", &TControl::GetWidth, &TControl::SetWidth)
          .Integer("Height", &TControl::GetHeight, &TControl::SetHeight)
          .Integer("Cursor", &TControl::GetCursor, &TControl::SetCursor, crDefault)
          .TypeName("TCursor")
          .String("Hint", &TControl::GetHint, &TControl::SetHint, "")
          .Integer("HelpContext", &TControl::GetHelpContext, &TControl::SetHelpContext, 0)
          .Enum("Align", &TControl::GetAlign, &TControl::SetAlign,
                {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, alNone)
          .Protected()
          .Set("Anchors", &TControl::GetAnchors, &TControl::SetAnchors, {"akLeft", "akTop", "akRight", "akBottom"},
               TAnchors{akLeft, akTop})
          .Protected()
          .Enum("BiDiMode", &TControl::GetBiDiMode, &TControl::SetBiDiMode,
                {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"})
          .Stored(&TControl::IsBiDiModeStored)
          .Protected()
          .String("Caption", &TControl::GetCaption, &TControl::SetCaption, "")
          .Protected()
          .Color("Color", &TControl::GetColor, &TControl::SetColor, clWindow)
          .Stored(&TControl::IsColorStored)
          .Protected()
          .Object("Constraints", &TControl::GetConstraints, &TControl::SetConstraints)
          .Protected()
          .Bool("Ctl3D", &TControl::GetCtl3D, &TControl::SetCtl3D)
          .Stored(&TControl::IsCtl3DStored)
          .Protected()
          .Integer("DragCursor", &TControl::GetDragCursor, &TControl::SetDragCursor, crDrag)
          .TypeName("TCursor")
          .Protected()
          .Enum("DragKind", &TControl::GetDragKind, &TControl::SetDragKind, {"dkDrag", "dkDock"}, dkDrag)
          .Protected()
          .Enum("DragMode", &TControl::GetDragMode, &TControl::SetDragMode, {"dmManual", "dmAutomatic"}, dmManual)
          .Protected()
          .Bool("Enabled", &TControl::GetEnabled, &TControl::SetEnabled, true)
          .Protected()
          .Object("Font", &TControl::GetFont, &TControl::SetFont)
          .Stored(&TControl::IsFontStored)
          .Protected()
          .Bool("ParentBiDiMode", &TControl::GetParentBiDiMode, &TControl::SetParentBiDiMode, true)
          .Protected()
          .Bool("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor, true)
          .Protected()
          .Bool("ParentCtl3D", &TControl::GetParentCtl3D, &TControl::SetParentCtl3D, true)
          .Protected()
          .Bool("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont, true)
          .Protected()
          .Bool("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint, true)
          .Protected()
          .Component("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu)
          .Protected()
          .Bool("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint)
          .Stored(&TControl::IsShowHintStored)
          .Protected()
          .Bool("Visible", &TControl::GetVisible, &TControl::SetVisible, true)
          .Protected()
          .Event("OnCanResize", &TControl::GetOnCanResize, &TControl::SetOnCanResize)
          .Protected()
          .Event("OnClick", &TControl::GetOnClick, &TControl::SetOnClick)
          .Protected()
          .Event("OnConstrainedResize", &TControl::GetOnConstrainedResize, &TControl::SetOnConstrainedResize)
          .Protected()
          .Event("OnDblClick", &TControl::GetOnDblClick, &TControl::SetOnDblClick)
          .Protected()
          .Event("OnDragDrop", &TControl::GetOnDragDrop, &TControl::SetOnDragDrop)
          .Protected()
          .Event("OnDragOver", &TControl::GetOnDragOver, &TControl::SetOnDragOver)
          .Protected()
          .Event("OnEndDock", &TControl::GetOnEndDock, &TControl::SetOnEndDock)
          .Protected()
          .Event("OnEndDrag", &TControl::GetOnEndDrag, &TControl::SetOnEndDrag)
          .Protected()
          .Event("OnMouseDown", &TControl::GetOnMouseDown, &TControl::SetOnMouseDown)
          .Protected()
          .Event("OnMouseMove", &TControl::GetOnMouseMove, &TControl::SetOnMouseMove)
          .Protected()
          .Event("OnMouseUp", &TControl::GetOnMouseUp, &TControl::SetOnMouseUp)
          .Protected()
          .Event("OnResize", &TControl::GetOnResize, &TControl::SetOnResize)
          .Protected()
          .Event("OnStartDock", &TControl::GetOnStartDock, &TControl::SetOnStartDock)
          .Protected()
          .Event("OnStartDrag", &TControl::GetOnStartDrag, &TControl::SetOnStartDrag)
          .Protected()
          .Build();
  return Info;
}

// TabOrder has the default -1, which a control with a parent never has: it is always stored.
const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TWinControl>("TWinControl", &TControl::StaticClassInfo())
          .Enum("ImeMode", &TControl::GetImeMode, &TControl::SetImeMode,
                {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata", "imKata",
                 "imChinese", "imSHanguel", "imHanguel"},
                imDontCare)
          .Protected()
          .String("ImeName", &TControl::GetImeName, &TControl::SetImeName, "")
          .Protected()
          .Integer("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder, -1)
          .Protected()
          .Bool("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop, false)
          .Protected()
          .Event("OnDockDrop", &TControl::GetOnDockDrop, &TControl::SetOnDockDrop)
          .Protected()
          .Event("OnDockOver", &TControl::GetOnDockOver, &TControl::SetOnDockOver)
          .Protected()
          .Event("OnEnter", &TWinControl::GetOnEnter, &TWinControl::SetOnEnter)
          .Protected()
          .Event("OnExit", &TWinControl::GetOnExit, &TWinControl::SetOnExit)
          .Protected()
          .Event("OnGetSiteInfo", &TWinControl::GetOnGetSiteInfo, &TWinControl::SetOnGetSiteInfo)
          .Protected()
          .Event("OnKeyDown", &TWinControl::GetOnKeyDown, &TWinControl::SetOnKeyDown)
          .Protected()
          .Event("OnKeyPress", &TWinControl::GetOnKeyPress, &TWinControl::SetOnKeyPress)
          .Protected()
          .Event("OnKeyUp", &TWinControl::GetOnKeyUp, &TWinControl::SetOnKeyUp)
          .Protected()
          .Event("OnUnDock", &TWinControl::GetOnUnDock, &TWinControl::SetOnUnDock)
          .Protected()
          .Build();
  return Info;
}

// Constant-initialised, so that class descriptions made during static initialisation in
// other files can already read them.
constinit const std::array<const char*, 23> CustomControlPublishedProperties = {
    "Align",    "Anchors",     "BiDiMode",    "Color",      "Constraints",    "Ctl3D",
    "DragCursor", "DragKind",  "DragMode",    "Enabled",    "Font",           "ImeMode",
    "ImeName",  "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint",
    "PopupMenu", "ShowHint",   "TabOrder",    "TabStop",    "Visible"};

constinit const std::array<const char*, 23> CustomControlPublishedEvents = {
    "OnCanResize", "OnClick",    "OnConstrainedResize", "OnDblClick",  "OnDockDrop",  "OnDragDrop",
    "OnDockOver",  "OnDragOver", "OnEndDock",           "OnEndDrag",   "OnEnter",     "OnExit",
    "OnGetSiteInfo", "OnKeyDown", "OnKeyPress",         "OnKeyUp",     "OnMouseDown", "OnMouseMove",
    "OnMouseUp",   "OnResize",   "OnStartDrag",         "OnStartDock", "OnUnDock"};

const TClassInfo& TCustomControl::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TCustomControl>("TCustomControl", &TWinControl::StaticClassInfo()).Build();
  return Info;
}

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClassInfo()).Build();
  return Info;
}

}  // namespace vcl
