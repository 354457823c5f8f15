#include "driver/control/proc_amp_control.h"

namespace tolven::control {

namespace {
namespace procamp = requests::procamp;
}  // namespace

CProcAmpControl::CProcAmpControl(ControlEnvironment &environment) : ComponentBase(environment) {
  env_.board.ProcAmpDescribe(caps_);
}

int32_t CProcAmpControl::GetRange(int32_t property, ProcAmpRange *range) {
  if (!range) return 0;
  *range = ProcAmpRange{};
  if (!Known(property)) return 0;
  const ProcAmpEntry &p = ProcAmpProperties()[static_cast<size_t>(property)];
  if (p.onOff) {
    if (caps_[procamp::OnOffWordOf(p.hardwareProperty)]) *range = ProcAmpRange{0, 1, 1, 1};
    return 1;
  }
  auto word = [&](procamp::RangeWord w) {
    return static_cast<int32_t>(caps_[procamp::RangeWordOf(p.hardwareProperty, w)]);
  };
  *range = ProcAmpRange{word(procamp::kMinimum), word(procamp::kMaximum), word(procamp::kStep),
                        word(procamp::kDefault)};
  return 1;
}

int32_t CProcAmpControl::GetValue(int32_t property, int32_t *value) {
  if (!Known(property) || !value) return 0;
  const ProcAmpEntry &p = ProcAmpProperties()[static_cast<size_t>(property)];
  uint32_t record[procamp::kRequestWords] = {procamp::ReadOperation(p.hardwareProperty), 0};
  if (!env_.board.ProcAmpRequest(record)) return 0;
  *value = static_cast<int32_t>(record[procamp::kValueWord]);
  return 1;
}

int32_t CProcAmpControl::SetValue(int32_t property, int32_t value) {
  if (!Known(property)) return 0;
  const ProcAmpEntry &p = ProcAmpProperties()[static_cast<size_t>(property)];
  if (p.onOff) {
    if (!caps_[procamp::OnOffWordOf(p.hardwareProperty)]) return 0;
  } else if (caps_[procamp::RangeWordOf(p.hardwareProperty, procamp::kMinimum)] ==
             caps_[procamp::RangeWordOf(p.hardwareProperty, procamp::kMaximum)]) {
    return 0;  // a fixed value cannot be set
  }
  uint32_t record[procamp::kRequestWords] = {procamp::SetOperation(p.hardwareProperty),
                                             static_cast<uint32_t>(value)};
  return env_.board.ProcAmpRequest(record) ? 1 : 0;
}

int32_t CProcAmpControl::OpenSettingsKey(const char16_t *subkey) { return settings_.Open(subkey); }

int32_t CProcAmpControl::SaveSettings() {
  bool ok = true;
  for (const ProcAmpEntry &p : ProcAmpProperties()) {
    int32_t value = 0;
    if (GetValue(p.property, &value))
      ok = settings_.Write(Widen(p.settingsName), static_cast<uint32_t>(value)) && ok;
  }
  return ok ? 1 : 0;
}

int32_t CProcAmpControl::LoadSettings() {
  for (int32_t property : ProcAmpLoadOrder()) {
    const ProcAmpEntry &p = ProcAmpProperties()[static_cast<size_t>(property)];
    uint32_t value = 0;
    if (settings_.Read(Widen(p.settingsName), &value)) SetValue(property, static_cast<int32_t>(value));
  }
  return 1;
}

void *CProcAmpControl::DeletingDestructor(uint32_t flags) { return DeleteWithFlags(this, flags); }

}  // namespace tolven::control
