// The picture's small built-in font: 5 × 7 pixel capitals, digits and some
// punctuation, drawn from the readable glyph table in bitmap_font.cpp (its
// one source). Small letters are drawn as capitals; any other character as
// '?'. Each character takes 6 × 8 cells (a column and a row of space).
#pragma once
#include <cstdint>
#include <string_view>

namespace tolven::card::picture {

class Frame;

class BitmapFont {
 public:
  static constexpr int32_t kGlyphWidth = 5, kGlyphHeight = 7;
  static constexpr int32_t kAdvance = 6, kLineHeight = 8;

  // Row bits of a character's glyph, top row first; bit 4 is the left column.
  static const uint8_t *Glyph(char c);
  // Width in pixels of `text` at `scale` (the last character's space left out).
  static int32_t TextWidth(std::string_view text, int32_t scale);
  // Draws `text` with its top left at (x, y), each glyph pixel a scale ×
  // scale block of `value`; whatever falls outside the frame is clipped.
  static void Draw(Frame *frame, int32_t x, int32_t y, std::string_view text, int32_t scale,
                   uint32_t value);
};

}  // namespace tolven::card::picture
