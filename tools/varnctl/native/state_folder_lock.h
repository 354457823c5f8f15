// The exclusive lock on a state folder: flock on the file "lock" in it,
// held while the object lives. The kernel drops it when the process ends,
// so a killed run leaves no stale lock behind.
#pragma once
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "platform/clock/clock.h"
#include "tools/varnctl/lock_wait.h"

namespace tolven::varnctl {

class StateFolderLock {
 public:
  static constexpr char kFileName[] = "lock";

  // Takes the lock, waiting as WaitForLock does; null with a message when
  // the lock file cannot be opened or the wait gave up.
  static std::unique_ptr<StateFolderLock> Acquire(const std::filesystem::path &folder, Clock &clock,
                                                  const LockTiming &timing, std::ostream &err,
                                                  std::string *error);
  ~StateFolderLock();
  StateFolderLock(const StateFolderLock &) = delete;
  StateFolderLock &operator=(const StateFolderLock &) = delete;

 private:
  explicit StateFolderLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace tolven::varnctl
