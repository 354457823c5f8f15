// A mixer in memory: a number of devices, the first one's destination lines
// with their controls, every value written kept, and failures on request.
#pragma once
#include <map>
#include <utility>
#include <vector>

#include "platform/mixer/mixer.h"

namespace tolven::mix {

class EmulatedMixer : public Mixer {
 public:
  struct Write {
    uint32_t controlId;
    int32_t value;
  };

  uint32_t DeviceCount() override { return devices_; }
  Handle Open(uint32_t device) override;
  void Close(Handle mixer) override;
  bool FindLineControl(Handle mixer, uint32_t componentType, uint32_t controlType,
                       ControlDescription *control) override;
  bool SetValue(Handle mixer, uint32_t controlId, int32_t value) override;

  // Test controls.
  void SetDeviceCount(uint32_t count) { devices_ = count; }
  void FailOpen(bool fail) { failOpen_ = fail; }
  // Adds a control to a destination line of device 0; answers its id.
  uint32_t AddControl(uint32_t componentType, uint32_t controlType, int32_t minimum, int32_t maximum);
  const std::vector<Write> &Writes() const { return writes_; }
  bool IsOpen() const { return open_ != 0; }
  // The value a control holds (0 until written).
  int32_t Value(uint32_t controlId) const;

 private:
  struct Control {
    uint32_t componentType;
    ControlDescription description;
    int32_t value = 0;
  };
  uint32_t devices_ = 0;
  bool failOpen_ = false;
  Handle open_ = 0;
  std::map<uint32_t, Control> controls_;
  std::vector<Write> writes_;
};

}  // namespace tolven::mix
