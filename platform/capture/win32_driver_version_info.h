// The version-resource port on GetFileVersionInfoW and VerQueryValueW. A
// bare file name is looked up as the loader would (the system folder).
#pragma once
#include "platform/capture/driver_version_info.h"

namespace tolven::cap {

class Win32DriverVersionInfo : public DriverVersionInfo {
 public:
  bool Fixed(WStringView file, FileVersion *version) override;
  bool String(WStringView file, WStringView path, WString *value) override;
};

}  // namespace tolven::cap
