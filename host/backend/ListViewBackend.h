#pragma once
// The window system's list view as the framework's list view sees it. Free of Qt types.

#include <utility>
#include <vector>

#include "ComCtrls.h"

namespace vcl::backend {

// What the window tells its control through CN_NOTIFY (LParam points to one of these).
struct TListNotify {
  enum TCode { StateChanged, CaptionEdited, ColumnClicked } Code = StateChanged;
  std::vector<bool> Selected;  // StateChanged: the state of every row
  int Focused = -1;
  int Index = -1;              // CaptionEdited: the row; ColumnClicked: the column
  AnsiString Text;             // CaptionEdited: the new caption
};

struct TListOptions {
  bool Report = true;
  bool RowSelect = false;
  bool HideSelection = true;
  bool ReadOnly = false;
  bool ColumnClick = true;
  bool HotTrack = false;
  bool MultiSelect = false;
};

// Changes made here are not reported back.
void SetListColumns(HWND Wnd, const std::vector<std::pair<AnsiString, int>>& Columns);
void SetListRows(HWND Wnd, const std::vector<std::vector<AnsiString>>& Rows);
void SetListRow(HWND Wnd, int Index, const std::vector<AnsiString>& Cells);
void SetListStates(HWND Wnd, const std::vector<bool>& Selected, int Focused);
void SetListOptions(HWND Wnd, const TListOptions& Options);
void SetListAppearance(HWND Wnd, const TFont& Font, TColor Color);
// The row at a client point, or -1.
int ListRowAt(HWND Wnd, int X, int Y);
// The row's rectangle in client coordinates; empty when it is not in view.
TRect ListRowRect(HWND Wnd, int Index);

}  // namespace vcl::backend
