#include "driver/control/video_decoder_control.h"

namespace tolven::control {

namespace {

namespace rq = requests::decoder;
using Group = CVideoDecoderControl::Group;
const Group kAspect{kAspectRatios, rq::kAspectRatios, rq::kSetAspectRatio, rq::kReadAspectRatio, -1, -1};
const Group kStandard{kVideoStandards, rq::kStandards, rq::kSetVideoStandard, rq::kReadVideoStandard, 0, 0};
const Group kScale{kScaleStrategies, rq::kScaleStrategies, rq::kSetScaleStrategy, rq::kReadScaleStrategy, -1, -1};
const Group kInterlace{kInterlaceModes, rq::kInterlaceModes, rq::kSetInterlaceMode, rq::kReadInterlaceMode, -1, -1};
const Group kDepth{kColourDepths, rq::kColourDepths, rq::kSetColourDepth, rq::kReadColourDepth, -1, -1};

// The stored settings: value name, reading and setting operation, in the
// order they are saved and loaded.
struct StoredSetting {
  const char16_t *name;
  int32_t (CVideoDecoderControl::*get)();
  int32_t (CVideoDecoderControl::*set)(int32_t);
};
const StoredSetting kStored[] = {
    {u"vDec_VideoStandard", &CVideoDecoderControl::GetVideoStandard,
     &CVideoDecoderControl::SetVideoStandard},
    {u"vDec_InterlaceMode", &CVideoDecoderControl::GetInterlaceMode,
     &CVideoDecoderControl::SetInterlaceMode},
    {u"vDec_ScaleStrategy", &CVideoDecoderControl::GetScaleStrategy,
     &CVideoDecoderControl::SetScaleStrategy},
    {u"vDec_AspectRatio", &CVideoDecoderControl::GetAspectRatio,
     &CVideoDecoderControl::SetAspectRatio},
    {u"vDec_ColourDepth", &CVideoDecoderControl::GetColourDepth,
     &CVideoDecoderControl::SetColourDepth},
    {u"vDec_OutputEnable", &CVideoDecoderControl::GetOutputEnable,
     &CVideoDecoderControl::SetOutputEnable},
    {u"vDec_VcrTiming", &CVideoDecoderControl::GetVcrTiming, &CVideoDecoderControl::SetVcrTiming},
};

}  // namespace

CVideoDecoderControl::CVideoDecoderControl(ControlEnvironment &environment)
    : ComponentBase(environment) {
  env_.board.DecoderDescribe(caps_);
}

bool CVideoDecoderControl::Request(uint32_t number, uint32_t value, uint32_t *result) {
  uint32_t record[rq::kRequestWords] = {number, value, 0};
  if (!env_.board.DecoderRequest(record)) return false;
  if (result) *result = record[rq::kResultWord];
  return true;
}

int32_t CVideoDecoderControl::Count(const Group &g) const {
  return CountBits(caps_[g.capabilityWord], g.values.countedBits);
}

int32_t CVideoDecoderControl::Set(const Group &g, int32_t index) {
  if (index < 0 || index >= Count(g)) return 0;
  const uint32_t mask = caps_[g.capabilityWord];
  const uint32_t bit = NthBit(mask, index);
  if (!bit || !(mask & bit)) return 0;
  uint32_t result = 0;
  if (!Request(g.setRequest, bit, &result)) return 0;
  return 1;
}

int32_t CVideoDecoderControl::Get(const Group &g) {
  uint32_t bit = 0;
  if (!Request(g.readRequest, 0, &bit)) return g.readFailure;
  return IndexOfBit(caps_[g.capabilityWord], bit);
}

int32_t CVideoDecoderControl::Code(const Group &g, int32_t index) const {
  if (index < 0 || index >= Count(g)) return g.badIndexCode;
  return g.values.CodeOf(NthBit(caps_[g.capabilityWord], index));
}

WString CVideoDecoderControl::IndexName(const Group &g, int32_t index) const {
  if (index < 0 || index >= Count(g)) return {};
  return Name(g.values.NameOf(NthBit(caps_[g.capabilityWord], index)));
}

#define DECODER_GROUP_IMPL(G, group)                                                          \
  int32_t CVideoDecoderControl::Set##G(int32_t index) { return Set(group, index); }           \
  int32_t CVideoDecoderControl::Get##G() { return Get(group); }                               \
  int32_t CVideoDecoderControl::Get##G##Count() { return Count(group); }                      \
  int32_t CVideoDecoderControl::Get##G##Code(int32_t index) { return Code(group, index); }    \
  int32_t CVideoDecoderControl::Get##G##NameLength(int32_t index) {                           \
    return NameLength(IndexName(group, index));                                               \
  }                                                                                           \
  int32_t CVideoDecoderControl::Get##G##Name(int32_t index, char16_t *buffer) {               \
    return CopyName(IndexName(group, index), buffer);                                         \
  }                                                                                           \
  int32_t CVideoDecoderControl::Lookup##G##Name(int32_t index, ControlName *name) {           \
    return FillName(IndexName(group, index), name);                                           \
  }                                                                                           \
  int32_t CVideoDecoderControl::G##CodeOf(uint32_t bit) { return group.values.CodeOf(bit); }
