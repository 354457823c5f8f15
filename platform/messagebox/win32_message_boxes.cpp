#include "platform/messagebox/win32_message_boxes.h"

#include <windows.h>

namespace tolven::ui {

int Win32MessageBoxes::Show(Window owner, WStringView text, WStringView caption, uint32_t style) {
  WString textZ(text), captionZ(caption);
  return MessageBoxW(reinterpret_cast<HWND>(owner), reinterpret_cast<LPCWSTR>(textZ.c_str()),
                     reinterpret_cast<LPCWSTR>(captionZ.c_str()), style);
}

Window Win32MessageBoxes::FocusWindow() { return reinterpret_cast<Window>(GetFocus()); }

}  // namespace tolven::ui
