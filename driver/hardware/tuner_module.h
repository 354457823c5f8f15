// The PLL tuner module (kind 1). Its type is wired to the video decoder's
// pins; everything else about it comes from the module-type table
// (tuner_module_types.h). Initialise does nothing.
#pragma once
#include "driver/hardware/component_family.h"
#include "driver/hardware/control_bus.h"
#include "carddata/tuner_module_types.h"
#include "platform/clock/clock.h"

namespace tolven {

class CTunerModule : public CComponentFamily {
 public:
  static constexpr int kNoTuner = -1;
  static constexpr int kTypeWithoutBus = 7;  // answers without a bus probe

  CTunerModule(CControlBus &bus, Clock &clock)
      : CComponentFamily(kKindTuner), bus_(bus), clock_(clock) {}
  bool Detect() override;
  uint32_t Dispatch(uint32_t *record) override;
  void FillDescription(uint32_t *record) override;

  int Type() const { return type_; }
  uint32_t Frequency() const { return frequency_; }
  // Programs the PLL: divider high, divider low, band word high, band word
  // low to the type's write address. False on a bus failure or without a
  // module on the bus.
  bool Tune(uint32_t hz);
  // One status byte from the read address: its ADC level and in-lock bit.
  bool ReadStatus(uint8_t *adcLevel, bool *inLock);

  // Write and read addresses of a module type; 0 where the type has none.
  static uint8_t WriteAddress(int type);
  static uint8_t ReadAddress(int type);

 protected:
  const TunerModuleType *Entry() const { return TunerModuleTypeEntry(type_); }

  CControlBus &bus_;
  Clock &clock_;
  int type_ = kNoTuner;
  uint32_t frequency_ = 0;
};

}  // namespace tolven
