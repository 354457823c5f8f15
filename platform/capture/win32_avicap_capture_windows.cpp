#include "platform/capture/win32_avicap_capture_windows.h"

#include <windows.h>
#include <vfw.h>

namespace tolven::cap {

namespace {
HWND H(Window window) { return reinterpret_cast<HWND>(window); }
constexpr int kNameChars = 80;
}  // namespace

bool Win32AvicapCaptureWindows::DriverDescription(int32_t index, WString *name, WString *version) {
  wchar_t n[kNameChars] = {}, v[kNameChars] = {};
  if (!capGetDriverDescriptionW(static_cast<UINT>(index), n, sizeof(n), v, sizeof(v))) return false;
  *name = reinterpret_cast<const char16_t *>(n);
  *version = reinterpret_cast<const char16_t *>(v);
  return true;
}

Window Win32AvicapCaptureWindows::Create(WStringView name, uint32_t style, int32_t x, int32_t y, int32_t width,
                                         int32_t height, Window parent, int32_t id) {
  const WString text(name);
  return reinterpret_cast<Window>(capCreateCaptureWindowW(reinterpret_cast<LPCWSTR>(text.c_str()), style, x, y,
                                                          width, height, H(parent), id));
}

bool Win32AvicapCaptureWindows::IsWindow(Window window) { return window && ::IsWindow(H(window)); }

bool Win32AvicapCaptureWindows::Destroy(Window window) { return window && ::DestroyWindow(H(window)); }

intptr_t Win32AvicapCaptureWindows::Connect(Window window, int32_t driverIndex) {
  return SendMessageW(H(window), WM_CAP_DRIVER_CONNECT, static_cast<WPARAM>(driverIndex), 0);
}

intptr_t Win32AvicapCaptureWindows::Disconnect(Window window) {
  return SendMessageW(H(window), WM_CAP_DRIVER_DISCONNECT, 0, 0);
}

intptr_t Win32AvicapCaptureWindows::GetCaps(Window window, DriverCaps *caps) {
  CAPDRIVERCAPS record{};
  const LRESULT result =
      SendMessageW(H(window), WM_CAP_DRIVER_GET_CAPS, sizeof(record), reinterpret_cast<LPARAM>(&record));
  if (result) {
    caps->deviceIndex = record.wDeviceIndex;
    caps->hasOverlay = record.fHasOverlay;
    caps->hasVideoSourceDialog = record.fHasDlgVideoSource;
    caps->hasVideoFormatDialog = record.fHasDlgVideoFormat;
    caps->hasVideoDisplayDialog = record.fHasDlgVideoDisplay;
    caps->captureInitialized = record.fCaptureInitialized;
  }
  return result;
}

intptr_t Win32AvicapCaptureWindows::SetOverlay(Window window, bool on) {
  return SendMessageW(H(window), WM_CAP_SET_OVERLAY, on ? 1 : 0, 0);
}

intptr_t Win32AvicapCaptureWindows::GetName(Window window, WString *name) {
  wchar_t text[kNameChars] = {};
  const LRESULT result = SendMessageW(H(window), WM_CAP_DRIVER_GET_NAMEW, kNameChars, reinterpret_cast<LPARAM>(text));
  if (result) *name = reinterpret_cast<const char16_t *>(text);
  return result;
}

intptr_t Win32AvicapCaptureWindows::ShowDialog(Window window, Dialog dialog) {
  const UINT message = dialog == Dialog::kVideoSource   ? WM_CAP_DLG_VIDEOSOURCE
                       : dialog == Dialog::kVideoFormat ? WM_CAP_DLG_VIDEOFORMAT
                                                        : WM_CAP_DLG_VIDEODISPLAY;
  return SendMessageW(H(window), message, 0, 0);
}

}  // namespace tolven::cap
