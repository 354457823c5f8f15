#include "driver/hardware/hardware_component.h"

namespace tolven {

uint32_t CHardwareComponent::Describe(uint32_t *) { return 0; }
uint32_t CHardwareComponent::Request(uint32_t *) { return 0; }
bool CHardwareComponent::Detect() { return true; }
bool CHardwareComponent::Initialise() { return true; }
void CHardwareComponent::Shutdown() {}
uint32_t CHardwareComponent::SetOwner(uint32_t value) {
  owner_ = value;
  return 1;
}
void *CHardwareComponent::SetContext(void *context) {
  context_ = context;
  return context;
}

}  // namespace tolven
