// The simulated two-wire control bus: devices at 8-bit addresses (bit 0
// cleared), and a log of every transaction for tests to read.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "virtualcard/bus_device.h"

namespace tolven::card {

struct BusTransaction {
  uint8_t address = 0;             // as sent, read bit included
  std::vector<uint8_t> written;    // bytes after the address
  std::vector<uint8_t> read;       // bytes returned (empty when refused)
  uint32_t readLength = 0;         // bytes asked for
  uint32_t busFlag = 0;
  bool acknowledged = false;
};

// Told of every transaction as it completes (the stand-in's bus log).
class BusObserver {
 public:
  virtual ~BusObserver() = default;
  virtual void Transferred(const BusTransaction &transaction) = 0;
};

class SimulatedBus {
 public:
  // The device stays owned by the caller. A second device at an address
  // replaces the first.
  void Attach(uint8_t address, BusDevice *device) { devices_[address & 0xFE] = device; }
  void Detach(uint8_t address) { devices_.erase(address & 0xFE); }

  // One transaction: `write` starts with the address byte. With the read bit
  // set, `readLength` bytes are read; with it clear the remaining bytes are
  // written and, when `readLength` is non-zero, read back after a repeated
  // start. False when no device acknowledges.
  bool Transfer(const uint8_t *write, uint32_t writeLength, uint8_t *read, uint32_t readLength,
                uint32_t busFlag);

  const std::vector<BusTransaction> &Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // Keep no log (a long-running stand-in would grow it without end).
  void KeepLog(bool keep) { keepLog_ = keep; }
  // The observer stays owned by the caller; null removes it.
  void SetObserver(BusObserver *observer) { observer_ = observer; }

 private:
  std::map<uint8_t, BusDevice *> devices_;
  std::vector<BusTransaction> log_;
  bool keepLog_ = true;
  BusObserver *observer_ = nullptr;
};

}  // namespace tolven::card
