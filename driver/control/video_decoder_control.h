// The video decoder's choices as five enumerated settings, two on/off
// settings and two status readings. No current values are kept: every
// reading asks the hardware.
#pragma once
#include "driver/control/component_base.h"

namespace tolven::control {

class CVideoDecoderControl final : public IVideoDecoderControl, private ComponentBase {
 public:
  explicit CVideoDecoderControl(ControlEnvironment &environment);
  ~CVideoDecoderControl() = default;

  // One enumerated group: its values, capability word and requests.
  struct Group {
    const ValueGroup &values;
    int capabilityWord;
    uint32_t setRequest, readRequest;
    int32_t readFailure;  // GetG's answer when the read fails
    int32_t badIndexCode; // GetGCode's answer past the count
  };

#define DECODER_GROUP_OPS(G)                                                        \
  TOLVEN_THISCALL int32_t Set##G(int32_t index) override;                           \
  TOLVEN_THISCALL int32_t Get##G() override;                                        \
  TOLVEN_THISCALL int32_t Get##G##Count() override;                                 \
  TOLVEN_THISCALL int32_t Get##G##Code(int32_t index) override;                     \
  TOLVEN_THISCALL int32_t Get##G##NameLength(int32_t index) override;               \
  TOLVEN_THISCALL int32_t Get##G##Name(int32_t index, char16_t *buffer) override;
  DECODER_GROUP_OPS(AspectRatio)
  DECODER_GROUP_OPS(VideoStandard)
  DECODER_GROUP_OPS(ScaleStrategy)
  DECODER_GROUP_OPS(InterlaceMode)
  DECODER_GROUP_OPS(ColourDepth)
#undef DECODER_GROUP_OPS
  TOLVEN_THISCALL int32_t SetOutputEnable(int32_t value) override;
  TOLVEN_THISCALL int32_t GetOutputEnable() override;
  TOLVEN_THISCALL int32_t SetVcrTiming(int32_t value) override;
  TOLVEN_THISCALL int32_t GetVcrTiming() override;
  TOLVEN_THISCALL int32_t IsSignalLocked() override;
  TOLVEN_THISCALL int32_t GetDetectedVideoStandard() override;
  TOLVEN_THISCALL int32_t OpenSettingsKey(const char16_t *subkey) override;
  TOLVEN_THISCALL int32_t SaveSettings() override;
  TOLVEN_THISCALL int32_t LoadSettings() override;
  TOLVEN_THISCALL void *DeletingDestructor(uint32_t flags) override;
  TOLVEN_THISCALL int32_t LookupAspectRatioName(int32_t index, ControlName *name) override;
  TOLVEN_THISCALL int32_t LookupVideoStandardName(int32_t index, ControlName *name) override;
  TOLVEN_THISCALL int32_t LookupScaleStrategyName(int32_t index, ControlName *name) override;
  TOLVEN_THISCALL int32_t LookupInterlaceModeName(int32_t index, ControlName *name) override;
  TOLVEN_THISCALL int32_t LookupColourDepthName(int32_t index, ControlName *name) override;
  TOLVEN_THISCALL int32_t VideoStandardCodeOf(uint32_t bit) override;
  TOLVEN_THISCALL int32_t AspectRatioCodeOf(uint32_t bit) override;
  TOLVEN_THISCALL int32_t ScaleStrategyCodeOf(uint32_t bit) override;
  TOLVEN_THISCALL int32_t InterlaceModeCodeOf(uint32_t bit) override;
  TOLVEN_THISCALL int32_t ColourDepthCodeOf(uint32_t bit) override;
  TOLVEN_THISCALL uint32_t VideoStandardOfCode(int32_t code) override;
  TOLVEN_THISCALL uint32_t AspectRatioOfCode(int32_t code) override;
  TOLVEN_THISCALL uint32_t ScaleStrategyOfCode(int32_t code) override;
  TOLVEN_THISCALL uint32_t InterlaceModeOfCode(int32_t code) override;
  TOLVEN_THISCALL uint32_t ColourDepthOfCode(int32_t code) override;

 private:
  int32_t Set(const Group &g, int32_t index);
  int32_t Get(const Group &g);
  int32_t Count(const Group &g) const;
  int32_t Code(const Group &g, int32_t index) const;
  WString IndexName(const Group &g, int32_t index) const;
  bool Request(uint32_t number, uint32_t value, uint32_t *result);
  // An on/off setting: 0 without its capability word, else the request.
  int32_t SetWhenCapable(int capabilityWord, uint32_t request, int32_t value);
  // A reading that answers 0 when the request fails.
  int32_t ReadOrZero(uint32_t request);

  uint32_t caps_[requests::decoder::kDescriptionWords] = {};
};

}  // namespace tolven::control
