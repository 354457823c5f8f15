#include "platform/drivers/emulated_installable_drivers.h"

#include <vector>

#include "platform/win_errors.h"

namespace tolven::drv {

void EmulatedInstallableDrivers::InstallModule(WStringView fileName, DriverProc proc) {
  modules_[UpperCase(fileName)] = Module{std::move(proc), 0};
}

void EmulatedInstallableDrivers::RemoveModule(WStringView fileName) {
  modules_.erase(UpperCase(fileName));
}

WString EmulatedInstallableDrivers::Resolve(WStringView driverName, WStringView sectionName) {
  WString key = sectionName.empty()
                    ? WString(kDrivers32Key)
                    : u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\" + WString(sectionName);
  reg::Key k = 0;
  if (registry_.OpenKey(reg::kLocalMachine, key, reg::kQueryValue, &k) == win::kErrorSuccess) {
    uint32_t type = 0, size = 0;
    WString file;
    if (registry_.QueryValue(k, driverName, &type, nullptr, &size) == win::kErrorSuccess &&
        type == reg::kSz && size >= 2) {
      std::vector<char16_t> buffer(size / 2 + 1, 0);
      if (registry_.QueryValue(k, driverName, &type, buffer.data(), &size) == win::kErrorSuccess)
        file.assign(buffer.data());
    }
    registry_.CloseKey(k);
    if (!file.empty()) return UpperCase(file);
  }
  if (!sectionName.empty()) return WString();
  WString file(driverName);
  if (file.find(u'.') == WString::npos) file += u".dll";
  return UpperCase(file);
}

intptr_t EmulatedInstallableDrivers::Call_(const WString &module, uintptr_t driverId,
                                           Handle hDriver, uint32_t message, intptr_t lParam1,
                                           intptr_t lParam2) {
  // Copy the procedure: the driver may remove or add modules while it runs.
  DriverProc proc = modules_.at(module).proc;
  intptr_t result = proc(driverId, hDriver, message, lParam1, lParam2);
  calls_.push_back(Call{module, driverId, message, lParam1, lParam2, result});
  return result;
}

Handle EmulatedInstallableDrivers::Open(WStringView driverName, WStringView sectionName,
                                        intptr_t parameter) {
  openRequests_.emplace_back(driverName);
  WString module = Resolve(driverName, sectionName);
  auto it = modules_.find(module);
  if (module.empty() || it == modules_.end()) return 0;
  Handle handle = next_;
  next_ += 4;
  if (it->second.instances == 0) {
    if (!Call_(module, 0, handle, kDrvLoad, 0, 0)) return 0;
    Call_(module, 0, handle, kDrvEnable, 0, 0);
  }
  intptr_t id = Call_(module, 0, handle, kDrvOpen, 0, parameter);
  if (id == 0) {
    if (modules_.at(module).instances == 0) {
      Call_(module, 0, handle, kDrvDisable, 0, 0);
      Call_(module, 0, handle, kDrvFree, 0, 0);
    }
    return 0;
  }
  ++modules_.at(module).instances;
  instances_[handle] = Instance{module, static_cast<uintptr_t>(id)};
  return handle;
}

intptr_t EmulatedInstallableDrivers::Send(Handle driver, uint32_t message, intptr_t lParam1,
                                          intptr_t lParam2) {
  auto it = instances_.find(driver);
  if (it == instances_.end()) return 0;
  Instance instance = it->second;
  return Call_(instance.module, instance.driverId, driver, message, lParam1, lParam2);
}

intptr_t EmulatedInstallableDrivers::Close(Handle driver, intptr_t lParam1, intptr_t lParam2) {
  auto it = instances_.find(driver);
  if (it == instances_.end()) return 0;
  Instance instance = it->second;
  instances_.erase(it);
  intptr_t result = Call_(instance.module, instance.driverId, driver, kDrvClose, lParam1, lParam2);
  if (--modules_.at(instance.module).instances == 0) {
    Call_(instance.module, 0, driver, kDrvDisable, 0, 0);
    Call_(instance.module, 0, driver, kDrvFree, 0, 0);
  }
  return result;
}

}  // namespace tolven::drv
