#include "virtualcard/picture/key_colour.h"

namespace tolven::card::picture {

KeyColour KeyColour::FromRecord(uint32_t type, uint32_t value) {
  KeyColour k;
  switch (type) {
    case 6:
    case 9: {
      const uint32_t r = value & 0xFF, g = (value >> 8) & 0xFF, b = (value >> 16) & 0xFF;
      k.valid_ = true;
      k.key_ = r << 16 | g << 8 | b;
      k.mask_ = 0x00FFFFFF;
      break;
    }
    case 2: {
      const uint32_t b = value & 0x1F, g = (value >> 5) & 0x1F, r = (value >> 10) & 0x1F;
      k.valid_ = true;
      k.key_ = r << 19 | g << 11 | b << 3;
      k.mask_ = 0x00F8F8F8;
      break;
    }
    default:
      break;
  }
  return k;
}

}  // namespace tolven::card::picture
