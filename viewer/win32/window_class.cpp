#include "viewer/win32/window_class.h"

namespace tolven::viewer::win {

HINSTANCE EnsureWindowClass(const wchar_t *name, WNDPROC procedure) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(instance, name, &wc)) {
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
  }
  return instance;
}

}  // namespace tolven::viewer::win
