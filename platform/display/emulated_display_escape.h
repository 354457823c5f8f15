// The display port for native tests and tools: forwards every escape to the
// simulated display driver attached to it (the virtual card). With nothing
// attached the machine has no such display driver and every escape answers
// 0, as ExtEscape does for an escape the driver does not implement.
#pragma once
#include <cstdint>

#include "platform/display/display_escape.h"

namespace tolven::display {

class EmulatedDisplayEscape : public DisplayEscape {
 public:
  EmulatedDisplayEscape() = default;
  explicit EmulatedDisplayEscape(DisplayEscape *driver) : driver_(driver) {}
  void Attach(DisplayEscape *driver) { driver_ = driver; }
  int Escape(int escape, int inputSize, const void *input, int outputSize, void *output) override {
    ++calls_;
    return driver_ ? driver_->Escape(escape, inputSize, input, outputSize, output) : 0;
  }
  uint32_t Calls() const { return calls_; }

 private:
  DisplayEscape *driver_ = nullptr;
  uint32_t calls_ = 0;
};

}  // namespace tolven::display
