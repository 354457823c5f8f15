// Module resources port: the raw bytes of a resource of the driver module,
// found by type and name the way FindResourceW finds them (the type and a
// string name compare without regard to case; a name can also be a number).
#pragma once
#include <cstdint>
#include <span>

#include "platform/wide.h"

namespace tolven::res {

// A resource name: a number (MAKEINTRESOURCE) or a string.
struct ResourceName {
  ResourceName(uint16_t number) : id(number) {}  // NOLINT: implicit by design
  ResourceName(WStringView text) : name(text) {}  // NOLINT
  ResourceName(const WString &text) : name(text) {}  // NOLINT
  ResourceName(const char16_t *text) : name(text) {}  // NOLINT
  bool IsNumber() const { return name.empty(); }

  uint16_t id = 0;
  WString name;
};

class ModuleResources {
 public:
  virtual ~ModuleResources() = default;
  // Finds the resource in the neutral language (which finds the English one)
  // and answers its bytes; they stay valid as long as the module is loaded.
  // False when there is no such resource.
  virtual bool Find(WStringView type, const ResourceName &name, std::span<const uint8_t> *data) = 0;
};

}  // namespace tolven::res
