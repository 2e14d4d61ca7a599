// The published properties and events of the standard controls, in form-file order.

#include "ExtCtrls.h"
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

const TClassInfo& TButtonControl::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TButtonControl>("TButtonControl", &TWinControl::StaticClassInfo()).Build();
  return Info;
}

// Buttons and check boxes stop tabbing only when told: TabStop is stored against True.
const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TButton>("TButton", &TButtonControl::StaticClassInfo())
          .Creates()
          .Bool("Cancel", &TButton::GetCancel, &TButton::SetCancel, false)
          .Bool("Default", &TButton::GetDefault, &TButton::SetDefault, false)
          .Integer("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult, mrNone)
          .Bool("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop, true)
          .Publish({"Anchors", "BiDiMode", "Caption", "Constraints", "DragCursor", "DragKind", "DragMode", "Enabled",
                    "Font", "ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder",
                    "Visible"})
          .Publish({"OnClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove",
                    "OnMouseUp"})
          .Build();
  return Info;
}

const TClassInfo& TCheckBox::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TCheckBox>("TCheckBox", &TButtonControl::StaticClassInfo())
          .Creates()
          .Bool("AllowGrayed", &TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed, false)
          .Bool("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked, false)
          .Stored(false)  // State holds it
          .Enum("State", &TCheckBox::GetState, &TCheckBox::SetState, {"cbUnchecked", "cbChecked", "cbGrayed"},
                cbUnchecked)
          .Bool("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop, true)
          .Publish({"Anchors", "BiDiMode", "Caption", "Color", "Constraints", "Ctl3D", "DragCursor", "DragKind",
                    "DragMode", "Enabled", "Font", "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
                    "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "Visible"})
          .Publish({"OnClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove",
                    "OnMouseUp"})
          .Build();
  return Info;
}

const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TLabel>("TLabel", &TGraphicControl::StaticClassInfo())
          .Creates()
          .Enum("Alignment", &TLabel::GetAlignment, &TLabel::SetAlignment,
                {"taLeftJustify", "taRightJustify", "taCenter"}, taLeftJustify)
          .Bool("AutoSize", &TLabel::GetAutoSize, &TLabel::SetAutoSize, true)
          .Component("FocusControl", &TLabel::GetFocusControl, &TLabel::SetFocusControl)
          .Enum("Layout", &TLabel::GetLayout, &TLabel::SetLayout, {"tlTop", "tlCenter", "tlBottom"}, tlTop)
          .Bool("ShowAccelChar", &TLabel::GetShowAccelChar, &TLabel::SetShowAccelChar, true)
          .Bool("Transparent", &TLabel::GetTransparent, &TLabel::SetTransparent, false)
          .Bool("WordWrap", &TLabel::GetWordWrap, &TLabel::SetWordWrap, false)
          .Publish({"Align", "Anchors", "BiDiMode", "Caption", "Color", "Constraints", "DragCursor", "DragKind",
                    "DragMode", "Enabled", "Font", "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint",
                    "PopupMenu", "ShowHint", "Visible"})
          .Publish({"OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnMouseDown",
                    "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"})
          .Build();
  return Info;
}

const TClassInfo& TGroupBox::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TGroupBox>("TGroupBox", &TCustomControl::StaticClassInfo())
          .Creates()
          .Publish({"Align", "Anchors", "BiDiMode", "Caption", "Color", "Constraints", "Ctl3D", "DragCursor",
                    "DragKind", "DragMode", "Enabled", "Font", "ParentBiDiMode", "ParentColor", "ParentCtl3D",
                    "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"})
          .Publish({"OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter",
                    "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"})
          .Build();
  return Info;
}

namespace {
// Form files create the standard and extended controls by class name. They register here,
// in the unit the peer registry keeps linked.
[[maybe_unused]] const bool Registered =
    (RegisterClasses({&TEdit::StaticClassInfo(), &TButton::StaticClassInfo(), &TCheckBox::StaticClassInfo(),
                      &TLabel::StaticClassInfo(), &TGroupBox::StaticClassInfo(), &TPanel::StaticClassInfo(),
                      &TImage::StaticClassInfo()}),
     true);
}  // namespace

}  // namespace vcl
