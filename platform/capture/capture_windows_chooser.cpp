#include "platform/capture/capture_windows_chooser.h"

#include "platform/capture/driver_catalog.h"

namespace tolven::cap {

namespace {

bool Lists(CaptureWindows &windows, WStringView driverFile) {
  for (int32_t index = 0; index < kDriverIndexes; ++index) {
    WString name, version;
    if (windows.DriverDescription(index, &name, &version) && EqualsNoCase(name, driverFile)) return true;
  }
  return false;
}

bool CreatesWindows(CaptureWindows &windows) {
  const Window probe = windows.Create(u"", 0, 0, 0, 0, 0, 0, 0);
  if (!probe) return false;
  windows.Destroy(probe);
  return true;
}

}  // namespace

CaptureWindows &ChooseCaptureWindows(CaptureWindows &system, CaptureWindows &own, WStringView driverFile,
                                     dbg::DebugOutput &debug) {
  const std::string file = Narrow(driverFile);
  if (!Lists(system, driverFile)) {
    debug.Write("Capture window: our own; the system's AVICap lists no " + file + "\n");
    return own;
  }
  if (!CreatesWindows(system)) {
    debug.Write("Capture window: our own; the system's AVICap creates no capture window\n");
    return own;
  }
  debug.Write("Capture window: the system's AVICap, which lists " + file + "\n");
  return system;
}

}  // namespace tolven::cap
