// The virtual card's picture: what the generator draws for each source and
// setting, and how the compositor lays it over the key colour on a screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "carddata/tuner_module_types.h"
#include "platform/display/escape_blocks.h"
#include "platform/display/wire_pointer.h"
#include "virtualcard/picture/bitmap_font.h"
#include "virtualcard/picture/key_colour.h"
#include "virtualcard/picture/overlay_compositor.h"
#include "virtualcard/picture/picture_generator.h"
#include "virtualcard/picture/picture_state.h"
#include "virtualcard/picture/proc_amp_transform.h"
#include "virtualcard/virtual_card.h"

namespace tolven::card::picture {
namespace {

constexpr int32_t kW = 640, kH = 480;

int R(uint32_t p) { return (p >> 16) & 0xFF; }
int G(uint32_t p) { return (p >> 8) & 0xFF; }
int B(uint32_t p) { return p & 0xFF; }
double Luma(uint32_t p) { return 0.299 * R(p) + 0.587 * G(p) + 0.114 * B(p); }

double AverageLuma(const Frame &f) {
  double sum = 0;
  for (uint32_t p : f.Pixels()) sum += Luma(p);
  return sum / static_cast<double>(f.Pixels().size());
}

// Mean absolute luma step between horizontal neighbours: high for snow.
double Roughness(const Frame &f) {
  double sum = 0;
  for (int32_t y = 0; y < f.Height(); ++y)
    for (int32_t x = 1; x < f.Width(); ++x) sum += std::abs(Luma(f.At(x, y)) - Luma(f.At(x - 1, y)));
  return sum / (static_cast<double>(f.Height()) * (f.Width() - 1));
}

PictureState Station(const char *name, uint32_t channel, uint32_t hz) {
  PictureState s;
  s.overlayOn = true;
  s.source = PictureSource::Tuner;
  s.signal = true;
  s.stationName = name;
  s.channel = channel;
  s.frequencyHz = hz;
  s.standard = 4096;
  s.cleanStrength = 40;
  s.strength = 90;
  s.keyType = 9;
  s.keyValue = 0xFF00FF;
  s.destination = {0, 0, kW - 1, kH - 1};
  return s;
}

PictureState Composite() {
  PictureState s = Station("", 0, 0);
  s.source = PictureSource::Composite;
  return s;
}

Frame Render(const PictureState &s, int32_t w = kW, int32_t h = kH) {
  PictureGenerator g;
  Frame f;
  EXPECT_TRUE(g.Render(s, w, h, &f));
  EXPECT_EQ(f.Width(), w);
  EXPECT_EQ(f.Height(), h);
  return f;
}

// --- Generator --------------------------------------------------------------

TEST(PictureGenerator, AverageLumaRisesWithBrightness) {
  PictureState s = Station("Channel 23 NICAM stereo", 23, 487250000);
  double last = -1;
  for (int8_t b : {int8_t{-1}, int8_t{0}, int8_t{20}, int8_t{60}, int8_t{127}}) {
    s.brightness = b;
    const double luma = AverageLuma(Render(s));
    EXPECT_GT(luma, last) << "brightness " << int{b};
    last = luma;
  }
  // Brightness register values above 127 are negative offsets: darker.
  s.brightness = 0;
  const double nominal = AverageLuma(Render(s));
  s.brightness = -60;
  EXPECT_LT(AverageLuma(Render(s)), nominal - 25);  // black cannot get blacker
}

TEST(PictureGenerator, ContrastScalesLumaAndLeavesBlackBlack) {
  PictureState s = Composite();
  s.contrast = 57;
  const Frame nominal = Render(s);
  s.contrast = 28;
  const Frame low = Render(s);
  s.contrast = 0;
  const Frame none = Render(s);
  const int32_t y = kH / 2;
  const uint32_t whiteBar = nominal.At(kW / 16, y), blackBar = nominal.At(kW - kW / 16, y);
  EXPECT_NEAR(Luma(whiteBar), 191, 2);
  EXPECT_NEAR(Luma(low.At(kW / 16, y)), 191.0 * 28 / 57, 3);
  EXPECT_EQ(blackBar, low.At(kW - kW / 16, y));
  EXPECT_LT(Luma(none.At(kW / 16, y)), 2);
}

TEST(PictureGenerator, SaturationZeroLeavesOnlyGreys) {
  PictureState s = Composite();
  const Frame colour = Render(s);
  int coloured = 0;
  for (uint32_t p : colour.Pixels()) coloured += (R(p) != G(p) || G(p) != B(p));
  EXPECT_GT(coloured, kW * kH / 2);
  s.saturation = 0;
  const Frame grey = Render(s);
  for (uint32_t p : grey.Pixels()) {
    ASSERT_LE(std::abs(R(p) - G(p)), 1);
    ASSERT_LE(std::abs(G(p) - B(p)), 1);
  }
  // Half the saturation brings the red bar's red and green closer.
  s.saturation = 63;
  const uint32_t red = colour.At(kW * 11 / 16, 10), paler = Render(s).At(kW * 11 / 16, 10);
  EXPECT_LT(R(paler) - G(paler), R(red) - G(red));
  EXPECT_GT(R(paler) - G(paler), 40);
}

TEST(PictureGenerator, HueTurnsColoursAndKeepsGreys) {
  PictureState s = Composite();
  const Frame before = Render(s);
  s.hue = 64;  // a quarter turn
  const Frame turned = Render(s);
  const uint32_t red = before.At(kW * 11 / 16, 10), redTurned = turned.At(kW * 11 / 16, 10);
  EXPECT_GT(R(red), 150);
  EXPECT_LT(G(red), 40);
  EXPECT_NE(red, redTurned);
  EXPECT_LT(R(redTurned), R(red) - 40);
  // The white and black bars carry no colour to turn.
  EXPECT_EQ(before.At(kW / 16, 10), turned.At(kW / 16, 10));
  EXPECT_EQ(before.At(kW - 1, 10), turned.At(kW - 1, 10));
  // Half a turn each way is the same picture.
  s.hue = -128;
  const Frame half = Render(s);
  const uint32_t opposite = half.At(kW * 11 / 16, 10);
  EXPECT_GT(B(opposite), 100);  // red turned half way round is blue-green
  EXPECT_GT(G(opposite), 60);
}

TEST(PictureGenerator, ColourBarsOnComposite) {
  const Frame f = Render(Composite());
  const int32_t y = kH * 3 / 4;
  struct Expected { int r, g, b; };
  const Expected bars[] = {{191, 191, 191}, {191, 191, 0}, {0, 191, 191}, {0, 191, 0},
                           {191, 0, 191},   {191, 0, 0},   {0, 0, 191},   {0, 0, 0}};
  for (int i = 0; i < 8; ++i) {
    const uint32_t p = f.At(kW * (2 * i + 1) / 16, y);
    EXPECT_NEAR(R(p), bars[i].r, 4) << "bar " << i;
    EXPECT_NEAR(G(p), bars[i].g, 4) << "bar " << i;
    EXPECT_NEAR(B(p), bars[i].b, 4) << "bar " << i;
    // Each bar is one colour from top to bottom.
    EXPECT_EQ(p, f.At(kW * (2 * i + 1) / 16, 0));
  }
}

TEST(PictureGenerator, SnowOffAStationTestCardOnOne) {
  PictureState on = Station("Channel 23 NICAM stereo", 23, 487250000);
  PictureState off = on;
  off.signal = false;
  const Frame snow = Render(off), card = Render(on);
  EXPECT_GT(Roughness(snow), 40);
  EXPECT_LT(Roughness(card), 15);
  for (uint32_t p : snow.Pixels()) ASSERT_TRUE(R(p) == G(p) && G(p) == B(p));
  // Snow changes from one moment to the next.
  off.timeMs += 50;
  EXPECT_NE(Render(off).Pixels(), snow.Pixels());
}

TEST(PictureGenerator, TwoStationsGiveDifferentTestCards) {
  const Frame a = Render(Station("Channel 23 NICAM stereo", 23, 487250000));
  const Frame b = Render(Station("Channel 26 NICAM dual", 26, 511250000));
  size_t differ = 0;
  for (size_t i = 0; i < a.Pixels().size(); ++i) differ += a.Pixels()[i] != b.Pixels()[i];
  EXPECT_GT(differ, a.Pixels().size() / 4);  // the tint as well as the text
}

TEST(PictureGenerator, TestCardCaptionShowsTheStation) {
  PictureGenerator g;
  Frame f;
  PictureState s = Station("Channel 30 mono", 30, 543250000);
  ASSERT_TRUE(g.Render(s, kW, kH, &f));
  // Render the expected caption lines alone and find their white pixels in
  // the card's signal, on the black caption box.
  const Frame &signal = g.Signal();
  const int32_t boxTop = kH * 36 / 100, step = (kH * 72 / 100 - boxTop) / 3;
  // The longest line sets the size: 17 characters into 512 pixels.
  const int32_t scale =
      PictureGenerator::CaptionScale(kW * 8 / 10, step, BitmapFont::TextWidth("CH 30  543.25 MHZ", 1));
  EXPECT_EQ(scale, 4);
  auto lineLit = [&](const std::string &text, int32_t top) {
    Frame probe(kW, kH);
    std::fill(probe.Pixels().begin(), probe.Pixels().end(), 0);
    BitmapFont::Draw(&probe, kW / 2 - BitmapFont::TextWidth(text, scale) / 2, top, text, scale, 1);
    int lit = 0, match = 0;
    for (size_t i = 0; i < probe.Pixels().size(); ++i) {
      if (!probe.Pixels()[i]) continue;
      ++lit;
      match += (signal.Pixels()[i] & 0xFF) > 200;
    }
    EXPECT_GT(lit, 50) << text;
    EXPECT_EQ(match, lit) << text;
  };
  const int32_t inset = (step - 7 * scale) / 2;
  lineLit("Channel 30 mono", boxTop + inset);
  lineLit("CH 30  543.25 MHZ", boxTop + step + inset);
  lineLit("PAL", boxTop + 2 * step + inset);
}

TEST(PictureGenerator, CaptionScaleFitsTheBox) {
  EXPECT_EQ(PictureGenerator::CaptionScale(512, 57, 89), 5);   // 512 / (89 + 12) = 5; 57 * 2 / 3 / 7 = 5
  EXPECT_EQ(PictureGenerator::CaptionScale(512, 30, 89), 2);   // the height limits
  EXPECT_EQ(PictureGenerator::CaptionScale(512, 57, 200), 2);  // a long name
  EXPECT_EQ(PictureGenerator::CaptionScale(10, 5, 500), 1);    // never below one
  EXPECT_EQ(PictureGenerator::CaptionScale(512, 57, 0), 5);
}

TEST(PictureGenerator, TheSquareMovesWithTheClock) {
  PictureState s = Station("Channel 23 NICAM stereo", 23, 487250000);
  const Frame a = Render(s);
  s.timeMs += 1000;
  const Frame b = Render(s);
  int32_t firstRow = kH, lastRow = -1;
  for (int32_t y = 0; y < kH; ++y)
    for (int32_t x = 0; x < kW; ++x)
      if (a.At(x, y) != b.At(x, y)) firstRow = std::min(firstRow, y), lastRow = std::max(lastRow, y);
  ASSERT_GE(lastRow, 0) << "nothing moved";
  EXPECT_GE(firstRow, kH * 89 / 100);  // only the square's band changes
  EXPECT_EQ(PictureGenerator::MovingOffset(0, 600), 0);
  EXPECT_EQ(PictureGenerator::MovingOffset(1000, 600), 150);
  EXPECT_EQ(PictureGenerator::MovingOffset(3999, 600), 599);
  EXPECT_EQ(PictureGenerator::MovingOffset(4000, 600), 0);
  EXPECT_EQ(PictureGenerator::MovingOffset(123, 0), 0);
}

TEST(PictureGenerator, WeakStationShowsSomeSnow) {
  PictureState s = Station("Channel 52 weak", 52, 719250000);
  const double clean = Roughness(Render(s));
  s.strength = 30;
  const double weak = Roughness(Render(s));
  EXPECT_GT(weak, clean + 5);
  EXPECT_LT(weak, 40);  // the card still shows through
}

TEST(PictureGenerator, NoSignalScreenOnSVideo) {
  PictureState s = Composite();
  s.source = PictureSource::SVideo;
  s.signal = false;
  const Frame f = Render(s);
  std::set<uint32_t> colours(f.Pixels().begin(), f.Pixels().end());
  EXPECT_EQ(colours.size(), 2u);  // the plain screen and its text
  const uint32_t corner = f.At(0, 0);
  EXPECT_GT(B(corner), R(corner));
  size_t text = 0;
  for (uint32_t p : f.Pixels()) text += p != corner;
  EXPECT_GT(text, 200u);
  EXPECT_LT(text, f.Pixels().size() / 10);
}

TEST(PictureGenerator, OverlayOffDrawsNothing) {
  PictureState s = Station("Channel 23 NICAM stereo", 23, 487250000);
  s.overlayOn = false;
  PictureGenerator g;
  Frame f(4, 4);
  EXPECT_FALSE(g.Render(s, kW, kH, &f));
  EXPECT_TRUE(f.Empty());
  s.overlayOn = true;
  EXPECT_FALSE(g.Render(s, 0, kH, &f));
  EXPECT_FALSE(g.Render(s, kW, -1, &f));
  EXPECT_TRUE(g.Render(s, 1, 1, &f));  // the smallest picture still renders
  EXPECT_EQ(f.Pixels().size(), 1u);
}

TEST(ProcAmpTransform, NominalSettingsKeepColours) {
  const ProcAmpTransform t(0, 57, 127, 0);
  for (uint32_t rgb : {0x000000u, 0xFFFFFFu, 0xBF0000u, 0x00BF00u, 0x0000BFu, 0x808080u}) {
    const uint32_t back = t.ToRgb(ProcAmpTransform::Ycc(R(rgb), G(rgb), B(rgb)));
    EXPECT_NEAR(R(back), R(rgb), 3) << std::hex << rgb;
    EXPECT_NEAR(G(back), G(rgb), 3) << std::hex << rgb;
    EXPECT_NEAR(B(back), B(rgb), 3) << std::hex << rgb;
  }
}

// --- Font ---------------------------------------------------------------------

TEST(BitmapFont, GlyphsFromTheTable) {
  const uint8_t *a = BitmapFont::Glyph('A');
  EXPECT_EQ(a[0], 0b01110);
  EXPECT_EQ(a[3], 0b11111);
  EXPECT_EQ(a[6], 0b10001);
  EXPECT_EQ(BitmapFont::Glyph('a'), a);
  EXPECT_EQ(BitmapFont::Glyph('~'), BitmapFont::Glyph('?'));
  EXPECT_EQ(BitmapFont::Glyph('\xE9'), BitmapFont::Glyph('?'));
  for (int i = 0; i < 7; ++i) EXPECT_EQ(BitmapFont::Glyph(' ')[i], 0);
  // Every letter and digit has a glyph of its own.
  std::set<const uint8_t *> seen;
  for (char c : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ")) seen.insert(BitmapFont::Glyph(c));
  EXPECT_EQ(seen.size(), 36u);
  EXPECT_EQ(BitmapFont::TextWidth("AB", 2), 22);
  EXPECT_EQ(BitmapFont::TextWidth("", 2), 0);
}

TEST(BitmapFont, DrawingIsClippedToTheFrame) {
  Frame f(8, 8);
  std::fill(f.Pixels().begin(), f.Pixels().end(), 0);
  BitmapFont::Draw(&f, -3, -2, "H", 1, 7);
  // 'H' column 4 (x = 1) rows 0-6 lit, drawn two rows up: y 0-4.
  for (int32_t y = 0; y <= 4; ++y) EXPECT_EQ(f.At(1, y), 7u) << y;
  EXPECT_EQ(f.At(1, 5), 0u);
  BitmapFont::Draw(&f, 6, 6, "WWW", 3, 9);  // runs off the bottom right
  EXPECT_EQ(f.At(7, 7), 9u);
}

// --- Key colour and compositor -----------------------------------------------------

TEST(KeyColour, RecordsOfEachDepth) {
  const KeyColour k32 = KeyColour::FromRecord(9, 0x00FF00FF);
  EXPECT_TRUE(k32.Matches(0x00FF00FF));
  EXPECT_TRUE(k32.Matches(0xFFFF00FF));  // the unused top byte
  EXPECT_FALSE(k32.Matches(0x00FE00FF));
  const KeyColour k24 = KeyColour::FromRecord(6, 0x00402010);  // COLORREF: red 0x10, blue 0x40
  EXPECT_TRUE(k24.Matches(0x00102040));
  EXPECT_FALSE(k24.Matches(0x00402010));
  const KeyColour k15 = KeyColour::FromRecord(2, 0x7C1F);  // 0xFF00FF on a 16-bit display
  EXPECT_TRUE(k15.Matches(0x00F800F8));
  EXPECT_TRUE(k15.Matches(0x00FF07FF));
  EXPECT_FALSE(k15.Matches(0x00FF08FF));
  EXPECT_FALSE(KeyColour::FromRecord(0, 253).Valid());
  EXPECT_FALSE(KeyColour::FromRecord(0, 253).Matches(0));
  EXPECT_FALSE(KeyColour::FromRecord(7, 0).Valid());
}

constexpr uint32_t kKey = 0x00FF00FF, kDesk = 0x00336699, kOnTop = 0x00C0C0C0;

struct Screen {
  int32_t width, height;
  std::vector<uint32_t> pixels;
  Screen(int32_t w, int32_t h, uint32_t fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
  uint32_t &At(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * width + x]; }
  void FillRect(int32_t l, int32_t t, int32_t r, int32_t b, uint32_t v) {
    for (int32_t y = t; y < b; ++y)
      for (int32_t x = l; x < r; ++x) At(x, y) = v;
  }
  ScreenArea Area() { return ScreenArea{pixels.data(), 0, 0, width, height, width}; }
};

// A frame whose every pixel says where it is.
Frame Numbered(int32_t w, int32_t h) {
  Frame f(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) f.Row(y)[x] = static_cast<uint32_t>(0x010000 + y * 256 + x);
  return f;
}

TEST(OverlayCompositor, ReplacesOnlyKeyPixelsInsideTheRectangle) {
  Screen screen(64, 48, kDesk);
  screen.FillRect(10, 10, 40, 30, kKey);   // the video window
  screen.FillRect(20, 15, 25, 20, kOnTop); // a window on top of it
  screen.FillRect(50, 5, 55, 10, kKey);    // key colour elsewhere on the desk
  const Screen before = screen;
  const display::Rect dest{10, 10, 39, 29};
  const Frame frame = Numbered(30, 20);
  OverlayCompositor c;
  const int64_t replaced = c.Apply(frame, KeyColour::FromRecord(9, 0xFF00FF), dest, screen.Area());
  EXPECT_EQ(replaced, 30 * 20 - 5 * 5);
  for (int32_t y = 0; y < 48; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      const bool inside = x >= 10 && x <= 39 && y >= 10 && y <= 29;
      const bool key = before.pixels[static_cast<size_t>(y) * 64 + x] == kKey;
      if (inside && key) {
        ASSERT_EQ(screen.At(x, y), frame.At(x - 10, y - 10)) << x << "," << y;
      } else {
        ASSERT_EQ(screen.At(x, y), before.pixels[static_cast<size_t>(y) * 64 + x]) << x << "," << y;
      }
    }
  }
}

TEST(OverlayCompositor, RedrawsItsOwnPixelsButNotOthersPaint) {
  Screen screen(32, 32, kKey);
  const display::Rect dest{0, 0, 31, 31};
  const KeyColour key = KeyColour::FromRecord(9, 0xFF00FF);
  OverlayCompositor c;
  Frame first(32, 32), second(32, 32);
  std::fill(first.Pixels().begin(), first.Pixels().end(), 0x00101010);
  std::fill(second.Pixels().begin(), second.Pixels().end(), 0x00202020);
  ASSERT_EQ(c.Apply(first, key, dest, screen.Area()), 32 * 32);
  screen.At(5, 5) = kOnTop;  // a window painted there since
  screen.At(6, 6) = kKey;    // and the video window repainted its key here
  EXPECT_EQ(c.Apply(second, key, dest, screen.Area()), 32 * 32 - 1);
  EXPECT_EQ(screen.At(5, 5), kOnTop);
  EXPECT_EQ(screen.At(6, 6), 0x00202020u);
  EXPECT_EQ(screen.At(0, 0), 0x00202020u);
  // Once the overlay forgets, its old picture is no longer key.
  c.Forget();
  EXPECT_EQ(c.Apply(first, key, dest, screen.Area()), 0);
}

TEST(OverlayCompositor, StretchesTheFrameToTheRectangle) {
  Screen screen(8, 8, kKey);
  const Frame frame = Numbered(2, 2);
  OverlayCompositor c;
  ASSERT_EQ(c.Apply(frame, KeyColour::FromRecord(9, 0xFF00FF), {0, 0, 7, 7}, screen.Area()), 64);
  EXPECT_EQ(screen.At(3, 3), frame.At(0, 0));
  EXPECT_EQ(screen.At(4, 3), frame.At(1, 0));
  EXPECT_EQ(screen.At(7, 7), frame.At(1, 1));
}

TEST(OverlayCompositor, EmptyOffScreenAndClippedRectangles) {
  const KeyColour key = KeyColour::FromRecord(9, 0xFF00FF);
  const Frame frame = Numbered(20, 20);
  OverlayCompositor c;
  {
    Screen screen(16, 16, kKey);
    EXPECT_EQ(c.Apply(frame, key, {5, 5, 4, 10}, screen.Area()), 0);   // no width
    EXPECT_EQ(c.Apply(frame, key, {5, 5, 10, 4}, screen.Area()), 0);   // no height
    EXPECT_EQ(c.Apply(frame, key, {16, 0, 30, 10}, screen.Area()), 0); // right of the screen
    EXPECT_EQ(c.Apply(frame, key, {-30, -30, -1, -1}, screen.Area()), 0);
    EXPECT_EQ(c.Apply(Frame(), key, {0, 0, 15, 15}, screen.Area()), 0);
    EXPECT_EQ(c.Apply(frame, KeyColour(), {0, 0, 15, 15}, screen.Area()), 0);
    for (uint32_t p : screen.pixels) ASSERT_EQ(p, kKey);
  }
  {
    // Hanging off the top left: the visible part shows the frame's lower right.
    Screen screen(16, 16, kKey);
    ASSERT_EQ(c.Apply(frame, key, {-10, -5, 9, 14}, screen.Area()), 10 * 15);
    EXPECT_EQ(screen.At(0, 0), frame.At(10, 5));
    EXPECT_EQ(screen.At(9, 14), frame.At(19, 19));
    EXPECT_EQ(screen.At(10, 0), kKey);
    EXPECT_EQ(screen.At(0, 15), kKey);
  }
  {
    // Reaching past the bottom right, as far as the numbers go.
    Screen screen(16, 16, kKey);
    EXPECT_EQ(c.Apply(frame, key, {8, 8, INT32_MAX, INT32_MAX}, screen.Area()), 8 * 8);
    EXPECT_EQ(screen.At(8, 8), frame.At(0, 0));
    Screen whole(16, 16, kKey);
    EXPECT_EQ(c.Apply(frame, key, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, whole.Area()), 16 * 16);
  }
  {
    // An area that is only part of the screen: screen coordinates still count.
    Screen part(4, 4, kKey);
    ScreenArea area{part.pixels.data(), 100, 200, 4, 4, 4};
    ASSERT_EQ(c.Apply(frame, key, {98, 198, 117, 217}, area), 16);
    EXPECT_EQ(part.At(0, 0), frame.At(2, 2));
  }
}

TEST(OverlayCompositor, VisiblePartOfTheDestination) {
  EXPECT_EQ(OverlayCompositor::VisiblePart({10, 20, 109, 219}, 640, 480), (display::Rect{10, 20, 110, 220}));
  EXPECT_EQ(OverlayCompositor::VisiblePart({-5, -5, 700, 500}, 640, 480), (display::Rect{0, 0, 640, 480}));
  EXPECT_EQ(OverlayCompositor::VisiblePart({640, 0, 700, 10}, 640, 480), (display::Rect{}));
  EXPECT_EQ(OverlayCompositor::VisiblePart({10, 10, 9, 20}, 640, 480), (display::Rect{}));
  EXPECT_EQ(OverlayCompositor::VisiblePart({0, 0, INT32_MAX, INT32_MAX}, 640, 480), (display::Rect{0, 0, 640, 480}));
  EXPECT_EQ(OverlayCompositor::VisiblePart({0, 0, 10, 10}, 0, 0), (display::Rect{}));
}

// --- The state read from a virtual card --------------------------------------

struct CardRig {
  SimulatedClock clock;
  VirtualCard card{DefaultCardConfig(), &clock};

