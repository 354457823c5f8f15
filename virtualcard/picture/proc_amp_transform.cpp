#include "virtualcard/picture/proc_amp_transform.h"

#include <cmath>
#include <numbers>

#include "virtualcard/picture/frame.h"

namespace tolven::card::picture {

namespace {
constexpr double kNominalContrast = 57.0, kNominalSaturation = 127.0;
}

ProcAmpTransform::ProcAmpTransform(int8_t brightness, uint8_t contrast, uint8_t saturation,
                                   int8_t hue) {
  const double one = 1 << kShift;
  const double gain = contrast / kNominalContrast;
  for (int32_t y = 0; y < 256; ++y)
    luma_[y] = static_cast<int32_t>(std::lround((y * gain + brightness) * one));
  const double angle = hue * std::numbers::pi / 128.0;
  const double s = saturation / kNominalSaturation;
  const double c = std::cos(angle) * s, n = std::sin(angle) * s;
  // Turned chroma: Cb' = c·Cb − n·Cr, Cr' = n·Cb + c·Cr (both about 128);
  // then R = Y' + 1.402 Cr', G = Y' − 0.344 Cb' − 0.714 Cr', B = Y' + 1.772 Cb'.
  for (int32_t v = 0; v < 256; ++v) {
    const double d = v - 128;
    const double cbFromCb = c * d, cbFromCr = -n * d, crFromCb = n * d, crFromCr = c * d;
    rFromCb_[v] = static_cast<int32_t>(std::lround(1.402 * crFromCb * one));
    rFromCr_[v] = static_cast<int32_t>(std::lround(1.402 * crFromCr * one));
    gFromCb_[v] = static_cast<int32_t>(std::lround((-0.344 * cbFromCb - 0.714 * crFromCb) * one));
    gFromCr_[v] = static_cast<int32_t>(std::lround((-0.344 * cbFromCr - 0.714 * crFromCr) * one));
    bFromCb_[v] = static_cast<int32_t>(std::lround(1.772 * cbFromCb * one));
    bFromCr_[v] = static_cast<int32_t>(std::lround(1.772 * cbFromCr * one));
  }
  // Rounding to the nearest value instead of down.
  for (auto &v : luma_) v += 1 << (kShift - 1);
}

void ProcAmpTransform::Convert(const Frame &signal, Frame *rgb) const {
  rgb->Resize(signal.Width(), signal.Height());
  const uint32_t *in = signal.Pixels().data();
  uint32_t *out = rgb->Pixels().data();
  const size_t count = signal.Pixels().size();
  for (size_t i = 0; i < count; ++i) out[i] = ToRgb(in[i]);
}

}  // namespace tolven::card::picture
