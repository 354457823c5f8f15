// The driver's configuration store: typed reads and writes of its settings
// under the kernel service's name. Each operation opens its key, does one
// value operation and closes the key again.
//
//   user settings            HKCU Software\Microsoft\Multimedia\Video Capture\<service>   REG_DWORD
//   machine binary settings  HKLM Software\Microsoft\Multimedia\Video Capture\<service>   REG_BINARY
//   service parameters       HKLM SYSTEM\CurrentControlSet\Services\<service>\Parameters  REG_DWORD, REG_SZ
#pragma once
#include <cstdint>

#include "platform/registry/registry.h"

namespace tolven {

inline constexpr uint32_t kMissingDword = 0xFFFFFFFFu;

class ConfigStore {
 public:
  ConfigStore(reg::Registry &registry, const char16_t *serviceName)
      : registry_(registry), serviceName_(serviceName) {}

  // A missing key or value, or a value that is not a REG_DWORD, reads as
  // kMissingDword; so does a stored 0xFFFFFFFF. Those answer false.
  bool ReadUserDword(WStringView name, uint32_t *value);
  bool WriteUserDword(WStringView name, uint32_t value);
  // True only when the whole value fits in `size` bytes and is REG_BINARY.
  bool ReadMachineBinary(WStringView name, void *buffer, uint32_t size);
  bool WriteMachineBinary(WStringView name, const void *buffer, uint32_t size);
  bool ReadParameterDword(WStringView name, uint32_t *value);
  // Fails when the service has never been installed (no service key).
  bool WriteParameterDword(WStringView name, uint32_t value);
  // At most 255 characters; `value` is assigned only on success.
  bool ReadParameterString(WStringView name, WString *value);

 private:
  WString VideoCapturePath() const;
  WString ServicePath() const;
  WString ParametersPath() const;
  bool ReadDword(reg::Key root, const WString &path, WStringView name, uint32_t *value);

  reg::Registry &registry_;
  const char16_t *serviceName_;
};

}  // namespace tolven
