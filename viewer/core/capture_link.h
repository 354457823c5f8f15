// The viewer's capture window on the driver: finds "tolvenu.dll" among the
// system's capture drivers, creates the window in the video pane, connects
// it, turns the overlay on and keeps the driver's name and capabilities.
// Every message goes only to a live window. Destroying the link turns the
// overlay off and disconnects.
#pragma once
#include <cstdint>

#include "platform/capture/capture_windows.h"
#include "platform/messagebox/message_box.h"
#include "platform/wide.h"

namespace tolven::viewer {

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class CCaptureLink {
 public:
  CCaptureLink(cap::CaptureWindows &windows, ui::MessageBoxes &messages) : windows_(windows), messages_(messages) {}
  ~CCaptureLink();
  CCaptureLink(const CCaptureLink &) = delete;
  CCaptureLink &operator=(const CCaptureLink &) = delete;

  // The first of indexes 0..9 whose driver is "tolvenu.dll" (any case), or -1.
  int32_t DiscoverDriver();
  // The whole connection: discovery, the window over `pane` (its client
  // rectangle), connect, capabilities, overlay on, name. A failure shows
  // its one message (owned by `mainWindow` except the first) and answers
  // false; the viewer goes on without video.
  bool Connect(cap::Window pane, Rect paneClient, ui::Window mainWindow);
  // After a display change: overlay off, disconnect, connect again with the
  // same index, overlay on.
  bool Reconnect();

  // The messages, each only to a live window (else 0).
  intptr_t SetOverlay(bool on);
  intptr_t Disconnect();
  intptr_t ShowDialog(cap::Dialog dialog);

  cap::Window Window() const { return window_; }
  int32_t DriverIndex() const { return driverIndex_; }
  const cap::DriverCaps &Caps() const { return caps_; }
  const WString &DriverName() const { return driverName_; }
  const Rect &WindowRect() const { return rect_; }

 private:
  bool Live();
  void Fail(uint32_t text, ui::Window owner, uint32_t caption);

  cap::CaptureWindows &windows_;
  ui::MessageBoxes &messages_;
  cap::Window window_ = 0;
  int32_t driverIndex_ = -1;
  Rect rect_;
  cap::DriverCaps caps_;
  WString driverName_;
};

}  // namespace tolven::viewer
