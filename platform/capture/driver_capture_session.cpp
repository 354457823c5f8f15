#include "platform/capture/driver_capture_session.h"

namespace tolven::cap {

drv::Handle DriverCaptureSession::Open(const WString &registration, ChannelKind kind) {
  VideoOpenParms parms{};
  parms.dwSize = sizeof parms;
  parms.fccType = kFourccVcap;
  parms.dwVersion = kVideoApiVersion;
  parms.dwFlags = kind;
  return drivers_.Open(registration, kDrivers32Section, reinterpret_cast<intptr_t>(&parms));
}

bool DriverCaptureSession::Has(drv::Handle channel, uint32_t queryFlags) {
  // The query alone; the external-in channel of some drivers wants exactly it.
  return channel && drivers_.Send(channel, kDvmDialog, 0, queryFlags) == kDvErrOk;
}

intptr_t DriverCaptureSession::Connect(int32_t driverIndex) {
  Disconnect();
  const WString registration = DriverCatalog::RegistrationName(driverIndex);
  WString file;
  if (registration.empty() || !catalog_.FileName(driverIndex, &file)) return 0;
  // Without the video-in channel there is no capture device to speak of.
  channels_[kIn] = Open(registration, kChannelIn);
  if (!channels_[kIn]) return 0;
  channels_[kExternalIn] = Open(registration, kChannelExternalIn);
  channels_[kExternalOut] = Open(registration, kChannelExternalOut);
  driverIndex_ = driverIndex;

  caps_ = DriverCaps{};
  caps_.deviceIndex = static_cast<uint32_t>(driverIndex);
  caps_.captureInitialized = true;
  if (channels_[kExternalOut]) {
    ChannelCaps channel{};
    if (drivers_.Send(channels_[kExternalOut], kDvmGetChannelCaps, reinterpret_cast<intptr_t>(&channel),
                      sizeof channel) == kDvErrOk)
      caps_.hasOverlay = (channel.dwFlags & kCapsOverlay) != 0;
  }
  caps_.hasVideoSourceDialog = Has(channels_[kExternalIn], kVideoDialogQuery);
  caps_.hasVideoFormatDialog = Has(channels_[kIn], kVideoDialogQuery);
  caps_.hasVideoDisplayDialog = Has(channels_[kExternalOut], kVideoDialogQuery);
  return 1;
}

intptr_t DriverCaptureSession::Disconnect() {
  if (!Connected()) return 0;
  if (overlay_) {
    drivers_.Send(channels_[kExternalOut], kDvmStreamFini, 0, 0);
    overlay_ = false;
  }
  // Closed in the reverse order of opening: the last close lets the driver
  // release the card.
  for (int slot = kSlots - 1; slot >= 0; --slot) {
    if (channels_[slot]) drivers_.Close(channels_[slot], 0, 0);
    channels_[slot] = 0;
  }
  driverIndex_ = -1;
  caps_ = DriverCaps{};
  return 1;
}

intptr_t DriverCaptureSession::GetCaps(DriverCaps *caps) const {
  if (!Connected() || !caps) return 0;
  *caps = caps_;
  return 1;
}

intptr_t DriverCaptureSession::GetName(WString *name) {
  if (!Connected() || !name) return 0;
  WString version;
  return catalog_.Describe(driverIndex_, name, &version) ? 1 : 0;
}

intptr_t DriverCaptureSession::SetOverlay(bool on, uintptr_t window, uintptr_t dc, const ScreenRect &client) {
  if (!Connected()) return 0;
  if (!on) {
    if (overlay_) {
      overlay_ = false;
      if (drivers_.Send(channels_[kExternalOut], kDvmStreamFini, 0, 0) != kDvErrOk) return 0;
    }
    return 1;
  }
  if (!caps_.hasOverlay || !channels_[kExternalOut]) return 0;
  if (!overlay_) {
    // Flags 0: the stream is the overlay itself, not a capture callback.
    VideoStreamInitParms parms{};
    if (drivers_.Send(channels_[kExternalOut], kDvmStreamInit, reinterpret_cast<intptr_t>(&parms),
                      sizeof parms) != kDvErrOk)
      return 0;
    overlay_ = true;
  }
  Place(window, dc, client);
  return 1;
}

void DriverCaptureSession::Place(uintptr_t window, uintptr_t dc, const ScreenRect &client) {
  if (!overlay_) return;
  ScreenRect destination = client;
  drivers_.Send(channels_[kExternalOut], kDvmDstRect, reinterpret_cast<intptr_t>(&destination), kConfigureSet);
  drivers_.Send(channels_[kExternalOut], kDvmUpdate, static_cast<intptr_t>(window), static_cast<intptr_t>(dc));
}

intptr_t DriverCaptureSession::ShowDialog(Dialog dialog, uintptr_t parent) {
  if (!Connected()) return 0;
  drv::Handle channel = 0;
  bool has = false;
  switch (dialog) {
    case Dialog::kVideoSource: channel = channels_[kExternalIn], has = caps_.hasVideoSourceDialog; break;
    case Dialog::kVideoFormat: channel = channels_[kIn], has = caps_.hasVideoFormatDialog; break;
    case Dialog::kVideoDisplay: channel = channels_[kExternalOut], has = caps_.hasVideoDisplayDialog; break;
  }
  if (!channel || !has) return 0;
  return drivers_.Send(channel, kDvmDialog, static_cast<intptr_t>(parent), 0) == kDvErrOk ? 1 : 0;
}

drv::Handle DriverCaptureSession::Channel(ChannelKind kind) const {
  switch (kind) {
    case kChannelIn: return channels_[kIn];
    case kChannelExternalIn: return channels_[kExternalIn];
    case kChannelExternalOut: return channels_[kExternalOut];
  }
  return 0;
}

}  // namespace tolven::cap
