#include "platform/capture/driver_catalog.h"

#include <string>

#include "platform/win_errors.h"

namespace tolven::cap {

namespace {
constexpr char16_t kDescriptionPath[] = u"\\StringFileInfo\\040904E4\\FileDescription";
// Registered file names are short; a longer value is not a driver's.
constexpr uint32_t kMaxFileChars = 260;

WString Cut(WString text) {
  if (text.size() > kDescriptionChars) text.resize(kDescriptionChars);
  return text;
}
}  // namespace

WString DriverCatalog::RegistrationName(int32_t index) {
  if (index < 0 || index >= kDriverIndexes) return WString();
  return index == 0 ? WString(u"msvideo") : u"msvideo" + DecimalW(static_cast<uint32_t>(index));
}

bool DriverCatalog::FileName(int32_t index, WString *file) {
  const WString value = RegistrationName(index);
  if (value.empty()) return false;
  reg::Key key = 0;
  if (registry_.OpenKey(reg::kLocalMachine, kDrivers32Path, reg::kQueryValue, &key) != win::kErrorSuccess)
    return false;
  char16_t buffer[kMaxFileChars + 1] = {};
  uint32_t type = 0, size = kMaxFileChars * sizeof(char16_t);
  const reg::Status status = registry_.QueryValue(key, value, &type, buffer, &size);
  registry_.CloseKey(key);
  if (status != win::kErrorSuccess || (type != reg::kSz && type != reg::kExpandSz)) return false;
  // The stored text may or may not end with its terminator.
  WString text(buffer, size / sizeof(char16_t));
  while (!text.empty() && text.back() == u'\0') text.pop_back();
  if (text.empty()) return false;
  *file = text;
  return true;
}

bool DriverCatalog::Describe(int32_t index, WString *name, WString *version) {
  WString file;
  if (!FileName(index, &file)) return false;
  FileVersion fixed{};
  if (versions_.Fixed(file, &fixed)) {
    std::string text = "Version:  " + std::to_string(fixed[0]) + "." + std::to_string(fixed[1]) + "." +
                       std::to_string(fixed[2]) + "." + std::to_string(fixed[3]);
    *version = Cut(Widen(text));
  } else {
    *version = Cut(file);
  }
  WString description;
  *name = Cut(versions_.String(file, kDescriptionPath, &description) && !description.empty() ? description : file);
  return true;
}

}  // namespace tolven::cap
