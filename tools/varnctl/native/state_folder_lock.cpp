#include "tools/varnctl/native/state_folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tolven::varnctl {

std::unique_ptr<StateFolderLock> StateFolderLock::Acquire(const std::filesystem::path &folder, Clock &clock,
                                                          const LockTiming &timing, std::ostream &err,
                                                          std::string *error) {
  const std::filesystem::path path = folder / kFileName;
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    *error = "cannot open the lock file " + path.string() + ": " + std::strerror(errno);
    return nullptr;
  }
  bool failed = false;
  std::string problem;
  auto tryLock = [&] {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) {
      failed = true;
      problem = "cannot lock " + path.string() + ": " + std::strerror(errno);
      return true;  // ends the wait
    }
    return false;
  };
  if (!WaitForLock(tryLock, clock, timing, "the state folder " + folder.string(), err, error) || failed) {
    if (failed) *error = problem;
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<StateFolderLock>(new StateFolderLock(fd));
}

StateFolderLock::~StateFolderLock() { close(fd_); }  // closing the file drops the lock

}  // namespace tolven::varnctl
