// Progress of the tuner's searches on standard error: a bar redrawn in place
// on a terminal, plain lines otherwise (one per tenth of the way), or
// nothing. The tuner reports through a plain function pointer, so one
// display at a time is active and reached through a global.
#pragma once
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

#include "driver/control/control_interface.h"
#include "tools/varnctl/varnctl.h"

namespace tolven::varnctl {

class ProgressDisplay {
 public:
  static constexpr int kBarWidth = 30;

  // kAuto becomes kBar on a terminal, kLines otherwise.
  ProgressDisplay(std::ostream &err, ProgressMode mode, bool terminal, std::string label);
  ~ProgressDisplay();
  ProgressDisplay(const ProgressDisplay &) = delete;
  ProgressDisplay &operator=(const ProgressDisplay &) = delete;

  // A report: percent is clamped to 0-100; a negative percent (a position
  // outside the plan) is drawn as unknown.
  void Report(int32_t percent);
  // Ends the bar's line.
  void Finish();
  ProgressMode Mode() const { return mode_; }

  // Makes this display (and the hook) the one the callback reaches.
  void Activate(std::function<void(int32_t, int32_t)> hook);
  // The callback's answers. A seek answers 1 when it found a station and
  // otherwise the callback's last answer, so going on is told by a value
  // other than 1: a seek that ran off the end of the plan then answers
  // kGoOn, not 1.
  static constexpr int32_t kStop = 0;
  static constexpr int32_t kGoOn = 2;

  // The callback handed to the tuner: draws, calls the hook, then answers
  // kStop when the interrupt flag is set, else kGoOn.
  static int32_t TOLVEN_STDCALL Callback(int32_t code, int32_t percent);

 private:
  std::ostream &err_;
  ProgressMode mode_;
  std::string label_;
  int lastTenth_ = -1;
  bool drawn_ = false;
  std::function<void(int32_t, int32_t)> hook_;
};

}  // namespace tolven::varnctl
