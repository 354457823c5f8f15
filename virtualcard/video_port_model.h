// The display side of the simulated video port: answers escape 150 at the
// byte level with the blocks of platform/display/escape_blocks.h, from the
// card's configuration (connections, input formats, bandwidth, key colour).
#pragma once
#include <cstdint>
#include <optional>

#include "platform/display/escape_blocks.h"
#include "virtualcard/card_config.h"
#include "virtualcard/simulated_display_driver.h"

namespace tolven::card {

class SimulatedVideoPort : public VideoPortModel {
 public:
  explicit SimulatedVideoPort(const CardConfig &config) : config_(config) {}
  int32_t Command(uint32_t function, wire::Pointer block) override;

  bool Running() const { return running_; }
  uint32_t Creates() const { return creates_; }
  uint32_t Updates() const { return updates_; }
  uint32_t Destroys() const { return destroys_; }
  uint32_t Probes() const { return probes_; }
  const std::optional<display::VideoPortCreateBlock> &LastCreate() const { return lastCreate_; }
  const std::optional<display::VideoPortUpdateBlock> &LastUpdate() const { return lastUpdate_; }
  // What the display shows while the port runs: the latest create or update
  // (key colour record, destination rectangle); empty before the first create.
  const std::optional<display::VideoPortUpdateBlock> &Current() const { return current_; }
  void SetBandwidth(uint32_t bandwidth) { bandwidth_ = bandwidth; }

 private:
  int32_t Probe(wire::Pointer block);
  int32_t Enumerate(wire::Pointer block, bool connections);

  const CardConfig &config_;
  std::optional<uint32_t> bandwidth_;
  bool running_ = false;
  uint32_t creates_ = 0, updates_ = 0, destroys_ = 0, probes_ = 0;
  std::optional<display::VideoPortCreateBlock> lastCreate_;
  std::optional<display::VideoPortUpdateBlock> lastUpdate_;
  std::optional<display::VideoPortUpdateBlock> current_;
};

}  // namespace tolven::card
