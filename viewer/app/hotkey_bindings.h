// The hotkeys' nine commands, their bindings stored per command under the
// ViewerApp key's "Hotkeys" subkey, and their registration with the system
// as hotkeys of the main window, identified by global atoms.
#pragma once
#include <array>
#include <cstdint>

#include "platform/hotkeys/system_hotkeys.h"
#include "platform/registry/registry.h"
#include "platform/wide.h"

namespace tolven::viewer {

inline constexpr char16_t kHotkeysKey[] = u"Software\\Quillon\\Varn\\ViewerApp\\Hotkeys";
inline constexpr int32_t kHotkeyCommandCount = 9;

// The commands in their order (the index is the stored "Hotkey").
enum HotkeyCommand : int32_t {
  kHotkeyVolumeUp = 0,
  kHotkeyVolumeDown = 1,
  kHotkeyChannelUp = 2,
  kHotkeyChannelDown = 3,
  kHotkeyMute = 4,
  kHotkeyNextSource = 5,
  kHotkeyPreviousSource = 6,
  kHotkeyRemote = 7,
  kHotkeyMaximize = 8,
};

// A binding's value as the hotkey control gives it: the virtual key in the
// low byte, modifier flags in the high byte.
inline constexpr uint32_t kHotkeyShift = 0x100;
inline constexpr uint32_t kHotkeyControl = 0x200;
inline constexpr uint32_t kHotkeyAlt = 0x400;
inline constexpr uint32_t kHotkeyExtended = 0x800;  // stored as "Win"

class CHotkeyBindings {
 public:
  CHotkeyBindings(reg::Registry &registry, hk::SystemHotkeys &system) : registry_(registry), system_(system) {}
  ~CHotkeyBindings() = default;
  CHotkeyBindings(const CHotkeyBindings &) = delete;
  CHotkeyBindings &operator=(const CHotkeyBindings &) = delete;

  // The text shown for a command.
  static WString CommandText(int32_t command);
  // "Ctrl + Shift + Alt + key", from the keyboard's own key names.
  WString KeyText(uint32_t value);

  // A command's stored "VirtualKey", 0 when unbound or never stored.
  uint32_t VirtualKey(int32_t command);
  // Writes the command's subkey: "Hotkey", "VirtualKey", "Alt", "Control",
  // "Win", "Shift".
  void Store(int32_t command, uint32_t value);

  // Registers every bound command on `window`, only when `enabled`, and only
  // once until Unregister. A combination the system refuses keeps
  // "HotKeyAtom" 0 and is remembered as refused.
  void Register(hk::Window window, bool enabled);
  void Unregister(hk::Window window);
  bool Registered() const { return registered_; }
  // The command whose "HotKeyAtom" is `id`; -1 when none.
  int32_t CommandFor(uint32_t id);
  // The system refused the command's combination at the last registration.
  bool Refused(int32_t command) const;

 private:
  bool OpenCommand(int32_t command, uint32_t access, reg::Key *key, bool create);
  static bool ReadDword(reg::Registry &registry, reg::Key key, const char16_t *name, uint32_t *value);
  static void WriteDword(reg::Registry &registry, reg::Key key, const char16_t *name, uint32_t value);

  reg::Registry &registry_;
  hk::SystemHotkeys &system_;
  bool registered_ = false;
  std::array<bool, kHotkeyCommandCount> refused_{};
};

}  // namespace tolven::viewer
