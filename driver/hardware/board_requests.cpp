#include "driver/hardware/board_requests.h"

#include <cstring>

#include "driver/hardware/requests.h"

namespace tolven {

template <uint32_t Words>
uint32_t BoardRequests::Forward(uint32_t kind, bool describe, uint32_t *record) {
  CHardwareComponent *component = manager_ ? manager_->FindComponent(kind) : nullptr;
  if (!component || !record) return 0;
  // The component sees a copy of exactly its record's size.
  uint32_t copy[Words];
  std::memcpy(copy, record, sizeof copy);
  uint32_t answer = describe ? component->Describe(copy) : component->Request(copy);
  std::memcpy(record, copy, sizeof copy);
  return answer;
}

namespace rq = requests;
uint32_t BoardRequests::CrossbarRequest(uint32_t *r) { return Forward<rq::crossbar::kRecordWords>(kKindCrossbar, false, r); }
uint32_t BoardRequests::TunerDescribe(uint32_t *r) { return Forward<rq::tuner::kRecordWords>(kKindTuner, true, r); }
uint32_t BoardRequests::TunerRequest(uint32_t *r) { return Forward<rq::tuner::kRecordWords>(kKindTuner, false, r); }
uint32_t BoardRequests::AudioDescribe(uint32_t *r) { return Forward<rq::audio::kDescriptionWords>(kKindTvAudio, true, r); }
uint32_t BoardRequests::AudioRequest(uint32_t *r) { return Forward<rq::audio::kRequestWords>(kKindTvAudio, false, r); }
uint32_t BoardRequests::DecoderDescribe(uint32_t *r) { return Forward<rq::decoder::kDescriptionWords>(kKindVideoDecoder, true, r); }
uint32_t BoardRequests::DecoderRequest(uint32_t *r) { return Forward<rq::decoder::kRequestWords>(kKindVideoDecoder, false, r); }
uint32_t BoardRequests::ProcAmpDescribe(uint32_t *r) { return Forward<rq::procamp::kDescriptionWords>(kKindProcAmp, true, r); }
uint32_t BoardRequests::ProcAmpRequest(uint32_t *r) { return Forward<rq::procamp::kRequestWords>(kKindProcAmp, false, r); }
uint32_t BoardRequests::VideoPortDescribe(uint32_t *r) { return Forward<rq::videoport::kDescriptionWords>(kKindVideoPort, true, r); }
uint32_t BoardRequests::VideoPortRequest(uint32_t *r) { return Forward<rq::videoport::kRequestWords>(kKindVideoPort, false, r); }

uint32_t BoardRequests::OverlayCaps() { return manager_ ? manager_->OverlayCaps() : 0; }
uint32_t BoardRequests::KeyColour() { return manager_ ? manager_->KeyColour() : 0; }

uint8_t BoardRequests::SetOverlayDestination(const OverlayDestination &destination) {
  return manager_ ? static_cast<uint8_t>(manager_->SetOverlayDestination(destination)) : 0;
}
uint8_t BoardRequests::EnableOverlay(DeviceLink *link, bool on) {
  return manager_ ? static_cast<uint8_t>(manager_->EnableOverlay(link, on)) : 0;
}
uint8_t BoardRequests::EnableExternalIn(DeviceLink *link, bool on) {
  return manager_ ? static_cast<uint8_t>(manager_->EnableExternalIn(link, on)) : 0;
}
uint8_t BoardRequests::SetSourceRect(const BoardRect &rect) {
  return manager_ ? static_cast<uint8_t>(manager_->SetSourceRect(rect)) : 0;
}
uint8_t BoardRequests::GetSourceRect(BoardRect *rect) {
  return manager_ ? static_cast<uint8_t>(manager_->GetSourceRect(rect)) : 0;
}
uint8_t BoardRequests::UpdateWindow(const BoardRect &window) {
  return manager_ ? static_cast<uint8_t>(manager_->UpdateWindow(window)) : 0;
}

DeviceLink *BoardRequests::OpenHardware(const Ports &ports, const char16_t *serviceName, uint32_t index) {
  if (!manager_ || !manager_->Detect() || !manager_->Initialise() || !manager_->Ready()) return nullptr;
  return OpenDeviceLink(ports, serviceName, index);
}

void BoardRequests::CloseHardware(const Ports &ports, DeviceLink *link) {
  if (link) CloseDeviceLink(ports, link);
}

}  // namespace tolven