DECODER_GROUP_IMPL(AspectRatio, kAspect)
DECODER_GROUP_IMPL(VideoStandard, kStandard)
DECODER_GROUP_IMPL(ScaleStrategy, kScale)
DECODER_GROUP_IMPL(InterlaceMode, kInterlace)
DECODER_GROUP_IMPL(ColourDepth, kDepth)
#undef DECODER_GROUP_IMPL

uint32_t CVideoDecoderControl::VideoStandardOfCode(int32_t code) { return VideoStandardBitOfCode(code); }
uint32_t CVideoDecoderControl::AspectRatioOfCode(int32_t code) { return AspectRatioBitOfCode(code); }
uint32_t CVideoDecoderControl::ScaleStrategyOfCode(int32_t code) { return ScaleStrategyBitOfCode(code); }
uint32_t CVideoDecoderControl::InterlaceModeOfCode(int32_t code) { return InterlaceModeBitOfCode(code); }
uint32_t CVideoDecoderControl::ColourDepthOfCode(int32_t code) { return ColourDepthBitOfCode(code); }

int32_t CVideoDecoderControl::SetWhenCapable(int capabilityWord, uint32_t request, int32_t value) {
  if (caps_[capabilityWord] == 0) return 0;
  return Request(request, static_cast<uint32_t>(value), nullptr) ? 1 : 0;
}

int32_t CVideoDecoderControl::ReadOrZero(uint32_t request) {
  uint32_t v = 0;
  return Request(request, 0, &v) ? static_cast<int32_t>(v) : 0;
}

int32_t CVideoDecoderControl::SetOutputEnable(int32_t value) {
  return SetWhenCapable(rq::kOutputEnableCapable, rq::kSetOutputEnable, value);
}
int32_t CVideoDecoderControl::GetOutputEnable() { return ReadOrZero(rq::kReadOutputEnable); }
int32_t CVideoDecoderControl::SetVcrTiming(int32_t value) {
  return SetWhenCapable(rq::kVcrTimingCapable, rq::kSetVcrTiming, value);
}
int32_t CVideoDecoderControl::GetVcrTiming() { return ReadOrZero(rq::kReadVcrTiming); }
int32_t CVideoDecoderControl::IsSignalLocked() { return ReadOrZero(rq::kReadSignalLock); }

int32_t CVideoDecoderControl::GetDetectedVideoStandard() {
  uint32_t bit = 0;
  if (!Request(rq::kReadDetectedStandard, 0, &bit)) return 0;
  return IndexOfBit(caps_[kStandard.capabilityWord], bit);
}

int32_t CVideoDecoderControl::OpenSettingsKey(const char16_t *subkey) { return settings_.Open(subkey); }

int32_t CVideoDecoderControl::SaveSettings() {
  bool ok = true;
  for (const StoredSetting &s : kStored)
    ok = settings_.Write(s.name, static_cast<uint32_t>((this->*s.get)())) && ok;
  return ok ? 1 : 0;
}

int32_t CVideoDecoderControl::LoadSettings() {
  for (const StoredSetting &s : kStored) {
    uint32_t value = 0;
    if (settings_.Read(s.name, &value)) (this->*s.set)(static_cast<int32_t>(value));
  }
  return 1;
}

void *CVideoDecoderControl::DeletingDestructor(uint32_t flags) { return DeleteWithFlags(this, flags); }

}  // namespace tolven::control
