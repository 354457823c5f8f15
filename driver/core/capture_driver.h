// The driver object: one per process, behind DriverProc. Installable-driver
// messages go to its handlers; every other message goes to the channel
// selected by the driver-instance id that the open returned.
#pragma once
#include <cstdint>

#include "driver/core/capture_channel.h"
#include "driver/core/channel_table.h"
#include "driver/link/config_store.h"
#include "driver/core/driver_host.h"
#include "driver/link/kernel_link.h"
#include "platform/display/gdi.h"
#include "platform/ports.h"

namespace tolven {

// Everything the driver object reaches outside itself.
struct DriverEnvironment {
  Ports ports;
  display::Gdi &gdi;
  DriverHost &host;
  DialogHost &dialogs;
  ControlModelHook &controlModel;
  BoardRequests &board;  // opened at the first channel open
};

class CCaptureDriver {
 public:
  explicit CCaptureDriver(DriverEnvironment environment) : env_(environment) {}
  virtual ~CCaptureDriver();
  CCaptureDriver(const CCaptureDriver &) = delete;
  CCaptureDriver &operator=(const CCaptureDriver &) = delete;

  virtual bool DeviceControl(uint32_t code, const void *in, uint32_t inSize, void *out,
                             uint32_t outSize);                                       // 1
  virtual bool ReadMachineBinary(WStringView name, void *buffer, uint32_t size);       // 2
  virtual bool ReadUserDword(WStringView name, uint32_t *value);                       // 3
  virtual bool WriteMachineBinary(WStringView name, const void *buffer, uint32_t size);// 4
  virtual bool WriteUserDword(WStringView name, uint32_t value);                       // 5
  virtual bool ReadParameterString(WStringView name, WString *value);                  // 6
  virtual bool ReadParameterDword(WStringView name, uint32_t *value);                  // 7
  virtual bool WriteParameterDword(WStringView name, uint32_t value);                  // 8
  virtual bool InstallService();                                                       // 9
  virtual intptr_t OnLoad(uintptr_t hDriver);                                          // 10
  virtual intptr_t OnEnable(uintptr_t hDriver);                                        // 11
  virtual intptr_t OnOpen(uintptr_t hDriver, intptr_t openString, intptr_t openParms); // 12
  virtual intptr_t OnClose(uintptr_t driverId, uintptr_t hDriver);                     // 13
  virtual intptr_t OnDisable(uintptr_t hDriver);                                       // 14
  virtual intptr_t OnFree(uintptr_t hDriver);                                          // 15
  virtual intptr_t OnInstall(uintptr_t driverId, uintptr_t hDriver, intptr_t, intptr_t); // 16
  virtual intptr_t OnPnpInstall(uintptr_t driverId, uintptr_t hDriver, intptr_t, intptr_t); // 17
  virtual intptr_t OnConfigure(uintptr_t driverId, uintptr_t hDriver, intptr_t parent, intptr_t); // 18
  virtual intptr_t OnQueryConfigure(uintptr_t driverId, uintptr_t hDriver);            // 19
  virtual intptr_t OnRemove(uintptr_t driverId, uintptr_t hDriver);                    // 20

  // The dispatcher behind DriverProc.
  intptr_t Dispatch(uintptr_t driverId, uintptr_t hDriver, uint32_t message, intptr_t lParam1,
                    intptr_t lParam2);

  ServiceProfile *Profile() const { return profile_; }
  DeviceLink *Link() const { return link_; }
  uint32_t OpenCount() const { return openCount_; }
  CCaptureChannel *ChannelFor(uintptr_t driverId) const { return channels_.ChannelFor(driverId); }

 private:
  const char16_t *ServiceName() const;
  ConfigStore Store() const { return ConfigStore(env_.ports.registry, ServiceName()); }
  bool ServicePresent();

  DriverEnvironment env_;
  CChannelTable channels_;
  ServiceProfile *profile_ = nullptr;  // owned, DRV_LOAD to DRV_FREE
  DeviceLink *link_ = nullptr;         // owned, first open to last close
  uint32_t openCount_ = 0;
};

}  // namespace tolven
