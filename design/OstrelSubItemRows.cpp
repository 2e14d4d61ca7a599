#include "OstrelSubItemRows.h"

namespace ostrel {

using vcl::AnsiString;

TSubItemRow SubItemToRow(const AnsiString& SubItem) {
  const auto Equals = SubItem.find('=');
  // "=" first or absent: no name, so the line is shown whole.
  if (Equals == AnsiString::npos || Equals == 0) return TSubItemRow{SubItem, std::nullopt};
  return TSubItemRow{SubItem.substr(0, Equals), SubItem.substr(Equals + 1)};
}

AnsiString RowToSubItem(const TSubItemRow& Row) {
  return Row.Value ? Row.Caption + "=" + *Row.Value : Row.Caption;
}

}  // namespace ostrel
