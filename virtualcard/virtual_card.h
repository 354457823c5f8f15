// A whole simulated Caldra One: the control bus with the card's chips at
// their addresses, behind the simulated display driver.
//
// For now the chips are register files preset so that the board's probes
// find them: the video decoder at 0x88 (chip id 0xA_ in register 0xFE, the
// tuner module type on the input pins read through register 0x21), the tuner
// module at its type's addresses (a status byte), and the TV audio processor
// at 0x80 (its version in audio registers 0x1E/0x1F).
#pragma once
#include <cstdint>
#include <memory>

#include "virtualcard/bus_device.h"
#include "virtualcard/control_bus.h"
#include "virtualcard/simulated_display_driver.h"

namespace tolven::card {

inline constexpr uint8_t kDecoderAddress = 0x88;
inline constexpr uint8_t kAudioAddress = 0x80;

struct CardOptions {
  bool decoder = true;
  // Module type on the decoder's pins (0-10); -1 fits no tuner module.
  int tunerType = 0;
  bool audio = true;
  uint32_t audioVersion = 0x0F0007;
};

// Bus addresses (write, read) of a tuner module type; (0, 0) for the types
// that have none.
struct TunerAddresses {
  uint8_t write;
  uint8_t read;
};
TunerAddresses TunerModuleAddresses(int type);

class VirtualCard {
 public:
  explicit VirtualCard(const CardOptions &options = {});

  display::DisplayEscape &DisplayDriver() { return driver_; }
  SimulatedDisplayDriver &Driver() { return driver_; }
  ControlBus &Bus() { return bus_; }
  RegisterFileDevice &Decoder() { return decoder_; }
  RegisterFileDevice &Tuner() { return tuner_; }
  WordRegisterDevice &Audio() { return audio_; }

 private:
  ControlBus bus_;
  SimulatedDisplayDriver driver_{bus_};
  RegisterFileDevice decoder_;
  RegisterFileDevice tuner_;
  WordRegisterDevice audio_;
};

}  // namespace tolven::card
