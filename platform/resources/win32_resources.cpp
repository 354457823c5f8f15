#include "platform/resources/win32_resources.h"

#include <windows.h>

namespace tolven::res {

namespace {
HMODULE ModuleOfThisCode() {
  HMODULE module = nullptr;
  static const int anchor = 0;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&anchor), &module))
    return GetModuleHandleW(nullptr);
  return module;
}
}  // namespace

Win32Resources::Win32Resources(void *module)
    : module_(module ? module : static_cast<void *>(ModuleOfThisCode())) {}

bool Win32Resources::Find(WStringView type, const ResourceName &name,
                          std::span<const uint8_t> *data) {
  HMODULE module = static_cast<HMODULE>(module_);
  WString typeText(type);
  WString nameText = name.name;
  LPCWSTR resourceName = name.IsNumber() ? MAKEINTRESOURCEW(name.id)
                                         : reinterpret_cast<LPCWSTR>(nameText.c_str());
  HRSRC found = FindResourceW(module, resourceName, reinterpret_cast<LPCWSTR>(typeText.c_str()));
  if (!found) return false;
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return false;
  const void *bytes = LockResource(loaded);
  DWORD size = SizeofResource(module, found);
  if (!bytes && size) return false;
  if (data) *data = std::span<const uint8_t>(static_cast<const uint8_t *>(bytes), size);
  return true;
}

}  // namespace tolven::res
