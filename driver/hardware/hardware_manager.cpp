#include "driver/hardware/hardware_manager.h"

namespace tolven {

namespace {
constexpr size_t kListGrowth = 10;
}  // namespace

void CHardwareManager::Register(CHardwareComponent *component) {
  if (components_.size() == components_.capacity())
    components_.reserve(components_.size() + kListGrowth);
  components_.push_back(component);
}

CHardwareComponent *CHardwareManager::FindComponent(uint32_t kind) const {
  for (CHardwareComponent *c : components_)
    if (c->Kind() == kind) return c;
  return nullptr;
}

// The manager's overlay slots have no overlay to drive; they look the decoder
// up like the board does and answer their defaults.
uint32_t CHardwareManager::OverlayCaps() {
  FindComponent(kKindVideoDecoder);
  return 0;
}
uint32_t CHardwareManager::KeyColour() {
  FindComponent(kKindVideoDecoder);
  return 0;
}
bool CHardwareManager::SetOverlayDestination(const OverlayDestination &) {
  FindComponent(kKindVideoDecoder);
  return false;
}
bool CHardwareManager::SetOverlaySource(const BoardRect &) {
  FindComponent(kKindVideoDecoder);
  return false;
}
bool CHardwareManager::EnableOverlay(void *, bool) {
  FindComponent(kKindVideoDecoder);
  return false;
}
bool CHardwareManager::EnableExternalIn(void *, bool) {
  FindComponent(kKindVideoDecoder);
  return false;
}
bool CHardwareManager::SetSourceRect(const BoardRect &) {
  FindComponent(kKindVideoDecoder);
  return false;
}
bool CHardwareManager::GetSourceRect(BoardRect *) {
  FindComponent(kKindVideoDecoder);
  return false;
}
bool CHardwareManager::UpdateWindow(const BoardRect &) {
  FindComponent(kKindVideoDecoder);
  return false;
}
uint32_t CHardwareManager::GetVideoPortMode() {
  FindComponent(kKindVideoDecoder);
  return 0;
}
uint32_t CHardwareManager::SetVideoPortMode(uint32_t) {
  FindComponent(kKindVideoDecoder);
  return 0;
}

}  // namespace tolven
