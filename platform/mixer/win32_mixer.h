// The mixer port over winmm's mixer functions.
#pragma once
#include "platform/mixer/mixer.h"

namespace tolven::mix {

class Win32Mixer : public Mixer {
 public:
  uint32_t DeviceCount() override;
  Handle Open(uint32_t device) override;
  void Close(Handle mixer) override;
  bool FindLineControl(Handle mixer, uint32_t componentType, uint32_t controlType,
                       ControlDescription *control) override;
  bool SetValue(Handle mixer, uint32_t controlId, int32_t value) override;
};

}  // namespace tolven::mix
