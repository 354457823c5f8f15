// scan_bench: an automatic scan of the 58-entry UK broadcast plan on the
// default virtual card (or the configuration given), in simulated time.
// Prints the simulated time the scan spent, the time its waits alone
// require (two settling times per plan entry, and two more for the fine
// tuning of each station found centred), and the wall time the simulation
// took.
//
//   scan_bench [configuration.json]
#include <chrono>
#include <cstdio>
#include <string>

#include "driver/control/control_hub.h"
#include "driver/control/tuner_control.h"
#include "driver/hardware/capture_board.h"
#include "driver/hardware/entry_points.h"
#include "driver/tuning/embedded_resources.h"
#include "platform/display/emulated_display_escape.h"
#include "platform/display/emulated_gdi.h"
#include "platform/emulated/emulated_platform.h"
#include "virtualcard/virtual_card.h"

int main(int argc, char **argv) {
  using namespace tolven;
  card::CardConfig config = card::DefaultCardConfig();
  if (argc > 1) {
    std::string error;
    if (!card::LoadCardConfigFile(argv[1], &config, &error)) {
      std::fprintf(stderr, "scan_bench: %s\n", error.c_str());
      return 2;
    }
  }
  EmulatedPlatform m;
  tuning::InstallTuningResources(m.resources);
  m.files.SetUser(u"bench", u"C:\\Users\\bench");
  card::VirtualCard card(config, &m.clock);
  display::EmulatedDisplayEscape display{&card.DisplayDriver()};
  display::EmulatedGdi gdi;
  gdi.SetScreen(1024, 768, 16);
  CCaptureBoard board{display, m.clock, gdi};
  if (!board.Detect() || !board.Initialise() || !board.Ready()) {
    std::fprintf(stderr, "scan_bench: the virtual card was not detected\n");
    return 1;
  }
  loc::EmulatedLocale locale;
  strings::EmbeddedStringTable strings{locale};
  control::ControlEnvironment env{m.registry, m.files, m.resources, m.clock, strings};
  control::SetControlEnvironment(&env);
  control::IControlFactory *factory = control::CreateControlFactory();
  control::IControlHub *hub = factory->CreateInterface(1);
  factory->Release();
  auto *tuner = static_cast<control::CTunerControl *>(hub->GetTuner());
  tuner->DeleteAllChannels();

  const uint64_t sleptBefore = m.clock.TotalSlept();
  const uint32_t sleepsBefore = m.clock.SleepCount();
  const auto start = std::chrono::steady_clock::now();
  tuner->AutoScan();
  const auto wall = std::chrono::steady_clock::now() - start;
  const uint64_t simulated = m.clock.TotalSlept() - sleptBefore;

  uint32_t settle[15] = {};
  TunerDescribe(settle);
  const uint64_t t = settle[4];
  const uint64_t entries = tuner->Plan().Count();
  const uint64_t found = static_cast<uint64_t>(tuner->GetChannelCount());
  const uint64_t required = entries * 2 * t + found * 2 * t;

  std::printf("plan entries             %llu\n", static_cast<unsigned long long>(entries));
  std::printf("channels found           %llu\n", static_cast<unsigned long long>(found));
  std::printf("settling time T          %llu ms\n", static_cast<unsigned long long>(t));
  std::printf("simulated time spent     %.3f s (%u waits)\n", simulated / 1000.0,
              m.clock.SleepCount() - sleepsBefore);
  std::printf("waits alone require      %.3f s\n", required / 1000.0);
  std::printf("wall time (simulated)    %.3f ms\n",
              std::chrono::duration<double, std::milli>(wall).count());
  hub->Release();
  control::SetControlEnvironment(nullptr);
  return 0;
}
