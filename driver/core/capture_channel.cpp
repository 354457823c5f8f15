#include "driver/core/capture_channel.h"

#include <cstring>

#include "driver/core/vfw_records.h"

namespace tolven {

using namespace vfw;

namespace {

template <typename T>
T *Arg(intptr_t lParam) {
  return reinterpret_cast<T *>(lParam);
}

BoardRect ToBoard(const display::Rect &r) { return BoardRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

intptr_t CCaptureChannel::HandleMessage(uintptr_t, uint32_t message, intptr_t lParam1,
                                        intptr_t lParam2) {
  switch (message) {
    case kDvmGetErrorText: return GetErrorText(lParam1);
    case kDvmGetVideoApiVer: return GetVideoApiVer(lParam1);
    case kDvmDialog: return Dialog(static_cast<uintptr_t>(lParam1), static_cast<uint32_t>(lParam2));
    case kDvmConfigureStorage: return ConfigureStorage(lParam1, lParam2);
    case kDvmGetChannelCaps: return GetChannelCaps(lParam1, lParam2);
    case kDvmUpdate: return Update(static_cast<uintptr_t>(lParam1), static_cast<uintptr_t>(lParam2));
    case kDvmFrame: return Frame(lParam1, lParam2);
    case kDvmPalette: return Palette(lParam1, lParam2);
    case kDvmFormat: return Format(static_cast<uint32_t>(lParam1), lParam2);
    case kDvmPaletteRgb555: return PaletteRgb555(lParam1, lParam2);
    case kDvmSrcRect:
    case kDvmDstRect: {
      // The handlers work on a copy; the caller's rectangle is never written.
      const auto *rect = Arg<const display::Rect>(lParam1);
      if (!rect) return kDvErrParam1;
      display::Rect copy = *rect;
      uint32_t flags = static_cast<uint32_t>(lParam2);
      return message == kDvmSrcRect ? SrcRect(copy, flags) : DstRect(copy, flags);
    }
    case kDvmStreamAddBuffer: return StreamAddBuffer(lParam1, lParam2);
    case kDvmStreamFini: return StreamFini();
    case kDvmStreamGetError: return StreamGetError(lParam1, lParam2);
    case kDvmStreamGetPosition: return StreamGetPosition(lParam1, lParam2);
    case kDvmStreamInit: return StreamInit(lParam1, lParam2);
    case kDvmStreamPrepareHeader: return StreamPrepareHeader(lParam1, lParam2);
    case kDvmStreamReset: return StreamReset();
    case kDvmStreamStart: return StreamStart();
    case kDvmStreamStop: return StreamStop();
    case kDvmStreamUnprepareHeader: return StreamUnprepareHeader(lParam1, lParam2);
    case kDvmStreamAllocBuffer: return StreamAllocBuffer(lParam1, lParam2);
    case kDvmStreamFreeBuffer: return StreamFreeBuffer(lParam1);
    default: return kDvErrOk;
  }
}

uint32_t CCaptureChannel::ConfigureStorage(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::Dialog(uintptr_t, uint32_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::DstRect(const display::Rect &, uint32_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::Format(uint32_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::Frame(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::GetChannelCaps(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::GetErrorText(intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::GetVideoApiVer(intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::Palette(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::PaletteRgb555(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::SrcRect(const display::Rect &, uint32_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamAddBuffer(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamAllocBuffer(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamFini() { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamFreeBuffer(intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamGetError(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamGetPosition(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamInit(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamPrepareHeader(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamReset() { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamStart() { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamStop() { return kDvErrNotSupported; }
uint32_t CCaptureChannel::StreamUnprepareHeader(intptr_t, intptr_t) { return kDvErrNotSupported; }
uint32_t CCaptureChannel::Update(uintptr_t, uintptr_t) { return kDvErrNotSupported; }

uint32_t CCaptureChannel::CommonSrcRect(const display::Rect &rect, uint32_t flags) {
  display::Rect working = rect;
  if ((flags & kConfigureGet) && (flags & kConfigureMin)) working = display::Rect{};
  if ((flags & kConfigureGet) && (flags & kConfigureMax))
    working = display::Rect{0, 0, services_.gdi.ScreenWidth(), services_.gdi.ScreenHeight()};
  if (flags & kConfigureSet) services_.board.SetSourceRect(ToBoard(working));
  return kDvErrOk;
}

uint32_t CCaptureChannel::CommonDstRect(const display::Rect &rect, uint32_t flags) {
  display::Rect working = rect;
  if ((flags & kConfigureGet) && (flags & kConfigureMin)) working = display::Rect{};
  if ((flags & kConfigureGet) && (flags & kConfigureMax))
    working = display::Rect{0, 0, services_.gdi.ScreenWidth(), services_.gdi.ScreenHeight()};
  if (flags & kConfigureSet) services_.board.SetOverlayDestination(OverlayDestination{1, ToBoard(working)});
  return kDvErrOk;
}

uint32_t CCaptureChannel::CommonGetErrorText(intptr_t lParam) {
  auto *parms = Arg<VideoGetErrorTextParms>(lParam);
  if (!parms) return kDvErrParam1;
  WString text;
  if (!services_.host.StringResource(parms->dwErrorNum, &text)) return kDvErrBadErrNum;
  uint64_t needed = static_cast<uint64_t>(text.size()) + 1;
  if (needed > parms->dwLength) return kDvErrSizeField;
  auto *buffer = static_cast<char16_t *>(wire::Resolve(parms->lpText, needed * sizeof(char16_t)));
  if (!buffer) return kDvErrParam1;
  std::memcpy(buffer, text.c_str(), needed * sizeof(char16_t));
  return kDvErrOk;
}

uint32_t CCaptureChannel::CommonGetVideoApiVer(intptr_t lParam) {
  auto *version = Arg<uint32_t>(lParam);
  if (!version) return kDvErrParam1;
  *version = kVideoApiVersion;
  return kDvErrOk;
}

uint32_t CCaptureChannel::CommonChannelCaps(intptr_t lParam, intptr_t size, uint32_t flags) {
  auto *caps = Arg<ChannelCaps>(lParam);
  if (!caps) return kDvErrParam1;
  // A shorter record than the caller's size says would be overrun.
  if (size < static_cast<intptr_t>(sizeof(ChannelCaps))) return kDvErrSizeField;
  *caps = ChannelCaps{flags, 1, 1, 1, 1, 1, 1, 1, 1};
  return kDvErrOk;
}

uint32_t CCaptureChannel::CommonFormat(uint32_t flags, intptr_t lParam, int32_t width,
                                       int32_t height) {
  auto *parms = Arg<VideoConfigureParms>(lParam);
  if (!parms) return kDvErrParam2;
  if ((flags & kConfigureGet) && (flags & kConfigureQuerySize)) {
    auto *result = static_cast<uint32_t *>(wire::Resolve(parms->lpdwReturn, sizeof(uint32_t)));
    if (!result) return kDvErrParam2;
    *result = sizeof(BitmapInfoHeader);
  }
  if ((flags & kConfigureGet) && (flags & kConfigureCurrent)) {
    if (parms->dwSize1 < sizeof(BitmapInfoHeader)) return kDvErrSizeField;
    void *data = wire::Resolve(parms->lpData1, sizeof(BitmapInfoHeader));
    if (!data) return kDvErrParam2;
    BitmapInfoHeader header{sizeof(BitmapInfoHeader), width, height, 1, 16, 0, 0, 0, 0, 0, 0};
    std::memcpy(data, &header, sizeof header);
    parms->dwSize1 = sizeof(BitmapInfoHeader);
  }
  return kDvErrOk;
}

uint32_t CCaptureChannel::ShowSheet(uint32_t kind, uintptr_t parent) {
  // Whatever the user does in the sheet, the answer is 0; only a missing
  // sheet is reported.
  return services_.dialogs.ShowChannelSheet(kind, parent) ? kDvErrOk : kDvErrNotSupported;
}

// Video-in.

uint32_t CVideoInChannel::Dialog(uintptr_t parent, uint32_t flags) {
  if (flags & kVideoDialogQuery) return kDvErrOk;
  return ShowSheet(kVideoIn, parent);
}

uint32_t CVideoInChannel::GetChannelCaps(intptr_t caps, intptr_t size) {
  return CommonChannelCaps(caps, size, kCapsSrcCanClip | kCapsCanScale);
}

// External-in.

uint32_t CExternalInChannel::Dialog(uintptr_t parent, uint32_t flags) {
  if (flags == kVideoDialogQuery) return kDvErrOk;
  return ShowSheet(kVideoExternalIn, parent);
}

uint32_t CExternalInChannel::GetChannelCaps(intptr_t caps, intptr_t size) {
  return CommonChannelCaps(caps, size, kCapsSrcCanClip | kCapsCanScale);
}

uint32_t CExternalInChannel::StreamInit(intptr_t, intptr_t) {
  services_.board.EnableExternalIn(link_, true);
  return kDvErrOk;
}

uint32_t CExternalInChannel::StreamFini() {
  services_.board.EnableExternalIn(link_, false);
  return kDvErrOk;
}

// External-out.

CExternalOutChannel::~CExternalOutChannel() { ReplaceBrush(0); }

uint32_t CExternalOutChannel::Dialog(uintptr_t parent, uint32_t flags) {
  if (flags & kVideoDialogQuery) return kDvErrOk;
  return ShowSheet(kVideoExternalOut, parent);
}

uint32_t CExternalOutChannel::GetChannelCaps(intptr_t caps, intptr_t size) {
  uint32_t flags = kCapsSrcCanClip | kCapsDstCanClip | kCapsCanScale;
  if (services_.board.OverlayCaps() & 1) {
    overlayCapable_ = true;
    flags |= kCapsOverlay;
  }
  return CommonChannelCaps(caps, size, flags);
}

uint32_t CExternalOutChannel::StreamInit(intptr_t lParam, intptr_t) {
  const auto *parms = Arg<const VideoStreamInitParms>(lParam);
  if (!parms) return kDvErrParam1;
  if (parms->dwFlags != 0) return kDvErrOk;
  services_.board.EnableOverlay(link_, true);
  return kDvErrOk;
}

uint32_t CExternalOutChannel::StreamFini() {
  services_.board.EnableOverlay(link_, false);
  return kDvErrOk;
}

void CExternalOutChannel::ReplaceBrush(display::GdiHandle brush) {
  // The old brush is released rather than leaked at every start and stop.
  if (keyBrush_) services_.gdi.DeleteBrush(keyBrush_);
  keyBrush_ = brush;
}

void CExternalOutChannel::MakeKeyBrush() {
  uint32_t key = services_.board.KeyColour();
  uint32_t colour = (services_.board.OverlayCaps() & 4) ? key : display::PaletteIndexColour(key & 0xFFFF);
  ReplaceBrush(services_.gdi.CreateSolidBrush(colour));
}

uint32_t CExternalOutChannel::StreamStart() {
  MakeKeyBrush();
  return kDvErrNotSupported;
}

uint32_t CExternalOutChannel::StreamStop() {
  ReplaceBrush(services_.gdi.CreateSolidBrush(0x000000));
  return kDvErrNotSupported;
}

uint32_t CExternalOutChannel::Update(uintptr_t window, uintptr_t dc) {
  if (!window) return kDvErrParam1;
  if (!dc) return kDvErrParam2;
  if (!keyBrush_) MakeKeyBrush();
  if (!keyBrush_) return kDvErrOk;
  display::Rect screen;
  if (!services_.gdi.WindowScreenRect(window, &screen)) return kDvErrParam1;
  services_.gdi.PatternFill(
      dc, keyBrush_, display::Rect{0, 0, screen.right - screen.left, screen.bottom - screen.top});
  services_.board.UpdateWindow(ToBoard(screen));
  return kDvErrOk;
}

}  // namespace tolven
