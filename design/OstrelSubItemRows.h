#pragma once
// How the items editor shows a card's sub-items as list rows, and writes them back.

#include <optional>

#include "System.h"

namespace ostrel {

// One row of the sub-item list: a named sub-item ("Phone=123") is its name with a value
// cell (possibly empty); any other line ("Note", "=x", "") is its whole text without one.
struct TSubItemRow {
  vcl::AnsiString Caption;
  std::optional<vcl::AnsiString> Value;  // the "Value" column; absent for plain lines
  bool operator==(const TSubItemRow&) const = default;
};

// The row that stands for SubItem.
TSubItemRow SubItemToRow(const vcl::AnsiString& SubItem);
// The sub-item a row stands for: Caption=Value with a value cell, Caption alone without.
// RowToSubItem(SubItemToRow(S)) == S for every S, whatever names repeat elsewhere.
vcl::AnsiString RowToSubItem(const TSubItemRow& Row);

}  // namespace ostrel
