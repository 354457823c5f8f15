// The picture controls (kind 16): brightness, contrast, hue and saturation,
// written to the video decoder's registers.
#pragma once
#include <array>
#include <cstdint>

#include "driver/hardware/component_family.h"
#include "driver/hardware/control_bus.h"
#include "driver/hardware/requests.h"

namespace tolven {

class CVideoDecoderChip;

class CProcAmp : public CComponentFamily {
 public:
  CProcAmp(CControlBus &bus, CVideoDecoderChip &decoder)
      : CComponentFamily(kKindProcAmp), bus_(bus), decoder_(decoder) {}
  uint32_t Dispatch(uint32_t *record) override;
  void FillDescription(uint32_t *record) override;

  void SetBrightness(int32_t value);
  void SetContrast(int32_t value);
  void SetHue(int32_t value);
  void SetSaturation(int32_t value);

  // Each property's range in the order its description carries it:
  // minimum, maximum, step, default (requests::procamp::RangeWord).
  using Range = std::array<int32_t, requests::procamp::kRangeWords>;
  static constexpr Range kBrightnessRange{-1, 127, 1, 0};
  static constexpr Range kContrastRange{0, 255, 1, 57};
  static constexpr Range kHueRange{0, 255, 1, 0};
  static constexpr Range kSaturationRange{0, 255, 1, 127};

 private:
  CControlBus &bus_;
  CVideoDecoderChip &decoder_;
  int32_t brightness_ = kBrightnessRange[requests::procamp::kDefault];
  int32_t contrast_ = kContrastRange[requests::procamp::kDefault];
  int32_t hue_ = kHueRange[requests::procamp::kDefault];
  int32_t saturation_ = kSaturationRange[requests::procamp::kDefault];
};

}  // namespace tolven
