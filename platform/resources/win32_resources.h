// The module resources port on FindResourceW, LoadResource and LockResource.
#pragma once
#include "platform/resources/resources.h"

namespace tolven::res {

class Win32Resources : public ModuleResources {
 public:
  // `module` is an HMODULE; null means the module this code is linked into
  // (tolvenu.dll in the product).
  explicit Win32Resources(void *module = nullptr);
  bool Find(WStringView type, const ResourceName &name, std::span<const uint8_t> *data) override;

 private:
  void *module_;
};

}  // namespace tolven::res
