// The installable-driver port on winmm.
#pragma once
#include "platform/drivers/installable_drivers.h"

namespace tolven::drv {

class Win32InstallableDrivers : public InstallableDrivers {
 public:
  Handle Open(WStringView driverName, WStringView sectionName, intptr_t parameter) override;
  intptr_t Send(Handle driver, uint32_t message, intptr_t lParam1, intptr_t lParam2) override;
  intptr_t Close(Handle driver, intptr_t lParam1, intptr_t lParam2) override;
};

}  // namespace tolven::drv
