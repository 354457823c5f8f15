#include "driver/dialogs/win32/win32_dialog_runner.h"

#include <windows.h>

#include <vector>

namespace tolven::dialogs {

namespace {

std::wstring Z(WStringView s) { return std::wstring(s.begin(), s.end()); }

// The view over one dialog window. Drop-down lists (ComboBox) and list
// boxes (ListBox) answer the same requests with their own messages.
class Win32DialogView : public DialogView {
 public:
  void Attach(HWND dialog) { dialog_ = dialog; }

  int AddListItem(int control, WStringView text, uintptr_t data) override {
    std::wstring z = Z(text);
    HWND list = Control(control);
    bool combo = IsCombo(list);
    LRESULT index = SendMessageW(list, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(z.c_str()));
    if (index < 0) return -1;
    SendMessageW(list, combo ? CB_SETITEMDATA : LB_SETITEMDATA, index, static_cast<LPARAM>(data));
    return static_cast<int>(index);
  }
  int ListCount(int control) override {
    HWND list = Control(control);
    LRESULT n = SendMessageW(list, IsCombo(list) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    return n < 0 ? 0 : static_cast<int>(n);
  }
  WString ListItemText(int control, int index) override {
    HWND list = Control(control);
    bool combo = IsCombo(list);
    LRESULT length = SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
    if (length < 0) return WString();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, 0);
    SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                 reinterpret_cast<LPARAM>(buffer.data()));
    return WString(reinterpret_cast<const char16_t *>(buffer.data()));
  }
  uintptr_t ListItemData(int control, int index) override {
    HWND list = Control(control);
    return static_cast<uintptr_t>(
        SendMessageW(list, IsCombo(list) ? CB_GETITEMDATA : LB_GETITEMDATA, index, 0));
  }
  int ListSelection(int control) override {
    HWND list = Control(control);
    LRESULT index = SendMessageW(list, IsCombo(list) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : static_cast<int>(index);
  }
  bool SelectListItem(int control, int index) override {
    HWND list = Control(control);
    return SendMessageW(list, IsCombo(list) ? CB_SETCURSEL : LB_SETCURSEL, index, 0) != -1;
  }
  void EnableControl(int control, bool enabled) override {
    EnableWindow(Control(control), enabled ? TRUE : FALSE);
  }
  int ShowMessage(WStringView text, WStringView caption, uint32_t style) override {
    return MessageBoxW(dialog_, Z(text).c_str(), Z(caption).c_str(), style);
  }
  void EndDialog(int result) override { ::EndDialog(dialog_, result); }

 private:
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  static bool IsCombo(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    return lstrcmpiW(name, L"ComboBox") == 0;
  }

  HWND dialog_ = nullptr;
};

struct Session {
  DialogPresenter &presenter;
  Win32DialogView view;
  bool initialised = false;
};

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto *session = reinterpret_cast<Session *>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    session->view.Attach(dialog);
    session->initialised = true;
    session->presenter.OnInitDialog(session->view);
    return TRUE;
  }
  auto *session = reinterpret_cast<Session *>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!session || !session->initialised) return FALSE;
  if (message == WM_COMMAND) {
    session->presenter.OnCommand(session->view, LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int Win32DialogRunner::RunModal(uint16_t templateId, uintptr_t parent, DialogPresenter &presenter) {
  Session session{presenter, {}, false};
  INT_PTR result = DialogBoxParamW(reinterpret_cast<HINSTANCE>(module_), MAKEINTRESOURCEW(templateId),
                                   reinterpret_cast<HWND>(parent), DialogProc,
                                   reinterpret_cast<LPARAM>(&session));
  return static_cast<int>(result);
}

}  // namespace tolven::dialogs
