#include "virtualcard/picture/picture_generator.h"

#include <algorithm>
#include <string>

#include "virtualcard/card_config.h"
#include "virtualcard/picture/bitmap_font.h"
#include "virtualcard/picture/proc_amp_transform.h"

namespace tolven::card::picture {

namespace {

constexpr uint32_t Ycc(uint8_t r, uint8_t g, uint8_t b) { return ProcAmpTransform::Ycc(r, g, b); }

// 75 % bars: white, yellow, cyan, green, magenta, red, blue, black.
constexpr uint32_t kBars[] = {Ycc(191, 191, 191), Ycc(191, 191, 0), Ycc(0, 191, 191), Ycc(0, 191, 0),
                              Ycc(191, 0, 191),   Ycc(191, 0, 0),   Ycc(0, 0, 191),   Ycc(0, 0, 0)};
constexpr uint32_t kBlack = Ycc(0, 0, 0), kWhite = Ycc(235, 235, 235);
constexpr uint32_t kNoSignalBlue = Ycc(16, 32, 96);
constexpr uint32_t kGrid = Ycc(200, 200, 200);
constexpr uint32_t kPeriodMs = 4000;  // the moving square crosses the card in 4 s

uint32_t Grey(int32_t y) { return static_cast<uint32_t>(y) | 128u << 8 | 128u << 16; }

// A station's own tint of the test card's background, from its name, so
// that two stations' pictures differ even where the text does not reach.
uint32_t Background(const std::string &name) {
  uint32_t h = 2166136261u;
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  const uint32_t cb = 128 - 24 + (h & 0xFF) % 49, cr = 128 - 24 + ((h >> 8) & 0xFF) % 49;
  return 96u | cb << 8 | cr << 16;
}

std::string Megahertz(uint32_t hz) {
  const uint32_t hundredths = (hz + 5000) / 10000;
  std::string frac = std::to_string(hundredths % 100);
  if (frac.size() < 2) frac.insert(0, "0");
  return std::to_string(hundredths / 100) + "." + frac + " MHZ";
}

uint32_t XorShift(uint32_t *state) {
  uint32_t x = *state;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  return *state = x;
}

}  // namespace

int32_t PictureGenerator::CaptionScale(int32_t boxWidth, int32_t lineStep, int32_t longestText) {
  // Two glyph widths of margin, and a line at most two thirds glyph.
  const int32_t byWidth = boxWidth / (std::max(longestText, 1) + 2 * BitmapFont::kAdvance);
  const int32_t byHeight = lineStep * 2 / 3 / BitmapFont::kGlyphHeight;
  return std::max(1, std::min(byWidth, byHeight));
}

int32_t PictureGenerator::MovingOffset(uint32_t timeMs, int32_t travel) {
  if (travel <= 0) return 0;
  return static_cast<int32_t>(uint64_t{timeMs % kPeriodMs} * static_cast<uint64_t>(travel) / kPeriodMs);
}

void PictureGenerator::Fill(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t value) {
  left = std::max(left, 0), top = std::max(top, 0);
  right = std::min(right, signal_.Width()), bottom = std::min(bottom, signal_.Height());
  for (int32_t y = top; y < bottom; ++y) std::fill(signal_.Row(y) + left, signal_.Row(y) + std::max(left, right), value);
}

void PictureGenerator::CentredText(int32_t centreX, int32_t top, const std::string &text, int32_t scale,
                                   uint32_t value, int32_t maxWidth) {
  // Characters that do not fit are left off rather than cut through.
  std::string shown = text;
  while (!shown.empty() && BitmapFont::TextWidth(shown, scale) > maxWidth) shown.pop_back();
  BitmapFont::Draw(&signal_, centreX - BitmapFont::TextWidth(shown, scale) / 2, top, shown, scale, value);
}

void PictureGenerator::ColourBars(int32_t top, int32_t bottom) {
  const int32_t w = signal_.Width();
  for (int32_t i = 0; i < 8; ++i) Fill(w * i / 8, top, w * (i + 1) / 8, bottom, kBars[i]);
}

void PictureGenerator::NoSignal() {
  Fill(0, 0, signal_.Width(), signal_.Height(), kNoSignalBlue);
  const int32_t scale = std::max(1, signal_.Height() / 120);
  CentredText(signal_.Width() / 2, (signal_.Height() - BitmapFont::kGlyphHeight * scale) / 2, "NO SIGNAL", scale,
              kWhite, signal_.Width());
}

void PictureGenerator::Snow(uint32_t seed, int32_t amplitude, bool replace) {
  uint32_t state = seed * 2654435761u + 0x9E3779B9u;
  if (state == 0) state = 1;
  auto &pixels = signal_.Pixels();
  const size_t count = pixels.size();
  size_t i = 0;
  while (i < count) {
    uint32_t bits = XorShift(&state);
    for (int k = 0; k < 4 && i < count; ++k, ++i, bits >>= 8) {
      const int32_t noise = static_cast<int32_t>(bits & 0xFF);
      if (replace) {
        pixels[i] = Grey(16 + noise * 220 / 255);
      } else {
        const int32_t y = static_cast<int32_t>(pixels[i] & 0xFF) + (noise - 128) * amplitude / 128;
        pixels[i] = (pixels[i] & 0xFFFFFF00u) | static_cast<uint32_t>(std::clamp(y, 0, 255));
      }
    }
  }
}

void PictureGenerator::TestCard(const PictureState &s) {
  const int32_t w = signal_.Width(), h = signal_.Height();
  Fill(0, 0, w, h, Background(s.stationName));
  // A grid of thin lines, a square cell about a twelfth of the height.
  const int32_t cell = std::max(4, h / 12), line = std::max(1, h / 240);
  for (int32_t x = cell / 2; x < w; x += cell) Fill(x, 0, x + line, h, kGrid);
  for (int32_t y = cell / 2; y < h; y += cell) Fill(0, y, w, y + line, kGrid);

  ColourBars(h / 10, h * 3 / 10);
  // A grey scale of six steps.
  for (int32_t i = 0; i < 6; ++i)
    Fill(w / 10 + (w * 8 / 10) * i / 6, h * 76 / 100, w / 10 + (w * 8 / 10) * (i + 1) / 6, h * 86 / 100,
         Grey(16 + i * 219 / 5));

  // The caption box: name, then channel and frequency, then the standard,
  // as large as the box lets the longest line be.
  const int32_t boxTop = h * 36 / 100, boxBottom = h * 72 / 100;
  Fill(w / 10, boxTop, w - w / 10, boxBottom, kBlack);
  std::string second = s.channel ? "CH " + std::to_string(s.channel) + "  " : std::string();
  second += Megahertz(s.frequencyHz);
  const std::string standard = StandardName(s.standard);
  const int32_t lineStep = (boxBottom - boxTop) / 3;
  const int32_t longest = std::max({BitmapFont::TextWidth(s.stationName, 1), BitmapFont::TextWidth(second, 1),
                                    BitmapFont::TextWidth(standard, 1), 1});
  const int32_t scale = CaptionScale(w * 8 / 10, lineStep, longest);
  const int32_t textWidth = w * 8 / 10 - 2 * scale * BitmapFont::kAdvance;
  const int32_t inset = (lineStep - BitmapFont::kGlyphHeight * scale) / 2;
  CentredText(w / 2, boxTop + inset, s.stationName, scale, kWhite, textWidth);
  CentredText(w / 2, boxTop + lineStep + inset, second, scale, kWhite, textWidth);
  CentredText(w / 2, boxTop + 2 * lineStep + inset, standard, scale, kWhite, textWidth);

  // The moving square, in the band below the grey scale.
  const int32_t size = std::max(2, h * 8 / 100);
  const int32_t x = MovingOffset(s.timeMs, w - size);
  Fill(0, h * 89 / 100, w, h * 89 / 100 + size, kBlack);
  Fill(x, h * 89 / 100, x + size, h * 89 / 100 + size, kWhite);

  if (s.strength < s.cleanStrength)
    Snow(s.timeMs, static_cast<int32_t>((s.cleanStrength - s.strength) * 128 / std::max<uint32_t>(s.cleanStrength, 1)),
         false);
}

bool PictureGenerator::Render(const PictureState &state, int32_t width, int32_t height, Frame *out) {
  if (!state.overlayOn || width <= 0 || height <= 0) {
    out->Resize(0, 0);
    return false;
  }
  signal_.Resize(width, height);
  if (!state.signal) {
    if (state.source == PictureSource::Tuner) Snow(state.timeMs, 0, true);
    else NoSignal();
  } else if (state.source == PictureSource::Tuner) {
    TestCard(state);
  } else {
    ColourBars(0, height);
  }
  ProcAmpTransform(state.brightness, state.contrast, state.saturation, state.hue).Convert(signal_, out);
  return true;
}

}  // namespace tolven::card::picture
