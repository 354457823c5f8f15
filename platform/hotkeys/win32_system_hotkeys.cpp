#include "platform/hotkeys/win32_system_hotkeys.h"

#include <windows.h>

namespace tolven::hk {

Atom Win32SystemHotkeys::AddGlobalAtom(WStringView name) {
  WString z(name);
  return GlobalAddAtomW(reinterpret_cast<LPCWSTR>(z.c_str()));
}

void Win32SystemHotkeys::DeleteGlobalAtom(Atom atom) { GlobalDeleteAtom(atom); }

bool Win32SystemHotkeys::Register(Window window, int32_t id, uint32_t modifiers, uint32_t virtualKey) {
  return RegisterHotKey(reinterpret_cast<HWND>(window), id, modifiers, virtualKey) != 0;
}

bool Win32SystemHotkeys::Unregister(Window window, int32_t id) {
  return UnregisterHotKey(reinterpret_cast<HWND>(window), id) != 0;
}

WString Win32SystemHotkeys::KeyName(uint32_t virtualKey, bool extended) {
  const UINT scan = MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, GetKeyboardLayout(0));
  // Bit 25: left and right keys are not told apart; bit 24: the extended key.
  const LONG param = static_cast<LONG>((scan << 16) | (1u << 25) | (extended ? 1u << 24 : 0u));
  wchar_t name[256] = {};
  const int length = GetKeyNameTextW(param, name, 256);
  if (length <= 0) return WString();
  return WString(reinterpret_cast<const char16_t *>(name), static_cast<size_t>(length));
}

}  // namespace tolven::hk
