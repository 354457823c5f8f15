// Hotkeys in memory: atoms with reference counts, registrations by
// combination, combinations taken by "another program", and the key names of
// an English (United States) keyboard.
#pragma once
#include <map>
#include <utility>

#include "platform/hotkeys/system_hotkeys.h"

namespace tolven::hk {

class EmulatedSystemHotkeys : public SystemHotkeys {
 public:
  struct Registration {
    Window window = 0;
    int32_t id = 0;
  };

  Atom AddGlobalAtom(WStringView name) override;
  void DeleteGlobalAtom(Atom atom) override;
  bool Register(Window window, int32_t id, uint32_t modifiers, uint32_t virtualKey) override;
  bool Unregister(Window window, int32_t id) override;
  WString KeyName(uint32_t virtualKey, bool extended) override;

  // Test controls.
  // Another program holds this combination: registering it fails.
  void Take(uint32_t modifiers, uint32_t virtualKey) { taken_[{modifiers, virtualKey}] = true; }
  const std::map<std::pair<uint32_t, uint32_t>, Registration> &Registrations() const { return registered_; }
  // The atom's name, empty when it does not exist.
  WString AtomName(Atom atom) const;
  size_t AtomCount() const { return atoms_.size(); }
  // The id a window's hotkey of this combination was registered with, 0 when none.
  int32_t IdOf(uint32_t modifiers, uint32_t virtualKey) const;

 private:
  struct AtomEntry {
    WString name;
    int references = 0;
  };
  std::map<Atom, AtomEntry> atoms_;
  std::map<std::pair<uint32_t, uint32_t>, Registration> registered_;
  std::map<std::pair<uint32_t, uint32_t>, bool> taken_;
};

}  // namespace tolven::hk
