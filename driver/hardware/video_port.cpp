#include "driver/hardware/video_port.h"

#include "driver/hardware/requests.h"
#include "driver/hardware/video_decoder.h"

namespace tolven {

using namespace display;

namespace {

// The twenty static colours of an 8-bit display and their palette indices
// (colours as stored COLORREFs).
struct PaletteEntry {
  uint32_t colour;
  uint32_t index;
};
// clang-format off
constexpr PaletteEntry kStaticPalette[] = {
  {0x000000,   0}, {0x000080,   1}, {0x008000,   2}, {0x008080,   3}, {0x800000,   4},
  {0x800080,   5}, {0x808000,   6}, {0xC0C0C0,   7}, {0xC0DCC0,   8}, {0xF0CAA6,   9},
  {0xF0FBFF, 246}, {0xA4A0A0, 247}, {0x808080, 248}, {0x0000FF, 249}, {0x00FF00, 250},
  {0x00FFFF, 251}, {0xFF0000, 252}, {0xFF00FF, 253}, {0xFFFF00, 254}, {0xFFFFFF, 255},
};
// clang-format on
constexpr uint32_t kUnknownColourIndex = 253;

// Five bits per component: the colour's third byte in bits 0-4, the second
// in bits 5-9, the first in bits 10-14.
uint32_t To15Bit(uint32_t colour) {
  const uint32_t first = colour & 0xFF, second = (colour >> 8) & 0xFF, third = (colour >> 16) & 0xFF;
  return (third >> 3) | (second >> 3) << 5 | (first >> 3) << 10;
}

Rect ToRect(const BoardRect &r) { return Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

uint32_t CVideoPort::PaletteIndexOf(uint32_t colour) {
  for (const auto &e : kStaticPalette)
    if (e.colour == colour) return e.index;
  return kUnknownColourIndex;
}

uint32_t CVideoPort::PaletteColourOf(uint32_t index) {
  for (const auto &e : kStaticPalette)
    if (e.index == index) return e.colour;
  return kDefaultKeyColour;
}

CVideoPort::CVideoPort(CControlBus &bus, DisplayEscape &display, Gdi &gdi, CVideoDecoderChip &decoder)
    : CComponentFamily(kKindVideoPort), bus_(bus), display_(display), gdi_(gdi), decoder_(decoder) {
  decoder_.Write(0x19, 0);
  decoder_.Write(0x17, decoder_.Read(0x17) & ~0x04);
  decoder_.Write(0x23, decoder_.Read(0x23) & ~0x07);
  decoder_.Write(0x17, decoder_.Read(0x17) | 0x08);
  destination_ = OverlayDestination{1, {0, 0, 767, 575}};
  SetCaptureSize(768, 570);
  output_ = BoardRect{0, 0, 767, 569};
  source_ = BoardRect{0, 0, 767, 575};
}

CVideoPort::~CVideoPort() {
  if (running_) Command(kVideoPortDestroy, nullptr, 0);
}

bool CVideoPort::Command(uint32_t function, void *block, size_t size) {
  wire::WireLoan loan(block, size);
  VideoPortCommand command{0, function, loan.value()};
  int32_t result = 0;
  int answer = display_.Escape(kEscapeVideoPort, sizeof command, &command, sizeof result, &result);
  return answer >= 1 && result == 1;
}

bool CVideoPort::EnoughBandwidth(int32_t bitsPerPixel, bool *checked) {
  *checked = false;
  VideoPortBandwidthBlock bandwidth{static_cast<uint32_t>(bitsPerPixel), 0};
  if (!Command(kVideoPortBandwidth, &bandwidth, sizeof bandwidth)) return false;
  uint32_t info[kDisplayModeInfoSize / 4] = {};
  if (display_.Escape(kEscapeDisplayModeInfo, 0, nullptr, sizeof info, info) < 1) return false;
  const uint32_t horizontalDivisor = info[1], verticalDivisor = info[2];
  if (!horizontalDivisor || !verticalDivisor) return false;  // a mode the check cannot judge
  *checked = true;
  const uint64_t height = static_cast<uint32_t>(gdi_.ScreenHeight()) / verticalDivisor;
  const uint64_t width = static_cast<uint32_t>(gdi_.ScreenWidth()) / horizontalDivisor;
  const uint64_t refresh = static_cast<uint32_t>(gdi_.DisplayRefreshRate());
  // In 64 bits: a large mode's figure does not fit in 32.
  const uint64_t needed = height * width * refresh * static_cast<uint32_t>(bitsPerPixel);
  return bandwidth.bandwidth >= needed;
}

bool CVideoPort::Initialise() {
  const int32_t bpp = gdi_.DisplayBitsPerPixel();

  // 1-2: the first of the driver's connections equal to the one offered.
  VideoPortEnumBlock count{0, 0, 0};
  if (!Command(kVideoPortConnections, &count, sizeof count) || count.count == 0) return false;
  connectionFound_ = false;
  for (uint32_t i = 0; i < count.count && !connectionFound_; ++i) {
    VideoPortConnection c{};
    c.size = sizeof c;
    wire::WireLoan item(&c, sizeof c);
    VideoPortEnumBlock e{i, item.value(), 0};
    if (!Command(kVideoPortConnections, &e, sizeof e)) continue;
    PortConnection theirs{c.reserved1, VideoPortTypeCode(c.type), c.portWidth, c.flags};
    if (theirs == kOfferedConnection) {
      connection_ = theirs;
      connectionFound_ = true;
    }
  }
  if (!connectionFound_) return false;

  // 3: the decoder's output width follows the port width.
  decoder_.SetPortWidth16(connection_.portWidth == 16);

  // 4: the first input format equal to the one offered.
  VideoPortEnumBlock formats{0, 0, 0};
  if (!Command(kVideoPortInputFormats, &formats, sizeof formats) || formats.count == 0) return false;
  formatFound_ = false;
  for (uint32_t i = 0; i < formats.count && !formatFound_; ++i) {
    PixelFormat f{};
    f.size = sizeof f;
    wire::WireLoan item(&f, sizeof f);
    VideoPortEnumBlock e{i, item.value(), 0};
    if (!Command(kVideoPortInputFormats, &e, sizeof e)) continue;
    if (f.fourCC == kOfferedFormat) {
      format_ = f.fourCC;
      formatFound_ = true;
    }
  }
  if (!formatFound_) return false;

  // 5: bandwidth. Too little is not a failure: the user is told and the
  // driver runs without overlay.
  bool checked = false;
  if (!EnoughBandwidth(bpp, &checked)) {
    if (!checked) return false;
    if (notice_) notice_->ShowDisplayModeUnsuitable();
    keyColour_ = 0;
    keyPaletteIndex_ = 0;
    custom_[0] = custom_[1] = custom_[2] = 0;
    return true;
  }

  // 6: probe with 16 bits per field pixel, then 8 (only 8 on an 8-bit display).
  const uint32_t attempts[] = {16, 8};
  bool probed = false;
  for (uint32_t bits : attempts) {
    if (bpp == 8 && bits != 8) continue;
    VideoPortDescription d{};
    d.size = sizeof d;
    d.fieldWidth = captureWidth_;
    d.fieldHeight = captureHeight_ / 2;
    d.maxPixelsPerSecond = d.fieldWidth * d.fieldHeight * 50;
    d.connection = VideoPortConnection{sizeof(VideoPortConnection), connection_.portWidth,
                                       VideoPortTypeGuid(connection_.typeCode), connection_.flags,
                                       connection_.portId};
    d.reserved1 = bits;
    if (!Command(kVideoPortProbe, &d, sizeof d)) continue;
    keyColour_ = d.reserved2 ? d.reserved2 : kDefaultKeyColour;
    fieldWidth_ = d.fieldWidth;
    fieldHeight_ = d.fieldHeight;
    fieldBits_ = bits;
    probed = true;
    break;
  }
  if (!probed) return false;

  // 7: create; the answer does not depend on it.
  VideoPortCreateBlock create{};
  FillUpdate(&create.update, bpp);
  create.output = ToRect(output_);
  running_ = Command(kVideoPortCreate, &create, sizeof create);
  return true;
}

void CVideoPort::KeyRecord(int32_t bpp, uint32_t *type, uint32_t *value) {
  const uint32_t colour = (custom_[0] || custom_[1] || custom_[2]) ? CustomColour() : keyColour_;
  switch (bpp) {
    case 8:
      *type = kKeyPaletteIndex;
      *value = keyPaletteIndex_ ? keyPaletteIndex_ : PaletteIndexOf(keyColour_);
      break;
    case 16:
      *type = kKey15Bit;
      *value = To15Bit(colour);
      break;
    case 24:
      *type = kKey24Bit;
      *value = colour;
      break;
    case 32:
      *type = kKey32Bit;
      *value = colour;
      break;
    default:
      *type = 0;
      *value = 0;
      break;
  }
}

uint32_t CVideoPort::KeyColour() {
  const int32_t bpp = gdi_.DisplayBitsPerPixel();
  const bool custom = custom_[0] || custom_[1] || custom_[2];
  switch (bpp) {
    case 8: return keyPaletteIndex_ ? PaletteColourOf(keyPaletteIndex_) : keyColour_;
    case 16: return (custom ? CustomColour() : keyColour_) & 0xF8F8F8;
    case 24: case 32: return custom ? CustomColour() : keyColour_;
    default: return 0;
  }
}

void CVideoPort::FillUpdate(VideoPortUpdateBlock *block, int32_t bpp) {
  *block = VideoPortUpdateBlock{};
  VideoPortDescription &d = block->description;
  d.size = sizeof d;
  const int32_t width = destination_.rect.right - destination_.rect.left + 1;
  const int32_t height = destination_.rect.bottom - destination_.rect.top + 1;
  d.fieldWidth = width > 0 && static_cast<uint32_t>(width) < captureWidth_ ? static_cast<uint32_t>(width)
                                                                           : captureWidth_;
  d.fieldHeight = height > 0 && static_cast<uint32_t>(height) < captureHeight_ / 2
                      ? static_cast<uint32_t>(height)
                      : captureHeight_ / 2;
  d.maxPixelsPerSecond = d.fieldWidth * d.fieldHeight * 50;
  d.connection = VideoPortConnection{sizeof(VideoPortConnection), connection_.portWidth,
                                     VideoPortTypeGuid(connection_.typeCode), connection_.flags,
                                     connection_.portId};
  d.reserved1 = fieldBits_;
  VideoPortInfo &info = block->info;
  info.size = sizeof info;
  info.crop = ToRect(source_);
  info.prescaleWidth = static_cast<uint32_t>(capture_.right - capture_.left + 1);
  info.prescaleHeight = static_cast<uint32_t>(capture_.bottom - capture_.top + 1);
  KeyRecord(bpp, &block->keyType, &block->keyValue);
  block->source = ToRect(source_);
  block->destination = ToRect(destination_.rect);
}

void CVideoPort::SendUpdate() {
  VideoPortUpdateBlock block{};
  FillUpdate(&block, gdi_.DisplayBitsPerPixel());
  Command(kVideoPortUpdate, &block, sizeof block);
}

void CVideoPort::SetDestination(const OverlayDestination &d) {
  destination_ = d;
  if (running_) SendUpdate();
}

void CVideoPort::SetSourceRect(const BoardRect &r) {
  source_ = r;
  if (running_) SendUpdate();
}

bool CVideoPort::TakeWindow(const BoardRect &window) {
  if (destination_.rect == window) return false;
  destination_.rect = window;
  if (running_) SendUpdate();
  return true;
}

// An update goes out only when the port runs and the size really changed:
// the decoder tells the size after every scaling, and an unchanged window
// must send nothing.
void CVideoPort::SetCaptureSize(uint32_t width, uint32_t height) {
  const bool changed = width != captureWidth_ || height != captureHeight_;
  captureWidth_ = width;
  captureHeight_ = height;
  capture_ = BoardRect{0, 0, static_cast<int32_t>(width) - 1, static_cast<int32_t>(height) - 1};
  if (running_ && changed) SendUpdate();
}

uint32_t CVideoPort::Dispatch(uint32_t *record) {
  using namespace requests::videoport;
  const uint32_t argument = record[kArgumentWord];
  uint32_t &result = record[kResultWord];
  switch (record[requests::kOperationWord]) {
    case kReadAspect: result = 1; break;
    case kSetAspect: result = argument == 1 ? 1 : 0; break;
    case kReadVideoFormat: result = decoder_.DigitalStandard(); break;
    case kSetVideoFormat: result = decoder_.SetDigitalStandard(argument) ? 1 : 0; break;
    case kReadConnection: result = 4; break;
    case kSetConnection: result = argument == 4 ? 1 : 0; break;
    case kReadColourFormat: result = kOfferedFormat; break;
    case kSetColourFormat: result = argument == kOfferedFormat ? 1 : 0; break;
    case kColourFormatAt: result = kOfferedFormat; break;
    default: return 0;
  }
  return 1;
}

void CVideoPort::FillDescription(uint32_t *record) {
  using namespace requests::videoport;
  const uint32_t description[kDescriptionWords] = {1, 3, 4, 1};
  for (uint32_t i = 0; i < kDescriptionWords; ++i) record[i] = description[i];
}

}  // namespace tolven