  // The PLL write the driver sends for `hz`, straight onto the bus.
  void Tune(uint32_t hz) {
    const TunerModuleType &type = *TunerModuleTypeEntry(card.Config().tunerType);
    const uint32_t divider = (hz + type.intermediateHz) / type.stepHz;
    const uint16_t band = BandWordFor(type, hz);
    const uint8_t bytes[] = {type.writeAddress, static_cast<uint8_t>(divider >> 8), static_cast<uint8_t>(divider),
                             static_cast<uint8_t>(band >> 8), static_cast<uint8_t>(band)};
    ASSERT_TRUE(card.Bus().Transfer(bytes, sizeof bytes, nullptr, 0, 1));
    clock.Advance(card.Config().settleMs);
  }
  void WriteDecoder(uint8_t reg, uint8_t value) {
    const uint8_t bytes[] = {kDecoderAddress, reg, value};
    ASSERT_TRUE(card.Bus().Transfer(bytes, sizeof bytes, nullptr, 0, 1));
  }
  int32_t Port(uint32_t function, void *block, size_t size) {
    wire::WireLoan loan(block, size);
    return card.VideoPort().Command(function, block ? loan.value() : 0);
  }
};

TEST(PictureState, FromTheCardsModels) {
  CardRig rig;
  PictureState s = PictureState::FromCard(rig.card);
  EXPECT_FALSE(s.overlayOn);  // no video port yet
  EXPECT_EQ(s.source, PictureSource::Tuner);
  EXPECT_FALSE(s.signal);     // nothing tuned
  EXPECT_EQ(s.contrast, 57);  // the chip's power-on picture
  EXPECT_EQ(s.saturation, 127);

  display::VideoPortCreateBlock create{};
  create.update.keyType = 9;
  create.update.keyValue = 0xFF00FF;
  create.update.destination = {0, 0, 767, 575};
  ASSERT_EQ(rig.Port(display::kVideoPortCreate, &create, sizeof create), 1);
  display::VideoPortUpdateBlock update = create.update;
  update.destination = {100, 50, 419, 289};
  ASSERT_EQ(rig.Port(display::kVideoPortUpdate, &update, sizeof update), 1);

  rig.Tune(511250000);
  rig.WriteDecoder(0x10, 0xF0);  // brightness -16
  rig.WriteDecoder(0x11, 80);
  rig.WriteDecoder(0x12, 30);
  rig.WriteDecoder(0x14, 0x40);
  rig.clock.Advance(1234);
  s = PictureState::FromCard(rig.card);
  EXPECT_TRUE(s.overlayOn);
  EXPECT_EQ(s.keyType, 9u);
  EXPECT_EQ(s.keyValue, 0xFF00FFu);
  EXPECT_EQ(s.destination, (display::Rect{100, 50, 419, 289}));
  EXPECT_TRUE(s.signal);
  EXPECT_EQ(s.stationName, "Channel 26 NICAM dual");
  EXPECT_EQ(s.channel, 26u);
  EXPECT_EQ(s.frequencyHz, 511250000u);
  EXPECT_EQ(s.standard, 4096u);
  EXPECT_EQ(s.brightness, -16);
  EXPECT_EQ(s.contrast, 80);
  EXPECT_EQ(s.saturation, 30);
  EXPECT_EQ(s.hue, 64);
  EXPECT_EQ(s.timeMs, rig.clock.Milliseconds());

  rig.Tune(520000000);  // between stations
  EXPECT_FALSE(PictureState::FromCard(rig.card).signal);

  rig.WriteDecoder(0x01, 0x40);  // composite
  s = PictureState::FromCard(rig.card);
  EXPECT_EQ(s.source, PictureSource::Composite);
  EXPECT_TRUE(s.signal);
  rig.WriteDecoder(0x01, 0x60);  // S-video: nothing connected on the default card
  s = PictureState::FromCard(rig.card);
  EXPECT_EQ(s.source, PictureSource::SVideo);
  EXPECT_FALSE(s.signal);
  rig.WriteDecoder(0x01, 0x20);
  EXPECT_EQ(PictureState::FromCard(rig.card).source, PictureSource::Other);
  rig.WriteDecoder(0x01, 0x40);
  rig.WriteDecoder(0x23, 65);  // the digital input
  s = PictureState::FromCard(rig.card);
  EXPECT_EQ(s.source, PictureSource::Other);
  EXPECT_FALSE(s.signal);

  // The decoder's output switched off, then the port destroyed.
  rig.WriteDecoder(0x18, 0xE4);
  EXPECT_FALSE(PictureState::FromCard(rig.card).overlayOn);
  rig.WriteDecoder(0x18, 0x24);
  EXPECT_TRUE(PictureState::FromCard(rig.card).overlayOn);
  ASSERT_EQ(rig.Port(display::kVideoPortDestroy, nullptr, 0), 1);
  EXPECT_FALSE(PictureState::FromCard(rig.card).overlayOn);
}

TEST(PictureState, TheWholeRoadFromTheCardToTheScreen) {
  CardRig rig;
  display::VideoPortCreateBlock create{};
  create.update.keyType = 9;
  create.update.keyValue = 0xFF00FF;
  create.update.destination = {8, 8, 87, 67};
  ASSERT_EQ(rig.Port(display::kVideoPortCreate, &create, sizeof create), 1);
  rig.Tune(487250000);
  const PictureState s = PictureState::FromCard(rig.card);
  PictureGenerator g;
  Frame frame;
  ASSERT_TRUE(g.Render(s, s.destination.right - s.destination.left + 1,
                       s.destination.bottom - s.destination.top + 1, &frame));
  Screen screen(100, 80, kDesk);
  screen.FillRect(8, 8, 88, 68, kKey);
  OverlayCompositor c;
  EXPECT_EQ(c.Apply(frame, KeyColour::FromRecord(s.keyType, s.keyValue), s.destination, screen.Area()), 80 * 60);
  EXPECT_EQ(screen.At(8, 8), frame.At(0, 0));
  EXPECT_EQ(screen.At(7, 7), kDesk);
  EXPECT_EQ(screen.At(88, 68), kDesk);
}

}  // namespace
}  // namespace tolven::card::picture
