#pragma once
// The object inspector on the designer's window: the selected component's name and class,
// its properties and events with their values in a list, and below it the value of the
// chosen row to type over (Enter or leaving the box sets it, Esc takes it back) with a "..." button for the
// rows that have a dialog. A double click on a row steps a value that has a list of values
// (False, True) to the next one.

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "FormDesigner.h"
#include "InspectorRows.h"
#include "StdCtrls.h"

namespace designer {

class TInspectorView {
public:
  // Builds the inspector as a panel aligned to the left of Parent, components of Owner.
  TInspectorView(vcl::TComponent* Owner, vcl::TWinControl* Parent, std::shared_ptr<TFormDesigner> Designer);
  // The controls stay with their owner; their handlers no longer reach this view.
  ~TInspectorView();

  // Lists the designer's selected component afresh.
  void Inspect();
  // Shows the values again (after a change), keeping the rows and the chosen one.
  void UpdateValues();

  // Chooses the row of that name (case ignored); false when there is none.
  bool ChooseRow(const vcl::AnsiString& Name);
  // The chosen row's index, or -1.
  int GetChosenRow() const;
  // Sets the chosen row's value from the value box, as Enter does; a value the property
  // does not take is shown in a message box and the box shows the value again.
  void ApplyValue();

  const TInspectorRows& Rows() const { return FRows; }
  vcl::TPanel* GetPanel() const { return FPanel; }
  vcl::TLabel* Header = nullptr;        // "Ostrel1: TOstrel"
  vcl::TListView* List = nullptr;       // Property, Value
  vcl::TEdit* ValueEdit = nullptr;      // the chosen row's value
  vcl::TButton* DialogButton = nullptr; // "...", enabled for rows with a dialog

private:
  void RowChosen();
  void RunDialog();
  void StepValue();

  std::shared_ptr<TFormDesigner> FDesigner;
  TInspectorRows FRows;
  vcl::TPanel* FPanel;
};

}  // namespace designer
