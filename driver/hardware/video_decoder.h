// The analogue video decoder and scaler (kind 8) at bus address 0x88.
#pragma once
#include "driver/hardware/control_bus.h"

namespace tolven {

inline constexpr uint8_t kDecoderBusAddress = 0x88;

class CVideoDecoderChip : public CComponentFamily {
 public:
  explicit CVideoDecoderChip(CControlBus &bus) : CComponentFamily(kKindVideoDecoder), bus_(bus) {}
  // Chip id: register 0xFE reads 0xA_ once register 0x18 is set up.
  bool Detect() override;

 protected:
  CControlBus &bus_;
};

}  // namespace tolven
