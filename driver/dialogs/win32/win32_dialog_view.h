// The Win32 view of one dialog or property-sheet page: the DialogView
// requests answered with the messages of the window's controls (combo
// boxes, list boxes, buttons, track and progress bars, the report list
// view), and the dialog messages a presenter hears (commands, track bar
// scrolls, list view notifications, typed characters, posted requests)
// handed to it.
#pragma once
#include <windows.h>

#include "driver/dialogs/dialog_view.h"

namespace tolven::dialogs {

// The private messages the views post to their own windows.
inline constexpr UINT kPostedRequestMessage = WM_APP + 101;

class Win32DialogView : public DialogView {
 public:
  void Attach(HWND dialog) { dialog_ = dialog; }
  HWND Window() const { return dialog_; }

  int AddListItem(int control, WStringView text, uintptr_t data) override;
  int ListCount(int control) override;
  WString ListItemText(int control, int index) override;
  uintptr_t ListItemData(int control, int index) override;
  int ListSelection(int control) override;
  bool SelectListItem(int control, int index) override;

  void SetControlText(int control, WStringView text) override;
  WString ControlText(int control) override;
  void SetChecked(int control, bool checked) override;
  bool IsChecked(int control) override;

  void SetRange(int control, int minimum, int maximum) override;
  void SetPosition(int control, int position) override;
  int Position(int control) override;
  void SetStepSizes(int control, int line, int page) override;

  void InsertColumn(int control, int column, WStringView heading, int width) override;
  int AutoSizeWidth(int control, int column) override;
  void SetColumnWidth(int control, int column, int width) override;
  int ColumnCount(int control) override;
  WString ColumnHeading(int control, int column) override;
  void MoveColumn(int control, int from, int to) override;
  int InsertRow(int control, int row, WStringView firstCell, uintptr_t data) override;
  void SetCellText(int control, int row, int column, WStringView text) override;
  WString CellText(int control, int row, int column) override;
  uintptr_t RowData(int control, int row) override;
  void SetRowData(int control, int row, uintptr_t data) override;
  void DeleteRow(int control, int row) override;
  void DeleteAllRows(int control) override;
  int RowCount(int control) override;
  std::vector<int> SelectedRows(int control) override;
  int FocusedRow(int control) override;
  void SelectRow(int control, int row) override;
  void EnsureRowVisible(int control, int row) override;

  void EnableControl(int control, bool enabled) override;
  bool IsControlEnabled(int control) override;
  void ShowControl(int control, bool shown) override;
  void ShowDialogWindow() override;
  void FocusControl(int control) override;
  void SetWaitCursor(bool wait) override;
  int ShowMessage(WStringView text, WStringView caption, uint32_t style) override;
  void PostCommand(int control) override;
  void PostRequest(int code) override;
  bool PumpMessages(const std::function<bool()> &stop) override;
  void EndDialog(int result) override;
  uintptr_t WindowHandle() override { return reinterpret_cast<uintptr_t>(dialog_); }

  // Hands a dialog message to `presenter`; true when it was one of those.
  // `result` is what the dialog procedure answers for it.
  bool Route(DialogPresenter &presenter, UINT message, WPARAM wParam, LPARAM lParam,
             INT_PTR *result);

 private:
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  bool RouteNotify(DialogPresenter &presenter, NMHDR *header, INT_PTR *result);

  HWND dialog_ = nullptr;
  int waitDepth_ = 0;
  HCURSOR savedCursor_ = nullptr;
};

// The pumping every progress callback does: every waiting message of the
// thread dispatched (dialog keys to their dialog); false on WM_QUIT, which
// is posted again for the loop that owns it.
bool PumpThreadMessages(const std::function<bool()> &stop);

// Shows the wait cursor at once and keeps it until the matching end.
void ShowWaitCursor(bool wait, int *depth, HCURSOR *saved);

}  // namespace tolven::dialogs
