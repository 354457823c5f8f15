// The TV audio processor (kind 2) at bus address 0x80, reached through
// sub-addresses carrying 16-bit registers: 0x00 control, 0x10/0x11
// demodulator write/read, 0x12/0x13 audio-processing write/read.
//
// It detects the chip, finds which stereo system the received channel
// carries (NICAM, two-carrier FM, or none) with the detection steps of the
// tuner's region, programs the matching output program, and mutes, unmutes
// and sets the volume.
#pragma once
#include "driver/hardware/component_family.h"
#include "driver/hardware/control_bus.h"
#include "platform/clock/clock.h"

namespace tolven {

inline constexpr uint8_t kAudioBusAddress = 0x80;

class CTunerModule;

// Result codes of a detection (NICAM status values 1-23 besides these).
enum AudioResult : int32_t {
  kAudioFmStereo = 24,
  kAudioFmDual = 26,
  kAudioAltLine = 27,
  kAudioAltMono = 28,
  kAudioAltDual = 29,
  kAudioNone = 30,
};

// The detection steps: demodulator standard, prescale and wait.
enum class AudioStep { NicamI, NicamBG, NicamDK, FmM, FmBG, FmDK1, FmDK2, FmMMono };

class CTvAudioChip : public CComponentFamily {
 public:
  // Sub-addresses.
  static constexpr uint8_t kSubControl = 0x00;
  static constexpr uint8_t kSubDemodWrite = 0x10;
  static constexpr uint8_t kSubDemodRead = 0x11;
  static constexpr uint8_t kSubAudioWrite = 0x12;
  static constexpr uint8_t kSubAudioRead = 0x13;

  CTvAudioChip(CControlBus &bus, Clock &clock)
      : CComponentFamily(kKindTvAudio), bus_(bus), clock_(clock) {}
  void AttachTuner(const CTunerModule *tuner) { tuner_ = tuner; }

  // Resets the chip and reads its version; true for the versions this
  // driver supports.
  bool Detect() override;
  bool Initialise() override;
  uint32_t SetOwner(uint32_t value) override;  // 0, 2 mute; 1 unmutes
  uint32_t Dispatch(uint32_t *record) override;
  void FillDescription(uint32_t *record) override;

  void Mute(bool on);
  void SetSource(uint32_t source) { source_ = source; }
  void SetVolume(uint32_t value);
  // Applies the requested standard and mode; false when the source has no
  // such program.
  bool Apply();
  // Runs the automatic detection of the tuner's region.
  int32_t AutoDetect();

  int32_t Version() const { return version_; }
  bool Muted() const { return muted_; }
  uint32_t Source() const { return source_; }
  int32_t Result() const { return result_; }
  uint32_t AvailableModes() const { return available_; }
  uint32_t CurrentModes() const { return current_; }
  int32_t LastProgram() const { return program_; }
  bool PreferNicamBG() const { return preferNicamBG_; }
  bool PreferNicamDK() const { return preferNicamDK_; }
  bool PreferDK2() const { return preferDK2_; }

  // Output program for a result code and requested mode; -1 for none.
  static int32_t ProgramFor(int32_t code, uint32_t mode);

 protected:
  bool WriteControl(uint16_t value);
  bool WriteRegister(uint8_t sub, uint16_t reg, uint16_t value);
  bool ReadRegister(uint8_t sub, uint16_t reg, uint16_t *value);
  bool WriteDemod(uint16_t reg, uint16_t value) { return WriteRegister(kSubDemodWrite, reg, value); }
  bool WriteAudio(uint16_t reg, uint16_t value) { return WriteRegister(kSubAudioWrite, reg, value); }
  bool ReadAudio(uint16_t reg, uint16_t *value) { return ReadRegister(kSubAudioRead, reg, value); }
  void Reset();

  int32_t TunerType() const;
  int32_t RunStep(AudioStep step);
  int32_t NicamStatus();
  int32_t FmStereo();
  int32_t FmDK();
  void SelectProgram(int32_t program);
  bool ApplyAlternative(uint32_t source);
  void SetMasks(uint32_t available, uint32_t current) {
    available_ = available;
    current_ = current;
  }
  void MasksFromTable(int table, int32_t code);

  CControlBus &bus_;
  Clock &clock_;
  const CTunerModule *tuner_ = nullptr;
  bool muted_ = false;
  uint16_t loudspeaker_ = 0x7300;
  uint16_t secondOutput_ = 0x4000;
  int32_t version_ = -1;
  uint32_t source_ = 0;
  int32_t result_ = kAudioNone;
  uint32_t mode_ = 0;
  uint32_t standard_ = 0;
  uint32_t available_ = 1;
  uint32_t current_ = 1;
  int32_t program_ = -1;
  bool preferNicamBG_ = false;  // initially FM B/G first
  bool preferNicamDK_ = false;  // initially FM D/K first
  bool preferDK2_ = false;      // initially D/K1 first
};

}  // namespace tolven
