// The published properties and events of the common controls, in form-file order.

#include "ComCtrls.h"
#include "TypInfo.h"

namespace vcl {

const TClassInfo& TListColumn::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TListColumn>("TListColumn", &TCollectionItem::StaticClassInfo())
          .String("Caption", &TListColumn::GetCaption, &TListColumn::SetCaption, "")
          .Integer("Width", &TListColumn::GetWidth, &TListColumn::SetWidth, 50)
          .Build();
  return Info;
}

const TClassInfo& TListColumns::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TListColumns>("TListColumns", &TCollection::StaticClassInfo()).Build();
  return Info;
}

const TClassInfo& TListItems::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TListItems>("TListItems", &TPersistent::StaticClassInfo()).Build();
  return Info;
}

const TClassInfo& TCustomListView::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TCustomListView>("TCustomListView", &TWinControl::StaticClassInfo())
          .Enum("BorderStyle", &TCustomListView::GetBorderStyle, &TCustomListView::SetBorderStyle, {"bsNone", "bsSingle"},
                bsSingle)
          .Protected()
          .Bool("ColumnClick", &TCustomListView::GetColumnClick, &TCustomListView::SetColumnClick, true)
          .Protected()
          .Object("Columns", &TCustomListView::GetColumns, &TCustomListView::SetColumns)
          .Protected()
          .Bool("HideSelection", &TCustomListView::GetHideSelection, &TCustomListView::SetHideSelection, true)
          .Protected()
          .Set("HotTrackStyles", &TCustomListView::GetHotTrackStyles, &TCustomListView::SetHotTrackStyles,
               {"htHandPoint", "htUnderlineCold", "htUnderlineHot"}, 0)
          .Protected()
          .Object("Items", &TCustomListView::GetItems, &TCustomListView::SetItems)
          .Protected()
          .Bool("MultiSelect", &TCustomListView::GetMultiSelect, &TCustomListView::SetMultiSelect, false)
          .Protected()
          .Bool("ReadOnly", &TCustomListView::GetReadOnly, &TCustomListView::SetReadOnly, false)
          .Protected()
          .Bool("RowSelect", &TCustomListView::GetRowSelect, &TCustomListView::SetRowSelect, false)
          .Protected()
          .Enum("ViewStyle", &TCustomListView::GetViewStyle, &TCustomListView::SetViewStyle,
                {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}, vsIcon)
          .Protected()
          .Event("OnChange", &TCustomListView::GetOnChange, &TCustomListView::SetOnChange)
          .Protected()
          .Event("OnColumnClick", &TCustomListView::GetOnColumnClick, &TCustomListView::SetOnColumnClick)
          .Protected()
          .Build();
  return Info;
}

// A list view stops tabbing only when told: TabStop is stored against True.
const TClassInfo& TListView::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TListView>("TListView", &TCustomListView::StaticClassInfo())
          .Creates()
          .Bool("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop, true)
          .Publish({"Align", "Anchors", "BiDiMode", "BorderStyle", "Color", "ColumnClick", "Columns", "Constraints",
                    "Ctl3D", "Enabled", "Font", "HideSelection", "HotTrackStyles", "Items", "MultiSelect",
                    "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu", "ReadOnly",
                    "RowSelect", "ShowHint", "TabOrder", "ViewStyle", "Visible"})
          .Publish({"OnChange", "OnClick", "OnColumnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown",
                    "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp"})
          .Build();
  return Info;
}

const TClassInfo& TProgressBar::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TProgressBar>("TProgressBar", &TCustomControl::StaticClassInfo())
          .Creates()
          .Integer("Min", &TProgressBar::GetMin, &TProgressBar::SetMin, 0)
          .Integer("Max", &TProgressBar::GetMax, &TProgressBar::SetMax, 100)
          .Integer("Position", &TProgressBar::GetPosition, &TProgressBar::SetPosition, 0)
          .Publish({"Align", "Anchors", "BiDiMode", "Constraints", "Enabled", "ParentBiDiMode", "ParentShowHint",
                    "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"})
          .Build();
  return Info;
}

const TClassInfo& TStatusBar::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TStatusBar>("TStatusBar", &TCustomControl::StaticClassInfo())
          .Creates()
          .String("SimpleText", &TStatusBar::GetSimpleText, &TStatusBar::SetSimpleText, "")
          .Publish({"Align", "Anchors", "BiDiMode", "Color", "Constraints", "Enabled", "Font", "ParentBiDiMode",
                    "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "Visible"})
          .Build();
  return Info;
}

namespace {
// Form files create list views by class name.
[[maybe_unused]] const bool Registered = (RegisterClass(TListView::StaticClassInfo()),
                                          RegisterClass(TProgressBar::StaticClassInfo()),
                                          RegisterClass(TStatusBar::StaticClassInfo()), true);
}  // namespace

}  // namespace vcl
