// The driver object's open channels: one entry per channel kind, indexed by
// driver-instance id (1 → 0, 4 → 1, 8 → 2, 2 → 3, anything else → 0).
#pragma once
#include <cstdint>

#include "driver/core/capture_channel.h"

namespace tolven {

class CChannelTable {
 public:
  static constexpr int kChannelSlots = 4;

  CChannelTable() = default;
  ~CChannelTable();  // destroys any channel still open
  CChannelTable(const CChannelTable &) = delete;
  CChannelTable &operator=(const CChannelTable &) = delete;

  static int EntryFor(uintptr_t driverId);
  // Stores the channel for the id, destroying one the entry already held.
  void StoreChannel(uintptr_t driverId, CCaptureChannel *channel);
  // Takes the channel out of its entry (null when there is none).
  CCaptureChannel *TakeChannel(uintptr_t driverId);
  CCaptureChannel *ChannelFor(uintptr_t driverId) const { return channels_[EntryFor(driverId)]; }

 private:
  CCaptureChannel *channels_[kChannelSlots] = {};
};

}  // namespace tolven
