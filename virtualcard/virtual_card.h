// A whole simulated Caldra One: the control bus with the card's chips at
// their addresses behind the simulated display driver, the stations on the
// air, and the display side's video port.
//
//   0x88         video decoder (chip id 0xA1 in register 0xFE, the tuner
//                module type on the pins read through register 0x21)
//   type's W/R   tuner module (tuner_module_types.h)
//   0x80         TV audio processor (version in audio registers 0x1E/0x1F)
//
// Time: the card reads the clock it is given (tests and tools share the
// driver's simulated clock, so settling times pass when the driver sleeps).
// Without one it makes its own: simulated, or the wall clock when the
// configuration asks for real time.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/clock/clock.h"
#include "virtualcard/bus_device.h"
#include "virtualcard/card_config.h"
#include "virtualcard/simulated_bus.h"
#include "virtualcard/receiver.h"
#include "virtualcard/simulated_display_driver.h"
#include "virtualcard/video_port_model.h"

namespace tolven::card {

inline constexpr uint8_t kDecoderAddress = 0x88;
inline constexpr uint8_t kAudioAddress = 0x80;
inline constexpr uint8_t kDecoderChipId = 0xA1;

// Bus addresses (write, read) of a tuner module type; (0, 0) for the types
// that have none.
struct TunerAddresses {
  uint8_t write;
  uint8_t read;
};
TunerAddresses TunerModuleAddresses(int type);

class VirtualCard {
 public:
  explicit VirtualCard(const CardConfig &config = {}, Clock *clock = nullptr);
  VirtualCard(const VirtualCard &) = delete;
  VirtualCard &operator=(const VirtualCard &) = delete;

  display::DisplayEscape &DisplayDriver() { return driver_; }
  SimulatedDisplayDriver &Driver() { return driver_; }
  SimulatedBus &Bus() { return bus_; }
  SimulatedDecoder &Decoder() { return decoder_; }
  // Null when the configuration has no tuner module on the bus.
  SimulatedTuner *Tuner() { return tuner_.get(); }
  SimulatedAudio &Audio() { return audio_; }
  SimulatedVideoPort &VideoPort() { return videoPort_; }
  Clock &CardClock() { return clock_; }
  const CardConfig &Config() const { return config_; }

 private:
  CardConfig config_;
  std::unique_ptr<Clock> ownClock_;
  Clock &clock_;
  SimulatedBus bus_;
  SimulatedDisplayDriver driver_{bus_};
  std::unique_ptr<SimulatedTuner> tuner_;
  SimulatedDecoder decoder_;
  SimulatedAudio audio_;
  SimulatedVideoPort videoPort_;
};

}  // namespace tolven::card
