// Module resources held in memory: a test or the native build adds the
// resources (usually the embedded tables), then reads them through the port.
#pragma once
#include <map>
#include <utility>
#include <vector>

#include "platform/resources/resources.h"

namespace tolven::res {

class EmulatedResources : public ModuleResources {
 public:
  // Adds or replaces a resource; the bytes are copied.
  void Add(WStringView type, const ResourceName &name, std::span<const uint8_t> data);
  void Remove(WStringView type, const ResourceName &name);
  bool Find(WStringView type, const ResourceName &name, std::span<const uint8_t> *data) override;

 private:
  using KeyType = std::pair<WString, WString>;  // upper-cased type, "#id" or upper-cased name
  static KeyType MakeKey(WStringView type, const ResourceName &name);
  std::map<KeyType, std::vector<uint8_t>> resources_;
};

}  // namespace tolven::res
