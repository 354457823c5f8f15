// The virtual card's chips as a TV receiver: the tuner module decodes its
// PLL writes into a tuned frequency and reports lock and AFC level from the
// stations on the air; the video decoder reports readiness, signal and the
// detected standard of the selected source; the TV audio processor reports
// NICAM status and the FM stereo detector from the received station's sound.
//
// Readings (the card's own design, which the driver must cope with):
// - Tuner status byte: in-lock mask | ADC level. With no usable station
//   within the pull range, before the settling time has passed after a PLL
//   write, or with a band word that does not fit the frequency, the level is
//   the module type's no-signal value and the lock bit is clear. Otherwise
//   the level is the type's centred value within `centredHz` of the station,
//   one above it when tuned above the station and one below when tuned below.
// - Decoder register 0x00: bit 3 ready (after `decoderReadyMs`), bit 4
//   625-line source, bit 7 signal present. Register 0x01: with the low four
//   bits written 0 (automatic) and a signal present they read the detected
//   standard (1 NTSC, 2 NTSC J, 3 NTSC 4.43, 4 PAL, 5 PAL M, 6 PAL N, 7 PAL
//   NC, 8 PAL 60, 9 SECAM); bits 5-6 select the source (0 tuner, 64
//   composite, 96 S-video).
// - Audio demodulator register 0x23 (NICAM status), when the demodulator
//   standard (register 0x20) is the NICAM standard of the station's carrier
//   (10 I, 8 B/G, 11 D/K): 0x01 stereo, 0x05 dual, 0x03 mono, plus 0x08 for
//   a station weaker than `cleanStrength`; 0 otherwise.
// - Audio register 0x18 (FM stereo detector), when the demodulator standard
//   is the station's FM standard (2 M, 3 B/G, 4 D/K1, 5 D/K2): +64 stereo,
//   -64 dual, +2 mono; 0 otherwise.
#pragma once
#include <cstdint>

#include "carddata/tuner_module_types.h"
#include "platform/clock/clock.h"
#include "virtualcard/bus_device.h"
#include "virtualcard/card_config.h"

namespace tolven::card {

// What the tuner receives at the moment.
struct Reception {
  const Station *station = nullptr;  // nearest station, if any
  int64_t offsetHz = 0;              // tuned minus station frequency
  bool settled = false;
  bool signal = false;               // a usable station, settled, within pull range
};

class SimulatedTuner : public BusDevice {
 public:
  SimulatedTuner(const TunerModuleType &type, const CardConfig &config, Clock &clock)
      : type_(type), config_(config), clock_(clock) {}
  bool Write(const uint8_t *data, size_t length) override;
  bool Read(uint8_t *data, size_t length) override;

  Reception Receive() const;
  uint8_t Status() const;
  uint32_t TunedFrequency() const { return frequency_; }
  uint16_t BandWord() const { return bandWord_; }
  uint32_t Tunes() const { return tunes_; }

 private:
  const TunerModuleType &type_;
  const CardConfig &config_;
  Clock &clock_;
  bool tuned_ = false;
  uint32_t frequency_ = 0;
  uint16_t bandWord_ = 0;
  uint32_t tunedAt_ = 0;
  uint32_t tunes_ = 0;
};

class SimulatedDecoder : public RegisterFileDevice {
 public:
  // Picture-control registers: brightness (signed, added to luma), contrast
  // (luma gain, kNominalContrast = 1), saturation (chroma gain,
  // kNominalSaturation = 1) with its companion, hue (signed, 128 = half a
  // turn of the colour plane). The power-on values are the nominal picture.
  static constexpr uint8_t kBrightness = 0x10, kContrast = 0x11, kSaturation = 0x12,
                           kSaturationCompanion = 0x13, kHue = 0x14;
  static constexpr uint8_t kNominalContrast = 57, kNominalSaturation = 127;
  // Source selector (bits 5-6 of register 0x01), output control (bit 7 of
  // register 0x18 set: output off) and the digital-input mode (bit 6 of 0x23).
  static constexpr uint8_t kSourceSelect = 0x01, kOutputControl = 0x18, kDigitalInput = 0x23;

  SimulatedDecoder(const CardConfig &config, Clock &clock, const SimulatedTuner *tuner);
  // The standard and presence of the source selected in register 0x01.
  bool SourceSignal(uint32_t *standard) const;

 protected:
  uint8_t ReadValue(uint8_t index) override;

 private:
  const CardConfig &config_;
  Clock &clock_;
  const SimulatedTuner *tuner_;
  uint32_t createdAt_;
};

class SimulatedAudio : public WordRegisterDevice {
 public:
  static constexpr uint8_t kControl = 0x00, kDemodulator = 0x10, kProcessing = 0x12;
  SimulatedAudio(const CardConfig &config, const SimulatedTuner *tuner);
  uint16_t NicamStatus() const;
  int16_t FmDetector() const;

 protected:
  uint16_t ReadValue(uint8_t bank, uint16_t reg) override;

 private:
  const Station *Received() const;
  const CardConfig &config_;
  const SimulatedTuner *tuner_;
};

// Detected-standard value (low four bits of decoder register 0x01) of a
// standard code; 0 for a code the chip cannot detect.
uint8_t DetectedStandardBits(uint32_t standard);
bool Is625Line(uint32_t standard);

}  // namespace tolven::card
