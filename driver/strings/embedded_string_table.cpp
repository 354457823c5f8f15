#include "driver/strings/string_table.h"

#include <algorithm>

namespace tolven::strings {

bool EmbeddedStringTable::Load(uint32_t id, WString *text) {
  auto entries = DriverStringEntries();
  auto it = std::lower_bound(entries.begin(), entries.end(), id,
                             [](const StringEntry &e, uint32_t wanted) { return e.id < wanted; });
  if (it == entries.end() || it->id != id) return false;
  bool british = locale_.UserLanguage() == loc::kEnglishUnitedKingdom;
  *text = british ? it->unitedKingdom : it->unitedStates;
  return true;
}

}  // namespace tolven::strings
