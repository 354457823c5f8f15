#include "platform/registry/win32_registry.h"

#include <windows.h>

namespace tolven::reg {
namespace {
HKEY H(Key key) { return reinterpret_cast<HKEY>(key); }
// Registry calls want terminated strings; the port passes views.
std::wstring Z(WStringView s) { return std::wstring(s.begin(), s.end()); }
}  // namespace

Status Win32Registry::OpenKey(Key parent, WStringView subKey, uint32_t access, Key *out) {
  HKEY result = nullptr;
  LONG status = RegOpenKeyExW(H(parent), Z(subKey).c_str(), 0, access, &result);
  *out = reinterpret_cast<Key>(result);
  return static_cast<Status>(status);
}

Status Win32Registry::CreateKey(Key parent, WStringView subKey, uint32_t access, Key *out) {
  HKEY result = nullptr;
  LONG status = RegCreateKeyExW(H(parent), Z(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                access, nullptr, &result, nullptr);
  *out = reinterpret_cast<Key>(result);
  return static_cast<Status>(status);
}

Status Win32Registry::CloseKey(Key key) { return static_cast<Status>(RegCloseKey(H(key))); }

Status Win32Registry::QueryValue(Key key, WStringView name, uint32_t *type, void *data,
                                 uint32_t *size) {
  DWORD t = 0;
  DWORD s = size ? *size : 0;
  LONG status = RegQueryValueExW(H(key), Z(name).c_str(), nullptr, type ? &t : nullptr,
                                 static_cast<BYTE *>(data), size ? &s : nullptr);
  if (type) *type = t;
  if (size) *size = s;
  return static_cast<Status>(status);
}

Status Win32Registry::SetValue(Key key, WStringView name, uint32_t type, const void *data,
                               uint32_t size) {
  return static_cast<Status>(
      RegSetValueExW(H(key), Z(name).c_str(), 0, type, static_cast<const BYTE *>(data), size));
}

Status Win32Registry::DeleteValue(Key key, WStringView name) {
  return static_cast<Status>(RegDeleteValueW(H(key), Z(name).c_str()));
}

Status Win32Registry::DeleteKey(Key parent, WStringView subKey) {
  return static_cast<Status>(RegDeleteKeyW(H(parent), Z(subKey).c_str()));
}

Status Win32Registry::FlushKey(Key key) { return static_cast<Status>(RegFlushKey(H(key))); }

Status Win32Registry::EnumKey(Key key, uint32_t index, WString *name) {
  wchar_t buffer[256];
  DWORD length = 256;
  LONG status = RegEnumKeyExW(H(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS && name)
    name->assign(reinterpret_cast<const char16_t *>(buffer), length);
  return static_cast<Status>(status);
}

}  // namespace tolven::reg
