// Waiting for the exclusive lock that keeps two varnctl runs from losing
// each other's changes: a command holds it from loading the state to saving
// it. The waits go through a clock so that tests need no real time.
#pragma once
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

#include "platform/clock/clock.h"

namespace tolven::varnctl {

struct LockTiming {
  uint32_t noticeMs = 1000;  // say that we wait after this long
  uint32_t limitMs = 30000;  // give up after this long
  uint32_t pollMs = 10;      // between attempts
};

// Calls `tryLock` until it takes the lock (true) or the limit passes. After
// the notice time one line goes to `err`; on giving up `error` says why.
// `holder` names what is locked ("the state folder /x").
bool WaitForLock(const std::function<bool()> &tryLock, Clock &clock, const LockTiming &timing,
                 const std::string &holder, std::ostream &err, std::string *error);

}  // namespace tolven::varnctl
