// Feeds arbitrary bytes to the readers of the tuning data: the channel file,
// a channel plan and the country list. None may crash, read out of bounds or
// allocate by an untrusted count; whatever a reader keeps must write back
// into an archive it reads again in full.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "driver/tuning/channel_list.h"
#include "driver/tuning/channel_plan.h"

using namespace tolven::tuning;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  {
    ArchiveReader archive(bytes);
    CVarnTunerChannelList list;
    ChannelFileStatus status = list.Read(archive);
    ArchiveWriter out;
    list.Write(out);
    ArchiveReader again(out.Bytes());
    CVarnTunerChannelList reread;
    if (reread.Read(again) != ChannelFileStatus::kLoaded || reread.GetCount() != list.GetCount())
      abort();
    if (status == ChannelFileStatus::kLoaded && !archive.AtEnd()) abort();
  }
  {
    ArchiveReader archive(bytes);
    CChannelPlan plan;
    if (plan.Read(archive)) {
      for (const auto &e : plan) (void)plan.NumberOfFrequency(e.FrequencyHz());
    } else if (!plan.Empty()) {
      abort();
    }
  }
  {
    ArchiveReader archive(bytes);
    std::vector<CCountryCode> countries;
    if (!ReadCountryList(archive, &countries) && !countries.empty()) abort();
  }
  return 0;
}
