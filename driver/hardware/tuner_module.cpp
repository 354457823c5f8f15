#include "driver/hardware/tuner_module.h"

#include "driver/hardware/video_decoder.h"

namespace tolven {

namespace {
struct ModuleAddresses {
  uint8_t write, read;
};
// By module type 0-10; types 7 and 8 are not on the bus.
constexpr ModuleAddresses kModuleAddresses[] = {
    {0xC2, 0xC3}, {0xC0, 0xC3}, {0xC0, 0xC1}, {0xC0, 0xC3}, {0xC0, 0xC3}, {0xC0, 0xC3},
    {0xC0, 0xC3}, {0, 0},       {0, 0},       {0xC0, 0xC3}, {0xC0, 0xC3},
};
constexpr int kModuleTypes = sizeof kModuleAddresses / sizeof kModuleAddresses[0];
}  // namespace

uint8_t CTunerModule::WriteAddress(int type) {
  return type >= 0 && type < kModuleTypes ? kModuleAddresses[type].write : 0;
}
uint8_t CTunerModule::ReadAddress(int type) {
  return type >= 0 && type < kModuleTypes ? kModuleAddresses[type].read : 0;
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

}  // namespace tolven
