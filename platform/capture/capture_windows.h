// Capture window port: the Video for Windows capture drivers the system
// lists, and a capture window on one of them, driven by the capture-window
// messages the viewer uses (connect, disconnect, capabilities, name,
// overlay, the driver's three dialogs).
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::cap {

using Window = uintptr_t;  // an HWND; 0 means none

// The flags of the driver's capabilities record the viewer reads.
struct DriverCaps {
  uint32_t deviceIndex = 0;
  bool hasOverlay = false;
  bool hasVideoSourceDialog = false;
  bool hasVideoFormatDialog = false;
  bool hasVideoDisplayDialog = false;
  bool captureInitialized = false;
};

enum class Dialog { kVideoSource, kVideoFormat, kVideoDisplay };

class CaptureWindows {
 public:
  virtual ~CaptureWindows() = default;
  // capGetDriverDescriptionW of index 0..9: false when there is no driver.
  virtual bool DriverDescription(int32_t index, WString *name, WString *version) = 0;
  // capCreateCaptureWindowW: the window, or 0.
  virtual Window Create(WStringView name, uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                        Window parent, int32_t id) = 0;
  virtual bool IsWindow(Window window) = 0;
  // DestroyWindow: false when `window` was not a live window.
  virtual bool Destroy(Window window) = 0;
  // The messages; each answers the message's result (nonzero on success).
  virtual intptr_t Connect(Window window, int32_t driverIndex) = 0;     // WM_CAP_DRIVER_CONNECT
  virtual intptr_t Disconnect(Window window) = 0;                       // WM_CAP_DRIVER_DISCONNECT
  virtual intptr_t GetCaps(Window window, DriverCaps *caps) = 0;        // WM_CAP_DRIVER_GET_CAPS
  virtual intptr_t SetOverlay(Window window, bool on) = 0;              // WM_CAP_SET_OVERLAY
  virtual intptr_t GetName(Window window, WString *name) = 0;           // WM_CAP_DRIVER_GET_NAMEW, 80 chars
  virtual intptr_t ShowDialog(Window window, Dialog dialog) = 0;        // WM_CAP_DLG_VIDEO*
};

}  // namespace tolven::cap
