// The decoder's picture controls acting on its signal, and the display's
// conversion of the result to RGB: packed YCbCr (full range, Y in bits 0-7,
// Cb 8-15, Cr 16-23) in, 0x00RRGGBB out.
//
//   Y' = Y × contrast / 57 + brightness
//   (Cb', Cr') = the chroma turned by hue × 180° / 128 and scaled by
//                saturation / 127
//
// Everything but the final sums is in tables made once per setting, so a
// pixel costs a handful of look-ups.
#pragma once
#include <array>
#include <cstdint>

namespace tolven::card::picture {

class Frame;

class ProcAmpTransform {
 public:
  ProcAmpTransform(int8_t brightness, uint8_t contrast, uint8_t saturation, int8_t hue);

  uint32_t ToRgb(uint32_t ycc) const {
    const uint32_t y = ycc & 0xFF, cb = (ycc >> 8) & 0xFF, cr = (ycc >> 16) & 0xFF;
    const int32_t luma = luma_[y];
    const int32_t r = (luma + rFromCb_[cb] + rFromCr_[cr]) >> kShift;
    const int32_t g = (luma + gFromCb_[cb] + gFromCr_[cr]) >> kShift;
    const int32_t b = (luma + bFromCb_[cb] + bFromCr_[cr]) >> kShift;
    return uint32_t{Clamp(r)} << 16 | uint32_t{Clamp(g)} << 8 | Clamp(b);
  }
  // `rgb` takes `signal`'s size.
  void Convert(const Frame &signal, Frame *rgb) const;

  // Packed YCbCr of an RGB colour (the generator's palette).
  static constexpr uint32_t Ycc(uint8_t r, uint8_t g, uint8_t b) {
    const int32_t y = (77 * r + 150 * g + 29 * b + 128) >> 8;
    const int32_t cb = 128 + ((-43 * r - 85 * g + 128 * b + 128) >> 8);
    const int32_t cr = 128 + ((128 * r - 107 * g - 21 * b + 128) >> 8);
    return static_cast<uint32_t>(Limit(y)) | static_cast<uint32_t>(Limit(cb)) << 8 |
           static_cast<uint32_t>(Limit(cr)) << 16;
  }

 private:
  static constexpr int32_t kShift = 10;
  static constexpr int32_t Limit(int32_t v) { return v < 0 ? 0 : v > 255 ? 255 : v; }
  static uint8_t Clamp(int32_t v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

  std::array<int32_t, 256> luma_{};
  std::array<int32_t, 256> rFromCb_{}, rFromCr_{}, gFromCb_{}, gFromCr_{}, bFromCb_{}, bFromCr_{};
};

}  // namespace tolven::card::picture
