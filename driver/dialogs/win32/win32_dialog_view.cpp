#include "driver/dialogs/win32/win32_dialog_view.h"

#include <commctrl.h>

#include "driver/dialogs/win32/list_view_behaviour.h"

#include <string>
#include <vector>

namespace tolven::dialogs {

namespace {

std::wstring Z(WStringView s) { return std::wstring(s.begin(), s.end()); }
WString W(const wchar_t *s) { return WString(reinterpret_cast<const char16_t *>(s)); }

bool IsClass(HWND control, const wchar_t *name) {
  wchar_t actual[32] = {};
  GetClassNameW(control, actual, 32);
  return lstrcmpiW(actual, name) == 0;
}
bool IsCombo(HWND control) { return IsClass(control, L"ComboBox"); }
bool IsProgress(HWND control) { return IsClass(control, PROGRESS_CLASSW); }

}  // namespace

void ShowWaitCursor(bool wait, int *depth, HCURSOR *saved) {
  if (wait) {
    if ((*depth)++ == 0) *saved = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  } else if (*depth > 0 && --*depth == 0) {
    SetCursor(*saved ? *saved : LoadCursorW(nullptr, IDC_ARROW));
  }
}

bool PumpThreadMessages(const std::function<bool()> &stop) {
  MSG message;
  while (!(stop && stop()) && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    HWND top = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (top && IsDialogMessageW(top, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

int Win32DialogView::AddListItem(int control, WStringView text, uintptr_t data) {
  std::wstring z = Z(text);
  HWND list = Control(control);
  bool combo = IsCombo(list);
  LRESULT index = SendMessageW(list, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                               reinterpret_cast<LPARAM>(z.c_str()));
  if (index < 0) return -1;
  SendMessageW(list, combo ? CB_SETITEMDATA : LB_SETITEMDATA, index, static_cast<LPARAM>(data));
  return static_cast<int>(index);
}

int Win32DialogView::ListCount(int control) {
  HWND list = Control(control);
  LRESULT n = SendMessageW(list, IsCombo(list) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  return n < 0 ? 0 : static_cast<int>(n);
}

WString Win32DialogView::ListItemText(int control, int index) {
  HWND list = Control(control);
  bool combo = IsCombo(list);
  LRESULT length = SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
  if (length < 0) return WString();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, 0);
  SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
  return W(buffer.data());
}

uintptr_t Win32DialogView::ListItemData(int control, int index) {
  HWND list = Control(control);
  return static_cast<uintptr_t>(SendMessageW(list, IsCombo(list) ? CB_GETITEMDATA : LB_GETITEMDATA, index, 0));
}

int Win32DialogView::ListSelection(int control) {
  HWND list = Control(control);
  LRESULT index = SendMessageW(list, IsCombo(list) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

bool Win32DialogView::SelectListItem(int control, int index) {
  HWND list = Control(control);
  return SendMessageW(list, IsCombo(list) ? CB_SETCURSEL : LB_SETCURSEL, index, 0) != -1;
}

void Win32DialogView::SetControlText(int control, WStringView text) {
  SetDlgItemTextW(dialog_, control, Z(text).c_str());
}

WString Win32DialogView::ControlText(int control) {
  HWND window = Control(control);
  int length = GetWindowTextLengthW(window);
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, 0);
  GetWindowTextW(window, buffer.data(), length + 1);
  return W(buffer.data());
}

void Win32DialogView::SetChecked(int control, bool checked) {
  CheckDlgButton(dialog_, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogView::IsChecked(int control) { return IsDlgButtonChecked(dialog_, control) == BST_CHECKED; }

void Win32DialogView::SetRange(int control, int minimum, int maximum) {
  HWND window = Control(control);
  if (IsProgress(window))
    SendMessageW(window, PBM_SETRANGE32, minimum, maximum);
  else
    SendMessageW(window, TBM_SETRANGE, FALSE, MAKELPARAM(minimum, maximum));  // no redraw
}

void Win32DialogView::SetPosition(int control, int position) {
  HWND window = Control(control);
  if (IsProgress(window))
    SendMessageW(window, PBM_SETPOS, position, 0);
  else
    SendMessageW(window, TBM_SETPOS, TRUE, position);
}

int Win32DialogView::Position(int control) {
  HWND window = Control(control);
  return static_cast<int>(SendMessageW(window, IsProgress(window) ? PBM_GETPOS : TBM_GETPOS, 0, 0));
}

void Win32DialogView::SetStepSizes(int control, int line, int page) {
  HWND window = Control(control);
  if (IsProgress(window)) {
    SendMessageW(window, PBM_SETSTEP, line, 0);
  } else {
    SendMessageW(window, TBM_SETLINESIZE, 0, line);
    SendMessageW(window, TBM_SETPAGESIZE, 0, page);
  }
}

void Win32DialogView::InsertColumn(int control, int column, WStringView heading, int width) {
  std::wstring z = Z(heading);
  LVCOLUMNW col{};
  col.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.fmt = LVCFMT_LEFT;
  col.cx = width;
  col.pszText = z.data();
  col.iSubItem = column;
  AttachListBehaviour(Control(control));
  SendMessageW(Control(control), LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&col));
}

int Win32DialogView::AutoSizeWidth(int control, int column) {
  // What LVSCW_AUTOSIZE_USEHEADER gives the column; the width is put back.
  HWND list = Control(control);
  int before = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
  SendMessageW(list, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE_USEHEADER);
  int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
  SendMessageW(list, LVM_SETCOLUMNWIDTH, column, before);
  return width;
}

void Win32DialogView::SetColumnWidth(int control, int column, int width) {
  SendMessageW(Control(control), LVM_SETCOLUMNWIDTH, column, width);
}

int Win32DialogView::ColumnCount(int control) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(Control(control), LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

WString Win32DialogView::ColumnHeading(int control, int column) {
  wchar_t text[128] = {};
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT;
  col.pszText = text;
  col.cchTextMax = 127;
  if (!SendMessageW(Control(control), LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&col)))
    return WString();
  return W(text);
}

void Win32DialogView::MoveColumn(int control, int from, int to) {
  // The column is taken out (heading, format, width and the cells) and put
  // in again at its new position.
  HWND list = Control(control);
  wchar_t heading[128] = {};
  LVCOLUMNW col{};
  col.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
  col.pszText = heading;
  col.cchTextMax = 127;
  if (!SendMessageW(list, LVM_GETCOLUMNW, from, reinterpret_cast<LPARAM>(&col))) return;
  int rows = RowCount(control), columns = ColumnCount(control);
  // Cells of every row, in column order, with the moved column taken out.
  std::vector<std::vector<WString>> cells(static_cast<size_t>(rows));
  std::vector<WString> moved(static_cast<size_t>(rows));
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      if (c == from)
        moved[static_cast<size_t>(r)] = CellText(control, r, c);
      else
        cells[static_cast<size_t>(r)].push_back(CellText(control, r, c));
    }
  }
  int at = to > from ? to - 1 : to;
  SendMessageW(list, LVM_DELETECOLUMN, from, 0);
  // Column 0 cannot be given a format other than left; all of ours are left.
  col.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
  SendMessageW(list, LVM_INSERTCOLUMNW, at, reinterpret_cast<LPARAM>(&col));
  for (int r = 0; r < rows; ++r) {
    auto &row = cells[static_cast<size_t>(r)];
    row.insert(row.begin() + at, moved[static_cast<size_t>(r)]);
    for (int c = 0; c < static_cast<int>(row.size()); ++c) SetCellText(control, r, c, row[static_cast<size_t>(c)]);
  }
}

int Win32DialogView::InsertRow(int control, int row, WStringView firstCell, uintptr_t data) {
  std::wstring z = Z(firstCell);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = row;
  item.pszText = z.data();
  item.lParam = static_cast<LPARAM>(data);
  return static_cast<int>(SendMessageW(Control(control), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void Win32DialogView::SetCellText(int control, int row, int column, WStringView text) {
  std::wstring z = Z(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = z.data();
  SendMessageW(Control(control), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

WString Win32DialogView::CellText(int control, int row, int column) {
  std::vector<wchar_t> buffer(1024, 0);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size()) - 1;
  SendMessageW(Control(control), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return W(buffer.data());
}

uintptr_t Win32DialogView::RowData(int control, int row) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageW(Control(control), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
    return static_cast<uintptr_t>(-1);
  return static_cast<uintptr_t>(item.lParam);
}

void Win32DialogView::SetRowData(int control, int row, uintptr_t data) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = static_cast<LPARAM>(data);
  SendMessageW(Control(control), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void Win32DialogView::DeleteRow(int control, int row) { SendMessageW(Control(control), LVM_DELETEITEM, row, 0); }

void Win32DialogView::DeleteAllRows(int control) { SendMessageW(Control(control), LVM_DELETEALLITEMS, 0, 0); }

int Win32DialogView::RowCount(int control) {
  return static_cast<int>(SendMessageW(Control(control), LVM_GETITEMCOUNT, 0, 0));
}

std::vector<int> Win32DialogView::SelectedRows(int control) {
  std::vector<int> rows;
  HWND list = Control(control);
  int row = -1;
  while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) != -1)
    rows.push_back(row);
  return rows;
}

int Win32DialogView::FocusedRow(int control) {
  return static_cast<int>(SendMessageW(Control(control), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void Win32DialogView::SelectRow(int control, int row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Control(control), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void Win32DialogView::EnsureRowVisible(int control, int row) {
  SendMessageW(Control(control), LVM_ENSUREVISIBLE, row, FALSE);
}

void Win32DialogView::EnableControl(int control, bool enabled) { EnableWindow(Control(control), enabled ? TRUE : FALSE); }

bool Win32DialogView::IsControlEnabled(int control) { return IsWindowEnabled(Control(control)) != FALSE; }

void Win32DialogView::ShowControl(int control, bool shown) { ShowWindow(Control(control), shown ? SW_SHOW : SW_HIDE); }

void Win32DialogView::ShowDialogWindow() {
  ShowWindow(dialog_, SW_SHOW);
  UpdateWindow(dialog_);
}

void Win32DialogView::FocusControl(int control) {
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(control)), TRUE);
}

void Win32DialogView::SetWaitCursor(bool wait) { ShowWaitCursor(wait, &waitDepth_, &savedCursor_); }

int Win32DialogView::ShowMessage(WStringView text, WStringView caption, uint32_t style) {
  return MessageBoxW(dialog_, Z(text).c_str(), Z(caption).c_str(), style);
}

void Win32DialogView::PostCommand(int control) {
  PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), reinterpret_cast<LPARAM>(Control(control)));
}

void Win32DialogView::PostRequest(int code) { PostMessageW(dialog_, kPostedRequestMessage, 0, code); }

bool Win32DialogView::PumpMessages(const std::function<bool()> &stop) { return PumpThreadMessages(stop); }

void Win32DialogView::EndDialog(int result) { ::EndDialog(dialog_, result); }

bool Win32DialogView::RouteNotify(DialogPresenter &presenter, NMHDR *header, INT_PTR *result) {
  int control = static_cast<int>(header->idFrom);
  switch (header->code) {
    case LVN_ITEMCHANGED: {
      auto *change = reinterpret_cast<NMLISTVIEW *>(header);
      // Only changes of a row's selection or focus, not of its text or data.
      if (change->iItem < 0 || !(change->uChanged & LVIF_STATE)) return false;
      presenter.OnListEvent(*this, ListEvent{ListEvent::kItemChanged, control, change->iItem, change->iSubItem});
      return true;
    }
    case NM_CLICK:
    case NM_DBLCLK: {
      auto *activate = reinterpret_cast<NMITEMACTIVATE *>(header);
      presenter.OnListEvent(*this, ListEvent{header->code == NM_CLICK ? ListEvent::kClick : ListEvent::kDoubleClick,
                                             control, activate->iItem, activate->iSubItem});
      return true;
    }
    case LVN_BEGINDRAG: {
      auto *drag = reinterpret_cast<NMLISTVIEW *>(header);
      SendMessageW(header->hwndFrom, kListBeginRowDragMessage, drag->iItem, 0);
      return true;
    }
    case LVN_COLUMNCLICK: {
      auto *click = reinterpret_cast<NMLISTVIEW *>(header);
      presenter.OnListEvent(*this, ListEvent{ListEvent::kHeaderClick, control, -1, click->iSubItem});
      return true;
    }
    case LVN_BEGINLABELEDITW: {
      // Only where the pointer is over a column the presenter allows.
      HWND list = header->hwndFrom;
      LVHITTESTINFO hit{};
      GetCursorPos(&hit.pt);
      ScreenToClient(list, &hit.pt);
      SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      *result = presenter.CanEditLabel(*this, control, hit.iSubItem) ? FALSE : TRUE;
      return true;
    }
    case LVN_ENDLABELEDITW: {
      auto *edit = reinterpret_cast<NMLVDISPINFOW *>(header);
      if (edit->item.pszText) {
        ListEvent event{ListEvent::kCellEdited, control, edit->item.iItem, 0};
        event.text = W(edit->item.pszText);
        presenter.OnListEvent(*this, event);
      }
      *result = FALSE;  // the presenter wrote the cell itself
      return true;
    }
    default:
      return false;
  }
}

bool Win32DialogView::Route(DialogPresenter &presenter, UINT message, WPARAM wParam, LPARAM lParam,
                            INT_PTR *result) {
  *result = TRUE;
  switch (message) {
    case WM_COMMAND:
      presenter.OnCommand(*this, LOWORD(wParam), HIWORD(wParam));
      return true;
    case WM_HSCROLL:
      presenter.OnHScroll(*this, lParam ? GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) : 0);
      return true;
    case WM_NOTIFY:
      *result = FALSE;
      return RouteNotify(presenter, reinterpret_cast<NMHDR *>(lParam), result);
    case kListColumnMovedMessage:
      presenter.OnListEvent(*this, ListEvent(ListEvent::kColumnMoved, static_cast<int>(wParam), -1,
                                             static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
      return true;
    case kListRowDroppedMessage:
      presenter.OnListEvent(*this, ListEvent(ListEvent::kRowDropped, static_cast<int>(wParam),
                                             static_cast<short>(LOWORD(lParam)), -1, static_cast<short>(HIWORD(lParam))));
      return true;
    case kListCellEditedMessage: {
      auto *edit = reinterpret_cast<ListEdit *>(lParam);
      ListEvent event(ListEvent::kCellEdited, static_cast<int>(wParam), edit->row, edit->column);
      event.text = W(edit->text.c_str());
      presenter.OnListEvent(*this, event);
      return true;
    }
    case kListCanEditMessage:
      *result = presenter.CanEditLabel(*this, static_cast<int>(wParam), static_cast<int>(lParam)) ? 1 : 0;
      return true;
    case kPostedRequestMessage:
      presenter.OnRequest(*this, static_cast<int>(lParam));
      return true;
    default:
      return false;
  }
}

}  // namespace tolven::dialogs
