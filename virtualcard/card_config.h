// Everything a virtual card is made of: which chips answer, the tuner
// module type, the audio processor's version, the stations on the air, the
// line inputs, the display side's video port and display mode, and whether
// time is simulated or real.
//
// Configurations are read from a small JSON file (see default_card.json,
// which is also the default configuration: a UK-style broadcast band). Any
// field left out keeps the value given here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolven::card {

// Sound carried by a station.
enum class Sound { Mono, FmStereo, FmDual, NicamStereo, NicamDual, NicamMono };
// The sound-carrier system of a station (which demodulator standard hears it).
enum class SoundCarrier { I, BG, DK1, DK2, M, L };

struct Station {
  std::string name;
  uint32_t frequencyHz = 0;     // vision carrier
  uint32_t standard = 4096;     // video standard code
  SoundCarrier carrier = SoundCarrier::I;
  Sound sound = Sound::Mono;
  uint32_t strength = 100;      // 0-100; below the usable level reads as no signal
  uint32_t channel = 0;         // the plan's channel number, shown on the test card; 0: none
};

// A line input (composite or S-video): a signal of a standard, or nothing.
struct LineInput {
  bool present = true;
  uint32_t standard = 4096;
};

struct VideoPortConnectionConfig {
  uint32_t portId = 0, typeCode = 4, portWidth = 8, flags = 0;
};

struct CardConfig {
  bool decoder = true;
  // Module type on the decoder's pins (0-10); -1: no tuner module at all.
  int tunerType = 0;
  bool audio = true;
  uint32_t audioVersion = 0x0F0007;

  // Receiver behaviour.
  uint32_t settleMs = 100;          // PLL settling time after a tune
  uint32_t decoderReadyMs = 2;      // decoder start-up after the card appears
  uint32_t pullRangeHz = 1250000;   // farther than this from a station: no signal
  uint32_t centredHz = 40000;       // this close reads as centred
  uint32_t usableStrength = 20;     // weaker stations read as no signal
  uint32_t cleanStrength = 40;      // NICAM below this reads with errors
  std::vector<Station> stations{};
  LineInput composite{};
  LineInput sVideo{};

  // Display side.
  std::vector<VideoPortConnectionConfig> connections{VideoPortConnectionConfig{}};
  std::vector<std::string> formats{"UYVY"};
  std::vector<uint32_t> probeBits{16, 8};  // field-pixel depths the port accepts
  uint32_t bandwidth = 4000000000u;        // answered to function 5
  uint32_t keyColour = 0xFF00FF;           // answered to a probe (0: none)
  bool videoPort = true;                   // false: escape 150 is not implemented
  uint32_t horizontalDivisor = 1, verticalDivisor = 1;  // escape 128

  bool realTime = false;  // false: simulated time

  // A text file the display stand-in appends every bus transaction to
  // (format in virtualcard/bus_log.h); empty: no log.
  std::string busLog{};
};
using CardOptions = CardConfig;

// Reads a JSON configuration over `config`. False (with a message) for text
// that is not JSON or a field of the wrong type; `config` may then be
// partly changed.
bool ParseCardConfig(const std::string &text, CardConfig *config, std::string *error);
bool LoadCardConfigFile(const std::string &path, CardConfig *config, std::string *error);
// The default configuration (default_card.json, built in).
CardConfig DefaultCardConfig();
const char *DefaultCardConfigText();

const char *SoundName(Sound sound);
// The configuration's name of a video standard code ("PAL", "SECAM", ...);
// "" for a code without one.
const char *StandardName(uint32_t standard);

}  // namespace tolven::card
