#include "viewer/core/master_volume.h"

namespace tolven::viewer {

CMasterVolume::~CMasterVolume() {
  if (handle_) mixer_.Close(handle_);
}

void CMasterVolume::Open() {
  if (handle_ || mixer_.DeviceCount() == 0) return;
  handle_ = mixer_.Open(0);
  if (!handle_) return;
  if (mixer_.FindLineControl(handle_, mix::kComponentTypeDstSpeakers, mix::kControlTypeVolume, &volume_)) {
    haveVolume_ = true;
    // Integer division: 100 percent lands below the maximum when the range
    // is not a multiple of 100.
    scale_ = static_cast<int32_t>((static_cast<int64_t>(volume_.maximum) - volume_.minimum) / 100);
  }
  haveMute_ = mixer_.FindLineControl(handle_, mix::kComponentTypeDstSpeakers, mix::kControlTypeMute, &mute_);
  // Available even when a control is missing: that one is then skipped.
  available_ = true;
}

bool CMasterVolume::SetVolume(int32_t percent) {
  if (!available_ || !haveVolume_ || percent < 0 || percent > 100) return false;
  // The scale spans the range above the minimum, so the value starts there;
  // without it a control whose minimum is not 0 would get too low a value.
  return mixer_.SetValue(handle_, volume_.controlId, volume_.minimum + percent * scale_);
}

bool CMasterVolume::SetMute(bool mute) {
  if (!available_) return true;
  if (!haveMute_) return false;
  return mixer_.SetValue(handle_, mute_.controlId, mute ? 1 : 0);
}

}  // namespace tolven::viewer
