#include "platform/drivers/win32_installable_drivers.h"

#include <windows.h>
#include <mmsystem.h>

namespace tolven::drv {

Handle Win32InstallableDrivers::Open(WStringView driverName, WStringView sectionName,
                                     intptr_t parameter) {
  WString name(driverName), section(sectionName);
  HDRVR driver = OpenDriver(reinterpret_cast<LPCWSTR>(name.c_str()),
                            section.empty() ? nullptr : reinterpret_cast<LPCWSTR>(section.c_str()),
                            parameter);
  return reinterpret_cast<Handle>(driver);
}

intptr_t Win32InstallableDrivers::Send(Handle driver, uint32_t message, intptr_t lParam1,
                                       intptr_t lParam2) {
  return SendDriverMessage(reinterpret_cast<HDRVR>(driver), message, lParam1, lParam2);
}

intptr_t Win32InstallableDrivers::Close(Handle driver, intptr_t lParam1, intptr_t lParam2) {
  return CloseDriver(reinterpret_cast<HDRVR>(driver), lParam1, lParam2);
}

}  // namespace tolven::drv
