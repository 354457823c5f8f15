// The registry port on the real Windows registry.
#pragma once
#include "platform/registry/registry.h"

namespace tolven::reg {

class Win32Registry : public Registry {
 public:
  Status OpenKey(Key parent, WStringView subKey, uint32_t access, Key *out) override;
  Status CreateKey(Key parent, WStringView subKey, uint32_t access, Key *out) override;
  Status CloseKey(Key key) override;
  Status QueryValue(Key key, WStringView name, uint32_t *type, void *data,
                    uint32_t *size) override;
  Status SetValue(Key key, WStringView name, uint32_t type, const void *data,
                  uint32_t size) override;
  Status DeleteValue(Key key, WStringView name) override;
  Status DeleteKey(Key parent, WStringView subKey) override;
  Status FlushKey(Key key) override;
  Status EnumKey(Key key, uint32_t index, WString *name) override;
};

}  // namespace tolven::reg
