#include "viewer/app/power_management.h"

namespace tolven::viewer {

int CPowerManagement::ReadDword(const char16_t *key, const char16_t *name, uint32_t *value) {
  reg::Key k = 0;
  if (registry_.OpenKey(reg::kCurrentUser, key, reg::kRead, &k) != 0) return 0;
  uint32_t type = 0, data = 0, size = sizeof(data);
  const bool read = registry_.QueryValue(k, name, &type, &data, &size) == 0 && type == reg::kDword &&
                    size == sizeof(data);
  registry_.CloseKey(k);
  if (!read) return -1;
  *value = data;
  return 1;
}

void CPowerManagement::WriteDword(const char16_t *key, const char16_t *name, uint32_t value) {
  reg::Key k = 0;
  if (registry_.OpenKey(reg::kCurrentUser, key, reg::kSetValue, &k) != 0) return;
  registry_.SetValue(k, name, reg::kDword, &value, sizeof(value));
  registry_.CloseKey(k);
}

PowerManagementState CPowerManagement::Probe() {
  PowerManagementState state;
  reg::Key k = 0;
  if (registry_.OpenKey(reg::kCurrentUser, kPowerManagementKey, reg::kRead, &k) == 0) {
    state.present = true;
    registry_.CloseKey(k);
  }
  if (ReadDword(kPowerShutOffKey, u"ShutOffEnabled", &state.shutOffEnabled) < 0) state.present = false;
  if (ReadDword(kPowerStandbyKey, u"StandbyEnabled", &state.standbyEnabled) < 0) state.present = false;
  return state;
}

void CPowerManagement::Write(uint32_t shutOffEnabled, uint32_t standbyEnabled) {
  WriteDword(kPowerShutOffKey, u"ShutOffEnabled", shutOffEnabled);
  WriteDword(kPowerStandbyKey, u"StandbyEnabled", standbyEnabled);
}

}  // namespace tolven::viewer
