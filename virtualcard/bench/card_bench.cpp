// card_bench: what the driver's main operations cost on the bus, against
// the default virtual card. For each operation it prints the control-bus
// transactions and bytes, the display-driver escapes by code, the driver's
// own waits (simulated), the bus time those transactions take at 100 kHz,
// and the wall time the simulation needed.
//
//   card_bench [configuration.json]
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "driver/hardware/requests.h"
#include "virtualcard/assembly/native_card.h"

namespace {

using namespace tolven;

constexpr double kBusHz = 100000.0;  // standard-mode two-wire bus

// The bench's clock, built before the card that waits on it.
struct BenchClock {
  SimulatedClock clock;
};

struct Rig : BenchClock, card::NativeCard {
  explicit Rig(const card::CardConfig &config) : NativeCard(config, clock) {}
};

struct Snapshot {
  size_t transactions;
  uint64_t bits;
  uint32_t escapes142, escapes128, escapes150;
  uint64_t slept;
};

Snapshot Take(Rig &rig) {
  Snapshot s{};
  const auto &log = rig.card.Bus().Log();
  s.transactions = log.size();
  for (const auto &t : log) {
    // Start, address, bytes (9 bits each with the acknowledge), stop.
    const size_t bytes = 1 + t.written.size() + t.readLength;
    s.bits += 2 + 9 * bytes;
  }
  s.escapes142 = rig.card.Driver().EscapeCount(142);
  s.escapes128 = rig.card.Driver().EscapeCount(128);
  s.escapes150 = rig.card.Driver().EscapeCount(150);
  s.slept = rig.clock.TotalSlept();
  return s;
}

void Measure(Rig &rig, const char *name, const std::function<bool()> &operation) {
  const Snapshot before = Take(rig);
  const auto start = std::chrono::steady_clock::now();
  const bool ok = operation();
  const double wallUs =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
  const Snapshot after = Take(rig);
  const double busMs = static_cast<double>(after.bits - before.bits) * 1000.0 / kBusHz;
  const double waitMs = static_cast<double>(after.slept - before.slept);
  std::printf("%-26s %-4s %6zu %8u %5u %5u %10.1f %10.2f %10.2f %10.1f\n", name, ok ? "ok" : "FAIL",
              after.transactions - before.transactions, after.escapes142 - before.escapes142,
              after.escapes128 - before.escapes128, after.escapes150 - before.escapes150, waitMs, busMs,
              waitMs + busMs, wallUs);
}

}  // namespace

int main(int argc, char **argv) {
  card::CardConfig config = card::DefaultCardConfig();
  if (argc > 1) {
    std::string error;
    if (!card::LoadCardConfigFile(argv[1], &config, &error)) {
      std::fprintf(stderr, "card_bench: %s\n", error.c_str());
      return 2;
    }
  }
  config.realTime = false;
  Rig rig(config);
  const uint32_t station = config.stations.empty() ? 487250000 : config.stations.front().frequencyHz;

  std::printf("Default virtual card: tuner type %d, audio version 0x%06X, %zu stations\n",
              config.tunerType, config.audioVersion, config.stations.size());
  std::printf("%-26s %-4s %6s %8s %5s %5s %10s %10s %10s %10s\n", "operation", "", "bus", "esc142",
              "esc128", "esc150", "waits ms", "bus ms", "sim ms", "wall us");
  Measure(rig, "open hardware", [&] { return rig.Open(); });
  Measure(rig, "tune", [&] {
    uint32_t r[requests::tuner::kRecordWords] = {requests::tuner::kTune, station};
    return rig.requests.TunerRequest(r) == 1;
  });
  rig.clock.Sleep(config.settleMs);  // let the PLL settle before listening
  Measure(rig, "source switch (composite)", [&] {
    uint32_t r[requests::crossbar::kRecordWords] = {requests::crossbar::kRoute, 0, 7};
    return rig.requests.CrossbarRequest(r) == 1 && r[requests::crossbar::kAnswerWord] == 1;
  });
  Measure(rig, "source switch (tuner)", [&] {
    uint32_t r[requests::crossbar::kRecordWords] = {requests::crossbar::kRoute, 2, 7};
    return rig.requests.CrossbarRequest(r) == 1 && r[requests::crossbar::kAnswerWord] == 1;
  });
  Measure(rig, "audio standard detection", [&] {
    uint32_t r[requests::audio::kRequestWords] = {requests::audio::kSetMode, 0x80000000u};
    return rig.requests.AudioRequest(r) == 1;
  });
  std::printf("(bus: transactions; esc: display-driver escapes by code; waits: the driver's sleeps in\n"
              " simulated time; bus ms: transfer time at 100 kHz; sim ms: the two together; wall us:\n"
              " what the simulation took on this machine)\n");
  return 0;
}
