// The capture window port over the system's AVICap (avicap32): where the
// system lists the driver and creates capture windows, as on Windows. The
// messages go to any window that answers the capture-window messages, so our
// own capture window's adapter sends them the same way.
#pragma once
#include "platform/capture/capture_windows.h"

namespace tolven::cap {

class Win32AvicapCaptureWindows : public CaptureWindows {
 public:
  bool DriverDescription(int32_t index, WString *name, WString *version) override;
  Window Create(WStringView name, uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                Window parent, int32_t id) override;
  bool IsWindow(Window window) override;
  bool Destroy(Window window) override;
  intptr_t Connect(Window window, int32_t driverIndex) override;
  intptr_t Disconnect(Window window) override;
  intptr_t GetCaps(Window window, DriverCaps *caps) override;
  intptr_t SetOverlay(Window window, bool on) override;
  intptr_t GetName(Window window, WString *name) override;
  intptr_t ShowDialog(Window window, Dialog dialog) override;
};

}  // namespace tolven::cap
