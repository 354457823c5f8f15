// Wall-clock time for the virtual card in real-time mode (demos, the
// display stand-in): milliseconds since the clock was made.
#pragma once
#include <chrono>
#include <thread>

#include "platform/clock/clock.h"

namespace tolven::card {

class RealTimeClock : public Clock {
 public:
  uint32_t Milliseconds() override {
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count());
  }
  void Sleep(uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace tolven::card
