// What the report list views of the driver's dialogs add to the system's
// list view: a column dragged by its heading and dropped on another is
// reported as a column move (the system's own reordering is refused, so
// the columns themselves move), a row dragged and dropped on another row is
// reported as a row drop, and a cell of a column other than the first can
// be edited in place in an edit box over it. Reports reach the dialog as
// the messages below; Win32DialogView turns them into ListEvents.
#pragma once
#include <windows.h>

#include <string>

namespace tolven::dialogs {

// wParam: the list's control id; lParam: MAKELPARAM(from, target).
inline constexpr UINT kListColumnMovedMessage = WM_APP + 110;
inline constexpr UINT kListRowDroppedMessage = WM_APP + 111;
// wParam: the list's control id; lParam: the ListEdit (valid during the send).
inline constexpr UINT kListCellEditedMessage = WM_APP + 112;

// wParam: the list's control id; lParam: the column. Answers nonzero when
// the column's cells may be edited.
inline constexpr UINT kListCanEditMessage = WM_APP + 113;
// Sent to the list: a row drag begins (wParam: the row).
inline constexpr UINT kListBeginRowDragMessage = WM_APP + 114;

struct ListEdit {
  int row, column;
  std::wstring text;
};

// Subclasses `list` once (later calls do nothing).
void AttachListBehaviour(HWND list);

// Opens the edit box over cell (row, column) with its text fully selected.
void EditListCell(HWND list, int row, int column);

}  // namespace tolven::dialogs
