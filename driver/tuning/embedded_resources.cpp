#include "driver/tuning/embedded_resources.h"

namespace tolven::tuning {

void InstallTuningResources(res::EmulatedResources &resources) {
  for (const auto &r : EmbeddedTuningResources()) {
    std::span<const uint8_t> bytes(r.data, r.size);
    if (r.name)
      resources.Add(r.type, res::ResourceName(r.name), bytes);
    else
      resources.Add(r.type, res::ResourceName(r.id), bytes);
  }
}

}  // namespace tolven::tuning
