// Clock port: a millisecond tick count and a sleep.
#pragma once
#include <cstdint>

namespace tolven {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t Milliseconds() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

// Simulated time: Sleep advances the clock at once, so waits cost no wall time.
class SimulatedClock : public Clock {
 public:
  uint32_t Milliseconds() override { return now_; }
  void Sleep(uint32_t milliseconds) override {
    now_ += milliseconds;
    slept_ += milliseconds;
    ++sleeps_;
  }
  void Advance(uint32_t milliseconds) { now_ += milliseconds; }
  uint64_t TotalSlept() const { return slept_; }
  uint32_t SleepCount() const { return sleeps_; }

 private:
  uint32_t now_ = 0;
  uint64_t slept_ = 0;
  uint32_t sleeps_ = 0;
};

}  // namespace tolven
