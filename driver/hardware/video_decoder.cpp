#include "driver/hardware/video_decoder.h"

#include "driver/hardware/requests.h"
#include <algorithm>

#include "driver/hardware/video_port.h"

namespace tolven {

// clang-format off
//                                               T0   T1   T2  T3   T4   T5   T6  T7   T8   T9   T10  T11  T12  T13
const LineTiming CVideoDecoderChip::kTiming525        {730, 148, 44, 240, 144, 724, 32, 240, 352, 176, 176, 240, 120, 96};
const LineTiming CVideoDecoderChip::kTiming625        {914, 190, 48, 284, 148, 768, 36, 284, 384, 221, 221, 284, 142, 113};
const LineTiming CVideoDecoderChip::kDigitalTiming525 {730, 148, 44, 240, 144, 768, 32, 240, 352, 176, 176, 240, 120, 96};
const LineTiming CVideoDecoderChip::kDigitalTiming625 {914, 142, 44, 284,  96, 768, 36, 284, 384, 221, 221, 284, 142, 113};
// clang-format on

namespace {

// Setting a standard: the low four bits of register 0x01, registers
// 0x1A/0x1B, and extra writes.
struct StandardSetting {
  uint32_t code;
  uint8_t inputLowBits;
  uint8_t reg1A, reg1B;
  bool secam;  // also 0x15 = 16, 0x16 = 14
};
// clang-format off
constexpr StandardSetting kStandardSettings[] = {
  {kStdNtsc,       1, 104,  93, false},
  {kStdNtscJ,      2, 104,  93, false},
  {kStdPseudoNtsc, 1, 104,  93, false},
  {kStdSecam,      9, 127, 160, true},
  {kStdPal,        4, 127, 114, false},
  {kStdPalM,       5, 104,  93, false},
  {kStdPalN,       6, 127, 114, false},
  {kStdPalNc,      7, 127, 114, false},
  {kStdPal60,      8, 104,  93, false},
};

// Detection: the low four bits of register 0x01 after a detection run.
constexpr uint32_t kDetectedStandard[16] = {
  0, kStdNtsc, kStdNtscJ, kStdNtsc443, kStdPal, kStdPalM, kStdPalN, kStdPalNc,
  kStdPal60, kStdSecam, 0, 0, 0, 0, 0, 0,
};

// The digital input's register blocks, written from register 0x40 on.
constexpr uint8_t kDigitalBlock525[51] = {
  0x0c, 0xc0, 0x00, 0x00, 0x90, 0x02, 0x03, 0x10, 0x03, 0x06, 0x10, 0x04, 0x12, 0x12, 0x05, 0x02, 0x13,
  0x04, 0x19, 0x00, 0x04, 0x39, 0x00, 0x06, 0x59, 0x08, 0x03, 0x83, 0x08, 0x07, 0x03, 0x50, 0x00, 0xc0,
  0x40, 0x00, 0x86, 0x01, 0x01, 0xa6, 0x0d, 0x02, 0x03, 0x11, 0x01, 0x05, 0x37, 0x00, 0xac, 0x21, 0x00,
};
constexpr uint8_t kDigitalBlock625[45] = {
  0x36, 0x11, 0x01, 0x00, 0x90, 0x02, 0x05, 0x10, 0x04, 0x16, 0x12, 0x05, 0x11, 0x00, 0x04,
  0x12, 0xc0, 0x00, 0x31, 0x00, 0x06, 0x51, 0x08, 0x03, 0x89, 0x08, 0x07, 0xc0, 0x44, 0x00,
  0x81, 0x01, 0x01, 0xa9, 0x0d, 0x02, 0x02, 0x50, 0x03, 0x37, 0x37, 0x00, 0xaf, 0x21, 0x00,
};

// Register values written once the chip is ready, in order.
constexpr uint8_t kInitialRegisters[][2] = {
  {0x01, 0}, {0x0E, 0}, {0x0F, 0}, {0x15, 0}, {0x16, 28}, {0x17, 9}, {0x18, 36}, {0x19, 0},
  {0x1A, 127}, {0x1B, 114}, {0x1C, 2}, {0x1D, 207}, {0x1E, 127}, {0x1F, 130}, {0x23, 0},
  {0x25, 0}, {0x26, 0}, {0x27, 12}, {0x2A, 14}, {0x2B, 0}, {0x2C, 0}, {0xFB, 0}, {0x24, 97},
};
// clang-format on

constexpr int kReadyRounds = 51;
constexpr uint8_t kStatusReady = 0x08;
constexpr uint8_t kStatus625Lines = 0x10;
constexpr uint8_t kStatusSignal = 0x80;

const StandardSetting *SettingFor(uint32_t code) {
  for (const auto &s : kStandardSettings)
    if (s.code == code) return &s;
  return nullptr;
}

// ceil(a / b) for b > 0 and any sign of a.
int32_t CeilDiv(int32_t a, int32_t b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

}  // namespace

uint8_t CVideoDecoderChip::Read(uint8_t reg) {
  uint8_t value = 0;
  bus_.ReadRegister(kDecoderBusAddress, reg, &value, 1);
  return value;
}

bool CVideoDecoderChip::Detect() {
  Write(0x18, 0x24);
  uint8_t id = 0;
  if (!bus_.ReadRegister(kDecoderBusAddress, 0xFE, &id, 1)) return false;
  return (id >> 4) == 0xA;
}

void CVideoDecoderChip::WaitUntilReady() {
  for (int round = 0; round < kReadyRounds; ++round) {
    Write(0xFC, 0);
    if (Read(0x00) & kStatusReady) return;
    Write(0x24, Read(0x24) & ~0x03);
    Write(0x27, 0);
    Write(0x2A, 0);
    Write(0x27, 12);
    Write(0x2A, 14);
    clock_.Sleep(1);
  }
}

bool CVideoDecoderChip::Initialise() {
  WaitUntilReady();
  for (const auto &r : kInitialRegisters) Write(r[0], r[1]);
  savedWindow_ = {};
  ScaleTo(BoardRect{0, 0, 768, 575});
  SetStandard(kStdPal);
  SetStandard(kStdAutomatic);
  return true;
}

void CVideoDecoderChip::SetStandard(uint32_t code) {
  uint8_t value = Read(0x01) & 0xF0;
  if (const StandardSetting *s = SettingFor(code)) {
    Write(0x1A, s->reg1A);
    Write(0x1B, s->reg1B);
    if (s->secam) {
      Write(0x15, 16);
      Write(0x16, 14);
    }
    value |= s->inputLowBits;
  }
  Write(0x01, value);
  standard_ = code;
  Rescale();
}

uint32_t CVideoDecoderChip::DetectStandard() {
  Write(0xFC, 0);
  uint8_t status = Read(0x00);
  uint8_t input = Read(0x01);
  Write(0x01, input & 0xF0);
  clock_.Sleep(10);
  uint32_t code = kDetectedStandard[Read(0x01) & 0x0F];
  if (code) return code;
  return (status & kStatus625Lines) ? kStdPal : kStdNtsc;
}

uint32_t CVideoDecoderChip::CurrentStandard() {
  if (standard_ != 0 && standard_ != kStdAutomatic) return standard_;
  return DetectStandard();
}

void CVideoDecoderChip::Rescale() {
  savedWindow_ = {};
  ScaleTo(window_);
}

void CVideoDecoderChip::ScaleTo(const BoardRect &window) {
  uint32_t code = 0;
  bool lines525;
  if (digital_) {
    lines525 = digitalStandard_ == 1;
    timing_ = lines525 ? &kDigitalTiming525 : &kDigitalTiming625;
    Write(0x1A, lines525 ? 104 : 127);
    Write(0x1B, lines525 ? 93 : 114);
  } else {
    code = CurrentStandard();
    lines525 = Is525Line(code);
    if (lines525 || code == kStdPseudoNtsc) {
      Write(0x1A, 104);
      Write(0x1B, 93);
    } else if (code == kStdSecam) {
      Write(0x1A, 127);
      Write(0x1B, 160);
    } else {
      Write(0x1A, 127);
      Write(0x1B, 114);
    }
    timing_ = lines525 ? &kTiming525 : &kTiming625;
  }
  window_ = window;
  savedWindow_ = window;
  const LineTiming &t = *timing_;

  const int32_t width = std::clamp<int32_t>(window.right - window.left, t.minimumWidth, t.maximumWidth);
  const int32_t verticalActive = lines525 ? 500 : 568;
  const int32_t clampedHeight =
      std::clamp<int32_t>(window.bottom - window.top, t.minimumHeight, t.maximumHeight);
  const int32_t fields = (clampedHeight - 1) / t.linesPerField + 1;
  const int32_t height = CeilDiv(clampedHeight, fields);
  const int32_t verticalScale = (512 - t.linesPerField * 512 / height) & 0x1FFF;

  int32_t level;
  if (width <= t.level3Width && height <= t.level3Height) level = 3;
  else if (width <= t.level2Width && height <= t.level2Height) level = 2;
  else if (width > t.level1Width || height > t.level1Height) level = 0;
  else level = 1;

  const int32_t verticalDelay = (lines525 ? 26 : 38) + (level == 2 ? 2 : level == 3 ? 4 : 0) +
                                2 * CeilDiv(t.maximumHeight * window.top, height);
  const int32_t scaledWidth =
      width < t.padBelowWidth ? width + (t.padBelowWidth - width + 9) / 10 : width;
  const int32_t horizontalDelay =
      (window.left + 2 * CeilDiv(t.horizontalDelay * scaledWidth, 2 * t.totalPixels)) & 0xFFFE;
  const int32_t horizontalActive = width - window.left;
  const int32_t horizontalScale = t.totalPixels * 4096 / scaledWidth - 4096;
  uint8_t fieldBits = 0;
  if (!digital_ && code == kStdSecam) fieldBits = scaledWidth >= t.totalPixels / 7 ? 16 : 24;

  auto pair = [this](uint8_t reg, int32_t value) {
    Write(reg, static_cast<uint8_t>(value & 0xFF));
    Write(static_cast<uint8_t>(reg + 1), static_cast<uint8_t>((value >> 8) & 0xFF));
  };
  pair(0x02, verticalDelay);
  pair(0x04, verticalActive);
  pair(0x06, horizontalDelay);
  pair(0x08, horizontalActive);
  pair(0x0A, horizontalScale);
  pair(0x0C, verticalScale);
  Write(0x0E, 0);
  Write(0x15, static_cast<uint8_t>((Read(0x15) & ~0x18) | fieldBits));

  uint32_t captureWidth, captureHeight;
  if (digital_) {
    captureWidth = static_cast<uint32_t>(std::min(width, 600));
    captureHeight = static_cast<uint32_t>(std::min(clampedHeight, lines525 ? 480 : 570));
  } else {
    captureWidth = lines525 ? 640 : 768;
    captureHeight = lines525 ? 480 : 570;
  }
  scaling_ = ScalingResult{static_cast<uint32_t>(verticalDelay), static_cast<uint32_t>(verticalActive),
                           static_cast<uint32_t>(horizontalDelay), static_cast<uint32_t>(horizontalActive),
                           static_cast<uint32_t>(horizontalScale), static_cast<uint32_t>(verticalScale),
                           static_cast<uint32_t>(level), fieldBits, captureWidth, captureHeight};
  if (videoPort_) videoPort_->SetCaptureSize(captureWidth, captureHeight);
}

bool CVideoDecoderChip::ClipDestination(BoardRect *window) {
  int32_t maxWidth, maxHeight, tallFrom;
  switch (standard_) {
    case kStdNtsc: case kStdNtscJ: case kStdPseudoNtsc:
      maxWidth = 640, maxHeight = 480, tallFrom = 481;
      break;
    case kStdSecam:
      maxWidth = 768, maxHeight = 576, tallFrom = 577;
      break;
    case kStdPal: case kStdPalM: case kStdPalN: case kStdPalNc: case kStdPal60: case kStdAutomatic:
      maxWidth = 768, maxHeight = 582, tallFrom = 571;
      break;
    default:
      return false;
  }
  if (window->right - window->left > maxWidth) window->right = window->left + maxWidth;
  if (window->bottom - window->top >= tallFrom) window->bottom = window->top + maxHeight;
  ScaleTo(*window);
  return true;
}

void CVideoDecoderChip::WriteDigitalBlock() {
  if (digitalStandard_ == 1)
    bus_.WriteRegisterBlock(kDecoderBusAddress, 0x40, sizeof kDigitalBlock525, kDigitalBlock525, 1);
  else
    bus_.WriteRegisterBlock(kDecoderBusAddress, 0x40, sizeof kDigitalBlock625, kDigitalBlock625, 1);
}

void CVideoDecoderChip::SetDigitalInput(bool on) {
  if (on) {
    Write(0x24, 0);
    Write(0x24, 16);
    Write(0x24, 0);
    WriteDigitalBlock();
    Write(0x24, 0);
    Write(0x24, 16);
    Write(0x24, 0);
    Write(0x24, 98);
    Write(0x23, 65);
  } else {
    Write(0x23, 0);
    Write(0x24, 97);
  }
  digital_ = on;
  Rescale();
}

bool CVideoDecoderChip::SetDigitalStandard(uint32_t standard) {
  if (standard != 1 && standard != 2) return false;
  digitalStandard_ = standard;
  if (digital_) {
    SetDigitalInput(false);
    SetDigitalInput(true);
  }
  return true;
}

void CVideoDecoderChip::SetPortWidth16(bool wide) {
  uint8_t value = Read(0x18);
  Write(0x18, wide ? (value | 0x10) : (value & ~0x10));
}

uint32_t CVideoDecoderChip::Dispatch(uint32_t *record) {
  using namespace requests::decoder;
  const uint32_t argument = record[kArgumentWord];
  uint32_t &result = record[kResultWord];
  switch (record[requests::kOperationWord]) {
    case kSetVideoStandard: SetStandard(argument); break;
    case kSetAspectRatio: case kSetColourDepth: case kSetReserved: case kSetVcrTiming: break;
    case kSetScaleStrategy: input_ = argument; break;
    case kSetInterlaceMode: secondValue_ = argument; break;
    case kSetOutputEnable: {
      uint8_t value = Read(0x18);
      if (argument) value &= ~0x80;
      else value = (value | 0xC0) & ~0x20;
      Write(0x18, value);
      break;
    }
    case kReadVideoStandard: result = standard_; break;
    case kReadAspectRatio: case kReadScaleStrategy: case kReadOutputEnable: result = 1; break;
    case kReadInterlaceMode: result = 16; break;
    case kReadColourDepth: result = 32; break;
    case kReadReserved: result = 2; break;
    case kReadVcrTiming: result = 0; break;
    case kReadSignalLock:
      Write(0xFC, 0);
      result = (Read(0x00) & kStatusSignal) ? 1 : 0;
      break;
    case kReadDetectedStandard: result = CurrentStandard(); break;
    default: return 0;
  }
  return 1;
}

void CVideoDecoderChip::FillDescription(uint32_t *record) {
  using namespace requests::decoder;
  const uint32_t description[kDescriptionWords] = {kDescribeStandards, 1, 1, 16, 32, 0, 0, 0, 0};
  for (uint32_t i = 0; i < kDescriptionWords; ++i) record[i] = description[i];
}

}  // namespace tolven
