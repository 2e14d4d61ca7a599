// The properties and events of forms. A form does not follow a parent's font or colour,
// so its file always records Color and the Font's properties.

#include "Forms.h"
#include "Menus.h"
#include "TypInfo.h"

namespace vcl {

const TClassInfo& TCustomForm::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TCustomForm>("TCustomForm", &TWinControl::StaticClassInfo())
          .Component("ActiveControl", &TCustomForm::GetActiveControl, &TCustomForm::SetActiveControl)
          .Protected()
          .Enum("BorderStyle", &TCustomForm::GetBorderStyle, &TCustomForm::SetBorderStyle,
                {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}, bsSizeable)
          .Protected()
          .Bool("KeyPreview", &TCustomForm::GetKeyPreview, &TCustomForm::SetKeyPreview, false)
          .Protected()
          .Enum("Position", &TCustomForm::GetPosition, &TCustomForm::SetPosition,
                {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                 "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
                poDesigned)
          .Protected()
          .Component("Menu", &TCustomForm::GetMenu, &TCustomForm::SetMenu)
          .Protected()
          .Bool("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont, false)
          .Protected()
          .Bool("Visible", &TControl::GetVisible, &TControl::SetVisible, false)
          .Protected()
          .Event("OnActivate", &TCustomForm::GetOnActivate, &TCustomForm::SetOnActivate)
          .Protected()
          .Event("OnClose", &TCustomForm::GetOnClose, &TCustomForm::SetOnClose)
          .Protected()
          .Event("OnCreate", &TCustomForm::GetOnCreate, &TCustomForm::SetOnCreate)
          .Protected()
          .Event("OnCloseQuery", &TCustomForm::GetOnCloseQuery, &TCustomForm::SetOnCloseQuery)
          .Protected()
          .Event("OnDeactivate", &TCustomForm::GetOnDeactivate, &TCustomForm::SetOnDeactivate)
          .Protected()
          .Event("OnDestroy", &TCustomForm::GetOnDestroy, &TCustomForm::SetOnDestroy)
          .Protected()
          .Event("OnPaint", &TCustomForm::GetOnPaint, &TCustomForm::SetOnPaint)
          .Protected()
          .Event("OnShow", &TCustomForm::GetOnShow, &TCustomForm::SetOnShow)
          .Protected()
          .Build();
  return Info;
}

// Only what the framework's forms act on; OnCreate fires when a form has read its stored
// description.
const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TForm>("TForm", &TCustomForm::StaticClassInfo())
          .Publish({"ActiveControl", "Align", "Anchors", "BiDiMode", "BorderStyle", "Caption", "Color",
                    "Constraints", "Ctl3D", "DragKind", "DragMode", "Enabled", "ParentFont", "Font", "KeyPreview",
                    "Menu", "ParentBiDiMode", "PopupMenu", "Position", "ShowHint", "Visible"})
          .Publish({"OnActivate", "OnCanResize", "OnClick", "OnClose", "OnCloseQuery", "OnConstrainedResize",
                    "OnCreate", "OnDblClick", "OnDestroy", "OnDeactivate", "OnDockDrop", "OnDockOver", "OnDragDrop", "OnDragOver",
                    "OnEndDock", "OnGetSiteInfo", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove",
                    "OnMouseUp", "OnPaint", "OnResize", "OnShow", "OnStartDock", "OnUnDock"})
          .Build();
  return Info;
}

}  // namespace vcl
