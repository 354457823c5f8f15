// The Video for Windows capture drivers the system lists: index 0 is the
// "msvideo" value of the Drivers32 registrations, indexes 1 to 9 the values
// "msvideo1" to "msvideo9"; each names the driver's file. A driver is
// described as capGetDriverDescription describes it: its name is the
// FileDescription of the file's version resource in the US-English,
// Windows-Latin-1 block (040904E4), else the registered file name; its
// version comes from the fixed file version, else it is the file name too.
#pragma once
#include <cstdint>

#include "platform/capture/driver_version_info.h"
#include "platform/registry/registry.h"
#include "platform/wide.h"

namespace tolven::cap {

inline constexpr char16_t kDrivers32Section[] = u"Drivers32";
inline constexpr char16_t kDrivers32Path[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32";
inline constexpr int32_t kDriverIndexes = 10;
// capGetDriverDescriptionW's buffers as the viewer passes them hold 80
// characters with the terminator.
inline constexpr size_t kDescriptionChars = 79;

class DriverCatalog {
 public:
  DriverCatalog(reg::Registry &registry, DriverVersionInfo &versions) : registry_(registry), versions_(versions) {}

  // "msvideo" for 0, "msvideo1".."msvideo9"; empty outside 0..9.
  static WString RegistrationName(int32_t index);
  // The file the registration names; false when there is none.
  bool FileName(int32_t index, WString *file);
  // False when index has no driver. Both texts are cut to kDescriptionChars.
  bool Describe(int32_t index, WString *name, WString *version);

 private:
  reg::Registry &registry_;
  DriverVersionInfo &versions_;
};

}  // namespace tolven::cap
