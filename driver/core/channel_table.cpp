#include "driver/core/channel_table.h"

#include "driver/core/vfw_records.h"

namespace tolven {

using namespace vfw;

CChannelTable::~CChannelTable() {
  for (auto *&channel : channels_) {
    delete channel;
    channel = nullptr;
  }
}

int CChannelTable::EntryFor(uintptr_t driverId) {
  switch (driverId) {
    case kVideoIn: return 1;
    case kVideoOut: return 2;
    case kVideoExternalOut: return 3;
    default: return 0;
  }
}

void CChannelTable::StoreChannel(uintptr_t driverId, CCaptureChannel *channel) {
  CCaptureChannel *&entry = channels_[EntryFor(driverId)];
  delete entry;
  entry = channel;
}

CCaptureChannel *CChannelTable::TakeChannel(uintptr_t driverId) {
  CCaptureChannel *&entry = channels_[EntryFor(driverId)];
  CCaptureChannel *channel = entry;
  entry = nullptr;
  return channel;
}

}  // namespace tolven
