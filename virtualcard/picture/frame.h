// A picture of 32-bit pixels, row after row. The picture generator keeps
// its signal in one as packed YCbCr (Y in bits 0-7, Cb 8-15, Cr 16-23); what
// it hands out is RGB as 32-bit screen pixels read (0x00RRGGBB).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tolven::card::picture {

class Frame {
 public:
  Frame() = default;
  Frame(int32_t width, int32_t height) { Resize(width, height); }

  // Negative sizes count as 0. The contents are undefined afterwards.
  void Resize(int32_t width, int32_t height) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    pixels_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
  }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return pixels_.empty(); }
  uint32_t *Row(int32_t y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
  const uint32_t *Row(int32_t y) const {
    return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
  }
  uint32_t At(int32_t x, int32_t y) const { return Row(y)[x]; }
  std::vector<uint32_t> &Pixels() { return pixels_; }
  const std::vector<uint32_t> &Pixels() const { return pixels_; }

 private:
  int32_t width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace tolven::card::picture
