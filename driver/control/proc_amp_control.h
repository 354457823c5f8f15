// The picture-controls component: each property's range from the
// hardware's description, and its value. It keeps no current values.
#pragma once
#include "driver/control/component_base.h"

namespace tolven::control {

class CProcAmpControl final : public IProcAmpControl, private ComponentBase {
 public:
  explicit CProcAmpControl(ControlEnvironment &environment);
  ~CProcAmpControl() = default;

  TOLVEN_THISCALL int32_t GetRange(int32_t property, ProcAmpRange *range) override;
  TOLVEN_THISCALL int32_t GetValue(int32_t property, int32_t *value) override;
  TOLVEN_THISCALL int32_t SetValue(int32_t property, int32_t value) override;
  TOLVEN_THISCALL int32_t OpenSettingsKey(const char16_t *subkey) override;
  TOLVEN_THISCALL int32_t SaveSettings() override;
  TOLVEN_THISCALL int32_t LoadSettings() override;
  TOLVEN_THISCALL void *DeletingDestructor(uint32_t flags) override;

 private:
  static bool Known(int32_t property) { return property >= 0 && property < kProcAmpPropertyCount; }

  uint32_t caps_[requests::procamp::kDescriptionWords] = {};
};

}  // namespace tolven::control
