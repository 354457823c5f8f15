// picture_bench: what the virtual card's picture costs per frame, as the
// display stand-in's painter spends it: generating the picture for the
// card's state (each scene) and laying it over a key-coloured screen area.
// Figures only; the goal is under 5 ms a frame at 640 × 480.
//
//   picture_bench [width height [frames]]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "virtualcard/picture/key_colour.h"
#include "virtualcard/picture/overlay_compositor.h"
#include "virtualcard/picture/picture_generator.h"
#include "virtualcard/picture/picture_state.h"

namespace {

using namespace tolven::card::picture;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Figures {
  double renderMs, applyMs, cpuMs;
};

Figures Measure(PictureState state, int32_t w, int32_t h, int frames) {
  PictureGenerator generator;
  OverlayCompositor compositor;
  Frame frame;
  std::vector<uint32_t> screen(static_cast<size_t>(w) * h, 0x00FF00FF);
  const KeyColour key = KeyColour::FromRecord(state.keyType, state.keyValue);
  Clock::duration render{}, apply{};
  const std::clock_t cpuStart = std::clock();
  for (int i = 0; i < frames; ++i) {
    state.timeMs += 50;  // 20 pictures a second
    const auto t0 = Clock::now();
    generator.Render(state, w, h, &frame);
    const auto t1 = Clock::now();
    compositor.Apply(frame, key, state.destination, ScreenArea{screen.data(), 0, 0, w, h, w});
    const auto t2 = Clock::now();
    render += t1 - t0;
    apply += t2 - t1;
  }
  const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  return Figures{Ms(render) / frames, Ms(apply) / frames, cpu / frames};
}

}  // namespace

int main(int argc, char **argv) {
  int32_t w = 640, h = 480;
  int frames = 200;
  if (argc >= 3) w = std::atoi(argv[1]), h = std::atoi(argv[2]);
  if (argc >= 4) frames = std::max(1, std::atoi(argv[3]));
  if (w <= 0 || h <= 0) {
    std::fprintf(stderr, "picture_bench: width and height must be positive\n");
    return 2;
  }
  PictureState base;
  base.overlayOn = true;
  base.keyType = 9;
  base.keyValue = 0xFF00FF;
  base.destination = {0, 0, w - 1, h - 1};
  base.cleanStrength = 40;

  PictureState station = base;
  station.source = PictureSource::Tuner;
  station.signal = true;
  station.stationName = "Channel 23 NICAM stereo";
  station.channel = 23;
  station.frequencyHz = 487250000;
  PictureState weak = station;
  weak.stationName = "Channel 52 weak";
  weak.strength = 30;
  PictureState snow = station;
  snow.signal = false;
  PictureState bars = base;
  bars.source = PictureSource::Composite;
  bars.signal = true;
  PictureState none = base;
  none.source = PictureSource::SVideo;
  PictureState adjusted = station;
  adjusted.brightness = 20, adjusted.contrast = 90, adjusted.saturation = 200, adjusted.hue = 30;

  const struct {
    const char *name;
    const PictureState &state;
  } scenes[] = {{"test card", station}, {"test card, weak station", weak}, {"snow (off a station)", snow},
                {"colour bars (composite)", bars}, {"no signal (S-video)", none},
                {"test card, controls moved", adjusted}};

  std::printf("Virtual card picture at %dx%d, %d frames each (goal: under 5 ms a frame at 640x480)\n", w, h, frames);
#ifdef NDEBUG
  std::printf("optimised build\n");
#else
  std::printf("unoptimised build (assertions on): the stand-in DLL is built optimised, measure with\n"
              "CMAKE_BUILD_TYPE=Release for its figure\n");
#endif
  std::printf("%-28s %10s %10s %10s %10s\n", "scene", "render ms", "apply ms", "frame ms", "cpu ms");
  double worst = 0, worstCpu = 0;
  for (const auto &scene : scenes) {
    const Figures f = Measure(scene.state, w, h, frames);
    worst = std::max(worst, f.renderMs + f.applyMs);
    worstCpu = std::max(worstCpu, f.cpuMs);
    std::printf("%-28s %10.3f %10.3f %10.3f %10.3f\n", scene.name, f.renderMs, f.applyMs, f.renderMs + f.applyMs,
                f.cpuMs);
  }
  std::printf("worst frame: %.3f ms wall, %.3f ms processor time\n", worst, worstCpu);
  std::printf("(render: the picture for the card's state after the picture controls; apply: laid over a\n"
              " screen area that is all key colour; frame: the two, what the painter spends besides\n"
              " reading and writing the screen, in wall time; cpu ms: the processor time of the same, which\n"
              " other work on a busy machine does not inflate)\n");
  return 0;
}
