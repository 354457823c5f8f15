// scan_bench: an automatic scan of the 58-entry UK broadcast plan on the
// default virtual card (or the configuration given), first in simulated
// time and then in real time.
//
// Prints the simulated time the scan spent, the time its waits alone
// require (two settling times per plan entry, and two more for the fine
// tuning of each station found centred), the wall time of the simulation,
// and for the real-time scan its wall time as a ratio to the waits, split
// into the time asked of the clock, the time the sleeps overran and the
// time spent between sleeps.
//
//   scan_bench [--simulated-only] [configuration.json]
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "driver/control/tuner_control.h"
#include "driver/hardware/requests.h"
#include "driver/tuning/embedded_resources.h"
#include "platform/emulated/emulated_platform.h"
#include "virtualcard/assembly/native_card.h"

namespace {

using namespace tolven;
using Steady = std::chrono::steady_clock;

double Seconds(Steady::duration d) { return std::chrono::duration<double>(d).count(); }

// Real time that keeps account: what the scan asked to sleep, how long the
// sleeps took, and how many there were.
class AccountingClock : public Clock {
 public:
  uint32_t Milliseconds() override {
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - start_).count());
  }
  void Sleep(uint32_t milliseconds) override {
    const auto before = Steady::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    slept_ += Steady::now() - before;
    asked_ += milliseconds;
    ++sleeps_;
  }
  uint64_t asked_ = 0;
  uint32_t sleeps_ = 0;
  Steady::duration slept_{};

 private:
  Steady::time_point start_ = Steady::now();
};

struct ScanFigures {
  uint64_t entries = 0, found = 0, settleMs = 0;
  uint64_t simulatedMs = 0;  // on a simulated clock: the time the scan slept
  uint32_t simulatedWaits = 0;
  Steady::duration wall{};
  bool ok = false;
  uint64_t RequiredMs() const { return entries * 2 * settleMs + found * 2 * settleMs; }
};

// One scan from an empty list on a fresh machine whose card and driver wait
// on `clock`.
ScanFigures Scan(const card::CardConfig &config, Clock &clock) {
  ScanFigures figures;
  EmulatedPlatform m;
  tuning::InstallTuningResources(m.resources);
  m.files.SetUser(u"bench", u"C:\\Users\\bench");
  card::NativeCard native(config, clock);
  native.gdi.SetScreen(1024, 768, 16);
  if (!native.Open()) {
    std::fprintf(stderr, "scan_bench: the virtual card was not detected\n");
    return figures;
  }
  loc::EmulatedLocale locale;
  strings::EmbeddedStringTable strings{locale};
  control::ControlEnvironment env{m.registry, m.files, m.resources, clock, strings, native.requests};
  control::IControlHub *hub = card::NewControlHub(env);
  auto *tuner = static_cast<control::CTunerControl *>(hub->GetTuner());
  tuner->DeleteAllChannels();
  // Only the scan counts, not opening the card.
  if (AccountingClock *accounting = dynamic_cast<AccountingClock *>(&clock)) *accounting = AccountingClock{};
  auto *simulated = dynamic_cast<SimulatedClock *>(&clock);
  const uint64_t sleptBefore = simulated ? simulated->TotalSlept() : 0;
  const uint32_t sleepsBefore = simulated ? simulated->SleepCount() : 0;

  const auto start = Steady::now();
  tuner->AutoScan();
  figures.wall = Steady::now() - start;
  if (simulated) {
    figures.simulatedMs = simulated->TotalSlept() - sleptBefore;
    figures.simulatedWaits = simulated->SleepCount() - sleepsBefore;
  }

  uint32_t caps[requests::tuner::kRecordWords] = {};
  native.requests.TunerDescribe(caps);
  figures.settleMs = caps[requests::tuner::kSettleMs];
  figures.entries = tuner->Plan().Count();
  figures.found = static_cast<uint64_t>(tuner->GetChannelCount());
  figures.ok = true;
  hub->Release();
  return figures;
}

}  // namespace

int main(int argc, char **argv) {
  bool realTime = true;
  const char *configFile = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--simulated-only") == 0) realTime = false;
    else configFile = argv[i];
  }
  card::CardConfig config = card::DefaultCardConfig();
  if (configFile) {
    std::string error;
    if (!card::LoadCardConfigFile(configFile, &config, &error)) {
      std::fprintf(stderr, "scan_bench: %s\n", error.c_str());
      return 2;
    }
  }

  SimulatedClock simulated;
  const ScanFigures s = Scan(config, simulated);
  if (!s.ok) return 1;
  std::printf("plan entries             %llu\n", static_cast<unsigned long long>(s.entries));
  std::printf("channels found           %llu\n", static_cast<unsigned long long>(s.found));
  std::printf("settling time T          %llu ms\n", static_cast<unsigned long long>(s.settleMs));
  std::printf("simulated time spent     %.3f s (%u waits)\n", s.simulatedMs / 1000.0, s.simulatedWaits);
  std::printf("waits alone require      %.3f s\n", s.RequiredMs() / 1000.0);
  std::printf("  ratio (simulated)      %.3f\n", static_cast<double>(s.simulatedMs) / s.RequiredMs());
  std::printf("wall time (simulated)    %.3f ms\n", Seconds(s.wall) * 1000);
  if (!realTime) return 0;

  AccountingClock real;
  const ScanFigures r = Scan(config, real);
  if (!r.ok) return 1;
  const double wall = Seconds(r.wall), asked = real.asked_ / 1000.0, slept = Seconds(real.slept_);
  std::printf("real time spent          %.3f s (%u waits)\n", wall, real.sleeps_);
  std::printf("  ratio to the waits     %.3f (goal: at most 1.02)\n", wall / (r.RequiredMs() / 1000.0));
  std::printf("  asked of the clock     %.3f s\n", asked);
  std::printf("  sleeps overran by      %.3f s\n", slept - asked);
  std::printf("  between the sleeps     %.3f s\n", wall - slept);
  return 0;
}
