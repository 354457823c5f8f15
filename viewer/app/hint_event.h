// A skin event that shows or hides a hint, and the string it names.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/wide.h"

namespace tolven::viewer {

struct HintEvent {
  const char16_t *name;
  uint32_t id;
};

// The string of event `name` in `table`; 0 when the table has no such event.
template <size_t N>
uint32_t HintFor(const HintEvent (&table)[N], WStringView name) {
  for (const HintEvent &e : table)
    if (name == e.name) return e.id;
  return 0;
}

}  // namespace tolven::viewer
