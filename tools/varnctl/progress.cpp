#include "tools/varnctl/progress.h"

#include <algorithm>
#include <atomic>
#include <ostream>

namespace tolven::varnctl {

namespace {
ProgressDisplay *g_active = nullptr;
// Lock-free, so a signal handler may set it.
std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);
}  // namespace

void RequestInterrupt() { g_interrupted.store(true); }
void ClearInterrupt() { g_interrupted.store(false); }
bool InterruptRequested() { return g_interrupted.load(); }

ProgressDisplay::ProgressDisplay(std::ostream &err, ProgressMode mode, bool terminal, std::string label)
    : err_(err), mode_(mode), label_(std::move(label)) {
  if (mode_ == ProgressMode::kAuto) mode_ = terminal ? ProgressMode::kBar : ProgressMode::kLines;
}

ProgressDisplay::~ProgressDisplay() {
  if (g_active == this) g_active = nullptr;
}

void ProgressDisplay::Activate(std::function<void(int32_t, int32_t)> hook) {
  hook_ = std::move(hook);
  g_active = this;
}

void ProgressDisplay::Report(int32_t percent) {
  const bool known = percent >= 0;
  const int shown = std::clamp(percent, 0, 100);
  if (mode_ == ProgressMode::kBar) {
    const int filled = known ? shown * kBarWidth / 100 : 0;
    err_ << '\r' << label_ << " [" << std::string(filled, '#') << std::string(kBarWidth - filled, '-')
         << "] ";
    if (known) err_ << (shown < 10 ? "  " : shown < 100 ? " " : "") << shown << '%';
    else err_ << "  ?%";
    err_.flush();
    drawn_ = true;
  } else if (mode_ == ProgressMode::kLines) {
    const int tenth = known ? shown / 10 : -1;
    if (tenth == lastTenth_) return;
    lastTenth_ = tenth;
    err_ << label_ << ": " << (known ? std::to_string(tenth * 10) + "%" : std::string("?")) << '\n';
    err_.flush();
  }
}

void ProgressDisplay::Finish() {
  if (drawn_) err_ << '\n';
  drawn_ = false;
  err_.flush();
}

int32_t TOLVEN_STDCALL ProgressDisplay::Callback(int32_t code, int32_t percent) {
  if (ProgressDisplay *display = g_active) {
    display->Report(percent);
    if (display->hook_) display->hook_(code, percent);
  }
  return InterruptRequested() ? kStop : kGoOn;
}

}  // namespace tolven::varnctl
