// The hotkey port over user32's hotkeys and kernel32's global atoms.
#pragma once
#include "platform/hotkeys/system_hotkeys.h"

namespace tolven::hk {

class Win32SystemHotkeys : public SystemHotkeys {
 public:
  Atom AddGlobalAtom(WStringView name) override;
  void DeleteGlobalAtom(Atom atom) override;
  bool Register(Window window, int32_t id, uint32_t modifiers, uint32_t virtualKey) override;
  bool Unregister(Window window, int32_t id) override;
  WString KeyName(uint32_t virtualKey, bool extended) override;
};

}  // namespace tolven::hk
