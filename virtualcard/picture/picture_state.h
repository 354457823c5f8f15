// Everything the card's picture depends on at one moment, read from the
// virtual card's models: the decoder's source selector and picture-control
// registers, what the tuner receives, and the display side's video port
// (running, key colour record, destination rectangle).
//
// Copied out in one go so that a painter can take it under the card's lock
// and render without holding it.
#pragma once
#include <cstdint>
#include <string>

#include "platform/display/gdi.h"

namespace tolven::card {
class VirtualCard;
}

namespace tolven::card::picture {

// The decoder's selected source (bits 5-6 of register 0x01, or the digital
// input when the decoder is in that mode).
enum class PictureSource { Tuner, Composite, SVideo, Other };

class PictureState {
 public:
  static PictureState FromCard(VirtualCard &card);

  PictureSource source = PictureSource::Tuner;
  bool signal = false;  // the selected source delivers a usable picture

  // The received station (tuner source with a signal).
  std::string stationName;
  uint32_t channel = 0;           // 0: not known
  uint32_t frequencyHz = 0;       // the station's vision carrier
  uint32_t standard = 4096;       // of the picture on the selected source
  uint32_t strength = 100;
  uint32_t cleanStrength = 0;     // weaker stations show some snow

  // Picture controls, as the decoder's registers hold them.
  int8_t brightness = 0;
  uint8_t contrast = 57;
  uint8_t saturation = 127;
  int8_t hue = 0;

  uint32_t timeMs = 0;  // moves the test card's moving element; seeds snow

  // The overlay: on while the video port runs and the decoder's output is on.
  bool overlayOn = false;
  uint32_t keyType = 0, keyValue = 0;   // the key-colour record (type, value)
  display::Rect destination{};          // screen pixels, right and bottom included
};

}  // namespace tolven::card::picture
