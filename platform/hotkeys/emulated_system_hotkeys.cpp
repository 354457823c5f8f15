#include "platform/hotkeys/emulated_system_hotkeys.h"

namespace tolven::hk {

namespace {
// Global string atoms live in 0xC000..0xFFFF.
constexpr Atom kFirstAtom = 0xC000;
}  // namespace

Atom EmulatedSystemHotkeys::AddGlobalAtom(WStringView name) {
  if (name.empty()) return 0;
  for (auto &[atom, entry] : atoms_) {
    if (entry.name == name) {
      ++entry.references;
      return atom;
    }
  }
  Atom atom = kFirstAtom;
  while (atoms_.count(atom)) ++atom;
  atoms_[atom] = AtomEntry{WString(name), 1};
  return atom;
}

void EmulatedSystemHotkeys::DeleteGlobalAtom(Atom atom) {
  auto it = atoms_.find(atom);
  if (it != atoms_.end() && --it->second.references == 0) atoms_.erase(it);
}

bool EmulatedSystemHotkeys::Register(Window window, int32_t id, uint32_t modifiers, uint32_t virtualKey) {
  const std::pair<uint32_t, uint32_t> combination{modifiers, virtualKey};
  if (virtualKey == 0 || taken_.count(combination) || registered_.count(combination)) return false;
  for (const auto &[c, r] : registered_)
    if (r.window == window && r.id == id) return false;  // the id is in use on that window
  registered_[combination] = Registration{window, id};
  return true;
}

bool EmulatedSystemHotkeys::Unregister(Window window, int32_t id) {
  for (auto it = registered_.begin(); it != registered_.end(); ++it) {
    if (it->second.window == window && it->second.id == id) {
      registered_.erase(it);
      return true;
    }
  }
  return false;
}

WString EmulatedSystemHotkeys::KeyName(uint32_t virtualKey, bool extended) {
  // The navigation keys share their scan codes with the keypad's.
  if (virtualKey >= 0x21 && virtualKey <= 0x2E && !extended) {
    switch (virtualKey) {
      case 0x21: return u"Num 9";
      case 0x22: return u"Num 3";
      case 0x23: return u"Num 1";
      case 0x24: return u"Num 7";
      case 0x25: return u"Num 4";
      case 0x26: return u"Num 8";
      case 0x27: return u"Num 6";
      case 0x28: return u"Num 2";
      case 0x2D: return u"Num 0";
      case 0x2E: return u"Num Del";
      default: break;
    }
  }
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
    return WString(1, static_cast<char16_t>(virtualKey));
  if (virtualKey >= 0x70 && virtualKey <= 0x7B) {  // F1..F12
    WString name = u"F";
    const uint32_t n = virtualKey - 0x70 + 1;
    if (n >= 10) name += static_cast<char16_t>(u'0' + n / 10);
    name += static_cast<char16_t>(u'0' + n % 10);
    return name;
  }
  switch (virtualKey) {
    case kVkShift: return u"Shift";
    case kVkControl: return u"Ctrl";
    case kVkMenu: return u"Alt";
    case 0x20: return u"Space";
    case 0x21: return u"Page Up";
    case 0x22: return u"Page Down";
    case 0x23: return u"End";
    case 0x24: return u"Home";
    case 0x2D: return u"Insert";
    case 0x2E: return u"Delete";
    case 0x25: return u"Left";
    case 0x26: return u"Up";
    case 0x27: return u"Right";
    case 0x28: return u"Down";
    default: return WString();
  }
}

WString EmulatedSystemHotkeys::AtomName(Atom atom) const {
  auto it = atoms_.find(atom);
  return it == atoms_.end() ? WString() : it->second.name;
}

int32_t EmulatedSystemHotkeys::IdOf(uint32_t modifiers, uint32_t virtualKey) const {
  auto it = registered_.find({modifiers, virtualKey});
  return it == registered_.end() ? 0 : it->second.id;
}

}  // namespace tolven::hk
