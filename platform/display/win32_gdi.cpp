#include "platform/display/win32_gdi.h"

#include <windows.h>

namespace tolven::display {
namespace {

int32_t ScreenCaps(int index) {
  HDC dc = GetDC(nullptr);
  if (!dc) return 0;
  int value = GetDeviceCaps(dc, index);
  ReleaseDC(nullptr, dc);
  return value;
}

}  // namespace

int32_t Win32Gdi::ScreenWidth() { return ScreenCaps(HORZRES); }
int32_t Win32Gdi::ScreenHeight() { return ScreenCaps(VERTRES); }

int32_t Win32Gdi::DisplayBitsPerPixel() {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
  return static_cast<int32_t>(mode.dmBitsPerPel);
}

int32_t Win32Gdi::DisplayRefreshRate() {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
  return static_cast<int32_t>(mode.dmDisplayFrequency);
}

GdiHandle Win32Gdi::CreateSolidBrush(uint32_t colour) {
  return reinterpret_cast<GdiHandle>(::CreateSolidBrush(colour));
}

void Win32Gdi::DeleteBrush(GdiHandle brush) {
  if (brush) DeleteObject(reinterpret_cast<HGDIOBJ>(brush));
}

bool Win32Gdi::WindowScreenRect(GdiHandle window, Rect *rect) {
  RECT r{};
  if (!GetWindowRect(reinterpret_cast<HWND>(window), &r)) return false;
  *rect = Rect{r.left, r.top, r.right, r.bottom};
  return true;
}

bool Win32Gdi::PatternFill(GdiHandle dc, GdiHandle brush, const Rect &rect) {
  HDC hdc = reinterpret_cast<HDC>(dc);
  HGDIOBJ previous = SelectObject(hdc, reinterpret_cast<HGDIOBJ>(brush));
  BOOL done = PatBlt(hdc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATCOPY);
  if (previous) SelectObject(hdc, previous);
  return done != FALSE;
}

}  // namespace tolven::display
