// A board on a virtual card that shares the test's simulated clock, with
// helpers that read the register traffic back from the bus log.
#pragma once
#include <utility>
#include <vector>

#include "driver/hardware/requests.h"
#include "virtualcard/assembly/native_card.h"

namespace tolven::testing {

// The test's clock, built before the card that waits on it.
struct ChipClock {
  SimulatedClock clock;
};

struct ChipRig : ChipClock, card::NativeCard {
  explicit ChipRig(card::CardConfig config = {}, int32_t bitsPerPixel = 16) : NativeCard(config, clock) {
    gdi.SetScreen(1024, 768, bitsPerPixel);
  }

  size_t Mark() const { return const_cast<card::VirtualCard &>(card).Bus().Log().size(); }

  // Register writes (register, value) to a bus address since `from`.
  std::vector<std::pair<int, int>> Writes(uint8_t address, size_t from = 0) {
    std::vector<std::pair<int, int>> out;
    const auto &log = card.Bus().Log();
    for (size_t i = from; i < log.size(); ++i) {
      const auto &t = log[i];
      if (t.address == address && t.written.size() == 2) out.emplace_back(t.written[0], t.written[1]);
    }
    return out;
  }
  // Every write transaction's bytes (after the address) to an address since `from`.
  std::vector<std::vector<uint8_t>> Blocks(uint8_t address, size_t from = 0) {
    std::vector<std::vector<uint8_t>> out;
    const auto &log = card.Bus().Log();
    for (size_t i = from; i < log.size(); ++i)
      if (log[i].address == address) out.push_back(log[i].written);
    return out;
  }
  // Audio processor writes (sub-address, register, value) since `from`.
  struct WordWrite {
    int sub, reg, value;
    friend bool operator==(const WordWrite &, const WordWrite &) = default;
  };
  std::vector<WordWrite> AudioWrites(size_t from = 0) {
    std::vector<WordWrite> out;
    for (const auto &b : Blocks(0x80, from))
      if (b.size() == 5) out.push_back({b[0], b[1] << 8 | b[2], b[3] << 8 | b[4]});
    return out;
  }
  // Values written to one audio-processor register since `from`.
  std::vector<int> AudioValues(int sub, int reg, size_t from = 0) {
    std::vector<int> out;
    for (const auto &w : AudioWrites(from))
      if (w.sub == sub && w.reg == reg) out.push_back(w.value);
    return out;
  }

};

inline card::Station MakeStation(uint32_t hz, card::Sound sound, card::SoundCarrier carrier,
                                 uint32_t standard = 4096, uint32_t strength = 90) {
  card::Station s;
  s.name = "test";
  s.frequencyHz = hz;
  s.standard = standard;
  s.carrier = carrier;
  s.sound = sound;
  s.strength = strength;
  return s;
}

inline card::CardConfig WithTuner(int type, std::vector<card::Station> stations = {}) {
  card::CardConfig c;
  c.tunerType = type;
  c.stations = std::move(stations);
  return c;
}

}  // namespace tolven::testing
