#include "platform/debug/win32_debug_output.h"

#include <windows.h>

namespace tolven::dbg {

void Win32DebugOutput::Write(std::string_view text) {
  std::string z(text);
  OutputDebugStringA(z.c_str());
}

}  // namespace tolven::dbg
