#include "platform/resources/emulated_resources.h"

namespace tolven::res {

EmulatedResources::KeyType EmulatedResources::MakeKey(WStringView type, const ResourceName &name) {
  WString id = name.IsNumber() ? u"#" + DecimalW(name.id) : UpperCase(name.name);
  return {UpperCase(type), id};
}

void EmulatedResources::Add(WStringView type, const ResourceName &name,
                            std::span<const uint8_t> data) {
  resources_[MakeKey(type, name)] = std::vector<uint8_t>(data.begin(), data.end());
}

void EmulatedResources::Remove(WStringView type, const ResourceName &name) {
  resources_.erase(MakeKey(type, name));
}

bool EmulatedResources::Find(WStringView type, const ResourceName &name,
                             std::span<const uint8_t> *data) {
  auto it = resources_.find(MakeKey(type, name));
  if (it == resources_.end()) return false;
  if (data) *data = std::span<const uint8_t>(it->second.data(), it->second.size());
  return true;
}

}  // namespace tolven::res
