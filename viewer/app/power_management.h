// The standby and shut-off switches of a separate power-management product,
// kept under its own keys of the current user. The viewer only reads them
// once and writes 0 or the values it read; it never creates the keys.
#pragma once
#include <cstdint>

#include "platform/registry/registry.h"

namespace tolven::viewer {

inline constexpr char16_t kPowerManagementKey[] =
    u"Software\\Olvane Software\\Tessary\\Power Management\\EnablePowerManagement";
inline constexpr char16_t kPowerShutOffKey[] = u"Software\\Olvane Software\\Tessary\\Power Management\\ShutOff";
inline constexpr char16_t kPowerStandbyKey[] = u"Software\\Olvane Software\\Tessary\\Power Management\\Standby";

struct PowerManagementState {
  bool present = false;
  uint32_t shutOffEnabled = 0;
  uint32_t standbyEnabled = 0;
};

class CPowerManagement {
 public:
  explicit CPowerManagement(reg::Registry &registry) : registry_(registry) {}

  // Present when its EnablePowerManagement key exists; an existing ShutOff or
  // Standby key whose value cannot be read makes it not present.
  PowerManagementState Probe();
  // Writes "ShutOffEnabled" and "StandbyEnabled" into their keys where those exist.
  void Write(uint32_t shutOffEnabled, uint32_t standbyEnabled);

 private:
  // 1 read, 0 key absent, -1 key present but the value unreadable.
  int ReadDword(const char16_t *key, const char16_t *name, uint32_t *value);
  void WriteDword(const char16_t *key, const char16_t *name, uint32_t value);

  reg::Registry &registry_;
};

}  // namespace tolven::viewer
