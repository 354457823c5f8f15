// The channel CSV reader on any bytes: it must answer, never crash, and a
// list it accepts must write back to CSV that reads to the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "tools/varnctl/channel_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  using namespace tolven;
  static const std::vector<varnctl::AudioModeName> kModes = {
      {0x80000000u, "Auto"}, {1, "Mono"}, {2, "Nicam"}, {0x10000, "Line Stereo"}};
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  tuning::CVarnTunerChannelList list;
  std::vector<varnctl::CsvProblem> problems;
  if (!varnctl::ChannelsFromCsv(text, kModes, 0, &list, &problems)) {
    if (problems.empty()) std::abort();  // a refusal names its reasons
    return 0;
  }
  const std::string written = varnctl::ChannelsToCsv(list, kModes);
  tuning::CVarnTunerChannelList again;
  if (!varnctl::ChannelsFromCsv(written, kModes, 0, &again, &problems)) std::abort();
  if (varnctl::ChannelsToCsv(again, kModes) != written) std::abort();
  return 0;
}
