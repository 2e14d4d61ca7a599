// The card view's published properties and events, in the order form files store them.

#include "Ostrel.h"
#include "TypInfo.h"

namespace ostrel {

const TClassInfo& TOstrelItems::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TOstrelItems>("TOstrelItems", &TPersistent::StaticClassInfo()).Build();
  return Info;
}

const TClassInfo& TOstrel::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TOstrel>("TOstrel", &TCustomControl::StaticClassInfo())
          .Creates()
          .Object("Items", &TOstrel::GetItems, &TOstrel::SetTableItems)
          .Bool("CustomDrawing", &TOstrel::GetCustomDrawing, &TOstrel::SetCustomDrawing, false)
          .Integer("ItemLineHeight", &TOstrel::GetItemLineHeight, &TOstrel::SetItemLineHeight, 16)
          .Integer("CaptionHeight", &TOstrel::GetCaptionHeight, &TOstrel::SetCaptionHeight, 16)
          .Color("CaptionColor", &TOstrel::GetCaptionColor, &TOstrel::SetCaptionColor, clSilver)
          .Object("CaptionFont", &TOstrel::GetCaptionFont, &TOstrel::SetCaptionFont)
          .Integer("ColumnWidth", &TOstrel::GetColumnWidth, &TOstrel::SetColumnWidth, 100)
          .Integer("ItemTextWidth", &TOstrel::GetItemTextWidth, &TOstrel::SetItemTextWidth, 70)
          .Integer("BorderWidth", &TOstrel::GetBorderWidth, &TOstrel::SetBorderWidth, 6)
          .Enum("BorderStyle", &TOstrel::GetBorderStyle, &TOstrel::SetBorderStyle, {"bsNone", "bsSingle"}, bsSingle)
          .String("NoItemsText", &TOstrel::GetNoItemsText, &TOstrel::SetNoItemsText)
          .Bool("ShowDividers", &TOstrel::GetShowDividers, &TOstrel::SetShowDividers, true)
          .Color("DividersColor", &TOstrel::GetDividersColor, &TOstrel::SetDividersColor, clSilver)
          .Color("SelectionColor", &TOstrel::GetSelectionColor, &TOstrel::SetSelectionColor, clHighlight)
          .Color("SelectionTextColor", &TOstrel::GetSelectionTextColor, &TOstrel::SetSelectionTextColor,
                 clHighlightText)
          .Bool("AllowSizing", &TOstrel::GetAllowSizing, &TOstrel::SetAllowSizing, true)
          .Bool("HideSelection", &TOstrel::GetHideSelection, &TOstrel::SetHideSelection, false)
          .Bool("Sorted", &TOstrel::GetSorted, &TOstrel::SetSorted)
          .Bool("CustomSort", &TOstrel::GetCustomSort, &TOstrel::SetCustomSort)
          .Bool("RightClickSelect", &TOstrel::GetRightClickSelect, &TOstrel::SetRightClickSelect, true)
          .Bool("ReadOnly", &TOstrel::GetReadOnly, &TOstrel::SetReadOnly)
          .Integer("MaxItemHintWidth", &TOstrel::GetMaxItemHintWidth, &TOstrel::SetMaxItemHintWidth, 100)
          .Bool("ItemsHints", &TOstrel::GetItemsHints, &TOstrel::SetItemsHints)
          .Bool("TypeAhead", &TOstrel::GetTypeAhead, &TOstrel::SetTypeAhead)
          .Publish(CustomControlPublishedProperties)
          .Event("OnDeletion", &TOstrel::GetOnDeletion, &TOstrel::SetOnDeletion)
          .Event("OnItemHeight", &TOstrel::GetOnItemHeight, &TOstrel::SetOnItemHeight)
          .Event("OnChange", &TOstrel::GetOnChange, &TOstrel::SetOnChange)
          .Event("OnChanging", &TOstrel::GetOnChanging, &TOstrel::SetOnChanging)
          .Event("OnDrawItem", &TOstrel::GetOnDrawItem, &TOstrel::SetOnDrawItem)
          .Event("OnSortItems", &TOstrel::GetOnSortItems, &TOstrel::SetOnSortItems)
          .Event("OnColumnSized", &TOstrel::GetOnColumnSized, &TOstrel::SetOnColumnSized)
          .Event("OnEditingSubItem", &TOstrel::GetOnEditingSubItem, &TOstrel::SetOnEditingSubItem)
          .Event("OnEditedSubItem", &TOstrel::GetOnEditedSubItem, &TOstrel::SetOnEditedSubItem)
          .Event("OnItemHint", &TOstrel::GetOnItemHint, &TOstrel::SetOnItemHint)
          .Publish(CustomControlPublishedEvents)
          .Build();
  return Info;
}

namespace {
// Form files create card views by class name.
[[maybe_unused]] const bool Registered = (RegisterClass(TOstrel::StaticClassInfo()), true);
}  // namespace

}  // namespace ostrel
