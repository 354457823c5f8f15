// What the overlay does to the screen, on a copy of part of it: inside the
// destination rectangle, every pixel that shows the key colour is replaced
// by the picture's pixel there; every other pixel is left alone, so windows
// on top stay on top.
//
// A real overlay never writes the screen; this one does, so the key colour
// is gone where it drew. The compositor remembers what it wrote: a pixel
// that still holds exactly what it put there last time counts as key too,
// and one that anybody else has painted since does not.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/display/gdi.h"
#include "virtualcard/picture/key_colour.h"

namespace tolven::card::picture {

class Frame;

// A piece of the screen in 32-bit pixels (0x00RRGGBB): `width` × `height`
// pixels whose top left is the screen point (left, top); `stride` pixels
// from one row to the next.
struct ScreenArea {
  uint32_t *pixels = nullptr;
  int32_t left = 0, top = 0, width = 0, height = 0, stride = 0;
};

class OverlayCompositor {
 public:
  // The part of `destination` (right and bottom included) on a screen of
  // `screenWidth` × `screenHeight`, as a rectangle with right and bottom
  // excluded; empty (right <= left or bottom <= top) when nothing shows.
  static display::Rect VisiblePart(const display::Rect &destination, int32_t screenWidth,
                                   int32_t screenHeight);

  // Lays `frame` over `destination` (stretched to it when the sizes differ)
  // wherever `area` shows the key; answers the pixels replaced.
  int64_t Apply(const Frame &frame, const KeyColour &key, const display::Rect &destination,
                const ScreenArea &area);
  // Drops the memory of what was drawn (the overlay went off).
  void Forget();

 private:
  // What was drawn last time, over the screen rectangle `drawn_`.
  display::Rect drawn_{};
  std::vector<uint32_t> wrote_;
  std::vector<uint8_t> ours_;
  std::vector<int32_t> columns_;
};

}  // namespace tolven::card::picture
