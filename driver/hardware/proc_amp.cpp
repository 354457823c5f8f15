#include "driver/hardware/proc_amp.h"

#include "driver/hardware/video_decoder.h"

namespace tolven {

// Picture controls: brightness 0x10, contrast 0x11, hue 0x14, saturation
// 0x12 with its companion 0x13.

void CProcAmp::SetBrightness(int32_t value) {
  brightness_ = value;
  decoder_.Write(0x10, static_cast<uint8_t>(value));
}
void CProcAmp::SetContrast(int32_t value) {
  contrast_ = value;
  decoder_.Write(0x11, static_cast<uint8_t>(value));
}
void CProcAmp::SetHue(int32_t value) {
  hue_ = value;
  decoder_.Write(0x14, static_cast<uint8_t>(value));
}
void CProcAmp::SetSaturation(int32_t value) {
  saturation_ = value;
  decoder_.Write(0x12, static_cast<uint8_t>(value));
  const int32_t companion = decoder_.CurrentStandard() == kStdSecam ? value * 133 / 135 : value * 180 / 254;
  decoder_.Write(0x13, static_cast<uint8_t>(companion));
}

uint32_t CProcAmp::Dispatch(uint32_t *record) {
  using namespace requests::procamp;
  const uint32_t op = record[requests::kOperationWord];
  uint32_t &word = record[kValueWord];
  const int32_t value = static_cast<int32_t>(word);
  if (op >= kReadFirst + kPropertyCount) return 0;
  if (op < kReadFirst) {
    switch (op) {
      case kBrightness: SetBrightness(value); break;
      case kContrast: SetContrast(value); break;
      case kHue: SetHue(value); break;
      case kSaturation: SetSaturation(value); break;
      default: break;  // not on this card
    }
    return 1;
  }
  switch (op - kReadFirst) {
    case kBrightness: word = static_cast<uint32_t>(brightness_); break;
    case kContrast: word = static_cast<uint32_t>(contrast_); break;
    case kHue: word = static_cast<uint32_t>(hue_); break;
    case kSaturation: word = static_cast<uint32_t>(saturation_); break;
    case kColourEnable: word = 1; break;  // colour is always on
    default: word = 0; break;
  }
  return 1;
}

void CProcAmp::FillDescription(uint32_t *record) {
  using namespace requests::procamp;
  for (uint32_t i = 0; i < kDescriptionWords; ++i) record[i] = 0;
  // Brightness, contrast, hue and saturation (properties 0-3) are the
  // ranged properties this card has.
  const Range ranges[] = {kBrightnessRange, kContrastRange, kHueRange, kSaturationRange};
  for (uint32_t p = 0; p < 4; ++p)
    for (uint32_t w = 0; w < kRangeWords; ++w)
      record[RangeWordOf(p, static_cast<RangeWord>(w))] = static_cast<uint32_t>(ranges[p][w]);
}

}  // namespace tolven
