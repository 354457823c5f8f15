// Version-resource port: what a driver file's version resource says (the
// fixed file version and string values), as GetFileVersionInfoW and
// VerQueryValueW give it. Includes the in-memory adapter for tests.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <utility>

#include "platform/wide.h"

namespace tolven::cap {

using FileVersion = std::array<uint16_t, 4>;  // major, minor, build, revision

class DriverVersionInfo {
 public:
  virtual ~DriverVersionInfo() = default;
  // False when the file has no version resource (or cannot be found).
  virtual bool Fixed(WStringView file, FileVersion *version) = 0;
  // A value by its VerQueryValueW path, e.g. "\StringFileInfo\040904E4\FileDescription".
  virtual bool String(WStringView file, WStringView path, WString *value) = 0;
};

// Files with version resources in memory; names compare without case.
class EmulatedDriverVersionInfo : public DriverVersionInfo {
 public:
  bool Fixed(WStringView file, FileVersion *version) override {
    auto found = fixed_.find(UpperCase(file));
    if (found == fixed_.end()) return false;
    *version = found->second;
    return true;
  }
  bool String(WStringView file, WStringView path, WString *value) override {
    auto found = strings_.find({UpperCase(file), UpperCase(path)});
    if (found == strings_.end()) return false;
    *value = found->second;
    return true;
  }
  void AddFile(WStringView file, FileVersion version) { fixed_[UpperCase(file)] = version; }
  void AddString(WStringView file, WStringView path, WString value) {
    strings_[{UpperCase(file), UpperCase(path)}] = std::move(value);
  }

 private:
  std::map<WString, FileVersion> fixed_;
  std::map<std::pair<WString, WString>, WString> strings_;
};

}  // namespace tolven::cap
