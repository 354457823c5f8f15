// The card's two-wire control bus (kind 256). Each operation is one
// display-driver escape 142 carrying one transaction, and answers the
// transaction's result (non-zero: acknowledged); the last argument travels
// as the transaction's bus flag.
#pragma once
#include <cstdint>

#include "driver/hardware/hardware_component.h"
#include "platform/display/display_escape.h"

namespace tolven {

class CControlBus : public CHardwareComponent {
 public:
  // The largest block this system writes is 51 bytes; longer ones are refused.
  static constexpr uint32_t kMaxWriteBytes = 64;

  explicit CControlBus(display::DisplayEscape &display)
      : CHardwareComponent(kKindControlBus), display_(display) {}

  int32_t WriteRegister(uint8_t address, uint8_t reg, uint8_t value, uint32_t flag);
  // A register write, then a separate one-byte read; no read when the
  // register write is refused.
  int32_t ReadRegister(uint8_t address, uint8_t reg, uint8_t *value, uint32_t flag);
  int32_t WriteBlock(uint8_t address, uint32_t count, const uint8_t *data, uint32_t flag);
  int32_t WriteRegisterBlock(uint8_t address, uint8_t reg, uint32_t count, const uint8_t *data,
                             uint32_t flag);
  int32_t ReadBytes(uint8_t address, uint32_t count, uint8_t *buffer, uint32_t flag);
  int32_t ReadByte(uint8_t address, uint8_t *value, uint32_t flag);

 private:
  int32_t Transfer(const uint8_t *write, uint32_t writeLength, uint8_t *read, uint32_t readLength,
                   uint32_t flag);

  display::DisplayEscape &display_;
};

}  // namespace tolven
