// A capture driver's DriverProc for the session's tests: three channels whose
// answers a case sets, and every channel message written down with the
// records it carried.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/capture/capture_driver_records.h"
#include "platform/drivers/emulated_installable_drivers.h"

namespace tolven::cap::test {

struct FakeCaptureDriver {
  // What the driver does.
  bool refuse[8] = {};             // by channel kind: DRV_OPEN answers 0
  bool overlayCapable = true;      // external-out caps carry the overlay flag
  intptr_t dialogQuery[8] = {};    // DVM_DIALOG with the query flag, by kind
  intptr_t dialogShow[8] = {};     // DVM_DIALOG without it, by kind
  bool externalInWantsExactQuery = true;
  intptr_t streamInit = kDvErrOk;

  // What it saw.
  std::vector<VideoOpenParms> opens;
  struct Message {
    uint32_t channel, message;
    intptr_t lParam1, lParam2;
    ScreenRect rect;           // DVM_DST_RECT
    uint32_t streamFlags = 0;  // DVM_STREAM_INIT
  };
  std::vector<Message> messages;

  std::vector<Message> Of(uint32_t message) const {
    std::vector<Message> found;
    for (const Message &m : messages)
      if (m.message == message) found.push_back(m);
    return found;
  }

  drv::DriverProc Proc() {
    return [this](uintptr_t id, uintptr_t, uint32_t message, intptr_t lParam1, intptr_t lParam2) -> intptr_t {
      switch (message) {
        case drv::kDrvLoad:
        case drv::kDrvEnable:
        case drv::kDrvDisable:
        case drv::kDrvFree:
        case drv::kDrvClose: return 1;
        case drv::kDrvOpen: {
          if (!lParam2) return 9999;
          auto *parms = reinterpret_cast<VideoOpenParms *>(lParam2);
          opens.push_back(*parms);
          if (parms->dwFlags >= 8 || refuse[parms->dwFlags]) {
            parms->dwError = 7;
            return 0;
          }
          parms->dwError = 0;
          return parms->dwFlags;
        }
        default: break;
      }
      Message seen{static_cast<uint32_t>(id), message, lParam1, lParam2, {}, 0};
      if (message == kDvmDstRect) seen.rect = *reinterpret_cast<const ScreenRect *>(lParam1);
      if (message == kDvmStreamInit) seen.streamFlags = reinterpret_cast<const VideoStreamInitParms *>(lParam1)->dwFlags;
      messages.push_back(seen);
      switch (message) {
        case kDvmGetChannelCaps: {
          auto *caps = reinterpret_cast<ChannelCaps *>(lParam1);
          *caps = ChannelCaps{id == kChannelExternalOut ? 14u | (overlayCapable ? kCapsOverlay : 0u) : 10u,
                              1, 1, 1, 1, 1, 1, 1, 1};
          return 0;
        }
        case kDvmDialog:
          if (lParam2 & kVideoDialogQuery) {
            if (id == kChannelExternalIn && externalInWantsExactQuery && lParam2 != kVideoDialogQuery) return 17;
            return dialogQuery[id];
          }
          return dialogShow[id];
        case kDvmStreamInit: return id == kChannelExternalOut ? streamInit : 17;
        default: return 0;
      }
    };
  }
};

}  // namespace tolven::cap::test
