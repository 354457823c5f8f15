#include "driver/hardware/hardware_component.h"

namespace tolven {

namespace {
CHardwareManager *g_manager = nullptr;
constexpr size_t kListGrowth = 10;
}  // namespace

CHardwareComponent::CHardwareComponent(uint32_t kind) : kind_(kind) {
  if (g_manager) g_manager->Register(this);
}

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

uint32_t CComponentFamily::Describe(uint32_t *record) {
  FillDescription(record);
  return 1;
}
uint32_t CComponentFamily::Request(uint32_t *record) { return Dispatch(record); }
uint32_t CComponentFamily::Dispatch(uint32_t *) { return 0; }
void CComponentFamily::FillDescription(uint32_t *) {}

CHardwareManager::CHardwareManager() { g_manager = this; }

CHardwareManager::~CHardwareManager() {
  if (g_manager == this) g_manager = nullptr;
}

CHardwareManager *CHardwareManager::Current() { return g_manager; }

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
