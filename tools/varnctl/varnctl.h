// varnctl's portable core: the command line, the commands over the control
// interface and their output. A front (native on the virtual card, or
// Windows on tolvenu.dll) supplies the machine the commands run on.
//
// Exit status: 0 success, 1 a failed operation, 2 bad usage. Results go to
// standard output; errors, warnings and progress to standard error.
#pragma once
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "driver/control/control_interface.h"
#include "platform/files/files.h"

namespace tolven::varnctl {

enum ExitStatus : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

enum class ProgressMode { kAuto, kBar, kLines, kNone };

// Where one run writes, and what it knows of its terminal.
struct Console {
  std::ostream &out;
  std::ostream &err;
  std::istream *in = nullptr;  // for "import -"
  bool errIsTerminal = false;
  // Called at every progress report of a search before the interrupt flag is
  // looked at (tests use it to interrupt at a chosen point).
  std::function<void(int32_t code, int32_t percent)> onProgress;
};

// An option of the front (--state DIR, --real-time, ...); a null valueName
// makes it a flag.
struct OptionSpec {
  const char *name;
  const char *valueName;
  const char *help;
};

struct Invocation {
  bool json = false;
  bool help = false;     // --help (before or after the command)
  bool version = false;
  ProgressMode progress = ProgressMode::kAuto;
  std::map<std::string, std::string> frontOptions;  // flags map to ""
  std::string command;                              // empty: none given
  std::vector<std::string> args;
  std::map<std::string, std::string> options;       // the command's own
};

// The card as the commands reach it.
class Machine {
 public:
  virtual ~Machine() = default;
  // The capture channel opened and the driver detected the card.
  virtual bool CardFound() = 0;
  // The hub from the driver's control interface; null when it gave none.
  virtual control::IControlHub *Hub() = 0;
  // The file system the driver keeps the user's channel file in.
  virtual files::FileSystem &Files() = 0;
  // Lets go of the card after the command (and keeps what must be kept);
  // false with a message when that fails.
  virtual bool Close(std::string * /*error*/) { return true; }
  // A path of Files() as the user finds the file.
  virtual std::string ShownPath(WStringView path);
};

// The user's channel file, where the tuner (on input 0, the input its file
// name always carries) keeps the list.
WString ChannelFilePath(files::FileSystem &files);
// A damaged channel file is copied to its name with this added before the
// first save overwrites it.
inline constexpr char16_t kDamagedSuffix[] = u".damaged";

class Front {
 public:
  virtual ~Front() = default;
  virtual std::span<const OptionSpec> Options() const = 0;
  // A paragraph for --help on what the program runs on.
  virtual std::string About() const = 0;
  // Opens the card for one command, holding the lock on the state (the
  // settings and the channel file) until the machine is closed; null (with
  // a message) when it cannot. Notes while waiting for the lock go to `err`.
  virtual std::unique_ptr<Machine> Open(const Invocation &invocation, std::ostream &err,
                                        std::string *error) = 0;
  // Ctrl+C sets the interrupt flag while this is on; otherwise it ends the
  // program as usual.
  virtual void CatchInterrupts(bool on) = 0;
};

// Parses the arguments (without the program name). Answers kExitOk, or
// kExitUsage with a message.
int ParseCommandLine(std::span<const std::string> args, std::span<const OptionSpec> frontOptions,
                     Invocation *invocation, std::string *error);

// One whole run: parse, help, open the machine, the command.
int Run(std::span<const std::string> args, Front &front, Console &console);

// The interrupt flag; setting it is safe in a signal handler.
void RequestInterrupt();
void ClearInterrupt();
bool InterruptRequested();

}  // namespace tolven::varnctl
