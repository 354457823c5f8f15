#include "platform/display/win32_display_escape.h"

#include <windows.h>

namespace tolven::display {

Win32DisplayEscape::~Win32DisplayEscape() {
  if (module_) FreeLibrary(static_cast<HMODULE>(module_));
}

void Win32DisplayEscape::ChooseRoute() {
  route_ = Route::Display;
  WString path = WString(u"SYSTEM\\CurrentControlSet\\Services\\") + serviceName_ + u"\\Parameters";
  reg::Key key = 0;
  if (registry_.OpenKey(reg::kLocalMachine, path, reg::kQueryValue, &key) != 0) return;
  char16_t name[MAX_PATH + 1] = {};
  uint32_t type = 0, size = sizeof name - sizeof name[0];
  reg::Status status = registry_.QueryValue(key, kDisplayStandInValue, &type, name, &size);
  registry_.CloseKey(key);
  if (status != 0 || type != reg::kSz) return;
  // Configured: from here on there is no way back to the real display driver.
  route_ = Route::Nothing;
  HMODULE module = LoadLibraryW(reinterpret_cast<const wchar_t *>(name));
  if (!module) return;
  FARPROC entry = GetProcAddress(module, "DisplayEscape");
  if (!entry) {
    FreeLibrary(module);
    return;
  }
  module_ = module;
  standIn_ = reinterpret_cast<StandInEscape>(reinterpret_cast<void *>(entry));
  route_ = Route::StandIn;
}

int Win32DisplayEscape::Escape(int escape, int inputSize, const void *input, int outputSize,
                               void *output) {
  // Until a stand-in is found the choice is made again: a stand-in named
  // after the module first asked the display (its settings dialog at set-up)
  // is used from the next escape on. One registry read per escape on the
  // real display costs little beside the display driver's own work.
  if (route_ == Route::Unknown || route_ == Route::Display) ChooseRoute();
  switch (route_) {
    case Route::StandIn:
      return standIn_(escape, inputSize, input, outputSize, output);
    case Route::Display: {
      HDC dc = GetDC(nullptr);
      if (!dc) return 0;
      int result = ExtEscape(dc, escape, inputSize, static_cast<LPCSTR>(input), outputSize,
                             static_cast<LPSTR>(output));
      ReleaseDC(nullptr, dc);
      return result;
    }
    default:
      return 0;
  }
}

}  // namespace tolven::display
