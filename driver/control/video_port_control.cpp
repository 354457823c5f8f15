#include "driver/control/video_port_control.h"

namespace tolven::control {

namespace {

namespace port = requests::videoport;
using PortGroup = CVideoPortControl::Group;
const PortGroup kAspect{kPortAspects, port::kAspects, port::kReadAspect, port::kSetAspect, 1};
const PortGroup kFormat{kPortVideoFormats, port::kVideoFormats, port::kReadVideoFormat,
                        port::kSetVideoFormat, 1};
const PortGroup kConnection{kPortConnections, port::kConnections, port::kReadConnection,
                            port::kSetConnection, 4};
constexpr uint32_t kFallbackColourFormat = 0x59565955;  // "UYVY"

}  // namespace

CVideoPortControl::CVideoPortControl(ControlEnvironment &environment) : ComponentBase(environment) {
  InitialiseVideoPort();
}

int32_t CVideoPortControl::InitialiseVideoPort() {
  settings_.Close();
  for (uint32_t &w : caps_) w = 0;
  return env_.board.VideoPortDescribe(caps_) ? 1 : 0;
}

uint32_t CVideoPortControl::Request(uint32_t number, uint32_t value, uint32_t fallback, bool *ok) {
  uint32_t record[port::kRequestWords] = {number, value, 0};
  const bool answered = env_.board.VideoPortRequest(record) != 0;
  if (ok) *ok = answered;
  return answered ? record[port::kResultWord] : fallback;
}

int32_t CVideoPortControl::Count(const Group &g) const {
  return CountBits(caps_[g.capabilityWord], g.values.countedBits);
}

int32_t CVideoPortControl::Set(const Group &g, int32_t index) {
  if (index < 0 || index >= Count(g)) return 0;
  bool ok = false;
  Request(g.setRequest, NthBit(caps_[g.capabilityWord], index), 0, &ok);
  return ok ? 1 : 0;
}

int32_t CVideoPortControl::Get(const Group &g) {
  return IndexOfBit(caps_[g.capabilityWord], Request(g.readRequest, 0, g.readFallback));
}

WString CVideoPortControl::IndexName(const Group &g, int32_t index) const {
  if (index < 0 || index >= Count(g)) return {};
  return Name(g.values.NameOf(NthBit(caps_[g.capabilityWord], index)));
}

#define PORT_GROUP_IMPL(G, group)                                                           \
  int32_t CVideoPortControl::Set##G(int32_t index) { return Set(group, index); }            \
  int32_t CVideoPortControl::Get##G() { return Get(group); }                                \
  int32_t CVideoPortControl::Get##G##Code(int32_t) { return -1; }                           \
  int32_t CVideoPortControl::Get##G##Count() { return Count(group); }                       \
  int32_t CVideoPortControl::Get##G##NameLength(int32_t index) {                            \
    return NameLength(IndexName(group, index));                                             \
  }                                                                                         \
  int32_t CVideoPortControl::Get##G##Name(int32_t index, char16_t *buffer) {                \
    return CopyName(IndexName(group, index), buffer);                                       \
  }                                                                                         \
  int32_t CVideoPortControl::Lookup##G##Name(int32_t index, ControlName *name) {            \
    return FillName(IndexName(group, index), name);                                         \
  }
PORT_GROUP_IMPL(Aspect, kAspect)
PORT_GROUP_IMPL(VideoFormat, kFormat)
PORT_GROUP_IMPL(Connection, kConnection)
#undef PORT_GROUP_IMPL

int32_t CVideoPortControl::SetColourFormat(int32_t index) {
  // The index must name one of the listed formats: past the list the
  // hardware would fall back to "UYVY" and the index would be taken silently.
  if (index < 0 || index >= GetColourFormatCount()) return 0;
  bool ok = false;
  Request(port::kSetColourFormat, static_cast<uint32_t>(GetColourFormatCode(index)), 0, &ok);
  return ok ? 1 : 0;
}

int32_t CVideoPortControl::GetColourFormat() {
  const int32_t count = GetColourFormatCount();
  if (count <= 0) return -1;
  const uint32_t current = Request(port::kReadColourFormat, 0, kFallbackColourFormat);
  for (int32_t i = 0; i < count; ++i)
    if (static_cast<uint32_t>(GetColourFormatCode(i)) == current) return i;
  return -1;
}

int32_t CVideoPortControl::GetColourFormatCode(int32_t index) {
  return static_cast<int32_t>(
      Request(port::kColourFormatAt, static_cast<uint32_t>(index), kFallbackColourFormat));
}

int32_t CVideoPortControl::GetColourFormatCount() { return static_cast<int32_t>(caps_[port::kColourFormatCount]); }

int32_t CVideoPortControl::GetOverlayColourKey() { return static_cast<int32_t>(env_.board.KeyColour()); }

int32_t CVideoPortControl::OpenSettingsKey(const char16_t *subkey) { return settings_.Open(subkey); }

int32_t CVideoPortControl::SaveSettings() {
  bool ok = settings_.Write(u"vip_Video", static_cast<uint32_t>(GetVideoFormat()));
  ok = settings_.Write(u"vip_Aspect", static_cast<uint32_t>(GetAspect())) && ok;
  ok = settings_.Write(u"vip_Connection", static_cast<uint32_t>(GetConnection())) && ok;
  ok = settings_.Write(u"vip_Colour", static_cast<uint32_t>(GetColourFormat())) && ok;
  return ok ? 1 : 0;
}

int32_t CVideoPortControl::LoadSettings() {
  auto stored = [&](const char16_t *name) {
    uint32_t v = 0;
    return settings_.Read(name, &v) ? static_cast<int32_t>(v) : 0;
  };
  SetVideoFormat(stored(u"vip_Video"));
  SetAspect(stored(u"vip_Aspect"));
  SetConnection(stored(u"vip_Connection"));
  SetColourFormat(stored(u"vip_Colour"));
  return 1;
}

void *CVideoPortControl::DeletingDestructor(uint32_t flags) { return DeleteWithFlags(this, flags); }

}  // namespace tolven::control
