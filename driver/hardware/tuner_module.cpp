#include "driver/hardware/tuner_module.h"

#include "driver/hardware/requests.h"
#include "driver/hardware/video_decoder.h"

namespace tolven {

uint8_t CTunerModule::WriteAddress(int type) {
  const TunerModuleType *t = TunerModuleTypeEntry(type);
  return t ? t->writeAddress : 0;
}
uint8_t CTunerModule::ReadAddress(int type) {
  const TunerModuleType *t = TunerModuleTypeEntry(type);
  return t ? t->readAddress : 0;
}

bool CTunerModule::Detect() {
  // The module type sits on decoder pins read through register 0x21.
  bus_.WriteRegister(kDecoderBusAddress, 0x22, 127, 1);
  uint8_t pins = 0;
  bus_.ReadRegister(kDecoderBusAddress, 0x21, &pins, 1);
  bus_.WriteRegister(kDecoderBusAddress, 0x21, 0, 1);
  clock_.Sleep(10);
  bus_.WriteRegister(kDecoderBusAddress, 0x21, 128, 1);
  type_ = pins % 8;
  if (type_ == kTypeWithoutBus) return true;
  uint8_t status = 0;
  uint8_t address = ReadAddress(type_);
  if (!address || !bus_.ReadByte(address, &status, 1) || status == 0) {
    type_ = kNoTuner;
    return false;
  }
  return true;
}

bool CTunerModule::Tune(uint32_t hz) {
  const TunerModuleType *t = Entry();
  if (!t || !t->writeAddress || !t->stepHz) return false;
  const uint32_t divider = static_cast<uint32_t>((uint64_t{hz} + t->intermediateHz) / t->stepHz);
  const uint16_t word = BandWordFor(*t, hz);
  const uint8_t bytes[4] = {static_cast<uint8_t>(divider >> 8), static_cast<uint8_t>(divider),
                            static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)};
  if (!bus_.WriteBlock(t->writeAddress, sizeof bytes, bytes, 1)) return false;
  frequency_ = hz;
  return true;
}

bool CTunerModule::ReadStatus(uint8_t *adcLevel, bool *inLock) {
  const TunerModuleType *t = Entry();
  if (!t || !t->readAddress) return false;
  uint8_t status = 0;
  if (!bus_.ReadByte(t->readAddress, &status, 1)) return false;
  *adcLevel = status & t->adcMask;
  *inLock = (status & t->inLockMask) != 0;
  return true;
}

uint32_t CTunerModule::Dispatch(uint32_t *record) {
  using namespace requests::tuner;
  const uint32_t op = record[requests::kOperationWord];
  const uint32_t argument = record[kArgumentWord];
  uint32_t &result = record[kResultWord];
  const TunerModuleType *t = Entry();
  // A tuner without a recognised type answers 0 to every table-based request.
  const bool tableBased = op == kReadStatus || op == kReadInputType || op == kReadStandards ||
                          op == kReadFlags || op == kTune;
  if (tableBased && !t) return 0;
  switch (op) {
    case kReadStatus: {
      uint8_t level = 0;
      bool inLock = false;
      if (!ReadStatus(&level, &inLock)) return 0;
      result = level;
      break;
    }
    case kNoEffect: break;
    case kReadInputType: result = t->description.d1_capability; break;
    case kReadInputSecond: result = 8; break;
    case kReadTuningSpace: case kReadCurrentInput: case kSelectStandard: case kReadCountry:
    case kReadVideoFormat: result = 0; break;
    case kSelectInput: result = argument == 0 ? 1 : 0; break;
    case kReadStandards: result = t->description.d3_standards; break;
    case kReadFlags: result = t->description.d4_flags; break;
    case kReadFrequency: result = frequency_; break;
    case kTune: return Tune(argument) ? 1 : 0;
    default: return 0;
  }
  return 1;
}

void CTunerModule::FillDescription(uint32_t *record) {
  const TunerModuleType *t = Entry();
  if (!t || type_ == 8) {
    for (uint32_t i = 0; i < requests::tuner::kRecordWords; ++i) record[i] = 0;
    return;
  }
  const TunerDescription &d = t->description;
  const uint32_t words[requests::tuner::kRecordWords] = {d.d1_capability, d.d2_inputs,    d.d3_standards,   d.d4_flags,
                              d.d5_lockPollMs, d.d6,           d.d7,             d.d8_minimumHz,
                              d.d9_maximumHz,  d.d10,          d.d11_lockTimeout, d.d12_noSignal,
                              d.d13_centred,   d.d14,          d.d15_fineStepHz};
  for (uint32_t i = 0; i < requests::tuner::kRecordWords; ++i) record[i] = words[i];
}

}  // namespace tolven
