// The system's master volume and mute, mirrored from the card's volume and
// mute when the user asks for it. Without a mixer (or without its controls)
// it stays silently inactive.
#pragma once
#include <cstdint>

#include "platform/mixer/mixer.h"

namespace tolven::viewer {

class CMasterVolume {
 public:
  explicit CMasterVolume(mix::Mixer &mixer) : mixer_(mixer) {}
  ~CMasterVolume();
  CMasterVolume(const CMasterVolume &) = delete;
  CMasterVolume &operator=(const CMasterVolume &) = delete;

  // Opens mixer 0 and finds the speakers' volume and mute controls; kept
  // open until the program ends. A second call does nothing.
  void Open();
  // Sends v percent to the volume control; values outside 0..100 are not
  // sent. False when nothing was written.
  bool SetVolume(int32_t percent);
  // Sends the mute flag; true when no mixer is open (nothing to mirror).
  bool SetMute(bool mute);

  bool Available() const { return available_; }
  int32_t Scale() const { return scale_; }

 private:
  mix::Mixer &mixer_;
  mix::Handle handle_ = 0;
  bool available_ = false;
  bool haveVolume_ = false;
  bool haveMute_ = false;
  int32_t scale_ = 0;
  mix::ControlDescription volume_;
  mix::ControlDescription mute_;
};

}  // namespace tolven::viewer
