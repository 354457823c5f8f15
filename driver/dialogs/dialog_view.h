// How the driver's dialogs are built: a presenter holds a dialog's
// behaviour in portable code and talks to its window only through a
// DialogView (controls by id: lists, selections, item data, texts, check
// boxes, ranges, the report list view, enabling, message boxes, ending the
// dialog). A thin Win32 view binds a presenter to the real dialog made from
// the module's template; native tests drive the presenter with a fake view.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/wide.h"

namespace tolven::dialogs {

// Message box styles and answers the presenters use (the system's values).
inline constexpr uint32_t kMbOk = 0x0, kMbYesNoCancel = 0x3, kMbYesNo = 0x4;
inline constexpr uint32_t kMbIconStop = 0x10, kMbIconQuestion = 0x20, kMbIconExclamation = 0x30;
inline constexpr uint32_t kMbDefButton2 = 0x100;
inline constexpr int kIdYes = 6, kIdNo = 7;

class DialogView {
 public:
  virtual ~DialogView() = default;

  // Drop-down and list controls. AddListItem appends (or, for a sorted
  // control, inserts in order) and answers the index it went to, -1 on
  // failure; `data` is the item's data.
  virtual int AddListItem(int control, WStringView text, uintptr_t data) = 0;
  virtual int ListCount(int control) = 0;
  virtual WString ListItemText(int control, int index) = 0;
  virtual uintptr_t ListItemData(int control, int index) = 0;
  // The selected index, -1 when nothing is selected.
  virtual int ListSelection(int control) = 0;
  // Selects `index`; an index out of range clears the selection and answers false.
  virtual bool SelectListItem(int control, int index) = 0;

  // Window texts, check boxes and radio buttons.
  virtual void SetControlText(int control, WStringView text) = 0;
  virtual WString ControlText(int control) = 0;
  virtual void SetChecked(int control, bool checked) = 0;
  virtual bool IsChecked(int control) = 0;

  // Track bars and progress bars: range, position, and the track bar's line
  // and page sizes (the progress bar's step for a progress bar).
  virtual void SetRange(int control, int minimum, int maximum) = 0;
  virtual void SetPosition(int control, int position) = 0;
  virtual int Position(int control) = 0;
  virtual void SetStepSizes(int control, int line, int page) = 0;

  // The report list view: columns, rows (each with its item data) and the
  // selection. Texts of a row are given in column order.
  virtual void InsertColumn(int control, int column, WStringView heading, int width) = 0;
  // The width the header would auto-size column `column` to.
  virtual int AutoSizeWidth(int control, int column) = 0;
  virtual void SetColumnWidth(int control, int column, int width) = 0;
  virtual int ColumnCount(int control) = 0;
  virtual WString ColumnHeading(int control, int column) = 0;
  // Moves column `from` (heading, format, width and cells) to position `to`.
  virtual void MoveColumn(int control, int from, int to) = 0;
  virtual int InsertRow(int control, int row, WStringView firstCell, uintptr_t data) = 0;
  virtual void SetCellText(int control, int row, int column, WStringView text) = 0;
  virtual WString CellText(int control, int row, int column) = 0;
  virtual uintptr_t RowData(int control, int row) = 0;
  virtual void SetRowData(int control, int row, uintptr_t data) = 0;
  virtual void DeleteRow(int control, int row) = 0;
  virtual void DeleteAllRows(int control) = 0;
  virtual int RowCount(int control) = 0;
  virtual std::vector<int> SelectedRows(int control) = 0;
  // The focused row, -1 when none.
  virtual int FocusedRow(int control) = 0;
  // Marks `row` selected and focused (the others keep their state).
  virtual void SelectRow(int control, int row) = 0;
  virtual void EnsureRowVisible(int control, int row) = 0;

  virtual void EnableControl(int control, bool enabled) = 0;
  virtual bool IsControlEnabled(int control) = 0;
  virtual void ShowControl(int control, bool shown) = 0;
  // Shows the dialog window now (a modal dialog otherwise shows itself only
  // once its message queue is first empty).
  virtual void ShowDialogWindow() = 0;
  virtual void FocusControl(int control) = 0;
  // The wait cursor, shown between a true and the matching false.
  virtual void SetWaitCursor(bool wait) = 0;
  // A message box owned by the dialog; answers the button pressed.
  virtual int ShowMessage(WStringView text, WStringView caption, uint32_t style) = 0;
  // Queues `control`'s command to the dialog again; it arrives once the
  // handler running now has returned.
  virtual void PostCommand(int control) = 0;
  // Queues a private request (`code`) to the dialog's OnRequest.
  virtual void PostRequest(int code) = 0;
  // Dispatches every message waiting for this thread, then the idle work;
  // false when the thread was told to quit. With `stop`, dispatching ends
  // as soon as it answers true.
  virtual bool PumpMessages(const std::function<bool()> &stop) = 0;
  // Ends the modal dialog with `result` (IDC_OK, IDC_CANCEL, ...).
  virtual void EndDialog(int result) = 0;
  // The window, as the parent of the dialogs it opens.
  virtual uintptr_t WindowHandle() = 0;
};

// What the report list view tells its dialog.
struct ListEvent {
  enum Kind {
    kItemChanged,   // a row's state changed
    kClick,         // a click on `row`, `column`
    kDoubleClick,
    kHeaderClick,   // a click on the heading of `column`
    kCellEdited,    // the in-place editor committed `text` for `row`, `column`
    kRowDropped,    // row `row` dragged and dropped onto row `target`
    kColumnMoved,   // the column at `column` moved to position `target`
  };
  ListEvent(Kind k, int c, int r = -1, int col = -1, int t = -1)
      : kind(k), control(c), row(r), column(col), target(t) {}
  Kind kind;
  int control;
  int row = -1;
  int column = -1;
  int target = -1;
  WString text;
};

class DialogPresenter {
 public:
  virtual ~DialogPresenter() = default;
  virtual void OnInitDialog(DialogView &view) = 0;
  // A command from a control (a button press, a selection change), the
  // dialog's OK and Cancel included.
  virtual void OnCommand(DialogView &view, int control, int notification) = 0;
  // A character typed anywhere in the dialog (it still reaches the focused
  // control).
  virtual void OnChar(DialogView &, char16_t) {}
  // A track bar moved.
  virtual void OnHScroll(DialogView &, int /*control*/) {}
  virtual void OnListEvent(DialogView &, const ListEvent &) {}
  // Whether the list's own label editing may start in `column`.
  virtual bool CanEditLabel(DialogView &, int /*control*/, int /*column*/) { return false; }
  // A request the dialog posted itself (PostRequest).
  virtual void OnRequest(DialogView &, int /*code*/) {}
  // The dialog is going away (whatever ended it).
  virtual void OnDestroy(DialogView &) {}
};

// Runs a dialog modally: creates it from template `templateId` over
// `parent` (0: unparented), lets `presenter` drive it, and answers the
// result the presenter ended it with (-1 when it could not be shown).
class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  virtual int RunModal(uint16_t templateId, uintptr_t parent, DialogPresenter &presenter) = 0;
};

}  // namespace tolven::dialogs
