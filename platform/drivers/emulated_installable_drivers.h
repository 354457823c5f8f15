// Installable drivers held in process: a test installs a module (a file
// name and its DriverProc), and OpenDriver finds it the way the multimedia
// system does: a value of that name in the Drivers32 key (or in the key the
// section names) gives the module's file name, otherwise the name itself is
// the file name (".dll" is added when it has no extension). The first open
// of a module sends DRV_LOAD and DRV_ENABLE; the last close sends
// DRV_DISABLE and DRV_FREE.
#pragma once
#include <functional>
#include <map>
#include <vector>

#include "platform/drivers/installable_drivers.h"
#include "platform/registry/registry.h"

namespace tolven::drv {

using DriverProc = std::function<intptr_t(uintptr_t driverId, uintptr_t hDriver, uint32_t message,
                                          intptr_t lParam1, intptr_t lParam2)>;

inline constexpr char16_t kDrivers32Key[] =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32";

class EmulatedInstallableDrivers : public InstallableDrivers {
 public:
  explicit EmulatedInstallableDrivers(reg::Registry &registry) : registry_(registry) {}

  Handle Open(WStringView driverName, WStringView sectionName, intptr_t parameter) override;
  intptr_t Send(Handle driver, uint32_t message, intptr_t lParam1, intptr_t lParam2) override;
  intptr_t Close(Handle driver, intptr_t lParam1, intptr_t lParam2) override;

  // Test controls.
  void InstallModule(WStringView fileName, DriverProc proc);
  void RemoveModule(WStringView fileName);
  struct Call {
    WString module;  // upper-case file name
    uintptr_t driverId = 0;
    uint32_t message = 0;
    intptr_t lParam1 = 0;
    intptr_t lParam2 = 0;
    intptr_t result = 0;
  };
  const std::vector<Call> &Calls() const { return calls_; }
  const std::vector<WString> &OpenRequests() const { return openRequests_; }
  size_t OpenDriverCount() const { return instances_.size(); }

 private:
  struct Module {
    DriverProc proc;
    int instances = 0;
  };
  struct Instance {
    WString module;
    uintptr_t driverId = 0;
  };
  intptr_t Call_(const WString &module, uintptr_t driverId, Handle hDriver, uint32_t message,
                 intptr_t lParam1, intptr_t lParam2);
  WString Resolve(WStringView driverName, WStringView sectionName);

  reg::Registry &registry_;
  std::map<WString, Module> modules_;
  std::map<Handle, Instance> instances_;
  Handle next_ = 0x2000;
  std::vector<Call> calls_;
  std::vector<WString> openRequests_;
};

}  // namespace tolven::drv
