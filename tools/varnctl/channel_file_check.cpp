#include "tools/varnctl/channel_file_check.h"

#include "driver/tuning/archive.h"
#include "driver/tuning/channel_list.h"

namespace tolven::varnctl {

// Reads as CVarnTunerChannelList::Read does, counting the bytes behind each
// complete record.
bool FindChannelFileDamage(std::span<const uint8_t> bytes, ChannelFileDamage *damage) {
  *damage = ChannelFileDamage{};
  tuning::ArchiveReader archive(bytes);
  uint32_t count = 0;
  if (!archive.ReadU32(&count)) return true;
  damage->intactBytes = archive.Position();
  for (uint32_t i = 0; i < count; ++i) {
    tuning::CVarnTunerChannel channel;
    if (!channel.Read(archive)) return true;
    damage->intactBytes = archive.Position();
    ++damage->completeChannels;
  }
  return !archive.AtEnd();
}

}  // namespace tolven::varnctl
