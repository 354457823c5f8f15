// The clock port on GetTickCount and Sleep.
#pragma once
#include "platform/clock/clock.h"

namespace tolven {

class Win32Clock : public Clock {
 public:
  uint32_t Milliseconds() override;
  void Sleep(uint32_t milliseconds) override;
};

}  // namespace tolven
