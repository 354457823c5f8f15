// The tuning tables built into the program (generated from the tuning data),
// for builds that have no module resources: the same bytes the Windows
// build puts into tolvenu.dll's SERIALIZED_DATA resources.
#pragma once
#include <cstdint>
#include <span>

#include "platform/resources/emulated_resources.h"

namespace tolven::tuning {

struct EmbeddedResource {
  const char16_t *type;
  const char16_t *name;  // null for a numbered resource
  uint16_t id;
  const uint8_t *data;
  uint32_t size;
};

std::span<const EmbeddedResource> EmbeddedTuningResources();

// Adds every embedded table to an emulated module.
void InstallTuningResources(res::EmulatedResources &resources);

}  // namespace tolven::tuning
