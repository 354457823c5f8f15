#include "driver/hardware/control_bus.h"

#include "platform/display/escape_blocks.h"

namespace tolven {

namespace {
constexpr uint8_t WriteAddress(uint8_t address) { return address & 0xFE; }
constexpr uint8_t ReadAddress(uint8_t address) { return address | 0x01; }
}  // namespace

int32_t CControlBus::Transfer(const uint8_t *write, uint32_t writeLength, uint8_t *read,
                              uint32_t readLength, uint32_t flag) {
  wire::WireLoan writeLoan(write, writeLength);
  wire::WireLoan readLoan(read, readLength);
  display::BusTransactionBlock block{0,         0, writeLoan.value(), writeLength, readLoan.value(),
                                     readLength, 1, flag};
  int32_t result = 0;
  int answer = display_.Escape(display::kEscapeBusTransaction, sizeof block, &block, sizeof result,
                               &result);
  return answer > 0 ? result : 0;
}

int32_t CControlBus::WriteRegister(uint8_t address, uint8_t reg, uint8_t value, uint32_t flag) {
  const uint8_t bytes[] = {WriteAddress(address), reg, value};
  return Transfer(bytes, sizeof bytes, nullptr, 0, flag);
}

int32_t CControlBus::ReadRegister(uint8_t address, uint8_t reg, uint8_t *value, uint32_t flag) {
  const uint8_t bytes[] = {WriteAddress(address), reg};
  if (!Transfer(bytes, sizeof bytes, nullptr, 0, 1)) return 0;
  return ReadByte(address, value, flag);
}

int32_t CControlBus::WriteBlock(uint8_t address, uint32_t count, const uint8_t *data, uint32_t flag) {
  if (count + 1 > kMaxWriteBytes || (count && !data)) return 0;
  uint8_t bytes[kMaxWriteBytes];
  bytes[0] = WriteAddress(address);
  for (uint32_t i = 0; i < count; ++i) bytes[1 + i] = data[i];
  return Transfer(bytes, count + 1, nullptr, 0, flag);
}

int32_t CControlBus::WriteRegisterBlock(uint8_t address, uint8_t reg, uint32_t count,
                                        const uint8_t *data, uint32_t flag) {
  if (count + 2 > kMaxWriteBytes || (count && !data)) return 0;
  uint8_t bytes[kMaxWriteBytes];
  bytes[0] = WriteAddress(address);
  bytes[1] = reg;
  for (uint32_t i = 0; i < count; ++i) bytes[2 + i] = data[i];
  return Transfer(bytes, count + 2, nullptr, 0, flag);
}

int32_t CControlBus::ReadBytes(uint8_t address, uint32_t count, uint8_t *buffer, uint32_t flag) {
  if (count && !buffer) return 0;
  const uint8_t bytes[] = {ReadAddress(address)};
  return Transfer(bytes, 1, buffer, count, flag);
}

int32_t CControlBus::ReadByte(uint8_t address, uint8_t *value, uint32_t flag) {
  return ReadBytes(address, 1, value, flag);
}

}  // namespace tolven
