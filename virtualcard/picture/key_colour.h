// The key colour as the screen shows it, from the key-colour record the
// driver sends with the video port's create and update: which 32-bit screen
// pixels (0x00RRGGBB, the top byte ignored) count as key.
//
//   type 9, 6   a COLORREF (0x00BBGGRR): that exact colour
//   type 2      a 15-bit colour (blue bits 0-4, green 5-9, red 10-14): any
//               pixel whose top five bits per component match
//   type 0      a palette index (8-bit displays): no key here, as the screen
//               is read back in 32-bit pixels without the palette
#pragma once
#include <cstdint>

namespace tolven::card::picture {

class KeyColour {
 public:
  KeyColour() = default;
  static KeyColour FromRecord(uint32_t type, uint32_t value);

  bool Valid() const { return valid_; }
  bool Matches(uint32_t pixel) const { return valid_ && (pixel & mask_) == key_; }
  // The screen pixel of the key (with the low bits of a 15-bit key clear).
  uint32_t Pixel() const { return key_; }

 private:
  bool valid_ = false;
  uint32_t key_ = 0, mask_ = 0;
};

}  // namespace tolven::card::picture
