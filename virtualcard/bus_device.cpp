#include "virtualcard/bus_device.h"

namespace tolven::card {

bool RegisterFileDevice::Write(const uint8_t *data, size_t length) {
  if (!acknowledge_) return false;
  if (length == 0) return true;
  pointer_ = data[0];
  for (size_t i = 1; i < length; ++i) {
    if (!readOnly_[pointer_]) registers_[pointer_] = data[i];
    ++pointer_;
  }
  return true;
}

bool RegisterFileDevice::Read(uint8_t *data, size_t length) {
  if (!acknowledge_) return false;
  for (size_t i = 0; i < length; ++i) data[i] = ReadValue(pointer_++);
  return true;
}

bool WordRegisterDevice::Write(const uint8_t *data, size_t length) {
  if (length == 0) return true;
  uint8_t sub = data[0];
  if (length == 5 && accepted_[sub]) {
    banks_[sub][data[2]] = static_cast<uint16_t>(data[3] << 8 | data[4]);
    return true;
  }
  if (length == 3 && accepted_[sub]) {  // a bare 16-bit control word
    banks_[sub][0] = static_cast<uint16_t>(data[1] << 8 | data[2]);
    return true;
  }
  if (length == 3 && sub > 0 && accepted_[sub - 1]) {
    readBank_ = static_cast<uint8_t>(sub - 1);
    readRegister_ = static_cast<uint16_t>(data[1] << 8 | data[2]);
    return true;
  }
  return false;
}

bool WordRegisterDevice::Read(uint8_t *data, size_t length) {
  if (length != 2) return false;
  uint16_t value = ReadValue(readBank_, readRegister_);
  data[0] = static_cast<uint8_t>(value >> 8);
  data[1] = static_cast<uint8_t>(value);
  return true;
}

uint16_t WordRegisterDevice::Register(uint8_t bank, uint16_t reg) const {
  return banks_[bank][reg & 0xFF];
}

void WordRegisterDevice::SetRegister(uint8_t bank, uint16_t reg, uint16_t value) {
  banks_[bank][reg & 0xFF] = value;
}

}  // namespace tolven::card
