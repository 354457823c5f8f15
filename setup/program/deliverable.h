// A file setup installs, and where the system needs a second copy of it.
#pragma once

#include <span>

namespace tolven::setupprogram {

struct Deliverable {
  enum class AlsoIn { kNowhere, kSystem, kDrivers };
  const wchar_t *name;
  AlsoIn alsoIn;
};

// The table the build makes from deliverables.txt.
std::span<const Deliverable> Deliverables();

}  // namespace tolven::setupprogram
