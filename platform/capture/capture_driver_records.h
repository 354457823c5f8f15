// What a capture window sends a Video for Windows capture driver: the channel
// messages and records AVICap uses toward drivers, in the layout of this
// build (pointer-sized fields as wide as this build's pointers, as the
// system's records are). The driver's own definitions of the same messages
// are held to these by the Windows test programs.
#pragma once
#include <cstdint>

namespace tolven::cap {

enum DriverChannelMessage : uint32_t {
  kDvmDialog = 0x4064,
  kDvmGetChannelCaps = 0x4066,
  kDvmUpdate = 0x4067,
  kDvmDstRect = 0x1005,
  kDvmStreamFini = 0x412D,
  kDvmStreamInit = 0x4130,
};

// The channels a capture window opens, as VIDEO_OPEN_PARMS flags.
enum ChannelKind : uint32_t {
  kChannelExternalIn = 1,   // the video source
  kChannelExternalOut = 2,  // the overlay display
  kChannelIn = 4,           // the captured format
};

inline constexpr uint32_t kFourccVcap = 0x70616376;  // 'v','c','a','p'
inline constexpr uint32_t kVideoApiVersion = 0x400;
inline constexpr uint32_t kVideoDialogQuery = 0x10;
inline constexpr uint32_t kConfigureSet = 0x1000;
inline constexpr uint32_t kCapsOverlay = 0x1;
inline constexpr intptr_t kDvErrOk = 0;

struct VideoOpenParms {
  uint32_t dwSize;
  uint32_t fccType;
  uint32_t fccComp;
  uint32_t dwVersion;
  uint32_t dwFlags;
  uint32_t dwError;
  uintptr_t pV1Reserved;
  uintptr_t pV2Reserved;
  uint32_t dnDevNode;
};

struct ChannelCaps {
  uint32_t dwFlags;
  uint32_t dwSrcRectXMod, dwSrcRectYMod, dwSrcRectWidthMod, dwSrcRectHeightMod;
  uint32_t dwDstRectXMod, dwDstRectYMod, dwDstRectWidthMod, dwDstRectHeightMod;
};
static_assert(sizeof(ChannelCaps) == 36);

struct VideoStreamInitParms {
  uint32_t dwMicroSecPerFrame;
  uintptr_t dwCallback;
  uintptr_t dwCallbackInst;
  uint32_t dwFlags;
  uintptr_t hVideo;
};

// A RECT: left, top, right, bottom.
struct ScreenRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const ScreenRect &, const ScreenRect &) = default;
};
static_assert(sizeof(ScreenRect) == 16);

}  // namespace tolven::cap
