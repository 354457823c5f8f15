#include "platform/mixer/emulated_mixer.h"

namespace tolven::mix {

namespace {
constexpr Handle kHandle = 0x4D49;  // any nonzero value; one mixer opens at a time
}

Handle EmulatedMixer::Open(uint32_t device) {
  if (failOpen_ || device >= devices_) return 0;
  open_ = kHandle;
  return open_;
}

void EmulatedMixer::Close(Handle mixer) {
  if (mixer == open_) open_ = 0;
}

bool EmulatedMixer::FindLineControl(Handle mixer, uint32_t componentType, uint32_t controlType,
                                    ControlDescription *control) {
  if (mixer == 0 || mixer != open_) return false;
  for (const auto &[id, c] : controls_) {
    if (c.componentType == componentType && c.description.controlType == controlType) {
      *control = c.description;
      return true;
    }
  }
  return false;
}

bool EmulatedMixer::SetValue(Handle mixer, uint32_t controlId, int32_t value) {
  if (mixer == 0 || mixer != open_) return false;
  auto it = controls_.find(controlId);
  if (it == controls_.end()) return false;
  it->second.value = value;
  writes_.push_back(Write{controlId, value});
  return true;
}

uint32_t EmulatedMixer::AddControl(uint32_t componentType, uint32_t controlType, int32_t minimum,
                                   int32_t maximum) {
  const uint32_t id = static_cast<uint32_t>(controls_.size()) + 1;
  Control c{componentType, ControlDescription{id, controlType, minimum, maximum}};
  controls_.emplace(id, c);
  return id;
}

int32_t EmulatedMixer::Value(uint32_t controlId) const {
  auto it = controls_.find(controlId);
  return it == controls_.end() ? 0 : it->second.value;
}

}  // namespace tolven::mix
