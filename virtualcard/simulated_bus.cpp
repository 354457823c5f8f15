#include "virtualcard/simulated_bus.h"

namespace tolven::card {

bool SimulatedBus::Transfer(const uint8_t *write, uint32_t writeLength, uint8_t *read,
                          uint32_t readLength, uint32_t busFlag) {
  if (!write || writeLength == 0) return false;
  BusTransaction t;
  t.address = write[0];
  t.written.assign(write + 1, write + writeLength);
  t.readLength = readLength;
  t.busFlag = busFlag;
  auto it = devices_.find(static_cast<uint8_t>(t.address & 0xFE));
  BusDevice *device = it == devices_.end() ? nullptr : it->second;
  bool ok = device != nullptr;
  if (ok && !(t.address & 1)) ok = device->Write(write + 1, writeLength - 1);
  if (ok && (readLength > 0 || (t.address & 1))) {
    if (!read && readLength > 0) {
      ok = false;
    } else {
      std::vector<uint8_t> bytes(readLength);
      ok = device->Read(bytes.data(), readLength);
      if (ok) {
        for (uint32_t i = 0; i < readLength; ++i) read[i] = bytes[i];
        t.read = bytes;
      }
    }
  }
  t.acknowledged = ok;
  if (observer_) observer_->Transferred(t);
  if (keepLog_) log_.push_back(std::move(t));
  return ok;
}

}  // namespace tolven::card
