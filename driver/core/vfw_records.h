// The Video for Windows installable-driver messages, answers and records the
// capture driver speaks. Records have their 32-bit Windows layouts in both
// builds; pointers inside them are wire pointers (see wire_pointer.h).
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/display/wire_pointer.h"
#include "platform/drivers/installable_drivers.h"

namespace tolven::vfw {

// The installable-driver messages are the multimedia system's, defined once
// with the port that sends them.
using DriverMessage = drv::Message;
using drv::kDrvLoad, drv::kDrvEnable, drv::kDrvOpen, drv::kDrvClose, drv::kDrvDisable,
    drv::kDrvFree, drv::kDrvConfigure, drv::kDrvQueryConfigure, drv::kDrvInstall,
    drv::kDrvRemove, drv::kDrvPnpInstall;

enum ChannelMessage : uint32_t {
  kDvmGetErrorText = 0x4000,
  kDvmGetVideoApiVer = 0x4001,
  kDvmDialog = 0x4064,
  kDvmConfigureStorage = 0x4065,
  kDvmGetChannelCaps = 0x4066,
  kDvmUpdate = 0x4067,
  kDvmFrame = 0x40C8,
  kDvmPalette = 0x1001,
  kDvmFormat = 0x1002,
  kDvmPaletteRgb555 = 0x1003,
  kDvmSrcRect = 0x1004,
  kDvmDstRect = 0x1005,
  kDvmStreamAddBuffer = 0x412C,
  kDvmStreamFini = 0x412D,
  kDvmStreamGetError = 0x412E,
  kDvmStreamGetPosition = 0x412F,
  kDvmStreamInit = 0x4130,
  kDvmStreamPrepareHeader = 0x4131,
  kDvmStreamReset = 0x4132,
  kDvmStreamStart = 0x4133,
  kDvmStreamStop = 0x4134,
  kDvmStreamUnprepareHeader = 0x4135,
  kDvmStreamAllocBuffer = 0x4138,
  kDvmStreamFreeBuffer = 0x4139,
};

enum Error : uint32_t {
  kDvErrOk = 0,
  kDvErrNotDetected = 7,
  kDvErrSizeField = 10,
  kDvErrParam1 = 11,
  kDvErrParam2 = 12,
  kDvErrNotSupported = 17,
  kDvErrBadErrNum = 22,
};

// Open flags, which double as driver-instance ids.
enum OpenFlags : uint32_t {
  kVideoExternalIn = 1,
  kVideoExternalOut = 2,
  kVideoIn = 4,
  kVideoOut = 8,
};
inline constexpr uintptr_t kConfigurationInstance = 9999;

enum ConfigureFlags : uint32_t {
  kConfigureQuerySize = 0x1,
  kConfigureCurrent = 0x10,
  kConfigureMin = 0x40,
  kConfigureMax = 0x80,
  kConfigureSet = 0x1000,
  kConfigureGet = 0x2000,
};

inline constexpr uint32_t kVideoDialogQuery = 0x10;

enum CapsFlags : uint32_t {
  kCapsOverlay = 0x1,
  kCapsSrcCanClip = 0x2,
  kCapsDstCanClip = 0x4,
  kCapsCanScale = 0x8,
};

inline constexpr uint32_t kVideoApiVersion = 4;

struct VideoOpenParms {
  uint32_t dwSize;
  uint32_t fccType;
  uint32_t fccComp;
  uint32_t dwVersion;
  uint32_t dwFlags;
  uint32_t dwError;
  wire::Pointer pV1Reserved;
  wire::Pointer pV2Reserved;
  uint32_t dnDevNode;
};
static_assert(sizeof(VideoOpenParms) == 36);
static_assert(offsetof(VideoOpenParms, dwFlags) == 16);
static_assert(offsetof(VideoOpenParms, dwError) == 20);

struct ChannelCaps {
  uint32_t dwFlags;
  uint32_t dwSrcRectXMod;
  uint32_t dwSrcRectYMod;
  uint32_t dwSrcRectWidthMod;
  uint32_t dwSrcRectHeightMod;
  uint32_t dwDstRectXMod;
  uint32_t dwDstRectYMod;
  uint32_t dwDstRectWidthMod;
  uint32_t dwDstRectHeightMod;
};
static_assert(sizeof(ChannelCaps) == 36);

// VIDEOCONFIGPARMS, the record of DVM_FORMAT.
struct VideoConfigureParms {
  wire::Pointer lpdwReturn;
  wire::Pointer lpData1;
  uint32_t dwSize1;
  wire::Pointer lpData2;
  uint32_t dwSize2;
};
static_assert(sizeof(VideoConfigureParms) == 20);

struct VideoStreamInitParms {
  uint32_t dwMicroSecPerFrame;
  uint32_t dwCallback;
  uint32_t dwCallbackInst;
  uint32_t dwFlags;
  uint32_t hVideo;
};
static_assert(sizeof(VideoStreamInitParms) == 20);
static_assert(offsetof(VideoStreamInitParms, dwFlags) == 12);

// Error-text parameters; the text is wide, its length in characters.
struct VideoGetErrorTextParms {
  uint32_t dwErrorNum;
  wire::Pointer lpText;
  uint32_t dwLength;
};
static_assert(sizeof(VideoGetErrorTextParms) == 12);

struct BitmapInfoHeader {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40);
static_assert(offsetof(BitmapInfoHeader, biBitCount) == 14);
static_assert(offsetof(BitmapInfoHeader, biCompression) == 16);

}  // namespace tolven::vfw
