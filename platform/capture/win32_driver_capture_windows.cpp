#include "platform/capture/win32_driver_capture_windows.h"

#include <windows.h>
#include <vfw.h>

#include <algorithm>
#include <cstring>

#include "platform/capture/driver_capture_session.h"

namespace tolven::cap {

namespace {

DriverCaptureSession *SessionOf(HWND window) {
  return reinterpret_cast<DriverCaptureSession *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

ScreenRect ClientOnScreen(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&rect), 2);
  return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

uintptr_t U(const void *handle) { return reinterpret_cast<uintptr_t>(handle); }

LRESULT FillCaps(const DriverCaptureSession &session, WPARAM size, LPARAM lParam) {
  DriverCaps caps;
  if (!lParam || !session.GetCaps(&caps)) return FALSE;
  CAPDRIVERCAPS record{};
  record.wDeviceIndex = caps.deviceIndex;
  record.fHasOverlay = caps.hasOverlay;
  record.fHasDlgVideoSource = caps.hasVideoSourceDialog;
  record.fHasDlgVideoFormat = caps.hasVideoFormatDialog;
  record.fHasDlgVideoDisplay = caps.hasVideoDisplayDialog;
  record.fCaptureInitialized = caps.captureInitialized;
  record.fDriverSuppliesPalettes = FALSE;
  record.hVideoIn = reinterpret_cast<HANDLE>(session.Channel(kChannelIn));
  record.hVideoExtIn = reinterpret_cast<HANDLE>(session.Channel(kChannelExternalIn));
  record.hVideoExtOut = reinterpret_cast<HANDLE>(session.Channel(kChannelExternalOut));
  // No more than the caller's record holds.
  std::memcpy(reinterpret_cast<void *>(lParam), &record, std::min<size_t>(size, sizeof record));
  return TRUE;
}

LRESULT CopyName(DriverCaptureSession &session, WPARAM bytes, LPARAM lParam) {
  WString name;
  const size_t chars = bytes / sizeof(wchar_t);
  if (!lParam || chars == 0 || !session.GetName(&name)) return FALSE;
  // Cut to the buffer, which is given in bytes, and always terminated.
  if (name.size() > chars - 1) name.resize(chars - 1);
  std::memcpy(reinterpret_cast<void *>(lParam), name.c_str(), (name.size() + 1) * sizeof(wchar_t));
  return TRUE;
}

LRESULT CALLBACK CaptureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
    auto *owner = static_cast<Win32DriverCaptureWindows *>(create->lpCreateParams);
    if (!owner) return FALSE;
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(new DriverCaptureSession(owner->Drivers(), owner->Catalog())));
    return DefWindowProcW(window, message, wParam, lParam);
  }
  DriverCaptureSession *session = SessionOf(window);
  if (!session) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_CAP_DRIVER_CONNECT: {
      const LRESULT result = session->Connect(static_cast<int32_t>(wParam));
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case WM_CAP_DRIVER_DISCONNECT: {
      const LRESULT result = session->Disconnect();
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case WM_CAP_DRIVER_GET_CAPS: return FillCaps(*session, wParam, lParam);
    case WM_CAP_DRIVER_GET_NAMEW: return CopyName(*session, wParam, lParam);
    case WM_CAP_SET_OVERLAY: {
      HDC dc = GetDC(window);
      const LRESULT result = session->SetOverlay(wParam != 0, U(window), U(dc), ClientOnScreen(window));
      ReleaseDC(window, dc);
      // Off: the window's own background replaces the key colour.
      if (!session->OverlayOn()) InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case WM_CAP_DLG_VIDEOSOURCE: return session->ShowDialog(Dialog::kVideoSource, U(window));
    case WM_CAP_DLG_VIDEOFORMAT: return session->ShowDialog(Dialog::kVideoFormat, U(window));
    case WM_CAP_DLG_VIDEODISPLAY: return session->ShowDialog(Dialog::kVideoDisplay, U(window));
    case WM_ERASEBKGND:
      // With the overlay on the driver paints the key colour.
      if (session->OverlayOn()) return TRUE;
      break;
    case WM_PAINT: {
      if (!session->OverlayOn()) break;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      session->Place(U(window), U(dc), ClientOnScreen(window));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      // Moved or sized: the overlay follows at the next paint.
      const auto *position = reinterpret_cast<const WINDOWPOS *>(lParam);
      if (session->OverlayOn() && (position->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
        InvalidateRect(window, nullptr, FALSE);
      break;
    }
    case WM_DESTROY: session->Disconnect(); break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete session;
      break;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(reinterpret_cast<void *>(&CaptureWindowProc)), &module);
  return module;
}

bool RegisterCaptureClass(HINSTANCE module) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = CaptureWindowProc;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = reinterpret_cast<LPCWSTR>(kCaptureWindowClass);
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool Win32DriverCaptureWindows::DriverDescription(int32_t index, WString *name, WString *version) {
  return catalog_.Describe(index, name, version);
}

Window Win32DriverCaptureWindows::Create(WStringView name, uint32_t style, int32_t x, int32_t y, int32_t width,
                                         int32_t height, Window parent, int32_t id) {
  HINSTANCE module = ThisModule();
  if (!RegisterCaptureClass(module)) return 0;
  const WString text(name);
  // A child's menu handle is its id; a top-level window has none.
  HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<intptr_t>(id)) : nullptr;
  HWND window = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(kCaptureWindowClass),
                                reinterpret_cast<LPCWSTR>(text.c_str()), style, x, y, width, height,
                                reinterpret_cast<HWND>(parent), menu, module, this);
  return reinterpret_cast<Window>(window);
}

}  // namespace tolven::cap
