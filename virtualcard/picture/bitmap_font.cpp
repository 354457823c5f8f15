#include "virtualcard/picture/bitmap_font.h"

#include <array>

#include "virtualcard/picture/frame.h"

namespace tolven::card::picture {

namespace {

// The glyphs: the character, then its seven rows top to bottom, '#' for a
// lit pixel and '.' for an unlit one.
struct GlyphSource {
  char c;
  const char *rows;
};
constexpr GlyphSource kGlyphs[] = {
    {' ', "..... ..... ..... ..... ..... ..... ....."},
    {'0', ".###. #...# #..## #.#.# ##..# #...# .###."},
    {'1', "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###."},
    {'2', ".###. #...# ....# ...#. ..#.. .#... #####"},
    {'3', "####. ....# ....# .###. ....# ....# ####."},
    {'4', "...#. ..##. .#.#. #..#. ##### ...#. ...#."},
    {'5', "##### #.... ####. ....# ....# #...# .###."},
    {'6', "..##. .#... #.... ####. #...# #...# .###."},
    {'7', "##### ....# ...#. ..#.. .#... .#... .#..."},
    {'8', ".###. #...# #...# .###. #...# #...# .###."},
    {'9', ".###. #...# #...# .#### ....# ...#. .##.."},
    {'A', ".###. #...# #...# ##### #...# #...# #...#"},
    {'B', "####. #...# #...# ####. #...# #...# ####."},
    {'C', ".###. #...# #.... #.... #.... #...# .###."},
    {'D', "####. #...# #...# #...# #...# #...# ####."},
    {'E', "##### #.... #.... ####. #.... #.... #####"},
    {'F', "##### #.... #.... ####. #.... #.... #...."},
    {'G', ".###. #...# #.... #.### #...# #...# .####"},
    {'H', "#...# #...# #...# ##### #...# #...# #...#"},
    {'I', ".###. ..#.. ..#.. ..#.. ..#.. ..#.. .###."},
    {'J', "..### ...#. ...#. ...#. ...#. #..#. .##.."},
    {'K', "#...# #..#. #.#.. ##... #.#.. #..#. #...#"},
    {'L', "#.... #.... #.... #.... #.... #.... #####"},
    {'M', "#...# ##.## #.#.# #.#.# #...# #...# #...#"},
    {'N', "#...# #...# ##..# #.#.# #..## #...# #...#"},
    {'O', ".###. #...# #...# #...# #...# #...# .###."},
    {'P', "####. #...# #...# ####. #.... #.... #...."},
    {'Q', ".###. #...# #...# #...# #.#.# #..#. .##.#"},
    {'R', "####. #...# #...# ####. #.#.. #..#. #...#"},
    {'S', ".#### #.... #.... .###. ....# ....# ####."},
    {'T', "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.."},
    {'U', "#...# #...# #...# #...# #...# #...# .###."},
    {'V', "#...# #...# #...# #...# #...# .#.#. ..#.."},
    {'W', "#...# #...# #...# #.#.# #.#.# #.#.# .#.#."},
    {'X', "#...# #...# .#.#. ..#.. .#.#. #...# #...#"},
    {'Y', "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#.."},
    {'Z', "##### ....# ...#. ..#.. .#... #.... #####"},
    {'.', "..... ..... ..... ..... ..... .##.. .##.."},
    {',', "..... ..... ..... ..... .##.. ..#.. .#..."},
    {':', "..... .##.. .##.. ..... .##.. .##.. ....."},
    {'-', "..... ..... ..... ##### ..... ..... ....."},
    {'+', "..... ..#.. ..#.. ##### ..#.. ..#.. ....."},
    {'/', "....# ...#. ...#. ..#.. .#... .#... #...."},
    {'(', "...#. ..#.. .#... .#... .#... ..#.. ...#."},
    {')', ".#... ..#.. ...#. ...#. ...#. ..#.. .#..."},
    {'\'', "..#.. ..#.. .#... ..... ..... ..... ....."},
    {'!', "..#.. ..#.. ..#.. ..#.. ..#.. ..... ..#.."},
    {'?', ".###. #...# ....# ...#. ..#.. ..... ..#.."},
    {'&', ".##.. #..#. #.#.. .#... #.#.# #..#. .##.#"},
    {'#', ".#.#. .#.#. ##### .#.#. ##### .#.#. .#.#."},
    {'%', "##... ##..# ...#. ..#.. .#... #..## ...##"},
    {'=', "..... ..... ##### ..... ##### ..... ....."},
    {'_', "..... ..... ..... ..... ..... ..... #####"},
};

using GlyphRows = std::array<uint8_t, BitmapFont::kGlyphHeight>;

// The table as row bits, indexed by character code (0-127).
struct Table {
  std::array<GlyphRows, 128> rows{};
  std::array<bool, 128> present{};
  Table() {
    for (const GlyphSource &g : kGlyphs) {
      GlyphRows r{};
      const char *p = g.rows;
      for (int32_t row = 0; row < BitmapFont::kGlyphHeight; ++row) {
        for (int32_t col = 0; col < BitmapFont::kGlyphWidth; ++col, ++p)
          if (*p == '#') r[row] |= static_cast<uint8_t>(1 << (BitmapFont::kGlyphWidth - 1 - col));
        if (*p == ' ') ++p;
      }
      rows[static_cast<unsigned char>(g.c)] = r;
      present[static_cast<unsigned char>(g.c)] = true;
    }
  }
};

const Table &Glyphs() {
  static const Table table;
  return table;
}

}  // namespace

const uint8_t *BitmapFont::Glyph(char c) {
  const Table &t = Glyphs();
  unsigned char code = static_cast<unsigned char>(c);
  if (code >= 'a' && code <= 'z') code = static_cast<unsigned char>(code - 'a' + 'A');
  if (code >= 128 || !t.present[code]) code = '?';
  return t.rows[code].data();
}

int32_t BitmapFont::TextWidth(std::string_view text, int32_t scale) {
  if (text.empty() || scale <= 0) return 0;
  return (static_cast<int32_t>(text.size()) * kAdvance - 1) * scale;
}

void BitmapFont::Draw(Frame *frame, int32_t x, int32_t y, std::string_view text, int32_t scale,
                      uint32_t value) {
  if (!frame || scale <= 0) return;
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t *glyph = Glyph(text[i]);
    const int32_t left = x + static_cast<int32_t>(i) * kAdvance * scale;
    if (left >= frame->Width()) break;
    for (int32_t row = 0; row < kGlyphHeight; ++row) {
      for (int32_t col = 0; col < kGlyphWidth; ++col) {
        if (!(glyph[row] & (1 << (kGlyphWidth - 1 - col)))) continue;
        for (int32_t dy = 0; dy < scale; ++dy) {
          const int32_t py = y + row * scale + dy;
          if (py < 0 || py >= frame->Height()) continue;
          uint32_t *line = frame->Row(py);
          for (int32_t dx = 0; dx < scale; ++dx) {
            const int32_t px = left + col * scale + dx;
            if (px >= 0 && px < frame->Width()) line[px] = value;
          }
        }
      }
    }
  }
}

}  // namespace tolven::card::picture
