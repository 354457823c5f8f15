// UTF-8 (the portable model's strings) to and from UTF-16 (Windows, COM).
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace tolven::skin {

inline std::wstring Wide(const std::string &text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  if (n) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

inline std::string Utf8(const wchar_t *text, int length) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  if (n) WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
  return out;
}

inline std::string Utf8(BSTR text) { return text ? Utf8(text, static_cast<int>(SysStringLen(text))) : std::string(); }
inline std::string Utf8(const std::wstring &text) { return Utf8(text.data(), static_cast<int>(text.size())); }

inline void SetString(VARIANT *out, const std::wstring &text) {
  out->vt = VT_BSTR;
  out->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

}  // namespace tolven::skin
