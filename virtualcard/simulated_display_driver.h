// The simulated display driver: answers the card's display-driver escapes at
// the byte level, as a real display driver answers ExtEscape.
//   142  one control-bus transaction on the simulated bus
//   128  display-mode information (220 bytes)
//   150  video-port commands, handed to the attached video-port model
// Malformed requests (short blocks, unresolvable buffers) answer -1.
#pragma once
#include <cstdint>
#include <map>

#include "platform/display/display_escape.h"
#include "platform/display/wire_pointer.h"
#include "virtualcard/simulated_bus.h"

namespace tolven::card {

// The display side of the video port; a later model plugs in here.
class VideoPortModel {
 public:
  virtual ~VideoPortModel() = default;
  // `block` is the command's pointer field; the answer is the command result.
  virtual int32_t Command(uint32_t function, wire::Pointer block) = 0;
};

class SimulatedDisplayDriver : public display::DisplayEscape {
 public:
  explicit SimulatedDisplayDriver(SimulatedBus &bus) : bus_(bus) {}

  int Escape(int escape, int inputSize, const void *input, int outputSize, void *output) override;

  void AttachVideoPort(VideoPortModel *model) { videoPort_ = model; }
  void SetModeDivisors(uint32_t horizontal, uint32_t vertical) {
    horizontalDivisor_ = horizontal;
    verticalDivisor_ = vertical;
  }
  uint32_t EscapeCount(int escape) const;

 private:
  int BusTransaction(int inputSize, const void *input, int outputSize, void *output);
  int ModeInfo(int outputSize, void *output);
  int VideoPort(int inputSize, const void *input, int outputSize, void *output);

  SimulatedBus &bus_;
  VideoPortModel *videoPort_ = nullptr;
  uint32_t horizontalDivisor_ = 1;
  uint32_t verticalDivisor_ = 1;
  std::map<int, uint32_t> counts_;
};

}  // namespace tolven::card
