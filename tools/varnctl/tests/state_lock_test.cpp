// The lock on the state: waiting in simulated time, the state folder's lock
// against a run in this process, and real varnctl processes side by side.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <sstream>

#include "tools/varnctl/lock_wait.h"
#include "tools/varnctl/native/state_folder_lock.h"
#include "tools/varnctl/tests/varnctl_test_support.h"

namespace tolven::varnctl::testing {
namespace {

using nlohmann::json;

// A lock another run holds until `releaseAt` (ms on the simulated clock).
struct HeldUntil {
  SimulatedClock &clock;
  uint32_t releaseAt;
  int attempts = 0;
  bool operator()() {
    ++attempts;
    return clock.Milliseconds() >= releaseAt;
  }
};

TEST(LockWait, AFreeLockIsTakenAtOnceWithoutAWord) {
  SimulatedClock clock;
  std::ostringstream err;
  std::string error;
  HeldUntil free{clock, 0};
  EXPECT_TRUE(WaitForLock(std::ref(free), clock, LockTiming{}, "the state", err, &error));
  EXPECT_EQ(free.attempts, 1);
  EXPECT_EQ(clock.TotalSlept(), 0u);
  EXPECT_TRUE(err.str().empty());
}

TEST(LockWait, AShortWaitSaysNothing) {
  SimulatedClock clock;
  std::ostringstream err;
  std::string error;
  HeldUntil held{clock, 995};
  EXPECT_TRUE(WaitForLock(std::ref(held), clock, LockTiming{}, "the state", err, &error));
  EXPECT_EQ(clock.Milliseconds(), 1000u);  // the attempt at one second takes it
  EXPECT_TRUE(err.str().empty()) << err.str();
}

TEST(LockWait, SaysAfterOneSecondThatItWaitsOnce) {
  SimulatedClock clock;
  std::ostringstream err;
  std::string error;
  HeldUntil held{clock, 5000};
  EXPECT_TRUE(WaitForLock(std::ref(held), clock, LockTiming{}, "the state folder /s", err, &error));
  EXPECT_EQ(clock.Milliseconds(), 5000u);
  EXPECT_EQ(err.str(), "varnctl: waiting for another varnctl to finish with the state folder /s...\n");
}

TEST(LockWait, GivesUpAfterThirtySeconds) {
  SimulatedClock clock;
  std::ostringstream err;
  std::string error;
  HeldUntil held{clock, 30001};
  EXPECT_FALSE(WaitForLock(std::ref(held), clock, LockTiming{}, "the state folder /s", err, &error));
  EXPECT_EQ(clock.Milliseconds(), 30000u);  // not a poll longer
  EXPECT_EQ(err.str(), "varnctl: waiting for another varnctl to finish with the state folder /s...\n");
  EXPECT_EQ(error, "another varnctl has been using the state folder /s for 30 s; gave up, nothing was changed");
  // Released on the last attempt, just in time.
  SimulatedClock again;
  HeldUntil justInTime{again, 29999};
  EXPECT_TRUE(WaitForLock(std::ref(justInTime), again, LockTiming{}, "s", err, &error));
}

TEST(StateLock, ASecondRunWaitsAndGivesUpChangingNothing) {
  Session s;
  ASSERT_EQ(s.Run({"add", "First"}).status, kExitOk);
  const std::string file = s.ReadFile("TOLVEN0.dat"), registry = s.ReadFile("registry.json");
  SimulatedClock clock;
  std::ostringstream ignored;
  std::string error;
  // Another run holds the folder (flock conflicts between two opens of the
  // lock file, also within one process).
  auto other = StateFolderLock::Acquire(s.state, clock, LockTiming{}, ignored, &error);
  ASSERT_TRUE(other) << error;
  s.front.lockClock = &clock;
  Result r = s.Run({"add", "Second"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(r.err, "varnctl: waiting for another varnctl to finish with the state folder " + s.state.string() +
                       "...\nvarnctl: another varnctl has been using the state folder " + s.state.string() +
                       " for 30 s; gave up, nothing was changed\n");
  EXPECT_EQ(clock.Milliseconds(), 30000u);
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), file);
  EXPECT_EQ(s.ReadFile("registry.json"), registry);
  other.reset();
  Result after = s.Run({"add", "Second"});
  EXPECT_EQ(after.status, kExitOk) << after.err;
  EXPECT_TRUE(after.err.empty()) << after.err;
}

// A clock on which the other run lets go after two seconds.
class ReleasingClock : public SimulatedClock {
 public:
  std::unique_ptr<StateFolderLock> held;
  void Sleep(uint32_t milliseconds) override {
    SimulatedClock::Sleep(milliseconds);
    if (Milliseconds() >= 2000) held.reset();
  }
};

TEST(StateLock, ASecondRunGoesOnOnceTheFirstIsDone) {
  Session s;
  ReleasingClock clock;
  std::ostringstream ignored;
  std::string error;
  clock.held = StateFolderLock::Acquire(s.state, clock, LockTiming{}, ignored, &error);
  ASSERT_TRUE(clock.held) << error;
  s.front.lockClock = &clock;
  Result r = s.Run({"add"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_NE(r.err.find("waiting for another varnctl"), std::string::npos) << r.err;
  EXPECT_GE(clock.Milliseconds(), 2000u);
  EXPECT_LT(clock.Milliseconds(), 2100u);
  EXPECT_EQ(s.Run({"--json", "channels"}).Json()["channels"].size(), 1u);
}

// Starts the built program; answers its process id.
pid_t Start(const std::vector<std::string> &args) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char *> argv;
    std::string program = VARNCTL_BINARY;
    argv.push_back(program.data());
    std::vector<std::string> copy = args;
    for (auto &arg : copy) argv.push_back(arg.data());
    argv.push_back(nullptr);
    // Quiet: the test looks at exit statuses and the state.
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  return pid;
}

TEST(StateLock, TenProcessesAddingAtOnceLeaveTenChannels) {
  Session s;
  std::vector<pid_t> pids;
  for (int i = 0; i < 10; ++i) pids.push_back(Start({"--state", s.state.string(), "add"}));
  for (pid_t pid : pids) {
    ASSERT_GT(pid, 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitOk);
  }
  const json channels = s.Run({"--json", "channels"}).Json()["channels"];
  ASSERT_EQ(channels.size(), 10u);
  std::set<int> numbers;
  std::set<std::string> names;
  for (const auto &c : channels) {
    numbers.insert(c["number"].get<int>());
    names.insert(c["name"].get<std::string>());
  }
  EXPECT_EQ(numbers.size(), 10u);
  EXPECT_EQ(names.size(), 10u);
}

}  // namespace
}  // namespace tolven::varnctl::testing
