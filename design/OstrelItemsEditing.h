#pragma once
// Running the items editor on a card list, as the design-time editors and programs do.

#include "DesignIntf.h"
#include "OstrelItemsEditorFormUnit.h"

namespace ostrel {

// Shows Dialog (new, made by the caller, who frees it afterwards) modally on a copy of
// Cards, with the reading direction of the card view that holds them. Apply copies the
// dialog's cards into Cards and tells Designer (which may be empty); OK copies them back
// once more and gives true; Cancel, Esc and the close box give false and keep what the
// last Apply left.
bool ExecuteItemsEditor(TOstrelItemsEditorForm& Dialog, TOstrelItems* Cards, const vcl::IFormDesignerRef& Designer);

}  // namespace ostrel
