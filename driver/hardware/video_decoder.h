// The analogue video decoder and scaler (kind 8) at bus address 0x88.
//
// It holds the current video standard, scales the picture to the requested
// window from the line timing tables, clips the overlay destination to the
// standard's picture size, and switches between analogue decoding and the
// digital (feature-connector) input. Every register access is a
// WriteRegister/ReadRegister with bus flag 1; bus failures inside a
// sequence are not checked and the sequence goes on.
#pragma once
#include "driver/hardware/component_family.h"
#include "driver/hardware/control_bus.h"
#include "driver/hardware/hardware_manager.h"
#include "platform/clock/clock.h"

namespace tolven {

inline constexpr uint8_t kDecoderBusAddress = 0x88;

class CVideoPort;

// Video standard codes (one bit each).
enum VideoStandard : uint32_t {
  kStdNtsc = 1,
  kStdNtscJ = 2,
  kStdNtsc443 = 4,
  kStdPseudoNtsc = 8,
  kStdSecam = 256,
  kStdPal = 4096,
  kStdPalM = 8192,
  kStdPalN = 16384,
  kStdPalNc = 32768,
  kStdPal60 = 65536,
  kStdAutomatic = 0x80000000u,
};

// A line timing table, T0-T13.
struct LineTiming {
  uint16_t totalPixels;        // T0
  uint16_t horizontalDelay;    // T1 numerator
  uint16_t minimumWidth;       // T2
  uint16_t linesPerField;      // T3
  uint16_t padBelowWidth;      // T4
  uint16_t maximumWidth;       // T5
  uint16_t minimumHeight;      // T6
  uint16_t maximumHeight;      // T7
  uint16_t level1Width;        // T8
  uint16_t level2Width;        // T9
  uint16_t level3Width;        // T10
  uint16_t level1Height;       // T11
  uint16_t level2Height;       // T12
  uint16_t level3Height;       // T13
};

// Registers a scaling run computed and wrote.
struct ScalingResult {
  uint32_t verticalDelay, verticalActive, horizontalDelay, horizontalActive;
  uint32_t horizontalScale, verticalScale, decimation, fieldBits;
  uint32_t captureWidth, captureHeight;
};

class CVideoDecoderChip : public CComponentFamily {
 public:
  static constexpr uint32_t kDescribeStandards = 0x8001F10B;

  CVideoDecoderChip(CControlBus &bus, Clock &clock)
      : CComponentFamily(kKindVideoDecoder), bus_(bus), clock_(clock) {}
  void AttachVideoPort(CVideoPort *port) { videoPort_ = port; }

  // Chip id: register 0xFE reads 0xA_ once register 0x18 is set up.
  bool Detect() override;
  bool Initialise() override;
  uint32_t Dispatch(uint32_t *record) override;
  void FillDescription(uint32_t *record) override;

  void SetStandard(uint32_t code);
  uint32_t StoredStandard() const { return standard_; }
  // The stored code, or the detected one while it is 0 or automatic.
  uint32_t CurrentStandard();
  // Scales the picture to a window (left, top, right, bottom).
  void ScaleTo(const BoardRect &window);
  // Forgets the saved window and scales to the requested one again.
  void Rescale();
  // Board SetOverlayDestination: clips to the standard's picture size and
  // scales to the result. False (nothing changed) for an unknown code.
  bool ClipDestination(BoardRect *window);

  void SetDigitalInput(bool on);
  bool DigitalInput() const { return digital_; }
  uint32_t DigitalStandard() const { return digitalStandard_; }
  // 1 (525-line) or 2 (625-line); false for any other value.
  bool SetDigitalStandard(uint32_t standard);
  // Output width of the digital video port: bit 4 of register 0x18.
  void SetPortWidth16(bool wide);

  const BoardRect &RequestedWindow() const { return window_; }
  const ScalingResult &LastScaling() const { return scaling_; }
  uint32_t InputValue() const { return input_; }

  // Register access with bus flag 1.
  void Write(uint8_t reg, uint8_t value) { bus_.WriteRegister(kDecoderBusAddress, reg, value, 1); }
  uint8_t Read(uint8_t reg);

  static const LineTiming kTiming525, kTiming625, kDigitalTiming525, kDigitalTiming625;
  static bool Is525Line(uint32_t code) { return code == kStdNtsc || code == kStdNtscJ || code == kStdPalM; }

 private:
  void WaitUntilReady();
  uint32_t DetectStandard();
  void WriteDigitalBlock();

  CControlBus &bus_;
  Clock &clock_;
  CVideoPort *videoPort_ = nullptr;
  uint32_t standard_ = 0;
  uint32_t input_ = 0;
  uint32_t secondValue_ = 0;
  BoardRect window_{};
  BoardRect savedWindow_{};
  ScalingResult scaling_{};
  bool digital_ = false;
  uint32_t digitalStandard_ = 2;
  const LineTiming *timing_ = &kTiming625;
};

}  // namespace tolven
