#include "virtualcard/virtual_card.h"

namespace tolven::card {

namespace {
// Decoder sub-addresses the board's probes look at.
constexpr uint8_t kDecoderChipId = 0xFE;
constexpr uint8_t kDecoderTunerPins = 0x21;
// TV audio processor sub-addresses: control, demodulator, audio processing.
constexpr uint8_t kAudioControl = 0x00;
constexpr uint8_t kAudioDemodulator = 0x10;
constexpr uint8_t kAudioProcessing = 0x12;
}  // namespace

TunerAddresses TunerModuleAddresses(int type) {
  switch (type) {
    case 0: return {0xC2, 0xC3};
    case 2: return {0xC0, 0xC1};
    case 1: case 3: case 4: case 5: case 6: case 9: case 10: return {0xC0, 0xC3};
    default: return {0, 0};
  }
}

VirtualCard::VirtualCard(const CardOptions &options) {
  if (options.decoder) {
    decoder_.SetReadOnly(kDecoderChipId, 0xA1);
    // Pins the driver reads the module type from; type -1 leaves type 0's
    // pins set but no module on the bus.
    decoder_.SetReadOnly(kDecoderTunerPins, static_cast<uint8_t>(options.tunerType < 0 ? 0 : options.tunerType));
    bus_.Attach(kDecoderAddress, &decoder_);
  }
  if (options.tunerType >= 0) {
    TunerAddresses a = TunerModuleAddresses(options.tunerType);
    tuner_.SetRegister(0, 0x46);  // in lock, mid ADC level
    if (a.write) bus_.Attach(a.write, &tuner_);
    if (a.read) bus_.Attach(a.read, &tuner_);
  }
  if (options.audio) {
    audio_.AcceptBank(kAudioControl);
    audio_.AcceptBank(kAudioDemodulator);
    audio_.AcceptBank(kAudioProcessing);
    audio_.SetRegister(kAudioProcessing, 0x1F, static_cast<uint16_t>((options.audioVersion >> 8) & 0xFF00));
    audio_.SetRegister(kAudioProcessing, 0x1E, static_cast<uint16_t>(options.audioVersion & 0xFF));
    bus_.Attach(kAudioAddress, &audio_);
  }
}

}  // namespace tolven::card
