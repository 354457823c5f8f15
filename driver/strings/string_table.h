// The driver's string table as portable code sees it: text by string id, in
// the language of the user (English (United States), or English (United
// Kingdom) for a British user).
#pragma once
#include <cstdint>
#include <span>

#include "platform/locale/locale.h"
#include "platform/wide.h"

namespace tolven::strings {

class StringTable {
 public:
  virtual ~StringTable() = default;
  // The string `id`; false (and `text` untouched) when the table has none.
  virtual bool Load(uint32_t id, WString *text) = 0;
  // The string `id`, or empty text when there is none.
  WString Text(uint32_t id) {
    WString text;
    Load(id, &text);
    return text;
  }
};

// One string in both languages (generated from driver_strings.txt).
struct StringEntry {
  uint16_t id;
  const char16_t *unitedStates;
  const char16_t *unitedKingdom;
};
std::span<const StringEntry> DriverStringEntries();

// The string table built into native programs; the language follows the
// user's default language at each lookup.
class EmbeddedStringTable : public StringTable {
 public:
  explicit EmbeddedStringTable(loc::Locale &locale) : locale_(locale) {}
  bool Load(uint32_t id, WString *text) override;

 private:
  loc::Locale &locale_;
};

}  // namespace tolven::strings
