// The capture window port on a capture window of our own, for systems whose
// AVICap lists no Video for Windows drivers or creates no capture windows
// (Wine). Its window class answers the capture-window messages the viewer
// sends (connect, disconnect, capabilities, name, overlay, the three
// dialogs) over the installable-driver interface, deciding what to send with
// DriverCaptureSession; the messages are sent to it as to an AVICap window.
// The adapter must outlive the windows it creates.
#pragma once
#include "platform/capture/driver_catalog.h"
#include "platform/capture/win32_avicap_capture_windows.h"
#include "platform/capture/win32_driver_version_info.h"
#include "platform/drivers/installable_drivers.h"
#include "platform/registry/registry.h"

namespace tolven::cap {

inline constexpr char16_t kCaptureWindowClass[] = u"TolvenCaptureWindow";

class Win32DriverCaptureWindows : public Win32AvicapCaptureWindows {
 public:
  Win32DriverCaptureWindows(reg::Registry &registry, drv::InstallableDrivers &drivers)
      : catalog_(registry, versions_), drivers_(drivers) {}

  bool DriverDescription(int32_t index, WString *name, WString *version) override;
  Window Create(WStringView name, uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                Window parent, int32_t id) override;

  // For the window procedure.
  DriverCatalog &Catalog() { return catalog_; }
  drv::InstallableDrivers &Drivers() { return drivers_; }

 private:
  Win32DriverVersionInfo versions_;
  DriverCatalog catalog_;
  drv::InstallableDrivers &drivers_;
};

}  // namespace tolven::cap
