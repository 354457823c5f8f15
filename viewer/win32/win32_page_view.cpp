#include "viewer/win32/win32_page_view.h"

#include <commctrl.h>

#include <vector>

namespace tolven::viewer::win {

namespace {
LPCWSTR W(const WString &s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }
}  // namespace

bool Win32PageView::IsCombo(int control) const {
  wchar_t name[32] = {};
  GetClassNameW(Item(control), name, 32);
  return lstrcmpiW(name, L"ComboBox") == 0;
}

bool Win32PageView::Checked(int control) { return IsDlgButtonChecked(page_, control) == BST_CHECKED; }

void Win32PageView::SetChecked(int control, bool checked) {
  CheckDlgButton(page_, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32PageView::EnableControl(int control, bool enabled) { EnableWindow(Item(control), enabled ? TRUE : FALSE); }

void Win32PageView::SetText(int control, WStringView text) { SetDlgItemTextW(page_, control, W(WString(text))); }

void Win32PageView::ShowControl(int control, bool shown) { ShowWindow(Item(control), shown ? SW_SHOW : SW_HIDE); }

void Win32PageView::SetTooltip(int control, WStringView text) {
  if (!tooltip_) {
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, page_, nullptr, nullptr, nullptr);
    if (!tooltip_) return;
  }
  WString textZ(text);
  TOOLINFOW tool = {};
  // The older layout: understood by every version of the common controls.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = page_;
  tool.uId = reinterpret_cast<UINT_PTR>(Item(control));
  tool.lpszText = const_cast<LPWSTR>(W(textZ));
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32PageView::Focus(int control) { SetFocus(Item(control)); }

int Win32PageView::AddItem(int control, WStringView text, uintptr_t data) {
  const WString textZ(text);
  const bool combo = IsCombo(control);
  const LRESULT index = SendDlgItemMessageW(page_, control, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                                            reinterpret_cast<LPARAM>(W(textZ)));
  if (index < 0) return -1;
  SendDlgItemMessageW(page_, control, combo ? CB_SETITEMDATA : LB_SETITEMDATA, static_cast<WPARAM>(index),
                      static_cast<LPARAM>(data));
  return static_cast<int>(index);
}

int Win32PageView::ItemCount(int control) {
  const LRESULT count = SendDlgItemMessageW(page_, control, IsCombo(control) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

WString Win32PageView::ItemText(int control, int index) {
  const bool combo = IsCombo(control);
  const LRESULT length =
      SendDlgItemMessageW(page_, control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return WString();
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  SendDlgItemMessageW(page_, control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(text.data()));
  return WString(reinterpret_cast<const char16_t *>(text.data()));
}

uintptr_t Win32PageView::ItemData(int control, int index) {
  const LRESULT data = SendDlgItemMessageW(page_, control, IsCombo(control) ? CB_GETITEMDATA : LB_GETITEMDATA,
                                           static_cast<WPARAM>(index), 0);
  return data == CB_ERR ? 0 : static_cast<uintptr_t>(data);
}

void Win32PageView::SetItemData(int control, int index, uintptr_t data) {
  SendDlgItemMessageW(page_, control, IsCombo(control) ? CB_SETITEMDATA : LB_SETITEMDATA,
                      static_cast<WPARAM>(index), static_cast<LPARAM>(data));
}

void Win32PageView::DeleteItem(int control, int index) {
  SendDlgItemMessageW(page_, control, IsCombo(control) ? CB_DELETESTRING : LB_DELETESTRING,
                      static_cast<WPARAM>(index), 0);
}

void Win32PageView::ClearItems(int control) {
  SendDlgItemMessageW(page_, control, IsCombo(control) ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
}

int Win32PageView::Selection(int control) {
  const LRESULT index = SendDlgItemMessageW(page_, control, IsCombo(control) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void Win32PageView::Select(int control, int index) {
  SendDlgItemMessageW(page_, control, IsCombo(control) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

uint32_t Win32PageView::HotkeyValue(int control) {
  return static_cast<uint32_t>(SendDlgItemMessageW(page_, control, HKM_GETHOTKEY, 0, 0) & 0xFFFF);
}

void Win32PageView::MarkModified() {
  SendMessageW(GetParent(page_), PSM_CHANGED, reinterpret_cast<WPARAM>(page_), 0);
}

}  // namespace tolven::viewer::win
