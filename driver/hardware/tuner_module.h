// The PLL tuner module (kind 1). Its type is wired to the video decoder's
// pins; each type has its own bus addresses.
#pragma once
#include "driver/hardware/control_bus.h"
#include "platform/clock/clock.h"

namespace tolven {

class CTunerModule : public CComponentFamily {
 public:
  static constexpr int kNoTuner = -1;
  static constexpr int kTypeWithoutBus = 7;  // answers without a bus probe

  CTunerModule(CControlBus &bus, Clock &clock)
      : CComponentFamily(kKindTuner), bus_(bus), clock_(clock) {}
  bool Detect() override;
  int Type() const { return type_; }

  // Write and read addresses of a module type; 0 where the type has none.
  static uint8_t WriteAddress(int type);
  static uint8_t ReadAddress(int type);

 protected:
  CControlBus &bus_;
  Clock &clock_;
  int type_ = kNoTuner;
};

}  // namespace tolven
