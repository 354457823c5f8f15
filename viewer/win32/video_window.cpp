#include "viewer/win32/video_window.h"

namespace tolven::viewer::win {

namespace {
constexpr wchar_t kClass[] = L"VarnViewer_video";
}

LRESULT CALLBACK CVideoWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto *self = reinterpret_cast<CVideoWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->Handle(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CVideoWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool isPane = window == pane_ || (pane_ == nullptr && window_ != nullptr && window != window_);
  switch (message) {
    case WM_ERASEBKGND:
      if (isPane) return 1;
      break;
    case WM_PAINT:
      if (!isPane) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_WINDOWFRAME));
        EndPaint(window, &ps);
        return 0;
      }
      ValidateRect(window, nullptr);
      return 0;
    case WM_WINDOWPOSCHANGED:
      if (isPane) {
        // The capture window repaints its key colour where it now stands.
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
          InvalidateRect(child, nullptr, FALSE);
      }
      break;
    case WM_MOUSEMOVE:
      if (mouseMove_) mouseMove_();
      break;
    case WM_RBUTTONDOWN:
      if (context_) {
        POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(window, &p);
        context_(p);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool CVideoWindow::Create(HWND main, const RECT &rect, const wchar_t *name) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(instance, kClass, &wc)) {
    wc.lpfnWndProc = &Procedure;  // no style, cursor, brush or icon
    wc.hInstance = instance;
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
  }
  // Clipping keeps the frame colour from painting over the capture window.
  window_ = CreateWindowExW(0, kClass, name, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, main, nullptr, instance, this);
  if (!window_) return false;
  ShowWindow(window_, SW_SHOW);
  pane_ = CreateWindowExW(0, kClass, name, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, rect.right - rect.left,
                          rect.bottom - rect.top, window_, nullptr, instance, this);
  return pane_ != nullptr;
}

void CVideoWindow::Move(const RECT &rect, const RECT &pane) {
  if (!window_) return;
  SetWindowPos(window_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const int width = pane.right - pane.left, height = pane.bottom - pane.top;
  RECT now;
  GetWindowRect(pane_, &now);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT *>(&now), 2);
  if (EqualRect(&now, &pane)) return;  // unchanged: the capture window stays
  SetWindowPos(pane_, nullptr, pane.left, pane.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  for (HWND child = GetWindow(pane_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    MoveWindow(child, 0, 0, width, height, TRUE);
}

void CVideoWindow::Fill() {
  if (!window_) return;
  HDC dc = GetDC(window_);
  RECT r;
  GetClientRect(window_, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  ReleaseDC(window_, dc);
}

}  // namespace tolven::viewer::win
