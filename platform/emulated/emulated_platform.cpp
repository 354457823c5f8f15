#include "platform/emulated/emulated_platform.h"

#include "platform/win_errors.h"

namespace tolven {

bool MinimalVidCapDriver::Load(WStringView serviceName, WStringView) {
  for (uint32_t n = 0; n < 32; ++n) {
    WString name = u"VidCap" + DecimalW(n);
    if (platform_.devices.IsPublished(name)) continue;
    deviceName_ = name;
    device_ = std::make_shared<dev::ExclusiveDevice>();
    platform_.devices.Publish(name, device_);
    reg::Key key = 0;
    WString path = u"SYSTEM\\CurrentControlSet\\Services\\" + WString(serviceName) + u"\\Parameters";
    if (platform_.registry.CreateKey(reg::kLocalMachine, path, reg::kAllAccess, &key) ==
        win::kErrorSuccess) {
      reg::SetString(platform_.registry, key, u"DeviceName", deviceName_);
      reg::SetDword(platform_.registry, key, u"InstallError", 0);
      platform_.registry.CloseKey(key);
    }
    return true;
  }
  return false;
}

void MinimalVidCapDriver::Unload() {
  if (!deviceName_.empty()) platform_.devices.Withdraw(deviceName_);
  deviceName_.clear();
  device_.reset();
}

}  // namespace tolven
