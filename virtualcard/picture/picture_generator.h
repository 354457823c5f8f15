// The card's synthetic picture: what the decoder would deliver from the
// selected source, after its picture controls, as the display shows it.
//
//   tuner, a station received   a test card: colour bars, a grey scale, the
//                               station's name, channel, frequency and
//                               standard, and a square that moves with the
//                               card's clock; a station weaker than the clean
//                               level shows some snow over it
//   tuner, no usable reception  snow
//   composite or S-video with
//   a signal                    colour bars
//   no signal (a line input
//   without one, the digital
//   input)                      a plain "NO SIGNAL" screen
//
// Brightness, contrast, saturation and hue from the decoder's registers act
// on all of them. With the overlay off there is nothing to draw: Render
// leaves the frame empty.
#pragma once
#include <cstdint>

#include "virtualcard/picture/frame.h"
#include "virtualcard/picture/picture_state.h"

namespace tolven::card::picture {

class PictureGenerator {
 public:
  // Renders the picture for `state` at `width` × `height` into `out`; false
  // (and `out` empty) when the overlay is off or the size is empty.
  bool Render(const PictureState &state, int32_t width, int32_t height, Frame *out);
  // The signal before the picture controls (packed YCbCr), as last rendered.
  const Frame &Signal() const { return signal_; }

  // How far the moving square has come at `timeMs` across `travel` pixels.
  static int32_t MovingOffset(uint32_t timeMs, int32_t travel);
  // Pixels per glyph pixel of the test card's caption: the largest that
  // fits the longest line (`longestText` pixels at scale 1) into the box.
  static int32_t CaptionScale(int32_t boxWidth, int32_t lineStep, int32_t longestText);

 private:
  void TestCard(const PictureState &state);
  void ColourBars(int32_t top, int32_t bottom);
  void NoSignal();
  void Snow(uint32_t seed, int32_t amplitude, bool replace);
  void Fill(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t value);
  void CentredText(int32_t centreX, int32_t top, const std::string &text, int32_t scale, uint32_t value,
                   int32_t maxWidth);

  Frame signal_;
};

}  // namespace tolven::card::picture
