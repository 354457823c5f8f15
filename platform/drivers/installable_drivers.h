// Installable-driver port: OpenDriver, SendDriverMessage and CloseDriver of
// the multimedia system, the way a program talks to a Video for Windows
// driver by name.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::drv {

using Handle = uintptr_t;  // an HDRVR; 0 means failure

enum Message : uint32_t {
  kDrvLoad = 1,
  kDrvEnable = 2,
  kDrvOpen = 3,
  kDrvClose = 4,
  kDrvDisable = 5,
  kDrvFree = 6,
  kDrvConfigure = 7,
  kDrvQueryConfigure = 8,
  kDrvInstall = 9,
  kDrvRemove = 10,
  kDrvPnpInstall = 0x80B,
};

class InstallableDrivers {
 public:
  virtual ~InstallableDrivers() = default;
  // OpenDriver(name, section or null when empty, lParam2 of DRV_OPEN).
  virtual Handle Open(WStringView driverName, WStringView sectionName, intptr_t parameter) = 0;
  virtual intptr_t Send(Handle driver, uint32_t message, intptr_t lParam1, intptr_t lParam2) = 0;
  virtual intptr_t Close(Handle driver, intptr_t lParam1, intptr_t lParam2) = 0;
};

}  // namespace tolven::drv
