// Wide strings of the Windows build (UTF-16) in portable code. char16_t has
// the size and encoding of the Windows WCHAR, so adapters cast between them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tolven {

using WString = std::u16string;
using WStringView = std::u16string_view;

// ASCII-only widening, for fixed names and paths.
inline WString Widen(std::string_view ascii) {
  WString out;
  out.reserve(ascii.size());
  for (unsigned char c : ascii) out.push_back(static_cast<char16_t>(c));
  return out;
}

// Narrowing for diagnostics; characters outside ASCII become '?'.
inline std::string Narrow(WStringView wide) {
  std::string out;
  out.reserve(wide.size());
  for (char16_t c : wide) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

inline WString DecimalW(uint32_t value) { return Widen(std::to_string(value)); }

// Case-insensitive comparison the way the registry and the object manager
// compare names (ASCII letters fold; other characters compare exactly).
inline char16_t FoldCase(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}
inline bool EqualsNoCase(WStringView a, WStringView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}
inline WString UpperCase(WStringView s) {
  WString out(s);
  for (auto &c : out) c = FoldCase(c);
  return out;
}

}  // namespace tolven
