// The hardware layer's entry points over the process-wide board.
//
// Request entry points (device control model): each copies the caller's
// fixed-size record of 32-bit words (first word: the operation code), finds
// the component of its kind, calls Describe or Request, copies the record
// back and answers the component's answer. With no such component (or no
// board) it answers 0 and leaves the record untouched.
#pragma once
#include <cstdint>

#include "driver/link/kernel_link.h"
#include "driver/hardware/hardware_component.h"
#include "driver/hardware/requests.h"

namespace tolven {

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

// Entry points for the capture channels. The Set.., Enable.. and
// UpdateWindow answers are reduced to their low byte. Without a board they
// answer 0.
uint32_t OverlayCaps(DeviceLink *link);
uint32_t KeyColour(DeviceLink *link);
uint8_t SetOverlayDestination(DeviceLink *link, const OverlayDestination &destination);
uint8_t EnableOverlay(DeviceLink *link, bool on);
uint8_t EnableExternalIn(DeviceLink *link, bool on);
uint8_t SetSourceRect(DeviceLink *link, const BoardRect &rect);
uint8_t GetSourceRect(DeviceLink *link, BoardRect *rect);
uint8_t UpdateWindow(DeviceLink *link, const BoardRect &window);

// Entry points for the kernel link: the board's Detect, Initialise and Ready
// must all answer true before the device is opened.
DeviceLink *OpenHardware(const Ports &ports, const char16_t *serviceName, uint32_t index);
void CloseHardware(const Ports &ports, DeviceLink *link);

}  // namespace tolven
