#include "viewer/app/hotkey_bindings.h"

#include <string>

#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

namespace {
constexpr uint32_t kCommandText[kHotkeyCommandCount] = {
    kStrIncreaseVolumeCommand, kStrDecreaseVolumeCommand, kStrNextChannelCommand,
    kStrPreviousChannelCommand, kStrMuteCommand, kStrNextSourceCommand,
    kStrPrevSourceCommand, kStrRemoteCommand, kStrMaximizeCommand,
};

WString Decimal(int32_t n) {
  const std::string s = std::to_string(n);
  return WString(s.begin(), s.end());
}

bool ValidCommand(int32_t command) { return command >= 0 && command < kHotkeyCommandCount; }
}  // namespace

WString CHotkeyBindings::CommandText(int32_t command) {
  return ValidCommand(command) ? ViewerStrings::Text(kCommandText[command]) : WString();
}

WString CHotkeyBindings::KeyText(uint32_t value) {
  WString text;
  auto add = [&](const WString &part) {
    if (!text.empty()) text += u" + ";
    text += part;
  };
  if (value & kHotkeyControl) add(system_.KeyName(hk::kVkControl, false));
  if (value & kHotkeyShift) add(system_.KeyName(hk::kVkShift, false));
  if (value & kHotkeyAlt) add(system_.KeyName(hk::kVkMenu, false));
  // The hotkey control marks Page Up, the arrows and their kin as extended:
  // without it they would be named after the keypad keys sharing their codes.
  add(system_.KeyName(value & 0xFF, (value & kHotkeyExtended) != 0));
  return text;
}

bool CHotkeyBindings::ReadDword(reg::Registry &registry, reg::Key key, const char16_t *name, uint32_t *value) {
  uint32_t type = 0, data = 0, size = sizeof(data);
  if (registry.QueryValue(key, name, &type, &data, &size) != 0 || type != reg::kDword || size != sizeof(data))
    return false;
  *value = data;
  return true;
}

void CHotkeyBindings::WriteDword(reg::Registry &registry, reg::Key key, const char16_t *name, uint32_t value) {
  registry.SetValue(key, name, reg::kDword, &value, sizeof(value));
}

bool CHotkeyBindings::OpenCommand(int32_t command, uint32_t access, reg::Key *key, bool create) {
  const WString path = WString(kHotkeysKey) + u"\\" + Decimal(command);
  const reg::Status status = create ? registry_.CreateKey(reg::kCurrentUser, path, access, key)
                                    : registry_.OpenKey(reg::kCurrentUser, path, access, key);
  return status == 0;
}

uint32_t CHotkeyBindings::VirtualKey(int32_t command) {
  reg::Key key = 0;
  if (!ValidCommand(command) || !OpenCommand(command, reg::kRead, &key, false)) return 0;
  uint32_t value = 0;
  if (!ReadDword(registry_, key, u"VirtualKey", &value)) value = 0;
  registry_.CloseKey(key);
  return value;
}

void CHotkeyBindings::Store(int32_t command, uint32_t value) {
  reg::Key key = 0;
  if (!ValidCommand(command) || !OpenCommand(command, reg::kAllAccess, &key, true)) return;
  WriteDword(registry_, key, u"Hotkey", static_cast<uint32_t>(command));
  WriteDword(registry_, key, u"VirtualKey", value);
  WriteDword(registry_, key, u"Alt", (value & kHotkeyAlt) ? 1 : 0);
  WriteDword(registry_, key, u"Control", (value & kHotkeyControl) ? 1 : 0);
  WriteDword(registry_, key, u"Win", (value & kHotkeyExtended) ? 1 : 0);
  WriteDword(registry_, key, u"Shift", (value & kHotkeyShift) ? 1 : 0);
  registry_.CloseKey(key);
}

void CHotkeyBindings::Register(hk::Window window, bool enabled) {
  if (registered_ || !enabled) return;
  registered_ = true;
  refused_.fill(false);
  for (int32_t i = 0; i < kHotkeyCommandCount; ++i) {
    reg::Key key = 0;
    if (!OpenCommand(i, reg::kAllAccess, &key, false)) continue;
    uint32_t virtualKey = 0;
    if (ReadDword(registry_, key, u"VirtualKey", &virtualKey) && virtualKey != 0) {
      hk::Atom atom = system_.AddGlobalAtom(ViewerStrings::Text(kStrHotkeyAtom) + u" " + Decimal(i));
      uint32_t alt = 0, control = 0, shift = 0;
      ReadDword(registry_, key, u"Alt", &alt);
      ReadDword(registry_, key, u"Control", &control);
      ReadDword(registry_, key, u"Shift", &shift);
      // "Win" holds the hotkey control's extended-key flag (set for Page Up,
      // the arrows, Insert, Delete, Home, End), never a Windows key: the
      // control cannot record one. As MOD_WIN it would make the binding
      // answer only with the Windows key held, so it is not a modifier here.
      const uint32_t modifiers =
          (alt ? hk::kModAlt : 0) | (control ? hk::kModControl : 0) | (shift ? hk::kModShift : 0);
      if (atom == 0 || !system_.Register(window, atom, modifiers, virtualKey & 0xFF)) {
        if (atom != 0) system_.DeleteGlobalAtom(atom);
        atom = 0;
        refused_[static_cast<size_t>(i)] = true;
      }
      WriteDword(registry_, key, u"HotKeyAtom", atom);
    } else {
      // A crashed session may have left the atom of a since-removed binding;
      // once its number is handed to another command's name, WM_HOTKEY
      // would find this command first.
      uint32_t stale = 0;
      if (ReadDword(registry_, key, u"HotKeyAtom", &stale) && stale != 0) WriteDword(registry_, key, u"HotKeyAtom", 0);
    }
    registry_.CloseKey(key);
  }
}

void CHotkeyBindings::Unregister(hk::Window window) {
  if (!registered_) return;
  registered_ = false;
  for (int32_t i = 0; i < kHotkeyCommandCount; ++i) {
    reg::Key key = 0;
    if (!OpenCommand(i, reg::kAllAccess, &key, false)) continue;
    uint32_t atom = 0;
    if (ReadDword(registry_, key, u"HotKeyAtom", &atom) && atom != 0) {
      system_.Unregister(window, static_cast<int32_t>(atom));
      system_.DeleteGlobalAtom(static_cast<hk::Atom>(atom));
      WriteDword(registry_, key, u"HotKeyAtom", 0);
    }
    registry_.CloseKey(key);
  }
}

int32_t CHotkeyBindings::CommandFor(uint32_t id) {
  if (id == 0) return -1;
  for (int32_t i = 0; i < kHotkeyCommandCount; ++i) {
    reg::Key key = 0;
    if (!OpenCommand(i, reg::kRead, &key, false)) continue;
    uint32_t atom = 0;
    const bool match = ReadDword(registry_, key, u"HotKeyAtom", &atom) && atom == id;
    registry_.CloseKey(key);
    if (match) return i;
  }
  return -1;
}

bool CHotkeyBindings::Refused(int32_t command) const {
  return ValidCommand(command) && refused_[static_cast<size_t>(command)];
}

}  // namespace tolven::viewer
