// Where a channel file is damaged. The tuner keeps the records read
// completely before the damage and says nothing; varnctl tells the user and
// keeps a copy before the next save replaces the file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace tolven::varnctl {

struct ChannelFileDamage {
  size_t intactBytes = 0;         // the count and the complete records
  int32_t completeChannels = 0;   // the records the tuner kept
};

// True (with where) when the bytes are not a whole channel file: the file
// ends early, its count promises more records than it holds, or bytes
// follow the last record.
bool FindChannelFileDamage(std::span<const uint8_t> bytes, ChannelFileDamage *damage);

}  // namespace tolven::varnctl
