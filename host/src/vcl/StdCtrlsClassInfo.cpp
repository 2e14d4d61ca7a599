// The published properties and events of the standard controls, in form-file order.

#include "StdCtrls.h"
#include "TypInfo.h"

namespace vcl {

const TClassInfo& TCustomEdit::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TCustomEdit>("TCustomEdit", &TWinControl::StaticClassInfo())
          .Bool("AutoSelect", &TCustomEdit::GetAutoSelect, &TCustomEdit::SetAutoSelect, true)
          .Protected()
          .Bool("AutoSize", &TCustomEdit::GetAutoSize, &TCustomEdit::SetAutoSize, true)
          .Protected()
          .Enum("BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle, {"bsNone", "bsSingle"},
                bsSingle)
          .Protected()
          .Integer("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength, 0)
          .Protected()
          .Bool("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly, false)
          .Protected()
          .String("Text", &TControl::GetText, &TControl::SetText, "")
          .Protected()
          .Event("OnChange", &TCustomEdit::GetOnChange, &TCustomEdit::SetOnChange)
          .Protected()
          .Build();
  return Info;
}

// An edit stops tabbing only when told: TabStop is stored against True.
const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TEdit>("TEdit", &TCustomEdit::StaticClassInfo())
          .Creates()
          .Bool("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop, true)
          .Publish({"Anchors", "AutoSelect", "AutoSize", "BiDiMode", "BorderStyle", "Color", "Constraints", "Ctl3D",
                    "DragCursor", "DragKind", "DragMode", "Enabled", "Font", "ImeMode", "ImeName", "MaxLength",
                    "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                    "ReadOnly", "ShowHint", "TabOrder", "Text", "Visible"})
          .Publish({"OnChange", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
                    "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove",
                    "OnMouseUp", "OnStartDock", "OnStartDrag"})
          .Build();
  return Info;
}

namespace {
// Form files create edits by class name.
[[maybe_unused]] const bool Registered = (RegisterClass(TEdit::StaticClassInfo()), true);
}  // namespace

}  // namespace vcl
