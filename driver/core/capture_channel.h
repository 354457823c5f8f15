// The capture channels: one object per open channel, answering the channel
// messages msvideo sends with that channel's driver-instance id. The card
// has no frame path: the video-in channel reports formats only, and live
// video is the overlay the external-out channel switches on and off.
#pragma once
#include <cstdint>

#include "driver/core/driver_host.h"
#include "driver/hardware/board_requests.h"
#include "driver/link/kernel_link.h"
#include "platform/display/gdi.h"

namespace tolven {

// What a channel reaches outside itself.
struct ChannelServices {
  display::Gdi &gdi;
  DriverHost &host;
  DialogHost &dialogs;
  BoardRequests &board;  // the overlay
};

class CCaptureChannel {
 public:
  CCaptureChannel(DeviceLink *link, ChannelServices services) : link_(link), services_(services) {}
  virtual ~CCaptureChannel() = default;
  CCaptureChannel(const CCaptureChannel &) = delete;
  CCaptureChannel &operator=(const CCaptureChannel &) = delete;

  // Routes one message to its handler; messages without one answer 0.
  intptr_t HandleMessage(uintptr_t hDriver, uint32_t message, intptr_t lParam1, intptr_t lParam2);

  // One handler per message; the base answers DV_ERR_NOTSUPPORTED.
  virtual uint32_t ConfigureStorage(intptr_t storage, intptr_t flags);
  virtual uint32_t Dialog(uintptr_t parent, uint32_t flags);
  virtual uint32_t DstRect(const display::Rect &rect, uint32_t flags);
  virtual uint32_t Format(uint32_t flags, intptr_t parms);
  virtual uint32_t Frame(intptr_t lParam1, intptr_t lParam2);
  virtual uint32_t GetChannelCaps(intptr_t caps, intptr_t size);
  virtual uint32_t GetErrorText(intptr_t parms);
  virtual uint32_t GetVideoApiVer(intptr_t version);
  virtual uint32_t Palette(intptr_t lParam1, intptr_t lParam2);
  virtual uint32_t PaletteRgb555(intptr_t lParam1, intptr_t lParam2);
  virtual uint32_t SrcRect(const display::Rect &rect, uint32_t flags);
  virtual uint32_t StreamAddBuffer(intptr_t lParam1, intptr_t lParam2);
  virtual uint32_t StreamAllocBuffer(intptr_t lParam1, intptr_t lParam2);
  virtual uint32_t StreamFini();
  virtual uint32_t StreamFreeBuffer(intptr_t lParam1);
  virtual uint32_t StreamGetError(intptr_t lParam1, intptr_t lParam2);
  virtual uint32_t StreamGetPosition(intptr_t lParam1, intptr_t lParam2);
  virtual uint32_t StreamInit(intptr_t lParam1, intptr_t lParam2);
  virtual uint32_t StreamPrepareHeader(intptr_t lParam1, intptr_t lParam2);
  virtual uint32_t StreamReset();
  virtual uint32_t StreamStart();
  virtual uint32_t StreamStop();
  virtual uint32_t StreamUnprepareHeader(intptr_t lParam1, intptr_t lParam2);
  virtual uint32_t Update(uintptr_t window, uintptr_t dc);

  DeviceLink *Link() const { return link_; }

 protected:
  // Shared by the three channels.
  uint32_t CommonDstRect(const display::Rect &rect, uint32_t flags);
  uint32_t CommonSrcRect(const display::Rect &rect, uint32_t flags);
  uint32_t CommonGetErrorText(intptr_t parms);
  uint32_t CommonGetVideoApiVer(intptr_t version);
  uint32_t CommonChannelCaps(intptr_t caps, intptr_t size, uint32_t flags);
  uint32_t CommonFormat(uint32_t flags, intptr_t parms, int32_t width, int32_t height);
  uint32_t ShowSheet(uint32_t kind, uintptr_t parent);

  DeviceLink *link_;  // not owned
  ChannelServices services_;
};

class CVideoInChannel : public CCaptureChannel {
 public:
  using CCaptureChannel::CCaptureChannel;
  uint32_t ConfigureStorage(intptr_t, intptr_t) override { return 0; }
  uint32_t Dialog(uintptr_t parent, uint32_t flags) override;
  uint32_t DstRect(const display::Rect &rect, uint32_t flags) override { return CommonDstRect(rect, flags); }
  uint32_t Format(uint32_t flags, intptr_t parms) override { return CommonFormat(flags, parms, 768, 576); }
  uint32_t GetChannelCaps(intptr_t caps, intptr_t size) override;
  uint32_t GetErrorText(intptr_t parms) override { return CommonGetErrorText(parms); }
  uint32_t GetVideoApiVer(intptr_t version) override { return CommonGetVideoApiVer(version); }
  uint32_t Palette(intptr_t, intptr_t) override { return 0; }
  uint32_t SrcRect(const display::Rect &rect, uint32_t flags) override { return CommonSrcRect(rect, flags); }
};

class CExternalInChannel : public CCaptureChannel {
 public:
  using CCaptureChannel::CCaptureChannel;
  uint32_t Dialog(uintptr_t parent, uint32_t flags) override;
  uint32_t DstRect(const display::Rect &rect, uint32_t flags) override { return CommonDstRect(rect, flags); }
  uint32_t GetChannelCaps(intptr_t caps, intptr_t size) override;
  uint32_t GetErrorText(intptr_t parms) override { return CommonGetErrorText(parms); }
  uint32_t GetVideoApiVer(intptr_t version) override { return CommonGetVideoApiVer(version); }
  uint32_t SrcRect(const display::Rect &rect, uint32_t flags) override { return CommonSrcRect(rect, flags); }
  uint32_t StreamInit(intptr_t, intptr_t) override;
  uint32_t StreamFini() override;
};

class CExternalOutChannel : public CCaptureChannel {
 public:
  using CCaptureChannel::CCaptureChannel;
  ~CExternalOutChannel() override;  // releases the key brush
  uint32_t ConfigureStorage(intptr_t, intptr_t) override { return 0; }
  uint32_t Dialog(uintptr_t parent, uint32_t flags) override;
  uint32_t DstRect(const display::Rect &rect, uint32_t flags) override { return CommonDstRect(rect, flags); }
  uint32_t Format(uint32_t flags, intptr_t parms) override { return CommonFormat(flags, parms, 320, 200); }
  uint32_t GetChannelCaps(intptr_t caps, intptr_t size) override;
  uint32_t GetErrorText(intptr_t parms) override { return CommonGetErrorText(parms); }
  uint32_t GetVideoApiVer(intptr_t version) override { return CommonGetVideoApiVer(version); }
  uint32_t Palette(intptr_t, intptr_t) override { return 0; }
  uint32_t PaletteRgb555(intptr_t, intptr_t) override { return 0; }
  uint32_t SrcRect(const display::Rect &rect, uint32_t flags) override { return CommonSrcRect(rect, flags); }
  uint32_t StreamInit(intptr_t parms, intptr_t) override;
  uint32_t StreamFini() override;
  uint32_t StreamStart() override;
  uint32_t StreamStop() override;
  uint32_t Update(uintptr_t window, uintptr_t dc) override;

  bool OverlayCapable() const { return overlayCapable_; }
  display::GdiHandle KeyBrush() const { return keyBrush_; }

 private:
  void MakeKeyBrush();
  void ReplaceBrush(display::GdiHandle brush);

  bool overlayCapable_ = false;
  display::GdiHandle keyBrush_ = 0;
};

}  // namespace tolven
