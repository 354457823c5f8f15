// System hotkey port: global atoms as hotkey identifiers, hotkeys registered
// on a window (RegisterHotKey/UnregisterHotKey), and a virtual key's name
// on the current keyboard layout.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::hk {

using Window = uintptr_t;  // an HWND
using Atom = uint16_t;     // 0 means none

// RegisterHotKey's modifiers.
inline constexpr uint32_t kModAlt = 0x0001;
inline constexpr uint32_t kModControl = 0x0002;
inline constexpr uint32_t kModShift = 0x0004;
inline constexpr uint32_t kModWin = 0x0008;

// Virtual keys of the modifiers, whose names a key text uses.
inline constexpr uint32_t kVkShift = 0x10;
inline constexpr uint32_t kVkControl = 0x11;
inline constexpr uint32_t kVkMenu = 0x12;

class SystemHotkeys {
 public:
  virtual ~SystemHotkeys() = default;
  // GlobalAddAtomW; 0 on failure.
  virtual Atom AddGlobalAtom(WStringView name) = 0;
  virtual void DeleteGlobalAtom(Atom atom) = 0;
  // False when the system refuses (another program holds the combination).
  virtual bool Register(Window window, int32_t id, uint32_t modifiers, uint32_t virtualKey) = 0;
  virtual bool Unregister(Window window, int32_t id) = 0;
  // GetKeyNameTextW of the key's scan code on the current layout, left and
  // right keys not told apart; `extended` names the extended key of a scan
  // code two keys share (Page Up, not the keypad's 9). Empty when the key
  // has no name.
  virtual WString KeyName(uint32_t virtualKey, bool extended) = 0;
};

}  // namespace tolven::hk
