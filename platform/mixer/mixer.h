// Waveform-audio mixer port: the few mixer calls the viewer's master volume
// needs (count the devices, open one, find a destination line's control by
// type, write one 4-byte value to a control).
#pragma once
#include <cstdint>

namespace tolven::mix {

using Handle = uintptr_t;  // an HMIXER; 0 means none

// Windows' own values.
enum : uint32_t {
  kComponentTypeDstSpeakers = 4,        // MIXERLINE_COMPONENTTYPE_DST_SPEAKERS
  kControlTypeVolume = 0x50030001,      // MIXERCONTROL_CONTROLTYPE_VOLUME
  kControlTypeMute = 0x20010002,        // MIXERCONTROL_CONTROLTYPE_MUTE
};

// The parts of a control's description the viewer uses (the full record is
// the system's 228-byte MIXERCONTROLW).
struct ControlDescription {
  uint32_t controlId = 0;
  uint32_t controlType = 0;
  int32_t minimum = 0;
  int32_t maximum = 0;
};

class Mixer {
 public:
  virtual ~Mixer() = default;
  // mixerGetNumDevs.
  virtual uint32_t DeviceCount() = 0;
  // mixerOpen(device, no callback, no flags): the handle, or 0.
  virtual Handle Open(uint32_t device) = 0;
  virtual void Close(Handle mixer) = 0;
  // mixerGetLineInfoW by component type, then mixerGetLineControlsW for one
  // control of the given type on that line; false when either fails.
  virtual bool FindLineControl(Handle mixer, uint32_t componentType, uint32_t controlType,
                               ControlDescription *control) = 0;
  // mixerSetControlDetails of one channel, one 4-byte value; true on success.
  virtual bool SetValue(Handle mixer, uint32_t controlId, int32_t value) = 0;
};

}  // namespace tolven::mix
