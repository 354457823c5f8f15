// The Video for Windows installable-driver messages, answers and records the
// capture driver speaks. A record with pointer-sized fields is defined once
// over the type of those fields and exists in the system's two layouts: the
// 32-bit one (`...32`) and the x64 one (`...X64`: LPVOID, LPDWORD, LPWSTR and
// DWORD_PTR fields 8 bytes wide, naturally aligned). The plain name is the
// layout of this build: a Windows build takes the one of its pointer size
// with real pointers, the native build the 32-bit one with tokens
// (platform/display/wire_pointer.h).
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

template <typename PointerField>
struct VideoOpenParmsOf {
  uint32_t dwSize;
  uint32_t fccType;
  uint32_t fccComp;
  uint32_t dwVersion;
  uint32_t dwFlags;
  uint32_t dwError;
  alignas(PointerField) PointerField pV1Reserved;
  alignas(PointerField) PointerField pV2Reserved;
  uint32_t dnDevNode;
};
using VideoOpenParms32 = VideoOpenParmsOf<wire::Pointer32>;
using VideoOpenParmsX64 = VideoOpenParmsOf<wire::Pointer64>;
using VideoOpenParms = VideoOpenParmsOf<wire::Pointer>;
static_assert(sizeof(VideoOpenParms32) == 36);
static_assert(offsetof(VideoOpenParms32, dwFlags) == 16);
static_assert(offsetof(VideoOpenParms32, dwError) == 20);
static_assert(offsetof(VideoOpenParms32, dnDevNode) == 32);
static_assert(sizeof(VideoOpenParmsX64) == 48);
static_assert(offsetof(VideoOpenParmsX64, dwFlags) == 16);
static_assert(offsetof(VideoOpenParmsX64, dwError) == 20);
static_assert(offsetof(VideoOpenParmsX64, pV1Reserved) == 24);
static_assert(offsetof(VideoOpenParmsX64, pV2Reserved) == 32);
static_assert(offsetof(VideoOpenParmsX64, dnDevNode) == 40);

// The same in both layouts.
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
template <typename PointerField>
struct VideoConfigureParmsOf {
  alignas(PointerField) PointerField lpdwReturn;
  alignas(PointerField) PointerField lpData1;
  uint32_t dwSize1;
  alignas(PointerField) PointerField lpData2;
  uint32_t dwSize2;
};
using VideoConfigureParms32 = VideoConfigureParmsOf<wire::Pointer32>;
using VideoConfigureParmsX64 = VideoConfigureParmsOf<wire::Pointer64>;
using VideoConfigureParms = VideoConfigureParmsOf<wire::Pointer>;
static_assert(sizeof(VideoConfigureParms32) == 20);
static_assert(offsetof(VideoConfigureParms32, dwSize1) == 8);
static_assert(offsetof(VideoConfigureParms32, dwSize2) == 16);
static_assert(sizeof(VideoConfigureParmsX64) == 40);
static_assert(offsetof(VideoConfigureParmsX64, lpData1) == 8);
static_assert(offsetof(VideoConfigureParmsX64, dwSize1) == 16);
static_assert(offsetof(VideoConfigureParmsX64, lpData2) == 24);
static_assert(offsetof(VideoConfigureParmsX64, dwSize2) == 32);

// The callback, its instance value and the video handle are DWORD_PTRs.
template <typename PointerField>
struct VideoStreamInitParmsOf {
  uint32_t dwMicroSecPerFrame;
  alignas(PointerField) PointerField dwCallback;
  alignas(PointerField) PointerField dwCallbackInst;
  uint32_t dwFlags;
  alignas(PointerField) PointerField hVideo;
};
using VideoStreamInitParms32 = VideoStreamInitParmsOf<wire::Pointer32>;
using VideoStreamInitParmsX64 = VideoStreamInitParmsOf<wire::Pointer64>;
using VideoStreamInitParms = VideoStreamInitParmsOf<wire::Pointer>;
static_assert(sizeof(VideoStreamInitParms32) == 20);
static_assert(offsetof(VideoStreamInitParms32, dwFlags) == 12);
static_assert(offsetof(VideoStreamInitParms32, hVideo) == 16);
static_assert(sizeof(VideoStreamInitParmsX64) == 40);
static_assert(offsetof(VideoStreamInitParmsX64, dwCallback) == 8);
static_assert(offsetof(VideoStreamInitParmsX64, dwCallbackInst) == 16);
static_assert(offsetof(VideoStreamInitParmsX64, dwFlags) == 24);
static_assert(offsetof(VideoStreamInitParmsX64, hVideo) == 32);

// Error-text parameters; the text is wide, its length in characters.
template <typename PointerField>
struct VideoGetErrorTextParmsOf {
  uint32_t dwErrorNum;
  alignas(PointerField) PointerField lpText;
  uint32_t dwLength;
};
using VideoGetErrorTextParms32 = VideoGetErrorTextParmsOf<wire::Pointer32>;
using VideoGetErrorTextParmsX64 = VideoGetErrorTextParmsOf<wire::Pointer64>;
using VideoGetErrorTextParms = VideoGetErrorTextParmsOf<wire::Pointer>;
static_assert(sizeof(VideoGetErrorTextParms32) == 12);
static_assert(offsetof(VideoGetErrorTextParms32, lpText) == 4);
static_assert(offsetof(VideoGetErrorTextParms32, dwLength) == 8);
static_assert(sizeof(VideoGetErrorTextParmsX64) == 24);
static_assert(offsetof(VideoGetErrorTextParmsX64, lpText) == 8);
static_assert(offsetof(VideoGetErrorTextParmsX64, dwLength) == 16);

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
