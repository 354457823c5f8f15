#include "virtualcard/virtual_card.h"

#include "carddata/tuner_module_types.h"
#include "virtualcard/real_time_clock.h"

namespace tolven::card {

namespace {
constexpr uint8_t kDecoderChipIdRegister = 0xFE;
constexpr uint8_t kDecoderTunerPins = 0x21;

std::unique_ptr<Clock> MakeClock(const CardConfig &config, Clock *given) {
  if (given) return nullptr;
  if (config.realTime) return std::make_unique<RealTimeClock>();
  return std::make_unique<SimulatedClock>();
}

std::unique_ptr<SimulatedTuner> MakeTuner(const CardConfig &config, Clock &clock) {
  const TunerModuleType *type = TunerModuleTypeEntry(config.tunerType);
  if (!type || !type->readAddress) return nullptr;
  return std::make_unique<SimulatedTuner>(*type, config, clock);
}
}  // namespace

TunerAddresses TunerModuleAddresses(int type) {
  const TunerModuleType *t = TunerModuleTypeEntry(type);
  return t ? TunerAddresses{t->writeAddress, t->readAddress} : TunerAddresses{0, 0};
}

VirtualCard::VirtualCard(const CardConfig &config, Clock *clock)
    : config_(config),
      ownClock_(MakeClock(config_, clock)),
      clock_(clock ? *clock : *ownClock_),
      tuner_(MakeTuner(config_, clock_)),
      decoder_(config_, clock_, tuner_.get()),
      audio_(config_, tuner_.get()),
      videoPort_(config_) {
  if (config_.decoder) {
    decoder_.SetReadOnly(kDecoderChipIdRegister, kDecoderChipId);
    // Pins the driver reads the module type from; type -1 leaves type 0's
    // pins set but no module on the bus.
    decoder_.SetReadOnly(kDecoderTunerPins, static_cast<uint8_t>(config_.tunerType < 0 ? 0 : config_.tunerType));
    bus_.Attach(kDecoderAddress, &decoder_);
  }
  if (tuner_) {
    TunerAddresses a = TunerModuleAddresses(config_.tunerType);
    bus_.Attach(a.write, tuner_.get());
    bus_.Attach(a.read, tuner_.get());
  }
  if (config_.audio) bus_.Attach(kAudioAddress, &audio_);
  if (config_.videoPort) driver_.AttachVideoPort(&videoPort_);
  driver_.SetModeDivisors(config_.horizontalDivisor, config_.verticalDivisor);
}

}  // namespace tolven::card
