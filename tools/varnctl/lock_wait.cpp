#include "tools/varnctl/lock_wait.h"

#include <algorithm>
#include <ostream>

namespace tolven::varnctl {

bool WaitForLock(const std::function<bool()> &tryLock, Clock &clock, const LockTiming &timing,
                 const std::string &holder, std::ostream &err, std::string *error) {
  if (tryLock()) return true;
  const uint32_t start = clock.Milliseconds();
  bool told = false;
  for (;;) {
    const uint32_t waited = clock.Milliseconds() - start;  // wraps safely
    if (waited >= timing.limitMs) {
      *error = "another varnctl has been using " + holder + " for " + std::to_string(timing.limitMs / 1000) +
               " s; gave up, nothing was changed";
      return false;
    }
    if (!told && waited >= timing.noticeMs) {
      err << "varnctl: waiting for another varnctl to finish with " << holder << "...\n";
      err.flush();
      told = true;
    }
    // Never sleep past the notice or the limit.
    uint32_t next = timing.limitMs - waited;
    if (!told) next = std::min(next, timing.noticeMs - waited);
    clock.Sleep(std::max<uint32_t>(1, std::min(timing.pollMs, next)));
    if (tryLock()) return true;
  }
}

}  // namespace tolven::varnctl
