#include "platform/screensaver/win32_screensaver.h"

#include <windows.h>

namespace tolven::desk {

bool Win32Screensaver::SetActive(bool active) {
  return SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, SPIF_SENDWININICHANGE) != 0;
}

bool Win32Screensaver::IsActive() {
  BOOL active = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
  return active != FALSE;
}

}  // namespace tolven::desk
