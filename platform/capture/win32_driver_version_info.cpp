#include "platform/capture/win32_driver_version_info.h"

#include <windows.h>

#include <vector>

namespace tolven::cap {

namespace {

bool Load(WStringView file, std::vector<BYTE> *data) {
  const WString name(file);
  const auto *path = reinterpret_cast<LPCWSTR>(name.c_str());
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &handle);
  if (!size) return false;
  data->assign(size, 0);
  return GetFileVersionInfoW(path, 0, size, data->data()) != FALSE;
}

}  // namespace

bool Win32DriverVersionInfo::Fixed(WStringView file, FileVersion *version) {
  std::vector<BYTE> data;
  if (!Load(file, &data)) return false;
  VS_FIXEDFILEINFO *fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&fixed), &length) || !fixed ||
      length < sizeof *fixed)
    return false;
  *version = FileVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                         HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
  return true;
}

bool Win32DriverVersionInfo::String(WStringView file, WStringView path, WString *value) {
  std::vector<BYTE> data;
  if (!Load(file, &data)) return false;
  const WString query(path);
  wchar_t *text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), reinterpret_cast<LPCWSTR>(query.c_str()), reinterpret_cast<void **>(&text),
                      &length) ||
      !text)
    return false;
  // The length counts characters, the terminator included when there is one.
  WString result(reinterpret_cast<const char16_t *>(text), length);
  while (!result.empty() && result.back() == u'\0') result.pop_back();
  *value = result;
  return true;
}

}  // namespace tolven::cap
