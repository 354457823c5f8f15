#include "virtualcard/receiver.h"

#include <cstdlib>

namespace tolven::card {

namespace {
constexpr uint8_t kNicamStereo = 0x01, kNicamMono = 0x03, kNicamDual = 0x05, kNicamErrors = 0x08;
constexpr int16_t kFmStereoLevel = 64, kFmDualLevel = -64, kFmMonoLevel = 2;
}  // namespace

uint8_t DetectedStandardBits(uint32_t standard) {
  switch (standard) {
    case 1: case 8: return 1;
    case 2: return 2;
    case 4: return 3;
    case 4096: return 4;
    case 8192: return 5;
    case 16384: return 6;
    case 32768: return 7;
    case 65536: return 8;
    case 256: return 9;
    default: return 0;
  }
}

bool Is625Line(uint32_t standard) {
  return standard == 256 || standard == 4096 || standard == 16384 || standard == 32768;
}

// ---------------------------------------------------------------------------

bool SimulatedTuner::Write(const uint8_t *data, size_t length) {
  if (length < 4) return true;  // nothing this module understands; acknowledged
  const uint32_t divider = static_cast<uint32_t>((data[0] << 8 | data[1]) & 0x7FFF);
  const uint64_t lo = uint64_t{divider} * type_.stepHz;
  frequency_ = lo > type_.intermediateHz ? static_cast<uint32_t>(lo - type_.intermediateHz) : 0;
  bandWord_ = static_cast<uint16_t>(data[2] << 8 | data[3]);
  tuned_ = true;
  tunedAt_ = clock_.Milliseconds();
  ++tunes_;
  return true;
}

bool SimulatedTuner::Read(uint8_t *data, size_t length) {
  for (size_t i = 0; i < length; ++i) data[i] = Status();
  return true;
}

Reception SimulatedTuner::Receive() const {
  Reception r;
  r.settled = !tuned_ || clock_.Milliseconds() - tunedAt_ >= config_.settleMs;
  if (!tuned_) return r;
  int64_t best = 0;
  for (const Station &s : config_.stations) {
    const int64_t offset = int64_t{frequency_} - int64_t{s.frequencyHz};
    if (!r.station || std::llabs(offset) < std::llabs(best)) {
      r.station = &s;
      best = offset;
    }
  }
  r.offsetHz = best;
  const bool bandFits = bandWord_ == BandWordFor(type_, frequency_);
  r.signal = r.station && r.settled && bandFits && r.station->strength >= config_.usableStrength &&
             std::llabs(best) <= config_.pullRangeHz;
  return r;
}

uint8_t SimulatedTuner::Status() const {
  const Reception r = Receive();
  const uint8_t noSignal = static_cast<uint8_t>(type_.description.d12_noSignal & type_.adcMask);
  if (!r.signal) return noSignal;
  const int32_t centred = static_cast<int32_t>(type_.description.d13_centred);
  int32_t level = centred;
  if (std::llabs(r.offsetHz) > config_.centredHz) level = r.offsetHz > 0 ? centred + 1 : centred - 1;
  return static_cast<uint8_t>(type_.inLockMask | (static_cast<uint8_t>(level) & type_.adcMask));
}

// ---------------------------------------------------------------------------

SimulatedDecoder::SimulatedDecoder(const CardConfig &config, Clock &clock, const SimulatedTuner *tuner)
    : config_(config), clock_(clock), tuner_(tuner), createdAt_(clock.Milliseconds()) {
  // Picture controls at power-on: a nominal picture before any driver sets them.
  SetRegister(kBrightness, 0);
  SetRegister(kContrast, kNominalContrast);
  SetRegister(kSaturation, kNominalSaturation);
  SetRegister(kSaturationCompanion, kNominalSaturation * 180 / 254);
  SetRegister(kHue, 0);
}

bool SimulatedDecoder::SourceSignal(uint32_t *standard) const {
  switch (Register(0x01) & 0x60) {
    case 0x00: {
      if (!tuner_) return false;
      const Reception r = tuner_->Receive();
      if (!r.signal) return false;
      *standard = r.station->standard;
      return true;
    }
    case 0x40:
      *standard = config_.composite.standard;
      return config_.composite.present;
    case 0x60:
      *standard = config_.sVideo.standard;
      return config_.sVideo.present;
    default:
      return false;
  }
}

uint8_t SimulatedDecoder::ReadValue(uint8_t index) {
  uint32_t standard = 4096;
  const bool signal = SourceSignal(&standard);
  if (index == 0x00) {
    uint8_t status = 0;
    if (clock_.Milliseconds() - createdAt_ >= config_.decoderReadyMs) status |= 0x08;
    if (!signal || Is625Line(standard)) status |= 0x10;  // free-runs at 625 lines
    if (signal) status |= 0x80;
    return status;
  }
  if (index == 0x01) {
    const uint8_t stored = Register(0x01);
    if ((stored & 0x0F) == 0 && signal) return static_cast<uint8_t>(stored | DetectedStandardBits(standard));
    return stored;
  }
  return RegisterFileDevice::ReadValue(index);
}

// ---------------------------------------------------------------------------

SimulatedAudio::SimulatedAudio(const CardConfig &config, const SimulatedTuner *tuner)
    : config_(config), tuner_(tuner) {
  AcceptBank(kControl);
  AcceptBank(kDemodulator);
  AcceptBank(kProcessing);
  SetRegister(kProcessing, 0x1F, static_cast<uint16_t>((config.audioVersion >> 8) & 0xFF00));
  SetRegister(kProcessing, 0x1E, static_cast<uint16_t>(config.audioVersion & 0xFF));
}

const Station *SimulatedAudio::Received() const {
  if (!tuner_) return nullptr;
  const Reception r = tuner_->Receive();
  return r.signal ? r.station : nullptr;
}

uint16_t SimulatedAudio::NicamStatus() const {
  const Station *s = Received();
  if (!s) return 0;
  const uint16_t standard = Register(kDemodulator, 0x20);
  const bool heard = (standard == 10 && s->carrier == SoundCarrier::I) ||
                     (standard == 8 && s->carrier == SoundCarrier::BG) ||
                     (standard == 11 && (s->carrier == SoundCarrier::DK1 || s->carrier == SoundCarrier::DK2));
  if (!heard) return 0;
  uint16_t status;
  switch (s->sound) {
    case Sound::NicamStereo: status = kNicamStereo; break;
    case Sound::NicamDual: status = kNicamDual; break;
    case Sound::NicamMono: status = kNicamMono; break;
    default: return 0;
  }
  if (s->strength < config_.cleanStrength) status |= kNicamErrors;
  return status;
}

int16_t SimulatedAudio::FmDetector() const {
  const Station *s = Received();
  if (!s) return 0;
  const uint16_t standard = Register(kDemodulator, 0x20);
  const bool heard = (standard == 2 && s->carrier == SoundCarrier::M) ||
                     (standard == 3 && s->carrier == SoundCarrier::BG) ||
                     (standard == 4 && s->carrier == SoundCarrier::DK1) ||
                     (standard == 5 && s->carrier == SoundCarrier::DK2);
  if (!heard) return 0;
  switch (s->sound) {
    case Sound::FmStereo: return kFmStereoLevel;
    case Sound::FmDual: return kFmDualLevel;
    default: return kFmMonoLevel;
  }
}

uint16_t SimulatedAudio::ReadValue(uint8_t bank, uint16_t reg) {
  if (bank == kDemodulator && reg == 0x23) return NicamStatus();
  if (bank == kProcessing && reg == 0x18) return static_cast<uint16_t>(FmDetector());
  return WordRegisterDevice::ReadValue(bank, reg);
}

}  // namespace tolven::card
