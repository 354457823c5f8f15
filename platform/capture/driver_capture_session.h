// What our own capture window does with a Video for Windows capture driver,
// message by message, the way AVICap treats drivers: the connection opens
// the driver's registration three times, as its video-in, external-in and
// external-out channels; the capabilities come from the channels' answers
// (the overlay from the external-out channel, each dialog from a query on
// its channel); the overlay is the external-out channel's stream, placed
// on the window's client area in screen coordinates, and the driver paints
// the key colour. The window itself (handles, device contexts, rectangles)
// is the caller's; this class only decides what to send.
#pragma once
#include <cstdint>

#include "platform/capture/capture_driver_records.h"
#include "platform/capture/capture_windows.h"
#include "platform/capture/driver_catalog.h"
#include "platform/drivers/installable_drivers.h"

namespace tolven::cap {

class DriverCaptureSession {
 public:
  DriverCaptureSession(drv::InstallableDrivers &drivers, DriverCatalog &catalog)
      : drivers_(drivers), catalog_(catalog) {}
  ~DriverCaptureSession() { Disconnect(); }
  DriverCaptureSession(const DriverCaptureSession &) = delete;
  DriverCaptureSession &operator=(const DriverCaptureSession &) = delete;

  // WM_CAP_DRIVER_CONNECT: 1 when at least the video-in channel opened.
  // A connected session is disconnected first.
  intptr_t Connect(int32_t driverIndex);
  // WM_CAP_DRIVER_DISCONNECT: the overlay off, the channels closed; 1 when
  // there was a connection.
  intptr_t Disconnect();
  // WM_CAP_DRIVER_GET_CAPS; 0 when not connected.
  intptr_t GetCaps(DriverCaps *caps) const;
  // WM_CAP_DRIVER_GET_NAMEW: the connected driver's name as the system lists it.
  intptr_t GetName(WString *name);
  // WM_CAP_SET_OVERLAY. On: the external-out stream starts and is placed on
  // `client` (the window's client area in screen coordinates); refused when
  // the driver has no overlay. Off: the stream ends.
  intptr_t SetOverlay(bool on, uintptr_t window, uintptr_t dc, const ScreenRect &client);
  // The window moved, changed size or needs painting: with the overlay on,
  // the destination is set to `client` and the driver updates the window.
  void Place(uintptr_t window, uintptr_t dc, const ScreenRect &client);
  // WM_CAP_DLG_VIDEO*: the dialog on its channel with `parent` as owner; 1
  // when the driver showed it.
  intptr_t ShowDialog(Dialog dialog, uintptr_t parent);

  bool Connected() const { return channels_[kIn] != 0; }
  bool OverlayOn() const { return overlay_; }
  // The open channel of that kind, or 0.
  drv::Handle Channel(ChannelKind kind) const;

 private:
  enum Slot { kIn, kExternalIn, kExternalOut, kSlots };
  drv::Handle Open(const WString &registration, ChannelKind kind);
  bool Has(drv::Handle channel, uint32_t queryFlags);

  drv::InstallableDrivers &drivers_;
  DriverCatalog &catalog_;
  drv::Handle channels_[kSlots] = {};
  int32_t driverIndex_ = -1;
  DriverCaps caps_;
  bool overlay_ = false;
};

}  // namespace tolven::cap
