#include "platform/registry/registry.h"

#include <vector>

#include "platform/win_errors.h"

namespace tolven::reg {

Status SetDword(Registry &r, Key key, WStringView name, uint32_t value) {
  uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                      static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  return r.SetValue(key, name, kDword, bytes, 4);
}

Status SetString(Registry &r, Key key, WStringView name, WStringView value, uint32_t type) {
  std::vector<uint8_t> bytes;
  bytes.reserve((value.size() + 1) * 2);
  for (char16_t c : value) {
    bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return r.SetValue(key, name, type, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

Status DeleteTree(Registry &r, Key parent, WStringView subKey) {
  Key key = 0;
  Status status = r.OpenKey(parent, subKey, kAllAccess, &key);
  if (status != win::kErrorSuccess) return status;
  // Always take the first child: deleting shifts the rest down.
  WString child;
  while (r.EnumKey(key, 0, &child) == win::kErrorSuccess) {
    status = DeleteTree(r, key, child);
    if (status != win::kErrorSuccess) {
      r.CloseKey(key);
      return status;
    }
  }
  r.CloseKey(key);
  return r.DeleteKey(parent, subKey);
}

}  // namespace tolven::reg
