// The TV audio processor (kind 2) at bus address 0x80, reached through
// sub-addresses carrying 16-bit registers.
#pragma once
#include "driver/hardware/control_bus.h"
#include "platform/clock/clock.h"

namespace tolven {

inline constexpr uint8_t kAudioBusAddress = 0x80;

class CTvAudioChip : public CComponentFamily {
 public:
  CTvAudioChip(CControlBus &bus, Clock &clock)
      : CComponentFamily(kKindTvAudio), bus_(bus), clock_(clock) {}
  // Resets the chip and reads its version; true for the versions this
  // driver supports.
  bool Detect() override;
  int32_t Version() const { return version_; }

 protected:
  bool WriteControl(uint16_t value);
  bool ReadAudio(uint16_t reg, uint16_t *value);
  void Reset();

  CControlBus &bus_;
  Clock &clock_;
  int32_t version_ = -1;
};

}  // namespace tolven
