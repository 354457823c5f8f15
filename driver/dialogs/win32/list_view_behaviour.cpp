#include "driver/dialogs/win32/list_view_behaviour.h"

#include <commctrl.h>

#include <vector>

namespace tolven::dialogs {

namespace {

constexpr UINT_PTR kListSubclass = 0x7E16;
constexpr UINT_PTR kEditSubclass = 0x7E17;
constexpr wchar_t kAttachedProperty[] = L"TolvenListBehaviour";

struct ListState {
  bool draggingRow = false;
  int dragRow = -1;
};

struct EditState {
  HWND list;
  int row, column;
  bool done = false;
};

int ColumnAtPoint(HWND list, int x) {
  // The column under x, by summing the widths in display order.
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  int count = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  int left = -static_cast<int>(GetScrollPos(list, SB_HORZ));
  for (int c = 0; c < count; ++c) {
    int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    if (x < left + width) return c;
    left += width;
  }
  return count;  // right of the last column: the end
}

void FinishEdit(HWND edit, EditState *state, bool commit) {
  if (state->done) return;
  state->done = true;
  if (commit) {
    int length = GetWindowTextLengthW(edit);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, 0);
    GetWindowTextW(edit, text.data(), length + 1);
    ListEdit result{state->row, state->column, text.data()};
    SendMessageW(GetParent(state->list), kListCellEditedMessage, GetDlgCtrlID(state->list),
                 reinterpret_cast<LPARAM>(&result));
  }
  PostMessageW(edit, WM_CLOSE, 0, 0);
}

void Widen(HWND edit, EditState *state) {
  // The text's width plus 5 pixels, at most to the list's right edge.
  int length = GetWindowTextLengthW(edit);
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1, 0);
  GetWindowTextW(edit, text.data(), length + 1);
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), length, &size);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  RECT rect{}, client{};
  GetWindowRect(edit, &rect);
  MapWindowPoints(nullptr, state->list, reinterpret_cast<POINT *>(&rect), 2);
  GetClientRect(state->list, &client);
  int width = size.cx + 5;
  if (rect.left + width > client.right) width = client.right - rect.left;
  if (width > rect.right - rect.left)
    SetWindowPos(edit, nullptr, 0, 0, width, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER);
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto *state = reinterpret_cast<EditState *>(data);
  switch (message) {
    case WM_GETDLGCODE:
      // Enter, Delete, Escape and Ctrl keys stay with the box.
      return DLGC_WANTALLKEYS | DefSubclassProc(edit, message, wParam, lParam);
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        FinishEdit(edit, state, true);
        return 0;
      }
      if (wParam == VK_ESCAPE) {
        FinishEdit(edit, state, false);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;
      {
        LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
        Widen(edit, state);
        return result;
      }
    case WM_KILLFOCUS:
      FinishEdit(edit, state, true);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, EditProc, kEditSubclass);
      delete state;
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto *state = reinterpret_cast<ListState *>(data);
  switch (message) {
    case WM_NOTIFY: {
      auto *header = reinterpret_cast<NMHEADERW *>(lParam);
      if (header->hdr.code == HDN_ENDDRAG) {
        // The target is the column under the pointer; the column itself is
        // moved by the page (or left where it is), never only reordered.
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(list, &point);
        int target = ColumnAtPoint(list, point.x);
        PostMessageW(GetParent(list), kListColumnMovedMessage, GetDlgCtrlID(list), MAKELPARAM(header->iItem, target));
        return TRUE;
      }
      break;
    }
    case WM_LBUTTONDOWN: {
      // A click on a cell of the row that already has the focus edits the
      // cell in place where the dialog allows it (the first column has the
      // list's own label editing).
      LVHITTESTINFO hit{};
      hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      int focused = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
      LRESULT result = DefSubclassProc(list, message, wParam, lParam);
      if (hit.iItem >= 0 && hit.iItem == focused && hit.iSubItem > 0 &&
          SendMessageW(GetParent(list), kListCanEditMessage, GetDlgCtrlID(list), hit.iSubItem))
        EditListCell(list, hit.iItem, hit.iSubItem);
      return result;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      // Scrolling ends an edit in progress: the list takes the focus.
      SetFocus(list);
      break;
    case WM_LBUTTONUP:
      if (state->draggingRow) {
        state->draggingRow = false;
        ReleaseCapture();
        LVHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        int target = static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (target >= 0 && target != state->dragRow)
          PostMessageW(GetParent(list), kListRowDroppedMessage, GetDlgCtrlID(list), MAKELPARAM(state->dragRow, target));
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      state->draggingRow = false;
      break;
    case kListBeginRowDragMessage:
      state->draggingRow = true;
      state->dragRow = static_cast<int>(wParam);
      SetCapture(list);
      return 0;
    case WM_NCDESTROY:
      RemovePropW(list, kAttachedProperty);
      RemoveWindowSubclass(list, ListProc, kListSubclass);
      delete state;
      break;
    default:
      break;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void AttachListBehaviour(HWND list) {
  // A property marks a list already subclassed.
  if (GetPropW(list, kAttachedProperty)) return;
  SetPropW(list, kAttachedProperty, reinterpret_cast<HANDLE>(1));
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT,
               LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
  SetWindowSubclass(list, ListProc, kListSubclass, reinterpret_cast<DWORD_PTR>(new ListState));
}

void EditListCell(HWND list, int row, int column) {
  RECT cell{};
  cell.top = column;
  cell.left = LVIR_LABEL;
  if (!SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) return;
  std::vector<wchar_t> text(1024, 0);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size()) - 1;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  HWND edit = CreateWindowExW(0, L"EDIT", text.data(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                              cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, list,
                              nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(list, GWLP_HINSTANCE)), nullptr);
  if (!edit) return;
  SendMessageW(edit, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), TRUE);
  SetWindowSubclass(edit, EditProc, kEditSubclass, reinterpret_cast<DWORD_PTR>(new EditState{list, row, column}));
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
}

}  // namespace tolven::dialogs
