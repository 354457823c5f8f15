// A screensaver flag in memory: active until switched off, each call
// counted.
#pragma once
#include "platform/screensaver/screensaver.h"

namespace tolven::desk {

class EmulatedScreensaver : public Screensaver {
 public:
  bool SetActive(bool active) override {
    ++calls_;
    active_ = active;
    return true;
  }

  // Test controls.
  bool Active() const { return active_; }
  int Calls() const { return calls_; }
  void Reset(bool active) {
    active_ = active;
    calls_ = 0;
  }

 private:
  bool active_ = true;
  int calls_ = 0;
};

}  // namespace tolven::desk
