// The board as the capture channels, the driver object and the control
// model reach it. The module (or a test) makes one over the board it owns
// and passes it down; nothing finds the board through a global.
//
// Component requests: each copies the caller's record (its size from
// requests.h), finds the component of its kind, calls Describe or Request,
// copies the record back and answers the component's answer. With no such
// component (or no board) it answers 0 and leaves the record untouched.
//
// Overlay calls: the board's overlay slots. The Set.., Enable.. and
// UpdateWindow answers are reduced to their low byte; without a board every
// call answers 0.
#pragma once
#include <cstdint>

#include "driver/hardware/hardware_manager.h"
#include "driver/link/kernel_link.h"

namespace tolven {

class BoardRequests {
 public:
  // `manager` is not owned and may be null (no board: every call answers 0).
  explicit BoardRequests(CHardwareManager *manager) : manager_(manager) {}

  uint32_t CrossbarRequest(uint32_t *record);
  uint32_t TunerDescribe(uint32_t *record);
  uint32_t TunerRequest(uint32_t *record);
  uint32_t AudioDescribe(uint32_t *record);
  uint32_t AudioRequest(uint32_t *record);
  uint32_t DecoderDescribe(uint32_t *record);
  uint32_t DecoderRequest(uint32_t *record);
  uint32_t ProcAmpDescribe(uint32_t *record);
  uint32_t ProcAmpRequest(uint32_t *record);
  uint32_t VideoPortDescribe(uint32_t *record);
  uint32_t VideoPortRequest(uint32_t *record);

  uint32_t OverlayCaps();
  uint32_t KeyColour();
  uint8_t SetOverlayDestination(const OverlayDestination &destination);
  // The channel's device link identifies the channel to the board.
  uint8_t EnableOverlay(DeviceLink *link, bool on);
  uint8_t EnableExternalIn(DeviceLink *link, bool on);
  uint8_t SetSourceRect(const BoardRect &rect);
  uint8_t GetSourceRect(BoardRect *rect);
  uint8_t UpdateWindow(const BoardRect &window);

  // The board's Detect, Initialise and Ready must all answer true before
  // the kernel device is opened.
  DeviceLink *OpenHardware(const Ports &ports, const char16_t *serviceName, uint32_t index);
  void CloseHardware(const Ports &ports, DeviceLink *link);

 private:
  template <uint32_t Words>
  uint32_t Forward(uint32_t kind, bool describe, uint32_t *record);

  CHardwareManager *manager_;
};

}  // namespace tolven
