#include "driver/hardware/entry_points.h"

#include <cstring>

namespace tolven {

namespace {

enum class Call { Describe, Request };

template <uint32_t Words>
uint32_t Forward(uint32_t kind, Call call, uint32_t *record) {
  CHardwareManager *manager = CHardwareManager::Current();
  CHardwareComponent *component = manager ? manager->FindComponent(kind) : nullptr;
  if (!component || !record) return 0;
  uint32_t copy[Words];
  std::memcpy(copy, record, sizeof copy);
  uint32_t answer = call == Call::Describe ? component->Describe(copy) : component->Request(copy);
  std::memcpy(record, copy, sizeof copy);
  return answer;
}

}  // namespace

namespace rq = requests;
uint32_t CrossbarRequest(uint32_t *r) { return Forward<rq::crossbar::kRecordWords>(kKindCrossbar, Call::Request, r); }
uint32_t TunerDescribe(uint32_t *r) { return Forward<rq::tuner::kRecordWords>(kKindTuner, Call::Describe, r); }
uint32_t TunerRequest(uint32_t *r) { return Forward<rq::tuner::kRecordWords>(kKindTuner, Call::Request, r); }
uint32_t AudioDescribe(uint32_t *r) { return Forward<rq::audio::kDescriptionWords>(kKindTvAudio, Call::Describe, r); }
uint32_t AudioRequest(uint32_t *r) { return Forward<rq::audio::kRequestWords>(kKindTvAudio, Call::Request, r); }
uint32_t DecoderDescribe(uint32_t *r) { return Forward<rq::decoder::kDescriptionWords>(kKindVideoDecoder, Call::Describe, r); }
uint32_t DecoderRequest(uint32_t *r) { return Forward<rq::decoder::kRequestWords>(kKindVideoDecoder, Call::Request, r); }
uint32_t ProcAmpDescribe(uint32_t *r) { return Forward<rq::procamp::kDescriptionWords>(kKindProcAmp, Call::Describe, r); }
uint32_t ProcAmpRequest(uint32_t *r) { return Forward<rq::procamp::kRequestWords>(kKindProcAmp, Call::Request, r); }
uint32_t VideoPortDescribe(uint32_t *r) { return Forward<rq::videoport::kDescriptionWords>(kKindVideoPort, Call::Describe, r); }
uint32_t VideoPortRequest(uint32_t *r) { return Forward<rq::videoport::kRequestWords>(kKindVideoPort, Call::Request, r); }

uint32_t OverlayCaps(DeviceLink *) {
  CHardwareManager *m = CHardwareManager::Current();
  return m ? m->OverlayCaps() : 0;
}

uint32_t KeyColour(DeviceLink *) {
  CHardwareManager *m = CHardwareManager::Current();
  return m ? m->KeyColour() : 0;
}

uint8_t SetOverlayDestination(DeviceLink *, const OverlayDestination &destination) {
  CHardwareManager *m = CHardwareManager::Current();
  return m ? static_cast<uint8_t>(m->SetOverlayDestination(destination)) : 0;
}

uint8_t EnableOverlay(DeviceLink *link, bool on) {
  CHardwareManager *m = CHardwareManager::Current();
  return m ? static_cast<uint8_t>(m->EnableOverlay(link, on)) : 0;
}

uint8_t EnableExternalIn(DeviceLink *link, bool on) {
  CHardwareManager *m = CHardwareManager::Current();
  return m ? static_cast<uint8_t>(m->EnableExternalIn(link, on)) : 0;
}

uint8_t SetSourceRect(DeviceLink *, const BoardRect &rect) {
  CHardwareManager *m = CHardwareManager::Current();
  return m ? static_cast<uint8_t>(m->SetSourceRect(rect)) : 0;
}

uint8_t GetSourceRect(DeviceLink *, BoardRect *rect) {
  CHardwareManager *m = CHardwareManager::Current();
  return m ? static_cast<uint8_t>(m->GetSourceRect(rect)) : 0;
}

uint8_t UpdateWindow(DeviceLink *, const BoardRect &window) {
  CHardwareManager *m = CHardwareManager::Current();
  return m ? static_cast<uint8_t>(m->UpdateWindow(window)) : 0;
}

DeviceLink *OpenHardware(const Ports &ports, const char16_t *serviceName, uint32_t index) {
  CHardwareManager *m = CHardwareManager::Current();
  if (!m || !m->Detect() || !m->Initialise() || !m->Ready()) return nullptr;
  return OpenDeviceLink(ports, serviceName, index);
}

void CloseHardware(const Ports &ports, DeviceLink *link) {
  if (link) CloseDeviceLink(ports, link);
}

}  // namespace tolven
