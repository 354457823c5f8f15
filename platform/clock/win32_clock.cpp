#include "platform/clock/win32_clock.h"

#include <windows.h>

namespace tolven {

uint32_t Win32Clock::Milliseconds() { return GetTickCount(); }
void Win32Clock::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace tolven
